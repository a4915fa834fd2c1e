#pragma once
// The toolkit's application object: resources, widget classes, the name-to-id table,
// string and colour tables, translation, timeline, message loop and its filters.
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "ui/MessageLoop.h"
#include "ui/NameIdTable.h"
#include "ui/ResProvider.h"
#include "ui/Skin.h"
#include "ui/Timeline.h"
#include "ui/Translator.h"
#include "ui/WindowFactory.h"

namespace SOUI {

class SApplication {
public:
    // Needs a running QApplication; registers the toolkit's own widget classes.
    explicit SApplication(QString appDir = QString());
    ~SApplication();
    SApplication(const SApplication&) = delete;
    SApplication& operator=(const SApplication&) = delete;

    static SApplication* getSingletonPtr();

    // Opens the resource folder and loads the tables the UI definition names
    // ("UIDEF:XML_INIT", or the default tables without one). False without an index.
    bool InitResources(const QString& folder);
    SResProviderFiles& GetResProvider() { return m_res; }
    SWindowFactory& Factory() { return m_factory; }
    SSkinPool& Skins() { return m_skins; }
    STimeline& GetTimeline() { return m_timeline; }
    SMessageLoop& GetMsgLoop() { return m_loop; }
    const QString& GetAppDir() const { return m_appDir; }
    // The folder that holds the resource folder: the paths the layouts name (a key picture's
    // coordinates) are relative to it. The program's folder until resources are opened.
    const QString& GetDataDir() const { return m_dataDir.isEmpty() ? m_appDir : m_dataDir; }

    // The table must be sorted by name.
    void SetNameIdTable(std::vector<NameIdRow> table) { m_nameIds = std::move(table); }
    int Name2ID(const QString& name) const;

    // Named strings by position in "values:string"; empty past the end.
    QString GetString(int index) const { return m_strings.value(index); }
    bool GetColor(const QString& name, std::uint32_t* rgba) const;

    // Loads a translation document (root "language") and installs it; false leaves the
    // texts untranslated.
    bool LoadTranslator(const QString& resName);
    QString Tr(const QString& text) const { return m_translator ? m_translator->Tr(text) : text; }
    const STranslator* GetTranslator() const { return m_translator.get(); }

    // Runs the loop until the main window is destroyed; returns the loop's exit code.
    int Run(HWND mainWnd);
    // Ends Run with a code once the main window is gone.
    void OnMainWindowDestroyed(HWND wnd);

private:
    void LoadTables(pugi::xml_node uidef);

    QString m_appDir;
    QString m_dataDir;
    SResProviderFiles m_res;
    SWindowFactory m_factory;
    SSkinPool m_skins;
    STimeline m_timeline;
    SMessageLoop m_loop;
    std::vector<NameIdRow> m_nameIds;
    QStringList m_strings;
    QHash<QString, std::uint32_t> m_colors;
    std::unique_ptr<STranslator> m_translator;
    HWND m_mainWnd = kNoWindow;
};

// The skin of that name in the application's skin table, or null.
ISkinObj* FindSkin(const QString& name);
// Wakes the running application's timeline: for a handler that starts to move again.
void WakeTimeline();

// The text in the running application's language; the text itself without an application.
QString Translated(const QString& text);
inline QString Translated(const char* text) {
    return Translated(QString::fromUtf8(text));
}

// Registers the toolkit's own widget classes (window, text, img, button, imgbtn, caption,
// check, radio, edit, combobox, sliderbar, tabctrl, page, listview, mclistview, header).
void RegisterToolkitWidgets(SWindowFactory& factory);

}  // namespace SOUI
