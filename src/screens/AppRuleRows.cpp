#include "screens/AppRuleRows.h"

#include <QIcon>

#include "ui/BasicControls.h"

namespace {

constexpr int kIconSize = 24;

void SetText(SOUI::SWindow* item, const char* name, const QString& text) {
    if (SOUI::SWindow* part = item->FindChildByName(name)) part->SetWindowText(text);
}

}  // namespace

void AppRuleRows::SetRows(std::vector<Row> rows) {
    rows_ = std::move(rows);
    notifyDataSetChanged();
}

void AppRuleRows::SetEntries(std::vector<persist::DesktopEntry> entries) {
    entries_ = std::move(entries);
    notifyDataSetChanged();
}

const QPixmap& AppRuleRows::Icon(const std::string& icon) {
    const auto found = icons_.find(icon);
    if (found != icons_.end()) return found->second;
    const QString name = QString::fromStdString(icon);
    const QIcon loaded = name.startsWith('/') ? QIcon(name) : QIcon::fromTheme(name);
    return icons_[icon] = loaded.pixmap(kIconSize, kIconSize);
}

void AppRuleRows::getView(int position, SOUI::SWindow* item, pugi::xml_node xmlTemplate) {
    if (item->Children().empty()) item->InitFromXml(xmlTemplate);
    if (position < 0 || position >= getCount()) return;
    const Row& row = rows_[static_cast<std::size_t>(position)];
    const persist::DesktopEntry* entry = persist::EntryFor(entries_, row.app);
    const QString app = QString::fromStdString(row.app);
    SetText(item, "rule_name", entry ? QString::fromStdString(entry->name) : app);
    SetText(item, "rule_id", entry ? app : QString());
    SetText(item, "rule_target", row.target);
    if (auto* icon = item->FindChildByName2<SOUI::SStatic>("rule_icon"))
        icon->SetPicture(entry && !entry->icon.empty() ? Icon(entry->icon) : QPixmap());
}
