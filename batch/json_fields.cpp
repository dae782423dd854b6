// Member-by-member checks of JSON objects, shared by problems and scenes.
#include "batch/json_fields.h"

#include <cmath>
#include <cstdio>

std::string quotedForMessage(std::string_view text) {
    constexpr std::size_t kMaxQuoted = 60;
    std::size_t cut = text.size();
    if (text.size() > kMaxQuoted) {
        cut = kMaxQuoted;
        // Never cut a UTF-8 sequence in two.
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
    }
    // Control characters (a JSON "\n" in a field name, an escape sequence) would break
    // the one-line message or the terminal: shown as <U+00XX>.
    std::string out = "\"";
    for (const char c : text.substr(0, cut)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            char escaped[12];
            std::snprintf(escaped, sizeof escaped, "<U+%04X>", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + (cut < text.size() ? "...\"" : "\"");
}

simdjson::dom::element parseJson(simdjson::dom::parser& parser, std::string_view text) {
    simdjson::dom::element root;
    const simdjson::error_code error = parser.parse(text.data(), text.size()).get(root);
    if (error)
        throw BadInput(std::string("not valid JSON: ") + simdjson::error_message(error));
    return root;
}

JsonFields::JsonFields(simdjson::dom::element e, std::string where,
                       std::initializer_list<std::string_view> known)
    : where_(std::move(where)) {
    simdjson::dom::object obj;
    if (e.get_object().get(obj))
        fail("must be a JSON object");
    for (const simdjson::dom::key_value_pair kv : obj) {
        bool isKnown = false;
        for (std::string_view k : known)
            isKnown = isKnown || k == kv.key;
        if (!isKnown)
            fail("unknown field " + quotedForMessage(kv.key));
        if (has(kv.key))
            fail("field " + quotedForMessage(kv.key) + " is given twice");
        keys_[count_] = kv.key;
        values_[count_] = kv.value;
        ++count_;
    }
}

void JsonFields::fail(const std::string& text) const {
    throw BadInput(where_.empty() ? text : where_ + ": " + text);
}

bool JsonFields::has(std::string_view key) const {
    for (int i = 0; i < count_; ++i)
        if (keys_[i] == key)
            return true;
    return false;
}

simdjson::dom::element JsonFields::require(std::string_view key) const {
    for (int i = 0; i < count_; ++i)
        if (keys_[i] == key)
            return values_[i];
    fail("missing \"" + std::string(key) + "\"");
}

double JsonFields::number(std::string_view key) const {
    double v = 0;
    if (require(key).get_double().get(v))
        fail("\"" + std::string(key) + "\" is not a number");
    if (!std::isfinite(v))
        fail("\"" + std::string(key) + "\" is not finite");
    return v;
}

std::int64_t JsonFields::integer(std::string_view key, std::int64_t lo, std::int64_t hi) const {
    std::int64_t v = 0;
    if (require(key).get_int64().get(v) || v < lo || v > hi)
        fail("\"" + std::string(key) + "\" must be a whole number from " + std::to_string(lo) +
             " to " + std::to_string(hi));
    return v;
}

std::string_view JsonFields::string(std::string_view key) const {
    std::string_view v;
    if (require(key).get_string().get(v))
        fail("\"" + std::string(key) + "\" must be a string");
    return v;
}

simdjson::dom::array JsonFields::array(std::string_view key) const {
    simdjson::dom::array v;
    if (require(key).get_array().get(v))
        fail("\"" + std::string(key) + "\" must be an array");
    return v;
}

int JsonFields::kind() const {
    std::string_view letter;
    if (!has("kind") || require("kind").get_string().get(letter))
        fail("\"kind\" must be \"C\", \"L\", \"C'\" or \"L'\"");
    for (int k = KIND_C; k <= KIND_L_PRIME; ++k)
        if (letter == kindLetter(k))
            return k;
    fail("unknown kind " + quotedForMessage(letter));
}

SceneObject objectGeometry(const JsonFields& f) {
    SceneObject o;
    o.kind = f.kind();
    // A circle given line fields (or the reverse) is a mistake worth naming.
    const bool line = isLineKind(o.kind);
    for (const char* name : {"x", "y", "r", "x0", "y0", "x1", "y1"}) {
        const bool lineField = name[1] != '\0';
        if (lineField != line && f.has(name))
            f.fail("field \"" + std::string(name) + "\" does not belong to a " +
                   (line ? "line" : "circle"));
    }
    if (isLineKind(o.kind)) {
        o.setPoint(f.number("x0"), f.number("y0"), 0);
        o.setPoint(f.number("x1"), f.number("y1"), 1);
    } else {
        o.setCircle(f.number("x"), f.number("y"), f.number("r"));
    }
    return o;
}
