#include "ui/SWindow.h"

#include <QBoxLayout>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cstdio>
#include <deque>

#include "ui/Application.h"
#include "ui/HostWnd.h"
#include "ui/LayoutLoader.h"
#include "ui/Painting.h"
#include "ui/Skin.h"

namespace SOUI {

EventArgs::EventArgs(int eventId, SWindow* from)
    : id(eventId),
      sender(from),
      idFrom(from ? from->GetID() : 0),
      nameFrom(from ? from->GetName() : QString()) {}

namespace {

constexpr const char* kTextColor = "keylumeTextColor";
constexpr const char* kOwnTextColor = "keylumeOwnTextColor";

// Text colour for a widget, its Qt controls and the children without a colour of their own.
// The controls get it directly: under the application's style sheet a palette no longer
// reaches child widgets by inheritance.
void ApplyTextColor(SWindow* window, const QColor& color) {
    window->setProperty(kTextColor, color);
    QList<QWidget*> targets{window};
    for (QWidget* w : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!dynamic_cast<SWindow*>(w)) targets.push_back(w);
    for (QWidget* w : targets) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::WindowText, color);
        pal.setColor(QPalette::ButtonText, color);
        pal.setColor(QPalette::Text, color);
        w->setPalette(pal);
    }
    for (SWindow* child : window->Children())
        if (!child->property(kOwnTextColor).toBool()) ApplyTextColor(child, color);
}

}  // namespace

bool ParseInt(const QString& text, int* out) {
    const QString t = text.trimmed();
    bool ok = false;
    const qlonglong v = t.startsWith("0x", Qt::CaseInsensitive) ? t.mid(2).toLongLong(&ok, 16)
                                                                : t.toLongLong(&ok, 10);
    if (ok) *out = static_cast<int>(v);
    return ok;
}

bool ParseColor(const QString& text, std::uint32_t* out) {
    const QString t = text.trimmed();
    if (t.startsWith('#') && (t.size() == 7 || t.size() == 9)) {
        bool ok = false;
        const uint v = t.mid(1).toUInt(&ok, 16);
        if (!ok) return false;
        const uint r = t.size() == 7 ? (v >> 16) & 0xFF : (v >> 24) & 0xFF;
        const uint g = t.size() == 7 ? (v >> 8) & 0xFF : (v >> 16) & 0xFF;
        const uint b = t.size() == 7 ? v & 0xFF : (v >> 8) & 0xFF;
        const uint a = t.size() == 7 ? 0xFF : v & 0xFF;
        *out = r | (g << 8) | (b << 16) | (a << 24);
        return true;
    }
    if (t.startsWith("rgba(") && t.endsWith(')')) {
        const QStringList parts = t.mid(5, t.size() - 6).split(',');
        if (parts.size() != 4) return false;
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            int c = 0;
            if (!ParseInt(parts[i], &c)) return false;
            v |= static_cast<std::uint32_t>(c & 0xFF) << (8 * i);
        }
        *out = v;
        return true;
    }
    return false;
}

namespace {

bool ParseBool(const QString& v) {
    return !(v == "0" || v.compare("false", Qt::CaseInsensitive) == 0);
}

bool ParsePair(const QString& v, int* a, int* b) {
    const QStringList parts = v.split(',');
    return parts.size() == 2 && ParseInt(parts[0], a) && ParseInt(parts[1], b);
}

}  // namespace

SWindow::SWindow(QWidget* parent) : QWidget(parent) {}

SWindow::~SWindow() {
    for (SWindow* child : m_children) child->m_parentSwnd = nullptr;
    if (m_parentSwnd) std::erase(m_parentSwnd->m_children, this);
}

bool SWindow::IsClass(const QString& name) const {
    return name.compare(QLatin1String("window"), Qt::CaseInsensitive) == 0;
}

bool SWindow::SetAttribute(const QString& name, const QString& value) {
    SApplication* app = SApplication::getSingletonPtr();
    if (name == "name") {
        m_name = value;
        // Automation finds controls by their layout names in the accessibility tree; this Qt
        // has no accessible id, so the name rides in the description.
        setAccessibleDescription(value);
        if (m_id == 0 && app) m_id = app->Name2ID(value);
        if (m_id < 0) m_id = 0;
    } else if (name == "id") {
        int id = 0;
        if (ParseInt(value, &id))
            m_id = id;
        else if (app && app->Name2ID(value) >= 0)
            m_id = app->Name2ID(value);
    } else if (name == "skin") {
        SetSkin(FindSkin(value));
    } else if (name == "text") {
        SetWindowText(Translated(value));
    } else if (name == "tip") {
        setToolTip(Translated(value));
        // Image buttons have no text: screen readers announce the tip instead.
        if (accessibleName().isEmpty()) setAccessibleName(toolTip());
    } else if (name == "visible") {
        SetVisible(ParseBool(value));
    } else if (name == "enable") {
        EnableWindow(ParseBool(value));
    } else if (name == "pos") {
        int x = 0, y = 0;
        m_posGiven = ParsePair(value, &x, &y);
        if (m_posGiven) m_pos = {x, y};
    } else if (name == "size") {
        int w = -1, h = -1;
        if (ParsePair(value, &w, &h)) m_size = {w, h};
    } else if (name == "weight") {
        ParseInt(value, &m_weight);
    } else if (name == "layout") {
        m_boxDirection = value == "hbox" ? 1 : value == "vbox" ? 2 : 0;
    } else if (name == "spacing") {
        ParseInt(value, &m_spacing);
    } else if (name == "margin") {
        ParseInt(value, &m_margin);
    } else if (name == "colorbkgnd") {
        std::uint32_t c = 0;
        if (ParseColor(value, &c)) SetBkgndColor(c);
    } else if (name == "colortext") {
        std::uint32_t c = 0;
        if (!ParseColor(value, &c)) return true;
        setProperty(kOwnTextColor, true);
        ApplyTextColor(this, ColorFromRgba(c));
    } else if (name == "fontsize") {
        int px = 0;
        if (!ParseInt(value, &px) || px <= 0) return true;
        QFont f = font();
        f.setPixelSize(px);
        setFont(f);
    } else if (name == "data") {
        int data = 0;
        if (ParseInt(value, &data)) m_userData = data;
    } else {
        return false;
    }
    return true;
}

void SWindow::AdoptChild(SWindow* child) {
    child->m_parentSwnd = this;
    m_children.push_back(child);
    const QColor inherited = property(kTextColor).value<QColor>();
    if (inherited.isValid() && !child->property(kOwnTextColor).toBool())
        ApplyTextColor(child, inherited);
}

void SWindow::InsertChild(SWindow* child) {
    AdoptChild(child);
    if (child->parentWidget() != this) child->setParent(this);
    ApplyGeometry(child);
}

void SWindow::InitFromXml(pugi::xml_node node) {
    SApplication* app = SApplication::getSingletonPtr();
    SLayoutLoader::ApplyAttributes(this, node);
    if (app) SLayoutLoader(*app).CreateChildren(this, node);
}

void SWindow::ApplyGeometry(SWindow* child) {
    QSize size = child->m_size;
    const QSize desired = child->GetDesiredSize();
    if (size.width() < 0) size.setWidth(desired.width());
    if (size.height() < 0) size.setHeight(desired.height());
    if (m_boxDirection == 0) {
        child->setGeometry(QRect(child->m_pos, size));
        return;
    }
    auto* box = qobject_cast<QBoxLayout*>(layout());
    if (!box) {
        box = new QBoxLayout(
            m_boxDirection == 1 ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, this);
        box->setSpacing(m_spacing);
        box->setContentsMargins(m_margin, m_margin, m_margin, m_margin);
    }
    // A size given along the box's axis is fixed; without one the child stretches.
    const bool horizontal = m_boxDirection == 1;
    if (child->m_size.width() >= 0) child->setFixedWidth(size.width());
    if (child->m_size.height() >= 0) child->setFixedHeight(size.height());
    const int along = horizontal ? child->m_size.width() : child->m_size.height();
    box->addWidget(child, along < 0 ? qMax(1, child->m_weight) : child->m_weight);
}

SHostWnd* SWindow::GetHost() const {
    for (const SWindow* w = this; w; w = w->m_parentSwnd)
        if (w->m_host) return w->m_host;
    return nullptr;
}

template <class Match>
SWindow* SWindow::FindBreadthFirst(Match match, int depth) const {
    std::deque<std::pair<SWindow*, int>> queue;
    for (SWindow* c : m_children) queue.emplace_back(c, 1);
    while (!queue.empty()) {
        auto [w, level] = queue.front();
        queue.pop_front();
        if (match(w)) return w;
        if (depth < 0 || level < depth)
            for (SWindow* c : w->m_children) queue.emplace_back(c, level + 1);
    }
    return nullptr;
}

SWindow* SWindow::FindChildByName(const QString& name, int depth) const {
    if (name.isEmpty()) return nullptr;
    return FindBreadthFirst([&](SWindow* w) { return w->m_name == name; }, depth);
}

SWindow* SWindow::FindChildByID(int id, int depth) const {
    return FindBreadthFirst([&](SWindow* w) { return w->m_id == id; }, depth);
}

SWindow* SWindow::FindChildByName2(const QString& name, const char* cls, int depth) const {
    SWindow* w = FindChildByName(name, depth);
    if (w && w->IsClass(QLatin1String(cls))) return w;
    std::printf(
        "FindChildByName2 Failed, no window of class [%s] with name of [%s] was found within "
        "[%d] levels\n",
        cls, name.toUtf8().constData(), depth);
    std::fflush(stdout);
    return nullptr;
}

SWindow* SWindow::FindChildByID2(int id, const char* cls, int depth) const {
    SWindow* w = FindChildByID(id, depth);
    if (w && w->IsClass(QLatin1String(cls))) return w;
    std::printf(
        "FindChildByID2 Failed, no window of class [%s] with id of [%d] was found within [%d] "
        "levels\n",
        cls, id, depth);
    std::fflush(stdout);
    return nullptr;
}

void SWindow::SetWindowText(const QString& text) {
    m_text = text;
    update();
}

void SWindow::SetVisible(bool visible) {
    setVisible(visible);
}

void SWindow::EnableWindow(bool enable) {
    setEnabled(enable);
    if (enable)
        ModifyState(0, WndState_Disable);
    else
        ModifyState(WndState_Disable, WndState_Hover | WndState_PushDown);
}

void SWindow::SetCheck(bool checked) {
    if (checked)
        ModifyState(WndState_Check, 0);
    else
        ModifyState(0, WndState_Check);
}

void SWindow::SetBkgndColor(std::uint32_t rgba) {
    m_bkColor = rgba;
    update();
}

QRect SWindow::GetWindowRect() const {
    const QWidget* top = window();
    return QRect(mapTo(top, QPoint(0, 0)), size());
}

std::uint32_t SWindow::ModifyState(std::uint32_t add, std::uint32_t remove) {
    const std::uint32_t old = m_state;
    m_state = (m_state & ~remove) | add;
    if (old != m_state) {
        OnStateChanged(old, m_state);
        update();
        EventSwndStateChanged e(this);
        e.dwOldState = old;
        e.dwNewState = m_state;
        FireEvent(e);
    }
    return old;
}

void SWindow::OnStateChanged(std::uint32_t, std::uint32_t) {}

void SWindow::SetSkin(ISkinObj* skin) {
    m_skin = skin;
    update();
}

QSize SWindow::GetDesiredSize() const {
    if (m_skin) return m_skin->GetSkinSize();
    if (m_control) return m_control->sizeHint();
    return {0, 0};
}

void SWindow::SubscribeEvent(int eventId, EventHandler handler) {
    m_subscribers.emplace_back(eventId, std::move(handler));
}

bool SWindow::FireEvent(EventArgs& e) {
    // Copy first: a handler may subscribe more handlers while it runs.
    const auto subscribers = m_subscribers;
    for (const auto& [id, handler] : subscribers)
        if (id == e.id && handler(&e)) return true;
    SHostWnd* host = GetHost();
    return host && e.bubbleUp && host->DispatchEvent(&e);
}

bool SWindow::FireCommand() {
    EventCmd e(this);
    return FireEvent(e);
}

void SWindow::SetControl(QWidget* control) {
    m_control = control;
    control->setParent(this);
    control->setGeometry(rect());
    control->installEventFilter(this);
    setFocusProxy(control);
}

int SWindow::SkinStateIndex() const {
    if (!m_skin) return 0;
    const int n = m_skin->GetStates();
    int index = 0;
    if (m_state & WndState_Disable)
        index = 3;
    else if (m_state & WndState_PushDown)
        index = 2;
    else if (m_state & WndState_Hover)
        index = 1;
    return index < n ? index : 0;
}

void SWindow::OnPaint(QPainter& painter) {
    if (m_bkColor != 0) FillSolidRect(painter, rect(), m_bkColor);
    if (m_skin) m_skin->Draw(painter, rect(), SkinStateIndex());
}

void SWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    OnPaint(painter);
}

void SWindow::resizeEvent(QResizeEvent* event) {
    if (m_control) m_control->setGeometry(rect());
    QWidget::resizeEvent(event);
}

void SWindow::enterEvent(QEnterEvent* event) {
    if (!IsDisabled()) ModifyState(WndState_Hover, 0);
    QWidget::enterEvent(event);
}

void SWindow::leaveEvent(QEvent* event) {
    ModifyState(0, WndState_Hover | WndState_PushDown);
    QWidget::leaveEvent(event);
}

void SWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !IsDisabled()) ModifyState(WndState_PushDown, 0);
    QWidget::mousePressEvent(event);
}

void SWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) ModifyState(0, WndState_PushDown);
    QWidget::mouseReleaseEvent(event);
}

bool SWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_control && !IsDisabled()) {
        if (event->type() == QEvent::MouseButtonPress)
            ModifyState(WndState_PushDown, 0);
        else if (event->type() == QEvent::MouseButtonRelease)
            ModifyState(0, WndState_PushDown);
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace SOUI
