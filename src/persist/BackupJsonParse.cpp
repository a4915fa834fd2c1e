#include "persist/BackupJsonParse.h"

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace persist::backup_json {
namespace {

// Where the parser stands: one frame per open object or list.
class PlaceTracker {
public:
    bool operator()(int /*depth*/, Json::parse_event_t event, Json& parsed) {
        switch (event) {
            case Json::parse_event_t::object_start:
            case Json::parse_event_t::array_start:
                frames_.push_back({event == Json::parse_event_t::array_start, 0, {}, {}});
                break;
            case Json::parse_event_t::object_end:
            case Json::parse_event_t::array_end:
                frames_.pop_back();
                NextElement();
                break;
            case Json::parse_event_t::key:
                Key(parsed.get<std::string>());
                break;
            case Json::parse_event_t::value:
                NextElement();
                break;
        }
        return true;
    }

    const std::optional<BackupError>& duplicate() const { return duplicate_; }

private:
    struct Frame {
        bool list;
        std::size_t index;
        std::string key;
        std::set<std::string> keys;
    };

    // Built only for a refusal: deep nesting must not cost a path per level.
    std::string OpenPath() const {
        std::string path;
        for (std::size_t i = 0; i + 1 < frames_.size(); ++i) {
            const Frame& frame = frames_[i];
            path += (frame.list ? "/" + std::to_string(frame.index) : Place("", frame.key));
        }
        return path;
    }

    void NextElement() {
        if (!frames_.empty() && frames_.back().list) ++frames_.back().index;
    }

    void Key(const std::string& name) {
        Frame& frame = frames_.back();
        if (!frame.keys.insert(name).second && !duplicate_) {
            duplicate_ = BackupError{Place(OpenPath(), name), "named twice"};
        }
        frame.key = name;
    }

    std::vector<Frame> frames_;
    std::optional<BackupError> duplicate_;
};

}  // namespace

Json ParseBackupText(std::string_view text) {
    PlaceTracker tracker;
    Json root = Json::parse(
        text.begin(), text.end(),
        [&tracker](int depth, Json::parse_event_t event, Json& parsed) {
            return tracker(depth, event, parsed);
        },
        false);
    if (root.is_discarded()) {
        throw BackupRefusal{{"/", "not JSON or cut short"}};
    }
    if (tracker.duplicate()) {
        throw BackupRefusal{*tracker.duplicate()};
    }
    return root;
}

}  // namespace persist::backup_json
