#include "persist/BackupDuplicates.h"

#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

namespace persist {
namespace {

using Json = nlohmann::json;

// Walks the text's events, keeping the JSON pointer of the value being read.
class DoubleFinder : public nlohmann::json_sax<Json> {
public:
    std::optional<BackupError> found;

    bool null() override { return Value(); }
    bool boolean(bool) override { return Value(); }
    bool number_integer(number_integer_t) override { return Value(); }
    bool number_unsigned(number_unsigned_t) override { return Value(); }
    bool number_float(number_float_t, const string_t&) override { return Value(); }
    bool string(string_t&) override { return Value(); }
    bool binary(binary_t&) override { return Value(); }
    bool start_object(std::size_t) override { return Open(true); }
    bool start_array(std::size_t) override { return Open(false); }
    bool end_object() override { return Close(); }
    bool end_array() override { return Close(); }
    bool key(string_t& name) override {
        Frame& frame = frames_.back();
        frame.segment = Escaped(name);
        if (frame.names.insert(name).second) return true;
        found = BackupError{Pointer(), "given twice"};
        return false;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

private:
    struct Frame {
        bool object = false;
        std::set<std::string> names;
        std::string segment;  // the member name, or the element's index
        std::size_t index = 0;
    };

    static std::string Escaped(const std::string& name) {
        std::string escaped;
        for (char c : name) escaped += c == '~' ? "~0" : c == '/' ? "~1" : std::string(1, c);
        return escaped;
    }

    std::string Pointer() const {
        std::string pointer;
        for (const Frame& frame : frames_) pointer += "/" + frame.segment;
        return pointer.empty() ? "/" : pointer;
    }

    // Before a value inside an array, its index is its place.
    void Enter() {
        if (!frames_.empty() && !frames_.back().object)
            frames_.back().segment = std::to_string(frames_.back().index);
    }
    bool Value() {
        Enter();
        Done();
        return true;
    }
    void Done() {
        if (!frames_.empty() && !frames_.back().object) ++frames_.back().index;
    }
    bool Open(bool object) {
        Enter();
        frames_.push_back({object, {}, {}, 0});
        return true;
    }
    bool Close() {
        frames_.pop_back();
        Done();
        return true;
    }

    std::vector<Frame> frames_;
};

}  // namespace

std::optional<BackupError> FirstDoubledMember(std::string_view text) {
    DoubleFinder finder;
    Json::sax_parse(text.begin(), text.end(), &finder, nlohmann::detail::input_format_t::json,
                    false);
    return finder.found;
}

}  // namespace persist
