#pragma once
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "device/HidBackend.h"
#include "persist/AppPaths.h"

// Parses the arguments (the command's name first) and carries the command out on the backend;
// a usage error opens nothing. Returns the exit code.
int RunLocally(const std::vector<std::string>& arguments, const AppPaths& paths,
               const std::function<std::shared_ptr<HidBackend>(const std::string& emulation)>& open,
               std::ostream& out, std::ostream& err);
