// A handle mark drawn as one textured square instead of two fans of thirty triangles: the
// texture holds the black rim disc and the white inner disc, tinted by the current colour.
#pragma once

#include "view/view_state.h"

#include <array>

class GlHandleSprite {
  public:
    GlHandleSprite() = default;
    GlHandleSprite(const GlHandleSprite&) = delete;
    GlHandleSprite& operator=(const GlHandleSprite&) = delete;

    // Makes the texture in the current context; false when it cannot be had.
    bool create();
    // Deletes the texture; the context that made it must be current.
    void release();
    bool ready() const { return texture != 0; }

    // The mark centred at (centre, z) in the current colour; the colour stays current.
    void draw(Point2 centre, double z) const;

    // The texturing the marks are drawn with, for drawing many marks as quads at once.
    void beginMarks() const;
    void endMarks() const;
    // The corners of a mark's square, counter-clockwise from the lower left: pixel position
    // and texture coordinate.
    struct Corner {
        double x, y, s, t;
    };
    static std::array<Corner, 4> corners(Point2 centre);

  private:
    unsigned texture = 0;
};
