#pragma once
// The toolkit's widget: a QWidget that carries a layout name and id, a class name that
// answers for its own tag and its bases' tags, toolkit states, a skin and event routing.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <pugixml.hpp>
#include <vector>

#include "ui/Events.h"
#include "ui/WinDefs.h"

namespace SOUI {

class ISkinObj;
class SHostWnd;

// Declares a widget class's layout tag and chains its class test to the base class.
#define SOUI_CLASS_NAME(Base, tag)                                                                \
public:                                                                                           \
    static const char* GetClassName() {                                                           \
        return tag;                                                                               \
    }                                                                                             \
    const char* GetObjectClass() const override {                                                 \
        return tag;                                                                               \
    }                                                                                             \
    bool IsClass(const QString& name) const override {                                            \
        return name.compare(QLatin1String(tag), Qt::CaseInsensitive) == 0 || Base::IsClass(name); \
    }                                                                                             \
                                                                                                  \
private:

class SWindow : public QWidget {
public:
    static const char* GetClassName() { return "window"; }
    virtual const char* GetObjectClass() const { return "window"; }
    virtual bool IsClass(const QString& name) const;

    explicit SWindow(QWidget* parent = nullptr);
    ~SWindow() override;

    // Identity.
    QString GetName() const { return m_name; }
    void SetName(const QString& name) { m_name = name; }
    int GetID() const { return m_id; }
    void SetID(int id) { m_id = id; }
    std::intptr_t GetUserData() const { return m_userData; }
    void SetUserData(std::intptr_t data) { m_userData = data; }

    // Attributes arrive with lower-case names. Each class handles its own and passes the
    // rest to its base; false means nobody knew the attribute.
    virtual bool SetAttribute(const QString& name, const QString& value);
    // Runs once the widget has its attributes and its place in the tree.
    virtual void OnCreated() {}
    // True when OnCreated refused the widget; the layout then drops it.
    bool CreationFailed() const { return m_creationFailed; }
    // Runs once the layout's children of this widget exist.
    virtual void OnChildrenCreated() {}
    // Lets a widget consume a child element that is its own data (items, templates);
    // true when consumed.
    virtual bool OnChildElement(pugi::xml_node) { return false; }

    // Tree of toolkit widgets (independent of the Qt widgets that implement them).
    virtual void InsertChild(SWindow* child);
    // Builds this widget's attributes and children from a layout element (item templates).
    void InitFromXml(pugi::xml_node node);
    SWindow* GetParentSWnd() const { return m_parentSwnd; }
    const std::vector<SWindow*>& Children() const { return m_children; }
    SHostWnd* GetHost() const;
    void SetHost(SHostWnd* host) { m_host = host; }

    // Lookups below this widget, breadth first; depth -1 means any depth.
    SWindow* FindChildByName(const QString& name, int depth = -1) const;
    SWindow* FindChildByID(int id, int depth = -1) const;
    // Lookups with a class check; a failure is logged and yields null.
    SWindow* FindChildByName2(const QString& name, const char* cls, int depth = -1) const;
    SWindow* FindChildByID2(int id, const char* cls, int depth = -1) const;
    template <class T>
    T* FindChildByName2(const QString& name, int depth = -1) const {
        return dynamic_cast<T*>(FindChildByName2(name, T::GetClassName(), depth));
    }
    template <class T>
    T* FindChildByID2(int id, int depth = -1) const {
        return dynamic_cast<T*>(FindChildByID2(id, T::GetClassName(), depth));
    }

    // Common operations.
    virtual void SetWindowText(const QString& text);
    virtual QString GetWindowText() const { return m_text; }
    void SetVisible(bool visible);
    bool IsVisible() const { return !isHidden(); }
    void EnableWindow(bool enable);
    bool IsDisabled() const { return (m_state & WndState_Disable) != 0; }
    virtual void SetCheck(bool checked);
    bool IsChecked() const { return (m_state & WndState_Check) != 0; }
    void SetToolTipText(const QString& tip) { setToolTip(tip); }
    void SetBkgndColor(std::uint32_t rgba);
    std::uint32_t GetBkgndColor() const { return m_bkColor; }
    // Rectangle in the host window's client coordinates.
    QRect GetWindowRect() const;
    QRect GetClientRect() const { return rect(); }
    void Invalidate() { update(); }

    // Toolkit states: hover 1, pushed 2, checked 4, disabled 16.
    std::uint32_t GetState() const { return m_state; }
    std::uint32_t ModifyState(std::uint32_t add, std::uint32_t remove);

    ISkinObj* GetSkin() const { return m_skin; }
    void SetSkin(ISkinObj* skin);
    virtual QSize GetDesiredSize() const;
    // The size the layout gives, -1 where it gives none.
    QSize GivenSize() const { return m_size; }

    // Events: subscribers in subscription order, then the host window's handler. A
    // subscriber answering true ends the delivery.
    using EventHandler = std::function<bool(EventArgs*)>;
    void SubscribeEvent(int eventId, EventHandler handler);
    template <class E>
    void Subscribe(std::function<bool(E*)> handler) {
        SubscribeEvent(E::EventID,
                       [h = std::move(handler)](EventArgs* e) { return h(static_cast<E*>(e)); });
    }
    bool FireEvent(EventArgs& e);
    bool FireCommand();

protected:
    // Called from OnCreated by a widget that cannot live where it was put.
    void FailCreation() { m_creationFailed = true; }
    // Links a child into the toolkit tree without placing it.
    void AdoptChild(SWindow* child);
    // The Qt control that implements this widget, kept at the widget's full size.
    void SetControl(QWidget* control);
    QWidget* Control() const { return m_control; }
    virtual void OnStateChanged(std::uint32_t oldState, std::uint32_t newState);
    // Skin state used when the widget paints its own skin.
    virtual int SkinStateIndex() const;
    virtual void OnPaint(QPainter& painter);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    QString m_text;

private:
    friend class SLayoutLoader;
    void ApplyGeometry(SWindow* child);
    template <class Match>
    SWindow* FindBreadthFirst(Match match, int depth) const;

    QString m_name;
    int m_id = 0;
    std::intptr_t m_userData = 0;
    std::uint32_t m_state = 0;
    std::uint32_t m_bkColor = 0;
    ISkinObj* m_skin = nullptr;
    QWidget* m_control = nullptr;
    SWindow* m_parentSwnd = nullptr;
    std::vector<SWindow*> m_children;
    SHostWnd* m_host = nullptr;
    std::vector<std::pair<int, EventHandler>> m_subscribers;
    QPoint m_pos{0, 0};
    QSize m_size{-1, -1};
    int m_weight = 0;
    bool m_posGiven = false;
    bool m_creationFailed = false;
    // Children of a box container are laid out along one axis: 0 absolute, 1 hbox, 2 vbox.
    int m_boxDirection = 0;
    int m_spacing = 0;
    int m_margin = 0;
};

// Integers in layouts: decimal, or hexadecimal with a "0x" prefix.
bool ParseInt(const QString& text, int* out);
// Colours in layouts: "#RRGGBB", "#RRGGBBAA" or "rgba(r,g,b,a)"; returns a 32-bit
// red-low value.
bool ParseColor(const QString& text, std::uint32_t* out);

}  // namespace SOUI
