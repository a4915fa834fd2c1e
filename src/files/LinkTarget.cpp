#include "files/LinkTarget.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace files {
namespace {

constexpr int kMostLinks = 40;  // as many as the system follows in one path

bool OpenToEverybody(const std::filesystem::path& folder) {
    struct stat info {};
    return ::stat(folder.c_str(), &info) != 0 ||
           ((info.st_mode & S_ISVTX) != 0 && (info.st_mode & S_IWOTH) != 0);
}

}  // namespace

LinkTarget FollowLinks(std::filesystem::path target) {
    for (int hop = 0; hop < kMostLinks; ++hop) {
        struct stat link {};
        if (::lstat(target.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return {target, {}};
        const std::filesystem::path folder =
            target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
        if (link.st_uid != ::getuid())
            return {{}, "it is a link another user made, so it is not followed"};
        if (OpenToEverybody(folder))
            return {{},
                    "it is a link in a folder where everybody may add files, so another user "
                    "may have chosen where it leads; it is not followed"};
        std::error_code error;
        const std::filesystem::path next = std::filesystem::read_symlink(target, error);
        if (error) return {{}, error.message()};
        target = next.is_absolute() ? next : folder / next;
    }
    return {{}, std::strerror(ELOOP)};
}

}  // namespace files
