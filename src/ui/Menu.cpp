#include "ui/Menu.h"

#include <cstring>

#include "ui/Application.h"
#include "ui/HostWnd.h"

namespace SOUI {
namespace {
SMenuBase::Answerer& GlobalAnswerer() {
    static SMenuBase::Answerer answerer;
    return answerer;
}

void CollectIds(const QMenu* menu, std::vector<int>& ids) {
    for (QAction* a : menu->actions()) {
        if (a->menu())
            CollectIds(a->menu(), ids);
        else if (!a->isSeparator() && a->data().toInt() != 0)
            ids.push_back(a->data().toInt());
    }
}
}  // namespace

MenuKind MenuKindOf(const QString& resName) {
    SApplication* app = SApplication::getSingletonPtr();
    pugi::xml_document doc;
    if (!app || !app->GetResProvider().LoadXml(resName, doc)) return MenuKind::None;
    const char* root = doc.document_element().name();
    if (std::strcmp(root, "menu") == 0) return MenuKind::Classic;
    if (std::strcmp(root, "menuRoot") == 0 || std::strcmp(root, "menuItem") == 0)
        return MenuKind::Extended;
    return MenuKind::None;
}

SMenuBase::SMenuBase(const char* itemTag, std::vector<const char*> rootTags)
    : m_itemTag(itemTag), m_rootTags(std::move(rootTags)) {}

SMenuBase::~SMenuBase() = default;

void SMenuBase::SetMenuAnswerer(Answerer answerer) {
    GlobalAnswerer() = std::move(answerer);
}

bool SMenuBase::LoadMenu(const QString& resName) {
    SApplication* app = SApplication::getSingletonPtr();
    pugi::xml_document doc;
    if (!app || !app->GetResProvider().LoadXml(resName, doc)) return false;
    pugi::xml_node root = doc.document_element();
    bool rootMatches = false;
    for (const char* tag : m_rootTags) rootMatches |= std::strcmp(root.name(), tag) == 0;
    if (!rootMatches) return false;
    m_menu = std::make_unique<QMenu>();
    Build(m_menu.get(), root);
    return true;
}

void SMenuBase::Build(QMenu* menu, pugi::xml_node node) {
    SApplication* app = SApplication::getSingletonPtr();
    for (pugi::xml_node child : node.children()) {
        if (std::strcmp(child.name(), "sep") == 0) {
            menu->addSeparator();
            continue;
        }
        if (std::strcmp(child.name(), m_itemTag) != 0) continue;
        QString text = QString::fromUtf8(child.attribute("text").value());
        if (text.isEmpty()) text = QString::fromUtf8(child.text().get()).trimmed();
        if (app) text = app->Tr(text);
        if (child.child(m_itemTag)) {
            Build(menu->addMenu(text), child);
            continue;
        }
        const int id = child.attribute("id").as_int(0);
        QAction* action = menu->addAction(text);
        action->setData(id);
        action->setEnabled(!child.attribute("disable").as_bool(false));
        if (child.attribute("check")) {
            action->setCheckable(true);
            action->setChecked(child.attribute("check").as_bool(false));
        }
        QObject::connect(action, &QAction::triggered, [this, id] { m_chosen = id; });
    }
}

std::vector<int> SMenuBase::CommandIds() const {
    std::vector<int> ids;
    if (m_menu) CollectIds(m_menu.get(), ids);
    return ids;
}

QAction* SMenuBase::FindAction(int id) const {
    if (!m_menu || id == 0) return nullptr;
    for (QAction* a : m_menu->findChildren<QAction*>())
        if (!a->menu() && a->data().toInt() == id) return a;
    for (QAction* a : m_menu->actions())
        if (a->data().toInt() == id) return a;
    return nullptr;
}

QString SMenuBase::ItemText(int id) const {
    QAction* a = FindAction(id);
    return a ? a->text() : QString();
}

int SMenuBase::TrackPopupMenu(UINT, int x, int y, HWND owner) {
    if (!m_menu) return 0;
    m_chosen = 0;
    if (GlobalAnswerer()) {
        QAction* action = FindAction(GlobalAnswerer()(CommandIds()));
        if (action && action->isEnabled()) action->trigger();
    } else {
        m_menu->exec(QPoint(x, y));
    }
    if (m_chosen != 0) SHostWnd::PostMessage(owner, WM_COMMAND, MAKEWPARAM(m_chosen, 0), 0);
    return m_chosen;
}

}  // namespace SOUI
