// Commas, nesting and quoting of the JSON writer.
#include <gtest/gtest.h>

#include <sstream>

#include "device/diagnose/JsonWriter.h"

namespace {

TEST(JsonWriter, PlacesCommasBetweenMembersOnly) {
    std::ostringstream out;
    JsonWriter json(out);
    json.BeginObject();
    json.Key("a");
    json.Number(-3);
    json.Key("list");
    json.BeginArray();
    json.Bool(true);
    json.Null();
    json.BeginObject();
    json.EndObject();
    json.BeginArray();
    json.EndArray();
    json.String("x");
    json.EndArray();
    json.Key("empty");
    json.BeginObject();
    json.EndObject();
    json.Key("b");
    json.Bool(false);
    json.EndObject();
    EXPECT_EQ(out.str(), R"({"a":-3,"list":[true,null,{},[],"x"],"empty":{},"b":false})");
}

TEST(JsonWriter, QuotesWhatJsonCannotCarryAsIs) {
    struct Case {
        std::string text;
        std::string quoted;
    };
    const Case cases[] = {
        {"plain", "\"plain\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"back\\slash", "\"back\\\\slash\""},
        {"line\nbreak\ttab", "\"line\\nbreak\\ttab\""},
        {std::string("nul\0end", 7), "\"nul\\u0000end\""},
        {"\x1b[0m\x7f", "\"\\u001b[0m\\u007f\""},
        {"键盘", "\"键盘\""},
    };
    for (const Case& c : cases) EXPECT_EQ(JsonWriter::Quote(c.text), c.quoted);
}

}  // namespace
