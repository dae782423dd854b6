// Numbers as text for files and edit fields, independent of the user's locale (the
// desktop toolkit switches the C locale to the user's, which would print commas).
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The "%f" form: fixed point with six decimals (or as many as asked), "." as the
// decimal point.
std::string formatFixed(double value, int decimals = 6);

// The longest leading decimal number of text after optional leading white space, 0 when
// there is none. Returns nothing when that number does not fit a finite double.
std::optional<double> leadingNumber(std::string_view text);
