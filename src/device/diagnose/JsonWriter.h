#pragma once
// A small writer of compact JSON that places the commas itself.
#include <ostream>
#include <string_view>
#include <vector>

class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // The name of the next member of the open object.
    void Key(std::string_view key);
    void String(std::string_view text);
    void Number(long long value);
    void Bool(bool value);
    void Null();

    // "a\"b\n" -> "\"a\\\"b\\n\"": quotes, backslashes and control characters escaped.
    static std::string Quote(std::string_view text);

private:
    void BeforeValue();
    void Open(char bracket);
    void Close(char bracket);

    std::ostream& out_;
    std::vector<bool> hasMembers_;  // per open object or array
    bool afterKey_ = false;
};
