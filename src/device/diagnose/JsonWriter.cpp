#include "device/diagnose/JsonWriter.h"

#include <cstdio>
#include <string>

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasMembers_.empty()) {
        if (hasMembers_.back()) out_ << ',';
        hasMembers_.back() = true;
    }
}

void JsonWriter::Open(char bracket) {
    BeforeValue();
    out_ << bracket;
    hasMembers_.push_back(false);
}

void JsonWriter::Close(char bracket) {
    out_ << bracket;
    if (!hasMembers_.empty()) hasMembers_.pop_back();
}

void JsonWriter::BeginObject() {
    Open('{');
}

void JsonWriter::EndObject() {
    Close('}');
}

void JsonWriter::BeginArray() {
    Open('[');
}

void JsonWriter::EndArray() {
    Close(']');
}

void JsonWriter::Key(std::string_view key) {
    BeforeValue();
    out_ << Quote(key) << ':';
    afterKey_ = true;
}

void JsonWriter::String(std::string_view text) {
    BeforeValue();
    out_ << Quote(text);
}

void JsonWriter::Number(long long value) {
    BeforeValue();
    out_ << value;
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ << (value ? "true" : "false");
}

void JsonWriter::Null() {
    BeforeValue();
    out_ << "null";
}

std::string JsonWriter::Quote(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (c == '\n') {
            quoted += "\\n";
        } else if (c == '\t') {
            quoted += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}
