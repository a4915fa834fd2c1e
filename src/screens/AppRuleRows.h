#pragma once
// Rows of the list of rules: the application's icon and name where the desktop files know it,
// the name the rule uses, and what the rule switches to.
#include <QPixmap>
#include <QString>
#include <map>
#include <string>
#include <vector>

#include "persist/DesktopEntries.h"
#include "ui/Adapter.h"

class AppRuleRows : public SOUI::SAdapterBase {
public:
    struct Row {
        std::string app;
        QString target;
    };

    void SetRows(std::vector<Row> rows);
    // The desktop's applications, once read.
    void SetEntries(std::vector<persist::DesktopEntry> entries);

    int getCount() override { return static_cast<int>(rows_.size()); }
    void getView(int position, SOUI::SWindow* item, pugi::xml_node xmlTemplate) override;

private:
    // Loaded once per icon: a theme's name or a file.
    const QPixmap& Icon(const std::string& icon);

    std::vector<Row> rows_;
    std::vector<persist::DesktopEntry> entries_;
    std::map<std::string, QPixmap> icons_;
};
