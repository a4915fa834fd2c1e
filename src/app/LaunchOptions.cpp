#include "app/LaunchOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

constexpr const char* kEmulate = "emulate";

// QCommandLineParser has no optional values: a bare --emulate means the working keyboard.
QStringList WithEmulateValue(QStringList arguments) {
    for (QString& argument : arguments)
        if (argument == QLatin1String("--emulate")) argument = QStringLiteral("--emulate=keyboard");
    return arguments;
}

constexpr std::pair<const char*, Emulation> kEmulations[] = {
    {"keyboard", Emulation::Keyboard},
    {"old-firmware", Emulation::OldFirmware},
    {"absent", Emulation::Absent},
};

}  // namespace

bool EmulationFromText(const QString& text, Emulation& emulation) {
    for (const auto& [name, value] : kEmulations) {
        if (text == QLatin1String(name)) {
            emulation = value;
            return true;
        }
    }
    return false;
}

QString EmulationName(Emulation emulation) {
    for (const auto& [name, value] : kEmulations)
        if (value == emulation) return QString::fromLatin1(name);
    return {};
}

LaunchRequest ParseLaunchArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Configures the lighting, key assignments and macros of the keyboard."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption emulate(
        QStringLiteral("emulate"),
        QStringLiteral(
            "Run against an emulated keyboard instead of the real one. Without a value "
            "a working keyboard whose settings are kept between runs; "
            "\"old-firmware\" a keyboard that needs a firmware update; \"absent\" none."),
        QStringLiteral("keyboard|old-firmware|absent"));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Save the main window as a PNG picture once the keyboard has been read, "
                       "then exit."),
        QStringLiteral("file"));
    parser.addOption(emulate);
    parser.addOption(screenshot);

    LaunchRequest request;
    if (!parser.parse(WithEmulateValue(arguments))) {
        request.action = LaunchRequest::Action::Error;
        request.text = parser.errorText();
        return request;
    }
    if (parser.isSet(help)) {
        request.action = LaunchRequest::Action::Help;
        // Without an application object the parser cannot name the program itself.
        request.text = parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                 QCoreApplication::applicationName());
        return request;
    }
    if (parser.isSet(version)) {
        request.action = LaunchRequest::Action::Version;
        request.text = QCoreApplication::applicationName() + QLatin1Char(' ') +
                       QCoreApplication::applicationVersion() + QLatin1Char('\n');
        return request;
    }
    if (!parser.positionalArguments().isEmpty()) {
        request.action = LaunchRequest::Action::Error;
        request.text =
            QStringLiteral("Unexpected argument: ") + parser.positionalArguments().front();
        return request;
    }
    if (parser.isSet(emulate) &&
        !EmulationFromText(parser.value(emulate), request.options.emulation)) {
        request.action = LaunchRequest::Action::Error;
        request.text =
            QStringLiteral("Unknown value of --%1: %2").arg(kEmulate, parser.value(emulate));
        return request;
    }
    if (parser.isSet(screenshot)) {
        request.options.screenshot = parser.value(screenshot);
        if (request.options.screenshot.isEmpty()) {
            request.action = LaunchRequest::Action::Error;
            request.text = QStringLiteral("--screenshot needs a file name");
        }
    }
    return request;
}
