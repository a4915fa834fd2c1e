#pragma once
// A program folder of a test's own: the built executable beside links to the build tree's data.
// The build tree's program is portable and keeps the user's files beside itself, so a test
// running it in place would leave them to every later test.
#include <filesystem>

namespace testsupport {

// Fills `folder` (made if missing) and returns the executable in it. The executable is linked
// hard, or copied where it cannot be, as it finds its folder through its own path.
std::filesystem::path CopyProgram(const std::filesystem::path& built,
                                  const std::filesystem::path& folder);

}  // namespace testsupport
