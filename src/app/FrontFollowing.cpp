#include "app/FrontFollowing.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace {

std::vector<std::string> OwnNames() {
    return {QGuiApplication::desktopFileName().toStdString(),
            QCoreApplication::applicationName().toStdString()};
}

}  // namespace

FrontFollowing::FrontFollowing(KeyboardOperations& operations, const AppPaths& paths)
    : switch_(operations, persist::AppRulesFile(paths.rulesFile()), OwnNames()) {
    const auto front = [this](const std::vector<std::string>& names) { switch_.Front(names); };
    if (QGuiApplication::platformName() == QLatin1String("xcb")) watch_ = focus::WatchX11(front);
}

FrontFollowing::~FrontFollowing() {
    watch_.reset();
}
