#include "app/LaunchOptions.h"

#include <QCoreApplication>

#include "cli/CommandHelp.h"
#include "cli/CommandLine.h"

QString EmulationText(Emulation emulation) {
    const std::string_view name = EmulationName(emulation);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

LaunchRequest ParseLaunchArguments(const QStringList& arguments) {
    std::vector<std::string> texts;
    for (qsizetype i = 1; i < arguments.size(); ++i) texts.push_back(arguments[i].toStdString());
    const ParsedCommandLine line = ParseCommandLine(texts);
    LaunchRequest request;
    if (!line.ok() || line.command) {
        request.action = LaunchRequest::Action::Error;
        request.text =
            QString::fromStdString(line.ok() ? "a command does not start the window" : line.error);
    } else if (line.help) {
        request.action = LaunchRequest::Action::Help;
        request.text = QString::fromStdString(ProgramHelp());
    } else if (line.version) {
        request.action = LaunchRequest::Action::Version;
        request.text = QCoreApplication::applicationName() + QLatin1Char(' ') +
                       QCoreApplication::applicationVersion() + QLatin1Char('\n');
    }
    request.options.emulation = EmulationByName(line.request.emulation).value_or(Emulation::None);
    request.options.screenshot = QString::fromStdString(line.screenshot);
    request.options.verbosity = line.verbosity;
    request.options.background = line.background;
    return request;
}
