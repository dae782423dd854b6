// Locale-independent "%f" formatting and leading-number parsing.
#include "ui/number_text.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

std::string formatFixed(double value, int decimals) {
    // The widest finite double takes 309 integer digits, a sign and a point; decimals
    // are asked for in small numbers only.
    std::array<char, 400> buf;
    const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                      std::chars_format::fixed, decimals);
    return std::string(buf.data(), result.ptr);
}

namespace {

std::size_t skipDigits(std::string_view s, std::size_t i) {
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
        ++i;
    return i;
}

} // namespace

std::optional<double> leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const std::size_t intStart = i;
    i = skipDigits(text, i);
    bool digits = i > intStart;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fracStart = i + 1;
        const std::size_t fracEnd = skipDigits(text, fracStart);
        if (digits || fracEnd > fracStart) {
            digits = true;
            i = fracEnd;
        }
    }
    if (!digits)
        return 0.0;
    // An exponent counts only when digits follow it.
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t e = i + 1;
        const bool minus = e < text.size() && text[e] == '-';
        if (e < text.size() && (text[e] == '+' || text[e] == '-'))
            ++e;
        const std::size_t expEnd = skipDigits(text, e);
        if (expEnd > e) {
            i = expEnd;
            negativeExponent = minus;
        }
    }
    // from_chars takes no leading '+'.
    std::size_t first = start;
    if (text[first] == '+')
        ++first;
    double value = 0.0;
    const auto result = std::from_chars(text.data() + first, text.data() + i, value);
    if (result.ec == std::errc::result_out_of_range && negativeExponent)
        return text[start] == '-' ? -0.0 : 0.0; // too small to hold: it is zero
    if (result.ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return value;
}
