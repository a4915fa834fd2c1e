#include "widgets/CoordButtonImage.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cstdio>

#include "trace/Trace.h"
#include "ui/Application.h"
#include "ui/HostWnd.h"
#include "ui/Painting.h"
#include "ui/Skin.h"
#include "widgets/CoordsFile.h"
#include "widgets/KeyNavigation.h"

namespace SOUI {
namespace {

// A key's own tip comes from the coordinates file in English and is shown translated.
QString TipOf(const CoordButtonInfo& key) {
    const QString tip = QString::fromStdWString(key.tip);
    SApplication* app = SApplication::getSingletonPtr();
    return app ? app->Tr(tip) : tip;
}

constexpr int kFramePenStyle = 1;
constexpr int kBandPenStyle = 2;
constexpr int kFramePenWidth = 2;
constexpr std::uint32_t kFrameColor = 0xFFFFFFFF;
constexpr QRgb kFocusColor = 0xFF4A9EFF;
constexpr int kFocusPenWidth = 2;

QRect ToQRect(const CoordRect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// Rectangle test with exclusive right and bottom.
bool Holds(int left, int top, int right, int bottom, QPoint p) {
    return p.x() >= left && p.x() < right && p.y() >= top && p.y() < bottom;
}

bool Holds(const CoordRect& r, QPoint p) {
    return Holds(r.left, r.top, r.right, r.bottom, p);
}

// The band between the press and the pointer, whichever way it was dragged.
CoordRect BandRect(QPoint a, QPoint b) {
    return {std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(a.x(), b.x()),
            std::max(a.y(), b.y())};
}

bool ParseSelectValue(const QString& value) {
    return value.compare(QLatin1String("0")) != 0 &&
           value.compare(QLatin1String("false"), Qt::CaseInsensitive) != 0;
}

// Relative to the folder that holds the resources, as every path a layout names: beside the
// executable in the build tree, under <prefix>/share/keylume installed. A file only beside the
// executable is still found there.
QString ResolveCoordsPath(const QString& value) {
    SApplication* app = SApplication::getSingletonPtr();
    const bool rooted = value.startsWith('/') || value.startsWith('\\');
    auto in = [&](const QString& folder) {
        return folder + (rooted ? QString() : QStringLiteral("/")) + value;
    };
    if (!app) return in(QCoreApplication::applicationDirPath());
    const QString data = in(app->GetDataDir());
    return QFileInfo(data).isFile() ? data : in(app->GetAppDir());
}

}  // namespace

CoordButtonImage::~CoordButtonImage() {
    if (m_filtering)
        if (SApplication* app = SApplication::getSingletonPtr())
            app->GetMsgLoop().RemoveMessageFilter(this);
}

bool CoordButtonImage::SetAttribute(const QString& name, const QString& value) {
    if (name == "select") {
        m_selectMode = ParseSelectValue(value);
    } else if (name == "type") {
        int type = 0;
        m_type = ParseInt(value, &type) ? type : ToggleNone;
    } else if (name == "coords") {
        m_coords = value;
    } else {
        // "skin" and everything else belong to the plain widget.
        return SWindow::SetAttribute(name, value);
    }
    return true;
}

void CoordButtonImage::OnCreated() {
    if (!m_coords.isEmpty()) {
        const QString path = ResolveCoordsPath(m_coords);
        auto keys = ReadCoordsFile(path.toStdString());
        // A picture without keys is dead to the mouse: say so rather than show it silently.
        if (keys.empty())
            std::fprintf(stderr, "keylume: no keys in the coordinates file %s\n", qPrintable(path));
        m_keys.insert(m_keys.end(), keys.begin(), keys.end());
    }
    // Reached with Tab like any control.
    if (!m_keys.empty()) setFocusPolicy(Qt::StrongFocus);
    if (window()->testAttribute(Qt::WA_TranslucentBackground)) {
        trace::Line(trace::Level::Info,
                    "warning!!! create iectrl failed bacause of host is translucent!");
        return;
    }
    if (SApplication* app = SApplication::getSingletonPtr()) {
        app->GetMsgLoop().AddMessageFilter(this);
        m_filtering = true;
    }
}

BOOL CoordButtonImage::PreTranslateMessage(MSG* msg) {
    if (!isVisible()) return 0;
    // Only input aimed at the picture's own window counts: clicks in a dialog or a drop-down
    // list that lies over the picture belong to them.
    const HWND own = SHostWnd::HandleOfFrame(window());
    if (own == kNoWindow) return 0;
    const bool release = msg->message == WM_LBUTTONUP || msg->message == WM_RBUTTONUP;
    if (msg->hwnd != own) {
        // The release went to a pop-up or dialog: the press it ends is over here too.
        if (release) EndPress();
        return 0;
    }
    if (msg->message == WM_MOUSELEAVE) {
        OnLeave();
        return 0;
    }
    // A disabled picture is not a button: it takes no clicks and no drags.
    if (IsDisabled()) return 0;
    const QPoint p = window()->mapFromGlobal(QPoint(msg->pt.x, msg->pt.y));
    // Only a press on the picture starts a click or a band.
    const bool press = msg->message == WM_LBUTTONDOWN || msg->message == WM_RBUTTONDOWN;
    if (press && !GetWindowRect().contains(p)) return 0;
    switch (msg->message) {
        case WM_MOUSEMOVE:
            OnMove(p);
            break;
        case WM_LBUTTONDOWN:
            OnPress(p);
            break;
        case WM_LBUTTONUP:
            if (m_leftDown) OnRelease(p);
            break;
        case WM_RBUTTONDOWN:
            m_rightPoint = p;
            m_rightDown = true;
            update();
            break;
        case WM_RBUTTONUP:
            m_rightDown = false;
            m_rightPoint = {-1, -1};
            update();
            break;
        default:
            break;
    }
    return 0;
}

void CoordButtonImage::SetItemChecked(int position, bool checked) {
    if (position == kAllKeys) {
        for (auto& k : m_keys) k.checked = checked ? 1 : 0;
    } else if (position >= 0 && position < static_cast<int>(m_keys.size())) {
        m_keys[position].checked = checked ? 1 : 0;
    }
    update();
}

void CoordButtonImage::SetItemForeground(int position, std::uint32_t rgba) {
    if (position == kAllKeys) {
        for (auto& k : m_keys) k.fground = rgba;
    } else if (position >= 0 && position < static_cast<int>(m_keys.size())) {
        m_keys[position].fground = rgba;
    }
    update();
}

void CoordButtonImage::SetSelectMode(bool on) {
    m_selectMode = on;
    update();
}

void CoordButtonImage::SetBackgroundFill(bool on) {
    m_fillBackground = on;
    update();
}

void CoordButtonImage::SetForegroundFill(bool on) {
    m_fillForeground = on;
    update();
}

bool CoordButtonImage::OnItemClick(const CoordButtonInfo& key, int released, QPoint widgetPoint) {
    return m_listener && m_listener->OnItemClick(key.id, key.order, key, released, 0,
                                                 widgetPoint.x(), widgetPoint.y());
}

void CoordButtonImage::OnSelectionChanged() {
    if (!m_listener || IsDisabled()) return;
    std::vector<CoordButtonInfo> selected;
    for (const auto& k : m_keys)
        if (k.selected) selected.push_back(k);
    m_listener->OnSelectionChanged(selected);
    update();
}

CoordButtonInfo* CoordButtonImage::KeyAt(QPoint hostPoint) {
    const QPoint p = hostPoint - GetWindowRect().topLeft();
    for (auto& k : m_keys)
        if (Holds(k.rect, p)) return &k;
    return nullptr;
}

CoordButtonInfo* CoordButtonImage::FirstWithId(int id) {
    for (auto& k : m_keys)
        if (k.id == id) return &k;
    return nullptr;
}

void CoordButtonImage::ToggleById(int id) {
    if (id == kAllKeys) {
        for (auto& k : m_keys) k.checked = k.checked ? 0 : 1;
    } else if (CoordButtonInfo* k = FirstWithId(id)) {
        k->checked = k->checked ? 0 : 1;
    }
}

void CoordButtonImage::ClearHover() {
    if (CoordButtonInfo* k = FirstWithId(m_hoverId)) k->hover = 0;
    m_hoverId = -1;
}

void CoordButtonImage::MarkBand(QPoint from, QPoint to, bool selected) {
    const QPoint origin = GetWindowRect().topLeft();
    const CoordRect band = BandRect(from, to);
    for (auto& k : m_keys) {
        const QPoint topLeft = origin + QPoint(k.rect.left, k.rect.top);
        const QPoint bottomRight = origin + QPoint(k.rect.right, k.rect.bottom);
        if (Holds(band, topLeft) && Holds(band, bottomRight)) k.selected = selected ? 1 : 0;
    }
}

void CoordButtonImage::OnPress(QPoint p) {
    m_leftPoint = p;
    m_leftDown = true;
    if (GetWindowRect().isEmpty()) {
        update();
        return;
    }
    CoordButtonInfo* key = KeyAt(p);
    if (!key) {
        m_pressedId = -1;
        update();
        return;
    }
    const int id = key->id;
    PressKey(*key, p - GetWindowRect().topLeft());
    m_pressedId = id;
    update();
}

void CoordButtonImage::PressKey(CoordButtonInfo& key, QPoint widgetPoint) {
    const int id = key.id;
    if (OnItemClick(key, 0, widgetPoint)) return;
    if (m_type == ToggleSingle) {
        // One checked key at most: clicking the checked key unchecks it.
        const bool wasChecked = key.checked != 0;
        for (auto& k : m_keys) k.checked = 0;
        if (!wasChecked) ToggleById(id);
    } else if (m_type == ToggleMultiple) {
        ToggleById(id);
    }
}

void CoordButtonImage::keyPressEvent(QKeyEvent* event) {
    struct Step {
        int key, dx, dy;
    };
    static constexpr Step kSteps[] = {
        {Qt::Key_Left, -1, 0}, {Qt::Key_Right, 1, 0}, {Qt::Key_Up, 0, -1}, {Qt::Key_Down, 0, 1}};
    if (m_keys.empty() || IsDisabled()) return SWindow::keyPressEvent(event);
    for (const Step& step : kSteps)
        if (event->key() == step.key) {
            FocusKey(NeighbourKey(m_keys, std::max(m_focusKey, 0), step.dx, step.dy));
            return;
        }
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!event->isAutoRepeat()) ActivateFocusedKey();
            return;
        default:
            SWindow::keyPressEvent(event);
    }
}

void CoordButtonImage::ActivateFocusedKey() {
    if (m_focusKey < 0 || m_focusKey >= static_cast<int>(m_keys.size())) return;
    CoordButtonInfo& key = m_keys[static_cast<std::size_t>(m_focusKey)];
    if (m_selectMode) {
        key.selected = key.selected ? 0 : 1;
        OnSelectionChanged();
        return;
    }
    const QPoint centre = ToQRect(key.rect).center();
    PressKey(key, centre);
    update();
    // The release may open a dialog that changes the keys: it gets a copy.
    const CoordButtonInfo released = key;
    OnItemClick(released, 1, centre);
}

void CoordButtonImage::focusInEvent(QFocusEvent* event) {
    FocusKey(m_focusKey < 0 ? 0 : m_focusKey);
    SWindow::focusInEvent(event);
}

void CoordButtonImage::focusOutEvent(QFocusEvent* event) {
    update();
    SWindow::focusOutEvent(event);
}

void CoordButtonImage::FocusKey(int position) {
    if (position < 0 || position >= static_cast<int>(m_keys.size())) return;
    m_focusKey = position;
    // A screen reader announces the key as the picture's name.
    setAccessibleName(QString::fromStdWString(m_keys[static_cast<std::size_t>(position)].name));
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    update();
}

void CoordButtonImage::PaintFocus(QPainter& painter) {
    if (!hasFocus() || m_focusKey < 0 || m_focusKey >= static_cast<int>(m_keys.size())) return;
    const QRect key = ToQRect(m_keys[static_cast<std::size_t>(m_focusKey)].rect);
    painter.save();
    painter.setPen(QPen(QColor(kFocusColor), kFocusPenWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(key.adjusted(-2, -2, 2, 2));
    painter.restore();
}

void CoordButtonImage::OnRelease(QPoint p) {
    const QRect widget = GetWindowRect();
    if (!widget.isEmpty()) {
        const QPoint q = p - widget.topLeft();
        const QPoint pressed = m_leftPoint - widget.topLeft();
        if (m_selectMode) {
            for (auto& k : m_keys)
                if (Holds(k.rect, q) && Holds(k.rect, pressed)) {
                    k.selected = k.selected ? 0 : 1;
                    break;
                }
            OnSelectionChanged();
        } else {
            for (auto& k : m_keys)
                if (k.id == m_pressedId && Holds(k.rect, q)) {
                    OnItemClick(k, 1, q);
                    m_pressedId = -1;
                    break;
                }
        }
    }
    m_leftDown = false;
    m_leftPoint = {-1, -1};
    update();
}

void CoordButtonImage::OnMove(QPoint p) {
    if (m_rightDown) {
        m_dragPoint = p;
        MarkBand(m_rightPoint, m_dragPoint, false);
    } else if (m_leftDown) {
        m_dragPoint = p;
        if (m_selectMode) MarkBand(m_leftPoint, m_dragPoint, true);
        ClearHover();
    } else {
        CoordButtonInfo* key = KeyAt(p);
        QString tip;
        int id = -1;
        if (key) {
            key->hover = 1;
            tip = key->tip.empty() ? QString::fromStdWString(key->name) : TipOf(*key);
            id = key->id;
        }
        if (id != m_hoverId)
            if (CoordButtonInfo* old = FirstWithId(m_hoverId)) old->hover = 0;
        m_hoverId = id;
        SetToolTipText(tip);
        if (!key) m_dragPoint = {-1, -1};
    }
    update();
}

void CoordButtonImage::OnLeave() {
    SetToolTipText(QString());
    ClearHover();
    EndPress();
    if (m_selectMode) OnSelectionChanged();
}

void CoordButtonImage::EndPress() {
    m_leftDown = m_rightDown = false;
    m_leftPoint = m_rightPoint = m_dragPoint = {-1, -1};
    m_pressedId = -1;
    update();
}

void CoordButtonImage::OnPaint(QPainter& painter) {
    if (GetBkgndColor() != 0) FillSolidRect(painter, rect(), GetBkgndColor());
    ISkinObj* skin = GetSkin();
    const bool disabled = IsDisabled();
    if (skin) skin->Draw(painter, rect(), disabled && skin->GetStates() > 3 ? 3 : 0);
    if (m_fillBackground)
        for (const auto& k : m_keys)
            if (k.bground != 0) FillSolidRect(painter, ToQRect(k.rect), k.bground);
    if (skin && !disabled) {
        const int states = skin->GetStates();
        if (states > 1)
            PaintStateImage(painter, 1,
                            [](const CoordButtonInfo& k) { return !k.disabled && k.hover != 0; });
        if (states > 2)
            PaintStateImage(painter, 2,
                            [](const CoordButtonInfo& k) { return !k.disabled && k.checked != 0; });
        if (states > 3)
            PaintStateImage(painter, 3, [](const CoordButtonInfo& k) { return k.disabled != 0; });
    }
    if (m_fillForeground)
        for (const auto& k : m_keys)
            if (k.fground != 0) FillSolidRect(painter, ToQRect(k.rect), k.fground);
    if (m_selectMode) PaintSelection(painter);
    PaintFocus(painter);
}

void CoordButtonImage::PaintStateImage(QPainter& painter, int state,
                                       bool (*wanted)(const CoordButtonInfo&)) {
    QRegion keys;
    for (const auto& k : m_keys)
        if (wanted(k)) keys += ToQRect(k.rect);
    if (keys.isEmpty()) return;
    // Drawn straight onto the widget, so the state's picture has the screen's own density.
    painter.save();
    painter.setClipRegion(keys, Qt::IntersectClip);
    painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    GetSkin()->Draw(painter, rect(), state);
    painter.restore();
}

void CoordButtonImage::PaintSelection(QPainter& painter) {
    const QPen framePen = MakePen(kFramePenStyle, kFrameColor, kFramePenWidth);
    const int h = kFramePenWidth / 2;
    for (const auto& k : m_keys)
        if (k.selected) {
            const CoordRect r{k.rect.left - h, k.rect.top + h, k.rect.right - h, k.rect.bottom + h};
            DrawRoundRect(painter, ToQRect(r), framePen, QSize(1, 1));
        }
    QPoint from;
    QPen bandPen = framePen;
    if (m_rightDown) {
        from = m_rightPoint;
        bandPen = MakePen(kBandPenStyle, kFrameColor, kFramePenWidth);
    } else if (m_leftDown) {
        from = m_leftPoint;
    } else {
        return;
    }
    // Host points to widget points; a band dragged up or to the left is empty.
    const QPoint origin = GetWindowRect().topLeft();
    const QRect band = ToQRect(BandRect(from - origin, m_dragPoint - origin)).intersected(rect());
    if (!band.isEmpty()) DrawRectangle(painter, band, bandPen);
}

}  // namespace SOUI
