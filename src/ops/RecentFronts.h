#pragma once
// The applications seen in front while the program runs, most recent first, for whoever writes
// a rule for one of them. Safe to use from any thread: the display's watch adds, the window reads.
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

class RecentFronts {
public:
    // Enough for a list to pick from; older ones drop off.
    static constexpr std::size_t kKept = 16;

    // `own` names this program, which never shows in the list.
    explicit RecentFronts(std::vector<std::string> own) : own_(std::move(own)) {}

    // An application known under `names` (the first its identity) came to the front.
    void Saw(const std::vector<std::string>& names);
    std::vector<std::string> Names() const;

private:
    const std::vector<std::string> own_;
    mutable std::mutex mutex_;
    std::deque<std::string> names_;
};
