#pragma once
// "editex": an edit that reports Enter as its own event, and that a click enables.
#include "ui/InputControls.h"

namespace SOUI {

struct EventKeyEnter : TypedEvent<10000500> {
    using TypedEvent::TypedEvent;
    static constexpr const char* kName = "on_key_enter";
};

class SEditEx : public SEdit {
    SOUI_CLASS_NAME(SEdit, "editex")
public:
    SEditEx() = default;

protected:
    // Enter fires EventKeyEnter and never reaches the edit; other keys go on.
    bool OnKeyDown(QKeyEvent* key) override;
    // Left button presses and releases never reach the edit; a click on a disabled edit
    // enables it.
    bool OnLeftButton(bool down) override;
};

}  // namespace SOUI
