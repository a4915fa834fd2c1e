#include "ui/HeaderCtrl.h"

#include "ui/Adapter.h"
#include "ui/Application.h"

namespace SOUI {

SHeaderCtrl::SHeaderCtrl() : m_view(new QHeaderView(Qt::Horizontal)) {
    m_view->setModel(&m_model);
    m_view->setSectionsClickable(true);
    m_view->setStretchLastSection(true);
    SetControl(m_view);
    QObject::connect(m_view, &QHeaderView::sectionClicked, [this](int column) {
        EventHeaderClick e(this);
        e.iItem = column;
        FireEvent(e);
    });
}

bool SHeaderCtrl::OnChildElement(pugi::xml_node node) {
    if (std::string_view(node.name()) != "item") return false;
    SApplication* app = SApplication::getSingletonPtr();
    const QString text = QString::fromUtf8(node.attribute("text").value());
    InsertItem(-1, app ? app->Tr(text) : text, node.attribute("width").as_int(80));
    return true;
}

int SHeaderCtrl::InsertItem(int index, const QString& text, int width) {
    if (index < 0 || index > m_model.columnCount()) index = m_model.columnCount();
    m_model.insertColumn(index);
    m_model.setHorizontalHeaderItem(index, new QStandardItem(text));
    m_view->resizeSection(index, width);
    return index;
}

void SHeaderCtrl::SetSortFlag(int column, int flag) {
    if (flag == ST_NULL) {
        if (m_view->sortIndicatorSection() == column) m_view->setSortIndicatorShown(false);
        return;
    }
    m_view->setSortIndicatorShown(true);
    m_view->setSortIndicator(column, flag == ST_UP ? Qt::AscendingOrder : Qt::DescendingOrder);
}

}  // namespace SOUI
