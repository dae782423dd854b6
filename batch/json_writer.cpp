// JSON text output for the batch tool and the Python module.
#include "batch/json_writer.h"

#include <charconv>
#include <cmath>
#include <string_view>

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (depth_ > 0) {
        const std::uint64_t bit = std::uint64_t{1} << (depth_ - 1);
        if (nonEmpty_ & bit)
            out_ += ',';
        nonEmpty_ |= bit;
    }
}

void JsonWriter::beginObject() {
    separate();
    out_ += '{';
    ++depth_;
    nonEmpty_ &= ~(std::uint64_t{1} << (depth_ - 1));
}

void JsonWriter::endObject() {
    --depth_;
    out_ += '}';
}

void JsonWriter::beginArray() {
    separate();
    out_ += '[';
    ++depth_;
    nonEmpty_ &= ~(std::uint64_t{1} << (depth_ - 1));
}

void JsonWriter::endArray() {
    --depth_;
    out_ += ']';
}

void JsonWriter::key(std::string_view name) {
    separate();
    writeString(name);
    out_ += ':';
    afterKey_ = true;
}

void JsonWriter::value(double v) {
    separate();
    if (!std::isfinite(v)) {
        // JSON has no such numbers; callers keep them out, this is the last guard.
        out_ += "null";
        return;
    }
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    out_.append(buf, end);
    // "4" and "-0" would read back as integers (and -0 as +0): keep them doubles.
    if (std::string_view(buf, end - buf).find_first_of(".e") == std::string_view::npos)
        out_ += ".0";
}

void JsonWriter::value(std::int64_t v) {
    separate();
    char buf[24];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    out_.append(buf, end);
}

void JsonWriter::value(bool v) {
    separate();
    out_ += v ? "true" : "false";
}

void JsonWriter::value(std::string_view v) {
    separate();
    writeString(v);
}

void JsonWriter::writeString(std::string_view v) {
    out_ += '"';
    for (const char ch : v) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out_ += '\\';
            out_ += ch;
        } else if (c == '\n') {
            out_ += "\\n";
        } else if (c < 0x20) {
            static const char hex[] = "0123456789abcdef";
            out_ += "\\u00";
            out_ += hex[c >> 4];
            out_ += hex[c & 15];
        } else {
            out_ += ch;
        }
    }
    out_ += '"';
}
