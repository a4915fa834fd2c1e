#pragma once
// logind's sessions as its state files under /run/systemd/sessions tell them, read without
// libsystemd: KEY=VALUE lines such as UID=1000, ACTIVE=1, REMOTE=0, SEAT=seat0, TYPE=wayland.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/diagnose/SystemFacts.h"

// nullopt when the text names no user.
std::optional<SessionFacts> ParseSessionFile(const std::string& id, std::string_view text);

// The sessions of uid in folder; nullopt when the folder cannot be read (no logind).
std::optional<std::vector<SessionFacts>> ReadSessions(const std::string& folder, unsigned uid);
