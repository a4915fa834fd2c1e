#pragma once
// Widget events. Each is first offered to the widget's subscribers, then to the event
// handler of the host window the widget lives in.
#include <QString>
#include <cstdint>

namespace SOUI {

class SWindow;

enum EventIds : int {
    EVT_CMD = 10000,
    EVT_STATECHANGED = 10001,
    EVT_CB_SELCHANGE = 10002,
    EVT_SLIDER_POS = 10003,
    EVT_RE_NOTIFY = 10004,
    EVT_TAB_SELCHANGING = 11000,
    EVT_TAB_SELCHANGED = 11001,
    EVT_TAB_ITEMHOVER = 11002,
    EVT_TAB_ITEMLEAVE = 11003,
    EVT_HEADER_CLICK = 12000,
};

struct EventArgs {
    explicit EventArgs(int eventId, SWindow* from = nullptr);
    virtual ~EventArgs() = default;
    int GetID() const { return id; }

    int id;
    SWindow* sender;
    int idFrom;
    QString nameFrom;
    bool bubbleUp = true;
};

template <int ID>
struct TypedEvent : EventArgs {
    static constexpr int EventID = ID;
    explicit TypedEvent(SWindow* from = nullptr) : EventArgs(ID, from) {}
};

struct EventCmd : TypedEvent<EVT_CMD> {
    using TypedEvent::TypedEvent;
    static constexpr const char* kName = "on_command";
};

struct EventSwndStateChanged : TypedEvent<EVT_STATECHANGED> {
    using TypedEvent::TypedEvent;
    bool CheckState(std::uint32_t bit) const { return (dwOldState & bit) != (dwNewState & bit); }
    std::uint32_t dwOldState = 0;
    std::uint32_t dwNewState = 0;
};

struct EventCBSelChange : TypedEvent<EVT_CB_SELCHANGE> {
    using TypedEvent::TypedEvent;
    int nCurSel = -1;
};

struct EventSliderPos : TypedEvent<EVT_SLIDER_POS> {
    using TypedEvent::TypedEvent;
    int nPos = 0;
};

struct EventRENotify : TypedEvent<EVT_RE_NOTIFY> {
    using TypedEvent::TypedEvent;
    int iNotify = 0;
};

struct EventTabSelChanging : TypedEvent<EVT_TAB_SELCHANGING> {
    using TypedEvent::TypedEvent;
    int uOldSel = -1;
    int uNewSel = -1;
    bool bCancel = false;
};

struct EventTabSelChanged : TypedEvent<EVT_TAB_SELCHANGED> {
    using TypedEvent::TypedEvent;
    int uOldSel = -1;
    int uNewSel = -1;
};

struct EventTabItemHover : TypedEvent<EVT_TAB_ITEMHOVER> {
    using TypedEvent::TypedEvent;
    static constexpr const char* kName = "on_tab_item_hover";
    int iHover = -1;
};

struct EventTabItemLeave : TypedEvent<EVT_TAB_ITEMLEAVE> {
    using TypedEvent::TypedEvent;
    static constexpr const char* kName = "on_tab_item_leave";
    int iLeave = -1;
};

struct EventHeaderClick : TypedEvent<EVT_HEADER_CLICK> {
    using TypedEvent::TypedEvent;
    int iItem = -1;
};

}  // namespace SOUI
