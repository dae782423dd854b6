// The document template strings of the desktop program: window title, file filter,
// default extension and type names.
#pragma once

namespace doc_strings {
inline constexpr const char* kTemplate =
    "Torvane\n\nTorvane\nTVNFile(*.tvn)\n.tvn\nTorvane.Document\nTorvane Document";
inline constexpr const char* kWindowTitle = "Torvane";
inline constexpr const char* kFileFilter = "TVNFile(*.tvn)";
inline constexpr const char* kDefaultExtension = ".tvn";
inline constexpr const char* kRegistryTypeId = "Torvane.Document";
inline constexpr const char* kRegistryTypeName = "Torvane Document";
} // namespace doc_strings
