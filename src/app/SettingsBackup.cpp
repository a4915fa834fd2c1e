#include "app/SettingsBackup.h"

#include "ops/BackupCommand.h"
#include "ops/GuardedOutcome.h"
#include "screens/FileChooser.h"
#include "ui/Application.h"
#include "ui/BusyBox.h"
#include "ui/HostWnd.h"
#include "ui/MessageBox.h"

namespace {

using SOUI::Translated;

QWidget* FrameOf(SOUI::HWND owner) {
    SOUI::SHostWnd* window = SOUI::SHostWnd::FromHandle(owner);
    return window ? window->GetFrame() : nullptr;
}

QString Filter() {
    return Translated("Keyboard settings (*.json)");
}

void Tell(SOUI::HWND owner, const QString& caption, const QString& text) {
    SOUI::SMessageBox(owner, text, caption, SOUI::MB_OK);
}

QString Reason(const Outcome& outcome) {
    return QString::fromStdString(outcome.message);
}

// The keyboard is read or written for a moment; the window keeps painting meanwhile.
template <class Work>
Outcome WhileBusy(SOUI::HWND owner, const char* text, Work work) {
    Outcome outcome;
    SOUI::SRunBusy(owner, QString::fromUtf8(text), QStringLiteral("Please wait"),
                   [&] { outcome = Guarded(work); });
    return outcome;
}

// A backup can make any key type anything: the user reads every change before it is sent.
bool ConfirmKeyChanges(SOUI::HWND owner, const std::vector<std::string>& changes) {
    QStringList lines;
    for (const std::string& line : changes) lines << QString::fromStdString(line);
    const QString text =
        Translated(
            "The file changes the assignment of these keys (%1). Check each one: a key marked "
            "(!) is a common key or plays Win, Ctrl+Alt or Enter. Restore them?")
            .arg(lines.size());
    return SOUI::SListMessageBox(owner, text, lines, Translated("Key assignments"),
                                 Translated("Restore")) == SOUI::IDOK;
}

}  // namespace

bool SettingsBackup::Export(SOUI::HWND owner) {
    const QString caption = Translated("Export settings");
    const auto file = ChooseFile(FrameOf(owner), {Translated("Save keyboard settings"),
                                                  true,
                                                  {Filter()},
                                                  QStringLiteral("json"),
                                                  QStringLiteral("keyboard-settings.json")});
    if (!file) return false;
    const BackupRequest request{file->path.toStdString(), false};
    const Outcome outcome =
        WhileBusy(owner, "Reading the keyboard…", [&] { return ExportBackup(request, keyboard_); });
    if (outcome.code != kExitDone) {
        Tell(owner, caption, Translated("Nothing was exported: %1").arg(Reason(outcome)));
        return false;
    }
    Tell(owner, caption, Translated("The keyboard's settings were saved to %1.").arg(file->path));
    return true;
}

void SettingsBackup::Import(SOUI::HWND owner) {
    const QString caption = Translated("Import settings");
    const auto file = ChooseFile(FrameOf(owner), {Translated("Open keyboard settings"),
                                                  false,
                                                  {Filter(), Translated("All files (*)")},
                                                  {},
                                                  {}});
    if (!file) return;
    BackupRequest request{file->path.toStdString(), false};
    auto restore = [&] { return ImportBackup(request, keyboard_); };
    Outcome outcome = WhileBusy(owner, "Restoring the keyboard…", restore);
    if (!outcome.otherShape.empty()) {
        const QString question =
            Translated(
                "The file is from a keyboard that differs from this one: %1. Restore what "
                "both have?")
                .arg(QString::fromStdString(outcome.otherShape));
        if (SOUI::SMessageBox(owner, question, Translated("Another keyboard"), SOUI::MB_OKCANCEL) !=
            SOUI::IDOK)
            return;
        request.partial = true;
        outcome = WhileBusy(owner, "Restoring the keyboard…", restore);
    }
    if (!outcome.keyChanges.empty()) {
        if (!ConfirmKeyChanges(owner, outcome.keyChanges)) return;
        request.yes = true;
        outcome = WhileBusy(owner, "Restoring the keyboard…", restore);
    }
    if (outcome.code != kExitDone)
        Tell(owner, caption, Translated("The settings were not restored: %1").arg(Reason(outcome)));
    else
        Tell(owner, caption,
             Translated("The keyboard's settings were restored from %1: %2.")
                 .arg(file->path, Reason(outcome)));
}
