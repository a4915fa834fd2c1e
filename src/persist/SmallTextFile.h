#pragma once
// Reading a file the user picked, which may be anything: a folder, a device, a huge file.
#include <cstdint>
#include <filesystem>
#include <string>

namespace persist {

struct SmallTextFile {
    std::string text;
    std::string error;  // names the file and what is wrong; empty when read
    bool ok() const { return error.empty(); }
};

// `kind` names what the file should be, for the error ("a macro file").
SmallTextFile ReadSmallTextFile(const std::filesystem::path& file, std::uintmax_t largest,
                                const std::string& kind);

}  // namespace persist
