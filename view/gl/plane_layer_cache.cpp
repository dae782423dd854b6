// Keeping the static layer of the plane pane in a framebuffer object. The static pass
// draws in order with every fragment writing its level's depth, so each pixel keeps the
// depth of the highest element on it. Each frame copies that layer into a second buffer of
// the same format, where the dynamic pass draws its elements half a level higher than their
// own levels, testing against those depths without writing: a pixel takes a dynamic element
// exactly where no higher static element covers it, as in a full redraw. Only the colour of
// the result goes into the window.
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
    if (!keeping || unusable || !fitsDepth || !ensureFramebuffers(width, height)) {
        drawInOrder(doc, view);
        return;
    }
    if (!snapshot.matches(doc, view))
        rebuild(doc, view);
    drawDynamicOverKept(doc, view);
    if (!present(target, width, height)) {
        unusable = true;
        releaseFramebuffers();
        drawInOrder(doc, view);
    }
}

void PlaneLayerCache::drawInOrder(const CTorvaneDoc& doc, const ViewState& view) {
    GlPlaneCanvas canvas(&sprite, {}, CanvasDrawing::Gathered);
    drawPlane(canvas, doc, view, PlaneLayer::All);
    canvas.flush();
}

void PlaneLayerCache::rebuild(const CTorvaneDoc& doc, const ViewState& view) {
    glBindFramebuffer(GL_FRAMEBUFFER, kept.framebuffer);
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

void PlaneLayerCache::drawDynamicOverKept(const CTorvaneDoc& doc, const ViewState& view) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, kept.framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, frame.framebuffer);
    // Every buffer of the same format: a plain copy.
    glBlitFramebuffer(0, 0, bufferWidth, bufferHeight, 0, 0, bufferWidth, bufferHeight,
                      GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, frame.framebuffer);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_FALSE);
    GlPlaneCanvas canvas(&sprite, StackDepth{true, 0.5});
    drawPlane(canvas, doc, view, PlaneLayer::Dynamic);
    glDepthMask(GL_TRUE);
    glDisable(GL_DEPTH_TEST);
}

bool PlaneLayerCache::present(unsigned target, int width, int height) {
    while (glGetError() != GL_NO_ERROR) {
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, frame.framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, target);
    return glGetError() == GL_NO_ERROR;
}

bool LayerBuffer::create(int width, int height) {
    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    GLuint names[2] = {0, 0};
    glGenRenderbuffers(2, names);
    colour = names[0];
    depth = names[1];
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    GLuint fbo = 0;
    glGenFramebuffers(1, &fbo);
    framebuffer = fbo;
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
    if (!complete)
        release();
    return complete;
}

void LayerBuffer::release() {
    if (framebuffer != 0) {
        const GLuint fbo = framebuffer;
        glDeleteFramebuffers(1, &fbo);
    }
    const GLuint buffers[2] = {colour, depth};
    if (colour != 0 || depth != 0)
        glDeleteRenderbuffers(2, buffers);
    framebuffer = colour = depth = 0;
}

bool PlaneLayerCache::ensureFramebuffers(int width, int height) {
    if (kept.framebuffer != 0 && width == bufferWidth && height == bufferHeight)
        return true;
    releaseFramebuffers();
    if (!kept.create(width, height) || !frame.create(width, height)) {
        releaseFramebuffers();
        unusable = true;
        return false;
    }
    bufferWidth = width;
    bufferHeight = height;
    return true;
}

void PlaneLayerCache::releaseFramebuffers() {
    kept.release();
    frame.release();
    bufferWidth = bufferHeight = 0;
    snapshot.clear();
}

void PlaneLayerCache::release() {
    releaseFramebuffers();
    sprite.release();
}
