#pragma once
// What a later start says to the running instance over the single-instance socket: the line
// "activate TOKEN" when the later start was given an activation token, then the line "show".
// An instance that knows only "show" still shows its window.
#include <QByteArray>
#include <optional>

namespace showrequest {

// The longest message an instance reads; a connection that sends more is dropped.
inline constexpr qsizetype kMaxLength = 1024;

QByteArray Encode(const QByteArray& activationToken);

// The activation token (empty when none came, or an unusable one) once the "show" line has
// arrived; nothing before.
std::optional<QByteArray> Decode(const QByteArray& received);

// A token goes out and is taken only when it is printable ASCII without spaces, not too long.
bool IsUsableToken(const QByteArray& token);

// The token this start was launched with: XDG_ACTIVATION_TOKEN on Wayland, DESKTOP_STARTUP_ID
// on X11. Read before the toolkit starts, which takes DESKTOP_STARTUP_ID away.
QByteArray TokenFromEnvironment();

}  // namespace showrequest
