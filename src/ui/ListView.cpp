#include "ui/ListView.h"

#include <QKeyEvent>
#include <QVBoxLayout>

namespace SOUI {
namespace {

// What a row shows, for screen readers: the texts of its parts in order.
QString RowText(const SWindow* row) {
    QStringList parts;
    for (const SWindow* child : row->Children()) {
        const QString own = child->GetWindowText().trimmed();
        if (!own.isEmpty()) parts << own;
        const QString inner = RowText(child);
        if (!inner.isEmpty()) parts << inner;
    }
    return parts.join(' ');
}

}  // namespace

SListBase::SListBase() : m_container(new QWidget), m_list(new QListWidget) {
    auto* box = new QVBoxLayout(m_container);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(m_list, 1);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    SetControl(m_container);
    QObject::connect(m_list, &QListWidget::currentRowChanged, [this](int row) {
        if (m_silent) return;
        EventLVSelChanged e(this);
        e.iNewSel = row;
        FireEvent(e);
    });
    QObject::connect(m_list, &QListWidget::itemClicked, [this](QListWidgetItem* item) {
        const int row = m_list->row(item);
        if (SWindow* panel = GetItemPanel(row)) panel->FireCommand();
    });
    m_list->installEventFilter(this);
}

bool SListBase::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress && m_adapter) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool typed = !text.isEmpty() && text.at(0).isPrint() &&
                           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        const int row = m_list->currentRow();
        SWindow* panel = typed ? GetItemPanel(row) : nullptr;
        if (panel && m_adapter->OnTyped(row, panel, text)) return true;
    }
    return SWindow::eventFilter(watched, event);
}

SListBase::~SListBase() {
    if (m_adapter) m_adapter->unregisterDataSetObserver(this);
}

bool SListBase::SetAttribute(const QString& name, const QString& value) {
    if (name == "itemheight") {
        ParseInt(value, &m_itemHeight);
        return true;
    }
    return SWindow::SetAttribute(name, value);
}

bool SListBase::OnChildElement(pugi::xml_node node) {
    if (std::string_view(node.name()) != "template") return false;
    m_template.reset();
    m_template.append_copy(node);
    return true;
}

void SListBase::SetAdapterBase(std::shared_ptr<SAdapterBase> adapter) {
    if (m_adapter) m_adapter->unregisterDataSetObserver(this);
    m_adapter = std::move(adapter);
    if (m_adapter) m_adapter->registerDataSetObserver(this);
    onDataSetChanged();
}

void SListBase::onDataSetChanged() {
    const int count = m_adapter ? qMax(0, m_adapter->getCount()) : 0;
    const int sel = m_list->currentRow();
    m_silent = true;
    // Rows past the new end go; the view deletes their windows once control returns.
    while (static_cast<int>(m_rows.size()) > count) {
        delete m_list->takeItem(static_cast<int>(m_rows.size()) - 1);
        m_rows.pop_back();
    }
    pugi::xml_node tmpl = m_template.child("template");
    for (int i = 0; i < count; ++i) {
        const bool added = i == static_cast<int>(m_rows.size());
        if (added) {
            auto* row = new SWindow;
            row->SetHost(GetHost());
            m_rows.push_back(row);
        }
        SWindow* row = m_rows[static_cast<size_t>(i)];
        m_adapter->getView(i, row, tmpl);
        LayoutRow(row);
        // The row goes into the list once it is filled: children made inside a row that is
        // already shown would stay hidden, and the row would show blank.
        if (added) {
            auto* item = new QListWidgetItem(m_list);
            item->setSizeHint(QSize(0, m_itemHeight));
            m_list->setItemWidget(item, row);
        }
        m_list->item(i)->setData(Qt::AccessibleTextRole, RowText(row));
    }
    m_list->setCurrentRow(sel < count ? sel : -1);
    m_silent = false;
}

void SListBase::SetSel(int index, bool notify) {
    m_silent = !notify;
    m_list->setCurrentRow(index);
    m_silent = false;
}

SWindow* SListBase::GetItemPanel(int index) const {
    return index >= 0 && index < GetItemCount() ? m_rows[static_cast<size_t>(index)] : nullptr;
}

SMcListView::SMcListView() : m_header(new SHeaderCtrl) {
    static_cast<QVBoxLayout*>(m_container->layout())->insertWidget(0, m_header);
    m_header->setFixedHeight(m_header->GetDesiredSize().height());
    m_header->Subscribe<EventHeaderClick>([this](EventHeaderClick* e) {
        OnHeaderClick(e->iItem);
        return true;
    });
    QObject::connect(m_header->View(), &QHeaderView::sectionResized, [this] {
        for (SWindow* row : m_rows) LayoutRow(row);
    });
}

bool SMcListView::OnChildElement(pugi::xml_node node) {
    if (std::string_view(node.name()) != "header") return SListBase::OnChildElement(node);
    for (pugi::xml_node item : node.children()) m_header->OnChildElement(item);
    m_sortFlags.assign(static_cast<size_t>(m_header->GetItemCount()), ST_NULL);
    return true;
}

void SMcListView::SetAdapter(std::shared_ptr<SMcAdapterBase> adapter) {
    m_mcAdapter = adapter;
    SetAdapterBase(std::move(adapter));
}

void SMcListView::OnHeaderClick(int col) {
    const int n = m_header->GetItemCount();
    if (col < 0 || col >= n || !m_mcAdapter) return;
    m_sortFlags.resize(static_cast<size_t>(n), ST_NULL);
    m_mcAdapter->OnSort(col, m_sortFlags.data(), n);
    for (int i = 0; i < n; ++i) m_header->SetSortFlag(i, m_sortFlags[static_cast<size_t>(i)]);
}

void SMcListView::LayoutRow(SWindow* row) {
    if (!m_mcAdapter) return;
    QHeaderView* view = m_header->View();
    for (int i = 0; i < m_header->GetItemCount(); ++i)
        if (SWindow* cell = row->FindChildByName(m_mcAdapter->GetColumnName(i), 1))
            cell->setGeometry(view->sectionPosition(i), 0, view->sectionSize(i), m_itemHeight);
}

}  // namespace SOUI
