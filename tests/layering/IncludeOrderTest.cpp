// Every #include of src/ against the folder order docs/architecture.md writes down: a folder
// includes itself and the folders before it, and only the folders after the bar include Qt.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct FolderOrder {
    std::vector<std::string> folders;  // lowest first
    std::size_t firstQtFolder = 0;

    int Rank(const std::string& folder) const {
        const auto it = std::find(folders.begin(), folders.end(), folder);
        return it == folders.end() ? -1 : static_cast<int>(it - folders.begin());
    }
};

FolderOrder ReadOrder(const fs::path& document) {
    std::ifstream in(document);
    const std::string marker = "Folder order:";
    FolderOrder order;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(marker, 0) != 0) continue;
        std::istringstream words(line.substr(marker.size()));
        for (std::string word; words >> word;) {
            if (word == "|")
                order.firstQtFolder = order.folders.size();
            else
                order.folders.push_back(word);
        }
    }
    return order;
}

// "folder/file.cpp:12: includes x/Y.h" for every include that breaks the order.
std::vector<std::string> Breaches(const fs::path& src, const FolderOrder& order) {
    static const std::regex project(R"(^\s*#\s*include\s*"([a-z_]+)/)");
    static const std::regex qt(R"(^\s*#\s*include\s*<Q)");
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (!entry.is_regular_file()) continue;
        const std::string extension = entry.path().extension().string();
        if (extension != ".cpp" && extension != ".h" && extension != ".inl") continue;
        const fs::path relative = fs::relative(entry.path(), src);
        const std::string folder = relative.begin()->string();
        const int rank = order.Rank(folder);
        if (rank < 0) {
            found.push_back(relative.string() + ": folder not in the documented order");
            continue;
        }
        std::ifstream in(entry.path());
        int number = 0;
        for (std::string line; std::getline(in, line);) {
            ++number;
            std::smatch match;
            const std::string where = relative.string() + ":" + std::to_string(number) + ": ";
            if (std::regex_search(line, match, project) && order.Rank(match[1]) > rank)
                found.push_back(where + "includes " + match[1].str() + "/");
            if (std::regex_search(line, qt) && static_cast<std::size_t>(rank) < order.firstQtFolder)
                found.push_back(where + "includes Qt below ui/");
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

TEST(Layering, EveryIncludeFollowsTheDocumentedFolderOrder) {
    const fs::path root = KEYLUME_SOURCE_DIR;
    const FolderOrder order = ReadOrder(root / "docs" / "architecture.md");
    ASSERT_GT(order.folders.size(), 10u) << "no \"Folder order:\" line in docs/architecture.md";
    ASSERT_GT(order.firstQtFolder, 0u) << "the order has no bar before the Qt folders";
    for (const auto& entry : fs::directory_iterator(root / "src")) {
        if (!entry.is_directory()) continue;
        EXPECT_GE(order.Rank(entry.path().filename().string()), 0)
            << entry.path().filename() << " is missing from the documented order";
    }
    std::string list;
    for (const std::string& breach : Breaches(root / "src", order)) list += breach + "\n";
    EXPECT_EQ(list, "");
}

}  // namespace
