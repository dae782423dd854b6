// A handle mark drawn as one textured square instead of two fans of thirty triangles: the
// texture holds the black rim disc and the white inner disc, tinted by the current colour.
#pragma once

#include "view/view_state.h"

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

  private:
    unsigned texture = 0;
};
