#include "core/map/JsonValue.h"

#include <charconv>
#include <limits>
#include <utility>

namespace tremvix {
namespace {

constexpr int kMaxDepth = 64;

struct Failure {
    std::string why;
    std::size_t offset;
};

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    JsonValue Document() {
        JsonValue value = Value(0);
        Space();
        if (at_ != text_.size()) Fail("text after the value");
        return value;
    }

private:
    [[noreturn]] void Fail(const char* why) const { throw Failure{why, at_}; }

    void Space() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r'))
            ++at_;
    }

    char Peek() {
        Space();
        if (at_ >= text_.size()) Fail("unexpected end");
        return text_[at_];
    }

    void Expect(std::string_view word) {
        if (text_.substr(at_, word.size()) != word) Fail("unknown word");
        at_ += word.size();
    }

    JsonValue Value(int depth) {
        if (depth > kMaxDepth) Fail("nested too deep");
        JsonValue value;
        switch (Peek()) {
            case '{': Object(value, depth); break;
            case '[': Array(value, depth); break;
            case '"': value.kind = JsonValue::Kind::String, value.text = String(); break;
            case 't': Expect("true"), value.kind = JsonValue::Kind::Boolean, value.boolean = true; break;
            case 'f': Expect("false"), value.kind = JsonValue::Kind::Boolean; break;
            case 'n': Expect("null"); break;
            default: value.kind = JsonValue::Kind::Number, value.number = Number(); break;
        }
        return value;
    }

    void Array(JsonValue& value, int depth) {
        value.kind = JsonValue::Kind::Array;
        ++at_;
        if (Peek() == ']') {
            ++at_;
            return;
        }
        for (;;) {
            value.items.push_back(Value(depth + 1));
            const char c = Peek();
            ++at_;
            if (c == ']') return;
            if (c != ',') Fail("',' or ']' expected");
        }
    }

    void Object(JsonValue& value, int depth) {
        value.kind = JsonValue::Kind::Object;
        ++at_;
        if (Peek() == '}') {
            ++at_;
            return;
        }
        for (;;) {
            if (Peek() != '"') Fail("a member name expected");
            std::string name = String();
            if (Peek() != ':') Fail("':' expected");
            ++at_;
            value.members.push_back({std::move(name), Value(depth + 1)});
            const char c = Peek();
            ++at_;
            if (c == '}') return;
            if (c != ',') Fail("',' or '}' expected");
        }
    }

    static void PutUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    unsigned Hex4() {
        if (text_.size() - at_ < 4) Fail("short \\u escape");
        unsigned code = 0;
        const auto [end, ec] = std::from_chars(text_.data() + at_, text_.data() + at_ + 4, code, 16);
        if (ec != std::errc() || end != text_.data() + at_ + 4) Fail("bad \\u escape");
        at_ += 4;
        return code;
    }

    std::string String() {
        ++at_;  // the opening quote
        std::string out;
        for (;;) {
            if (at_ >= text_.size()) Fail("unterminated string");
            const char c = text_[at_++];
            if (c == '"') return out;
            if (static_cast<unsigned char>(c) < 0x20) Fail("control character in a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ >= text_.size()) Fail("unterminated string");
            const char e = text_[at_++];
            switch (e) {
                case '"': case '\\': case '/': out += e; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                // Names only: a surrogate half is kept as U+FFFD rather than paired.
                case 'u': {
                    const unsigned code = Hex4();
                    PutUtf8(out, code >= 0xD800 && code < 0xE000 ? 0xFFFD : code);
                    break;
                }
                default: Fail("bad escape");
            }
        }
    }

    // The JSON grammar checked by hand; from_chars alone would take "1." or "+1".
    double Number() {
        const std::size_t start = at_;
        const auto digit = [this] { return at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9'; };
        const auto digits = [&] {
            if (!digit()) Fail("a digit expected");
            while (digit()) ++at_;
        };
        if (at_ < text_.size() && text_[at_] == '-') ++at_;
        if (at_ < text_.size() && text_[at_] == '0') ++at_;
        else digits();
        if (at_ < text_.size() && text_[at_] == '.') ++at_, digits();
        if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
            ++at_;
            if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) ++at_;
            digits();
        }
        double value = 0.0;
        const auto [end, ec] = std::from_chars(text_.data() + start, text_.data() + at_, value);
        if (ec == std::errc::result_out_of_range) return std::numeric_limits<double>::infinity();  // refused as a position
        if (end != text_.data() + at_ || ec != std::errc()) Fail("bad number");
        return value;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace

const JsonValue* JsonValue::Member(std::string_view name) const {
    for (const auto& [key, value] : members)
        if (key == name) return &value;
    return nullptr;
}

JsonParse ParseJson(std::string_view text) {
    JsonParse parse;
    try {
        parse.value = Parser(text).Document();
    } catch (const Failure& failure) {
        parse.error = failure.why + " at byte " + std::to_string(failure.offset);
    }
    return parse;
}

}  // namespace tremvix
