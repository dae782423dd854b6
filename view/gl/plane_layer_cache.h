// The plane pane drawn as a kept image of its static layer (colour and the depth of each
// element's stacking level) with the dynamic layer drawn over it each frame: hovering and
// dragging redraw only the halos and the selected object. Every frame shows the pixels of
// a full redraw in order.
#pragma once

#include "scene/torvane_doc.h"
#include "view/gl/gl_handle_sprite.h"
#include "view/gl/layer_buffer.h"
#include "view/plane_snapshot.h"
#include "view/view_state.h"

class PlaneLayerCache {
  public:
    PlaneLayerCache() = default;
    PlaneLayerCache(const PlaneLayerCache&) = delete;
    PlaneLayerCache& operator=(const PlaneLayerCache&) = delete;

    // Draws the plane pane into `target` (a framebuffer name; 0 for the window's own) with
    // the pane's projection and plane state already set and the colour buffer cleared. A
    // target of the kept layer's formats (a LayerBuffer) takes its copy fastest.
    void draw(const CTorvaneDoc& doc, const ViewState& view, unsigned target);
    // Deletes the GL objects; the context that made them must be current.
    void release();

    // Off: every frame is drawn in order with nothing kept (the reference for the kept one).
    void setEnabled(bool on);
    bool enabled() const { return keeping; }
    // How often the kept image was redrawn (for tests and benchmarks).
    int rebuilds() const { return rebuildCount; }

  private:
    void rebuild(const CTorvaneDoc& doc, const ViewState& view);
    bool showKept(unsigned target, int width, int height);
    void drawInOrder(const CTorvaneDoc& doc, const ViewState& view);
    bool ensureKept(int width, int height);
    void releaseKept();

    GlHandleSprite sprite;
    PlaneSnapshot snapshot;
    bool keeping = true;
    // The target's depth buffer did not take the kept depths: draw in order from then on.
    bool unusable = false;
    LayerBuffer kept;
    int rebuildCount = 0;
};
