#pragma once
// "cbimg": a picture of the keyboard whose keys are buttons. The keys are rectangles read
// from a coordinates file; each is drawn with its fills and with hover, checked and disabled
// images cut from the skin's states. Keys are chosen by clicking or, in selection mode, by
// dragging a band; the listener hears of clicks and of the selection. From the keyboard, Tab
// reaches the picture, the arrow keys move a visible focus between its keys and Space or Enter
// work as a click on the focused key, whose name is the picture's accessible name.
#include <QPoint>
#include <memory>
#include <vector>

#include "records/CoordButtonInfo.h"
#include "ui/MessageLoop.h"
#include "ui/SWindow.h"
#include "widgets/CoordButtonListener.h"

namespace SOUI {

class CoordButtonImage : public SWindow, public IMessageFilter {
    SOUI_CLASS_NAME(SWindow, "cbimg")
public:
    // The key id that stands for every key, and the position that means every key.
    static constexpr int kAllKeys = 2147483647;
    enum ToggleType { ToggleNone = 0, ToggleSingle = 1, ToggleMultiple = 2 };

    CoordButtonImage() = default;
    ~CoordButtonImage() override;

    bool SetAttribute(const QString& name, const QString& value) override;
    void OnCreated() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // The owner's operations. Positions past the end are ignored.
    void SetListener(ICoordButtonListener* listener) { m_listener.reset(listener); }
    void SetItemChecked(int position, bool checked);
    void SetItemForeground(int position, std::uint32_t rgba);
    void SetSelectMode(bool on);
    bool IsSelectMode() const { return m_selectMode; }
    void SetBackgroundFill(bool on);
    void SetForegroundFill(bool on);
    int GetToggleType() const { return m_type; }
    const std::vector<CoordButtonInfo>& Items() const { return m_keys; }
    // Whether the message filter is installed (creation succeeded).
    bool IsFiltering() const { return m_filtering; }
    // The position of the key that has the keyboard focus; -1 before the picture had it.
    int FocusedKey() const { return m_focusKey; }

protected:
    bool OnItemClick(const CoordButtonInfo& key, int released, QPoint widgetPoint);
    void OnSelectionChanged();
    void OnPaint(QPainter& painter) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void OnMove(QPoint p);
    void OnPress(QPoint p);
    void OnRelease(QPoint p);
    void OnLeave();
    // Forgets any press: its release went elsewhere or never came.
    void EndPress();
    void ToggleById(int id);
    // A press on the key: the listener hears of it and, unless it takes it, the key toggles.
    void PressKey(CoordButtonInfo& key, QPoint widgetPoint);
    void ActivateFocusedKey();
    void FocusKey(int position);
    void PaintFocus(QPainter& painter);
    // First key whose rectangle holds the host point; null when none.
    CoordButtonInfo* KeyAt(QPoint hostPoint);
    CoordButtonInfo* FirstWithId(int id);
    void ClearHover();
    // Sets or clears "selected" on keys fully inside the band of host points.
    void MarkBand(QPoint from, QPoint to, bool selected);
    void PaintStateImage(QPainter& painter, int state, bool (*wanted)(const CoordButtonInfo&));
    void PaintSelection(QPainter& painter);

    ISkinObj* Skin() const { return GetSkin(); }

    std::vector<CoordButtonInfo> m_keys;
    std::unique_ptr<ICoordButtonListener> m_listener;
    QString m_coords;
    int m_type = ToggleNone;
    bool m_selectMode = false;
    bool m_fillBackground = true;
    bool m_fillForeground = true;
    bool m_filtering = false;

    // Mouse state, in host window client coordinates.
    bool m_leftDown = false;
    QPoint m_leftPoint{-1, -1};
    bool m_rightDown = false;
    QPoint m_rightPoint{-1, -1};
    QPoint m_dragPoint{-1, -1};
    int m_hoverId = -1;
    int m_pressedId = -1;
    int m_focusKey = -1;
};

}  // namespace SOUI
