// Exit status of the batch tool, shared by every command: 0 when a real candidate
// exists (or the command did its work), 1 when none does, 2 for bad input.
#pragma once

inline constexpr int kExitFound = 0;
inline constexpr int kExitNothingFound = 1;
inline constexpr int kExitBadInput = 2;
