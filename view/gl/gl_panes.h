// Fixed OpenGL state of each pane: projections, the plane and circle-space states,
// the frame, and the bitmap font's display lists.
#pragma once

#include "view/pane_layout.h"

#include <cstdint>
#include <vector>

void applyPaneSetup(const PaneSetup& setup);
void setPlaneState();
// Also clears the colour and depth buffers of the whole window.
void setSpaceState();
void clearColourBuffer();
void drawFrame(const ViewState& view);

// One glyph as a bitmap for glBitmap: rows bottom to top, each row padded to whole bytes,
// most significant bit leftmost.
struct GlyphBitmap {
    int width = 0, height = 0;
    float originX = 0, originY = 0; // glBitmap origin: the raster position, from the lower left
    float advance = 0;
    std::vector<std::uint8_t> rows;
};

inline constexpr int kFontFirstCharacter = 32;
inline constexpr int kFontListCount = 96;

// Reserves 96 lists, fills them with the glyphs of the characters 32..127 and sets the
// list base so that a character code calls its own list. Returns the first list.
unsigned createFontLists(const std::vector<GlyphBitmap>& glyphs);
