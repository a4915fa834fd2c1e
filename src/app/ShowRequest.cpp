#include "app/ShowRequest.h"

#include <QList>

namespace showrequest {
namespace {

constexpr QByteArrayView kShowLine = "show";
constexpr QByteArrayView kActivatePrefix = "activate ";
constexpr qsizetype kMaxTokenLength = 512;

}  // namespace

bool IsUsableToken(const QByteArray& token) {
    if (token.isEmpty() || token.size() > kMaxTokenLength) return false;
    for (char c : token)
        if (c <= ' ' || c > '~') return false;
    return true;
}

QByteArray Encode(const QByteArray& activationToken) {
    QByteArray message;
    if (IsUsableToken(activationToken))
        message += kActivatePrefix.toByteArray() + activationToken + '\n';
    return message + kShowLine.toByteArray() + '\n';
}

std::optional<QByteArray> Decode(const QByteArray& received) {
    QByteArray token;
    QList<QByteArray> lines = received.split('\n');
    // What follows the last newline is a line still on its way.
    lines.removeLast();
    for (const QByteArray& line : lines) {
        if (line == kShowLine) return token;
        if (line.startsWith(kActivatePrefix)) {
            const QByteArray candidate = line.mid(kActivatePrefix.size());
            token = IsUsableToken(candidate) ? candidate : QByteArray();
        }
    }
    return std::nullopt;
}

QByteArray TokenFromEnvironment() {
    const QByteArray wayland = qgetenv("XDG_ACTIVATION_TOKEN");
    return wayland.isEmpty() ? qgetenv("DESKTOP_STARTUP_ID") : wayland;
}

}  // namespace showrequest
