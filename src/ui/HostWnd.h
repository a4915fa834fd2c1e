#pragma once
// A top-level window built from a named layout. The object outlives its window: Create
// makes the window and its widgets, DestroyWindow removes them, as a window handle would.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "ui/SWindow.h"
#include "ui/WinDefs.h"

namespace SOUI {

class HostFrame;

class SHostWnd {
public:
    explicit SHostWnd(QString layoutName = QString());
    virtual ~SHostWnd();
    SHostWnd(const SHostWnd&) = delete;
    SHostWnd& operator=(const SHostWnd&) = delete;

    // Builds the window from the layout, hidden, owned by parent when given.
    HWND Create(HWND parent = kNoWindow);
    void DestroyWindow();
    bool IsWindow() const { return m_hWnd != kNoWindow; }
    HWND GetHostHwnd() const { return m_hWnd; }
    SWindow* GetRoot() const { return m_root; }
    QWidget* GetFrame() const;
    const QString& GetLayoutName() const { return m_layoutName; }
    // A translucent window ("translucent" in its layout) lets its desktop show through.
    bool IsTranslucent() const { return m_translucent; }

    template <class T>
    T* FindChildByName2(const QString& name, int depth = -1) const {
        return m_root ? m_root->FindChildByName2<T>(name, depth) : nullptr;
    }
    template <class T>
    T* FindChildByID2(int id, int depth = -1) const {
        return m_root ? m_root->FindChildByID2<T>(id, depth) : nullptr;
    }

    // Window messages: the program's handler first, then the toolkit's handling.
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    bool PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // Offers a message to the program's handler only; true when it handled it.
    bool OfferMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return ProcessWindowMessage(msg, wParam, lParam, result);
    }
    // Posts from any thread. False, and release is not called, when the window is gone;
    // otherwise release runs if the window is destroyed before the message arrives.
    static bool PostMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam,
                            std::function<void()> release = {});
    // The host of a live handle (UI thread only), or null.
    static SHostWnd* FromHandle(HWND wnd);
    static HWND HandleOfFrame(const QWidget* frame);

    void ShowWindow(int cmd);
    bool IsVisible() const;
    bool IsIconic() const;
    bool IsZoomed() const;
    // Centres the window on the work area of its screen, within it; a window larger than that
    // area is made to fit it and its content scrolls.
    void CenterWindow();
    void SetForeground();
    QRect GetWindowRect() const;

    // Widget events reach the program's OnEvent, then the toolkit's default handling.
    bool DispatchEvent(EventArgs* e);

protected:
    // The program's message handler; true when it handled the message.
    virtual bool ProcessWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The toolkit's handling of a message nobody else handled.
    virtual LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual bool OnEvent(EventArgs* e);
    // Default handling of widget events: the title bar buttons.
    virtual bool OnDefaultEvent(EventArgs* e);
    // The window is gone (the object stays).
    virtual void OnFinalMessage() {}
    // Attributes of the layout's document element (title, width, height, ...).
    virtual void OnHostAttributes(pugi::xml_node node);
    bool m_dialog = false;

private:
    friend class HostFrame;
    void SyncMaxRestoreButtons();
    void Unregister();
    // The frame was deleted from outside (with an owner window, for example).
    void OnFrameGone();

    QString m_layoutName;
    HWND m_hWnd = kNoWindow;
    QPointer<QWidget> m_frame;
    SWindow* m_root = nullptr;
    QSize m_designSize;  // the layout's size
    bool m_destroying = false;
    bool m_translucent = false;
};

}  // namespace SOUI
