#include "persist/BackupText.h"

#include <string>
#include <utility>
#include <vector>

namespace persist {
namespace {

using backup_json::Json;
using backup_json::Place;

// Builds the document from the parser's events and stops at the first member given twice or
// the first level too deep, so a hostile text is refused before it costs memory.
class CheckedBuilder : public nlohmann::json_sax<Json> {
public:
    explicit CheckedBuilder(Json& root) : root_(root) {}

    std::optional<BackupError> refusal;

    bool null() override { return Value(Json(nullptr)); }
    bool boolean(bool value) override { return Value(Json(value)); }
    bool number_integer(number_integer_t value) override { return Value(Json(value)); }
    bool number_unsigned(number_unsigned_t value) override { return Value(Json(value)); }
    bool number_float(number_float_t value, const string_t&) override { return Value(Json(value)); }
    bool string(string_t& value) override { return Value(Json(std::move(value))); }
    bool binary(binary_t& value) override { return Value(Json(std::move(value))); }
    bool start_object(std::size_t) override { return Open(Json::object()); }
    bool start_array(std::size_t) override { return Open(Json::array()); }
    bool end_object() override { return Close(); }
    bool end_array() override { return Close(); }
    bool key(string_t& name) override {
        Frame& object = open_.back();
        if (object.value->contains(name)) {
            refusal = BackupError{Place(Pointer(), name), "given twice"};
            return false;
        }
        object.key = std::move(name);
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

private:
    struct Frame {
        Json* value;
        std::string key;  // the member being read, in an object
    };

    bool Value(Json value) {
        Put(std::move(value));
        return true;
    }
    // The value goes where the innermost open object or array expects it.
    Json* Put(Json value) {
        if (open_.empty()) {
            root_ = std::move(value);
            return &root_;
        }
        Frame& parent = open_.back();
        if (parent.value->is_array()) {
            parent.value->push_back(std::move(value));
            return &parent.value->back();
        }
        return &((*parent.value)[parent.key] = std::move(value));
    }
    bool Open(Json container) {
        if (open_.size() >= kMaxBackupDepth) {
            refusal = BackupError{"/", "nested deeper than " + std::to_string(kMaxBackupDepth) +
                                           " levels, more than a backup has"};
            return false;
        }
        open_.push_back({Put(std::move(container)), {}});
        return true;
    }
    bool Close() {
        open_.pop_back();
        return true;
    }

    // The JSON pointer of the innermost open object or array.
    std::string Pointer() const {
        std::string pointer;
        for (std::size_t i = 0; i + 1 < open_.size(); ++i) {
            const Frame& frame = open_[i];
            pointer = frame.value->is_array()
                          ? pointer + "/" + std::to_string(frame.value->size() - 1)
                          : Place(pointer, frame.key);
        }
        return pointer;
    }

    Json& root_;
    std::vector<Frame> open_;
};

}  // namespace

ParsedBackupText ParseBackupText(std::string_view text) {
    ParsedBackupText parsed;
    if (text.size() > kMaxBackupTextBytes) {
        parsed.error = BackupError{"/", "longer than " + std::to_string(kMaxBackupTextBytes) +
                                            " bytes (" + std::to_string(kMaxBackupTextBytes >> 20) +
                                            " MiB), more than a backup has"};
        return parsed;
    }
    CheckedBuilder builder(parsed.root);
    if (!Json::sax_parse(text.begin(), text.end(), &builder))
        parsed.error = builder.refusal.value_or(BackupError{"/", "not JSON or cut short"});
    return parsed;
}

}  // namespace persist
