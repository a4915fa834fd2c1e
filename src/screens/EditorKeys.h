#pragma once
// The macro editor without a mouse: where a key to send is typed, and Escape for Cancel.
#include <cstdint>
#include <functional>

class QWidget;

namespace editorkeys {

// Tab and Shift+Tab reach `field`; while it has the focus every other key goes to it as a key
// press, shortcuts included, so that the keyboard hook can take it.
void MakeCaptureField(QWidget* field);
// Gives `field` the focus, unless the user is moving between pages on the tab bar.
void FocusCaptureField(QWidget* field);
bool HasFocus(const QWidget* field);
// The key that moves the focus on; it is never taken as the key to send.
bool MovesFocus(std::uint32_t virtualKey);
// Runs `cancel` on an Escape that no control of `frame` took.
void CancelOnEscape(QWidget* frame, std::function<void()> cancel);

}  // namespace editorkeys
