#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tremvix {

struct JsonMember;

// A JSON value as a small tree: enough for the map's outside files.
struct JsonValue {
    enum class Kind { Null, Boolean, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0.0;
    std::string text;                                     // a string's content
    std::vector<JsonValue> items;                         // an array's values
    std::vector<JsonMember> members;  // an object's members, in order

    bool IsNull() const { return kind == Kind::Null; }
    bool IsNumber() const { return kind == Kind::Number; }
    bool IsString() const { return kind == Kind::String; }
    bool IsArray() const { return kind == Kind::Array; }
    bool IsObject() const { return kind == Kind::Object; }
    // The first member of that name, or nothing.
    const JsonValue* Member(std::string_view name) const;
};

// Its own type, not a pair: a pair of a type not yet complete does not compile everywhere.
struct JsonMember {
    std::string name;
    JsonValue value;
};

struct JsonParse {
    JsonValue value;
    std::string error;  // set: the text is no JSON (with the byte offset where it failed)
};

// RFC 8259 JSON, arrays and objects nested at most 64 deep.
JsonParse ParseJson(std::string_view text);

}  // namespace tremvix
