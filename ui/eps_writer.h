// Encapsulated PostScript export of a scene's geometry: lines as segments, circles as
// full arcs, shifted into the positive quadrant. Colours and styles are not exported.
#pragma once

#include "scene/torvane_doc.h"

#include <string>

struct EpsOffsets {
    float ox = 0.0f;
    float oy = 0.0f;
};

// Shifts that bring the lowest x and y of the drawing to 5 when they are negative.
EpsOffsets epsOffsets(const CTorvaneDoc& doc);
// The whole file, "\n" line ends.
std::string epsText(const CTorvaneDoc& doc);
// Replaces the file at path; false when it cannot be opened or written completely.
bool writeEpsFile(const std::string& path, const CTorvaneDoc& doc);
