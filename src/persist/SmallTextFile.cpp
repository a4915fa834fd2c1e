#include "persist/SmallTextFile.h"

#include <fstream>
#include <sstream>
#include <system_error>

namespace persist {

SmallTextFile ReadSmallTextFile(const std::filesystem::path& file, std::uintmax_t largest,
                                const std::string& kind) {
    SmallTextFile read;
    std::error_code code;
    if (!std::filesystem::is_regular_file(file, code)) {
        read.error = file.string() + " is not a file that can be read";
    } else if (std::filesystem::file_size(file, code) > largest) {
        read.error = file.string() + " is too large to be " + kind + " (larger than " +
                     std::to_string(largest) + " bytes)";
    } else {
        std::ifstream stream(file, std::ios::binary);
        std::ostringstream text;
        text << stream.rdbuf();
        if (stream.bad() || !stream.is_open())
            read.error = file.string() + " cannot be read";
        else
            read.text = text.str();
    }
    return read;
}

}  // namespace persist
