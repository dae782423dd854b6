// Keeping the static layer of the plane pane in a framebuffer object. The static pass
// draws in order with every fragment writing its level's depth, so each pixel keeps the
// depth of the highest element on it. The dynamic pass draws its elements half a level
// higher than their own levels, testing against those depths without writing: a pixel takes
// a dynamic element exactly where no higher static element covers it, as in a full redraw.
#define GL_GLEXT_PROTOTYPES
#include "view/gl/plane_layer_cache.h"

#include "view/gl/gl_plane_canvas.h"
#include "view/plane_drawing.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>

void PlaneLayerCache::setEnabled(bool on) {
    // The kept image stays good while its snapshot matches, whatever is drawn meanwhile.
    keeping = on;
}

void PlaneLayerCache::draw(const CTorvaneDoc& doc, const ViewState& view, unsigned target) {
    if (!sprite.ready())
        sprite.create();
    const int width = std::max(view.splitX(), 1);
    const int height = std::max(view.clientHeight, 1);
    const bool fitsDepth = legendLevel(doc) <= maxStackLevel();
    if (!keeping || unusable || !fitsDepth || !ensureKept(width, height)) {
        drawInOrder(doc, view);
        return;
    }
    if (!snapshot.matches(doc, view)) {
        rebuild(doc, view);
        glBindFramebuffer(GL_FRAMEBUFFER, target);
    }
    if (!showKept(target, width, height)) {
        unusable = true;
        releaseKept();
        drawInOrder(doc, view);
        return;
    }
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_FALSE);
    GlPlaneCanvas canvas(&sprite, StackDepth{true, 0.5});
    drawPlane(canvas, doc, view, PlaneLayer::Dynamic);
    glDepthMask(GL_TRUE);
    glDisable(GL_DEPTH_TEST);
}

void PlaneLayerCache::drawInOrder(const CTorvaneDoc& doc, const ViewState& view) {
    GlPlaneCanvas canvas(&sprite, {}, CanvasDrawing::Gathered);
    drawPlane(canvas, doc, view, PlaneLayer::All);
    canvas.flush();
}

void PlaneLayerCache::rebuild(const CTorvaneDoc& doc, const ViewState& view) {
    glBindFramebuffer(GL_FRAMEBUFFER, kept.name());
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_ALWAYS);
    glDepthMask(GL_TRUE);
    GlPlaneCanvas canvas(&sprite, StackDepth{true, 0.0}, CanvasDrawing::Gathered);
    drawPlane(canvas, doc, view, PlaneLayer::Static);
    canvas.flush();
    glDisable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    snapshot.capture(doc, view);
    ++rebuildCount;
}

bool PlaneLayerCache::showKept(unsigned target, int width, int height) {
    while (glGetError() != GL_NO_ERROR) {
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, kept.name());
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target);
    // The stencil too, so that between buffers of one format the copy is a plain one.
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height,
                      GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, target);
    // A depth buffer of another format refuses the copy.
    return glGetError() == GL_NO_ERROR;
}

bool PlaneLayerCache::ensureKept(int width, int height) {
    const bool resized = kept.width() != width || kept.height() != height;
    if (!kept.ensure(width, height)) {
        unusable = true;
        return false;
    }
    if (resized)
        snapshot.clear();
    return true;
}

void PlaneLayerCache::releaseKept() {
    kept.release();
    snapshot.clear();
}

void PlaneLayerCache::release() {
    releaseKept();
    sprite.release();
}
