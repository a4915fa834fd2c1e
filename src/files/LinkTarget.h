#pragma once
// Where a file the program is about to replace really is, when its name is a link.
#include <filesystem>
#include <string>

namespace files {

struct LinkTarget {
    std::filesystem::path file;  // the file to replace; empty when refused
    std::string refusal;         // why the link is not followed, in words
};

// Follows `target` while it is a link, one link at a time. A link is followed only when the
// user made it and its folder is not one where anybody may add entries (sticky and
// world-writable, like /tmp): there another user could have planted it to make the program
// overwrite whatever it points at. Links inside the folders of the path are left to the system,
// which guards them itself.
LinkTarget FollowLinks(std::filesystem::path target);

}  // namespace files
