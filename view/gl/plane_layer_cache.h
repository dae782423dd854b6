// The plane pane drawn as a kept image of its static layer (colour and the depth of each
// element's stacking level) with the dynamic layer drawn over it each frame: hovering and
// dragging redraw only the halos and the selected object. Every frame shows the pixels of
// a full redraw in order.
#pragma once

#include "scene/torvane_doc.h"
#include "view/gl/gl_handle_sprite.h"
#include "view/plane_snapshot.h"
#include "view/view_state.h"

// A framebuffer object with a colour and a packed depth-stencil buffer.
struct LayerBuffer {
    unsigned framebuffer = 0, colour = 0, depth = 0;
    // False (with nothing left made) when the framebuffer is not complete.
    bool create(int width, int height);
    void release();
};

class PlaneLayerCache {
  public:
    PlaneLayerCache() = default;
    PlaneLayerCache(const PlaneLayerCache&) = delete;
    PlaneLayerCache& operator=(const PlaneLayerCache&) = delete;

    // Draws the plane pane into `target` (a framebuffer name; 0 for the window's own) with
    // the pane's projection and plane state already set and the colour buffer cleared.
    void draw(const CTorvaneDoc& doc, const ViewState& view, unsigned target);
    // Deletes the GL objects; the context that made them must be current.
    void release();

    // Off: every frame is drawn in order with nothing kept (the reference for the kept one).
    void setEnabled(bool on);
    bool enabled() const { return keeping; }
    // How often the kept image was redrawn (for tests and benchmarks).
    int rebuilds() const { return rebuildCount; }

  private:
    bool ensureFramebuffers(int width, int height);
    void rebuild(const CTorvaneDoc& doc, const ViewState& view);
    void drawDynamicOverKept(const CTorvaneDoc& doc, const ViewState& view);
    bool present(unsigned target, int width, int height);
    void drawInOrder(const CTorvaneDoc& doc, const ViewState& view);
    void releaseFramebuffers();

    GlHandleSprite sprite;
    PlaneSnapshot snapshot;
    bool keeping = true;
    // The framebuffers could not be made or copied: draw in order from then on.
    bool unusable = false;
    // The static layer as kept, and the frame made from it: copying between buffers of one
    // format costs a fraction of copying depths into the window's own buffer.
    LayerBuffer kept, frame;
    int bufferWidth = 0, bufferHeight = 0;
    int rebuildCount = 0;
};
