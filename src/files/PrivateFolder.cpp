#include "files/PrivateFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

namespace files {

bool MakePrivateFolder(const std::filesystem::path& folder) {
    std::filesystem::path made;
    for (const std::filesystem::path& part : folder) {
        made /= part;
        // A folder another process makes meanwhile is as good as one made here.
        ::mkdir(made.c_str(), 0700);
    }
    std::error_code error;
    return std::filesystem::is_directory(folder, error);
}

bool OnlyUserCanChange(const std::filesystem::path& folder) {
    struct stat info {};
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::getuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace files
