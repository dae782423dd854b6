// The one failure of the batch layer: input that cannot be used. what() is a single
// line that says where (field, object index, line) and what is wrong.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

struct BadInput : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// text in double quotes for a message, cut to a readable length (whole characters).
std::string quotedForMessage(std::string_view text);
