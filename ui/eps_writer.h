// Encapsulated PostScript export of a scene's geometry: lines as segments, circles as
// full arcs, shifted into the positive quadrant. Colours and styles are not exported.
#pragma once

#include "scene/torvane_doc.h"

#include <optional>
#include <string>

struct EpsOffsets {
    float ox = 0.0f;
    float oy = 0.0f;
};

// The offsets are single precision and PostScript's reals are too: a scene reaching
// beyond that range cannot be exported.
inline constexpr const char* kEpsTooLarge = "This scene's coordinates are too large for EPS.";

// Shifts that bring the lowest x and y of the drawing to 5 when they are negative;
// nothing when a shift does not fit single precision.
std::optional<EpsOffsets> epsOffsets(const CTorvaneDoc& doc);
// The whole file, "\n" line ends; nothing when a shift or a shifted coordinate does not
// fit single precision.
std::optional<std::string> epsText(const CTorvaneDoc& doc);

// How writing a picture file ended; TooLarge leaves the file untouched.
enum class PictureWriteResult { Written, TooLarge, CannotWrite };
// Replaces the file at path.
PictureWriteResult writeEpsFile(const std::string& path, const CTorvaneDoc& doc);
