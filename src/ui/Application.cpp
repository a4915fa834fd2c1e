#include "ui/Application.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>

#include "ui/HostWnd.h"
#include "ui/SWindow.h"
#include "ui/ShapeMessage.h"
#include "ui/SystemResources.h"
#include "ui/Theme.h"

namespace SOUI {
namespace {
SApplication* g_app = nullptr;
}

SApplication::SApplication(QString appDir) : m_appDir(std::move(appDir)) {
    g_app = this;
    if (m_appDir.isEmpty()) m_appDir = QCoreApplication::applicationDirPath();
    RegisterToolkitWidgets(m_factory);
    AddSystemResources(m_res);
    InstallShapeWindowPoster();
}

SApplication::~SApplication() {
    m_timeline.Stop();
    if (g_app == this) g_app = nullptr;
}

QString Translated(const QString& text) {
    SApplication* app = SApplication::getSingletonPtr();
    return app ? app->Tr(text) : text;
}

SApplication* SApplication::getSingletonPtr() {
    return g_app;
}

ISkinObj* FindSkin(const QString& name) {
    return g_app ? g_app->Skins().Get(name) : nullptr;
}

void WakeTimeline() {
    if (g_app) g_app->GetTimeline().Wake();
}

bool SApplication::InitResources(const QString& folder) {
    const bool ok = m_res.Init(folder);
    m_dataDir = QFileInfo(folder).absolutePath();
    AddSystemResources(m_res);
    pugi::xml_document uidef;
    if (m_res.HasResource("UIDEF:XML_INIT") && m_res.LoadXml("UIDEF:XML_INIT", uidef)) {
        LoadTables(uidef.document_element());
    } else {
        pugi::xml_document defaults;
        defaults.load_string(
            "<uidef><string src='values:string'/><color src='values:color'/>"
            "<skin src='values:skin'/></uidef>");
        LoadTables(defaults.document_element());
    }
    ApplyTheme(ThemeColorsOf(*this));
    // The program icon, for every window and the task bar.
    if (m_res.HasResource("ICON:ICON_LOGO")) {
        const QImage logo = m_res.LoadImage("ICON:ICON_LOGO");
        if (!logo.isNull()) QGuiApplication::setWindowIcon(QIcon(QPixmap::fromImage(logo)));
    }
    m_timeline.Start();
    return ok;
}

void SApplication::LoadTables(pugi::xml_node uidef) {
    const QString strings = QString::fromUtf8(uidef.child("string").attribute("src").value());
    const QString colors = QString::fromUtf8(uidef.child("color").attribute("src").value());
    const QString skins = QString::fromUtf8(uidef.child("skin").attribute("src").value());
    pugi::xml_document doc;
    if (!strings.isEmpty() && m_res.LoadXml(strings, doc))
        for (pugi::xml_node s : doc.document_element().children())
            m_strings.push_back(QString::fromUtf8(s.attribute("value").value()));
    if (!colors.isEmpty() && m_res.LoadXml(colors, doc))
        for (pugi::xml_node c : doc.document_element().children()) {
            std::uint32_t rgba = 0;
            if (ParseColor(QString::fromUtf8(c.attribute("value").value()), &rgba))
                m_colors.insert(QString::fromUtf8(c.attribute("name").value()), rgba);
        }
    if (!skins.isEmpty()) m_skins.Load(m_res, skins);
}

int SApplication::Name2ID(const QString& name) const {
    return LookupNameId(m_nameIds, name.toStdString());
}

bool SApplication::GetColor(const QString& name, std::uint32_t* rgba) const {
    auto it = m_colors.find(name);
    if (it == m_colors.end()) return false;
    *rgba = *it;
    return true;
}

bool SApplication::LoadTranslator(const QString& resName) {
    pugi::xml_document doc;
    if (!m_res.LoadXml(resName, doc)) return false;
    auto translator = std::make_unique<STranslator>();
    if (!translator->Load(doc.child("language"))) return false;
    m_translator = std::move(translator);
    return true;
}

int SApplication::Run(HWND mainWnd) {
    m_mainWnd = mainWnd;
    // A main window destroyed during its initialisation ends the program without a loop.
    if (!SHostWnd::FromHandle(mainWnd)) return 0;
    return QCoreApplication::exec();
}

void SApplication::OnMainWindowDestroyed(HWND wnd) {
    if (wnd != kNoWindow && wnd == m_mainWnd) QCoreApplication::exit(0);
}

}  // namespace SOUI
