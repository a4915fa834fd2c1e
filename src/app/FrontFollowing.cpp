#include "app/FrontFollowing.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include "trace/Trace.h"

namespace {

std::vector<std::string> OwnNames() {
    return {QGuiApplication::desktopFileName().toStdString(),
            QCoreApplication::applicationName().toStdString()};
}

}  // namespace

FrontFollowing::FrontFollowing(KeyboardOperations& operations, const AppPaths& paths)
    : switch_(operations, persist::AppRulesFile(paths.rulesFile()), OwnNames()) {
    const auto front = [this](const std::vector<std::string>& names) { switch_.Front(names); };
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb")) watch_ = focus::WatchX11(front);
#ifdef KEYLUME_FOCUS_WLROOTS
    // Other Wayland compositors tell the bus service instead (SetActiveApplication).
    if (platform.startsWith(QLatin1String("wayland"))) watch_ = focus::WatchWlroots(front);
#endif
    if (!watch_)
        trace::Printf(trace::Level::Info, "in front: not told on this desktop (%s)",
                      platform.toUtf8().constData());
}

FrontFollowing::~FrontFollowing() {
    watch_.reset();
}
