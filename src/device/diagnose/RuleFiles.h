#pragma once
// The udev rule files that could give the keyboard to the user.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/diagnose/SystemFacts.h"

// The folders udev reads rules from, the one that wins a name first.
std::vector<std::string> DefaultRuleFolders();

// What one rule file does for the keyboard's vendor: nothing when no rule line (comments
// aside) matches the vendor id.
std::optional<RuleFileFacts> AnalyseRuleText(const std::string& path, std::string_view text);

// The effective ".rules" files of the folders that mention the vendor. A name in an earlier
// folder hides the same name in later ones; a link to /dev/null or an empty file masks it.
// Missing or unreadable folders are searched as empty.
RuleSearch ScanRuleFolders(const std::vector<std::string>& folders);
