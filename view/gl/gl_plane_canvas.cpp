// OpenGL for the plane canvas primitives: immediate mode, or gathered into vertex arrays.
#include "view/gl/gl_plane_canvas.h"

#include "view/gl/gl_handle_sprite.h"

#include <GL/gl.h>

namespace {

// Depths go in steps of two units of a 24-bit buffer, which keeps neighbouring steps apart
// whatever the rounding of the depth computation; a stacking level has four steps. The
// plane projection maps z = -1 to the nearest depth and z = 1 to the farthest, the cleared
// depth: z = 1 - 2 * steps * kDepthStep runs through the whole range in 2^23 steps.
constexpr double kDepthStep = 1.0 / (1 << 23);
constexpr int kStepsPerLevel = 4;
constexpr int kMostSteps = (1 << 23) - 2;

double depthAfter(double steps) {
    return 1.0 - 2.0 * steps * kDepthStep;
}

// The batch of the thread's last gathered canvas, unless it holds more than a large scene
// needs.
thread_local std::unique_ptr<GlPrimitiveBatch> keptBatch;
constexpr std::size_t kMostKeptBytes = std::size_t{64} << 20;
// What is gathered is drawn once it holds this many vertices (16 MB), so that a scene of
// millions of objects needs no more memory than one of ten thousand.
constexpr std::size_t kMostPendingVertices = std::size_t{1} << 19;

} // namespace

int maxStackLevel() {
    return kMostSteps / kStepsPerLevel - 3;
}

GlPlaneCanvas::GlPlaneCanvas(const GlHandleSprite* sprite, StackDepth depth, CanvasDrawing drawing)
    : sprite(sprite), depth(depth), gathered(drawing == CanvasDrawing::Gathered) {
    if (!gathered)
        return;
    // The stacking needs the steps of a 24-bit depth buffer; without one, draw in order.
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    if (depthBits < 24) {
        gathered = false;
        return;
    }
    if (!depth.on)
        z = depthAfter(1);
    batch = keptBatch ? std::move(keptBatch) : std::make_unique<GlPrimitiveBatch>();
}

GlPlaneCanvas::~GlPlaneCanvas() {
    if (!gathered)
        return;
    flush();
    // The state immediate mode would have left.
    glColor3f(colour[0], colour[1], colour[2]);
    glLineWidth(static_cast<GLfloat>(drawnWidth));
    if (!keptBatch && batch->reservedBytes() <= kMostKeptBytes)
        keptBatch = std::move(batch);
}

void GlPlaneCanvas::emit(unsigned mode, std::span<const Point2> vertices) const {
    glBegin(mode);
    for (const Point2& p : vertices)
        glVertex3d(p.x, p.y, z);
    glEnd();
}

void GlPlaneCanvas::setStackLevel(int level) {
    if (!depth.on || level == currentLevel)
        return;
    currentLevel = level;
    // The level's first step lies just in front of the one below it; level 0 just in front
    // of the cleared depth.
    levelDepth = depthAfter(kStepsPerLevel * (level + 1 + depth.levelOffset));
    z = levelDepth;
    depthStep = 0;
    anyAtThisDepth = false;
}

void GlPlaneCanvas::setColour(int red, int green, int blue) {
    // The fractions glColor3ub stores.
    colour[0] = static_cast<float>(red & 0xFF) / 255.0f;
    colour[1] = static_cast<float>(green & 0xFF) / 255.0f;
    colour[2] = static_cast<float>(blue & 0xFF) / 255.0f;
    if (!gathered)
        glColor3ub(static_cast<GLubyte>(red), static_cast<GLubyte>(green),
                   static_cast<GLubyte>(blue));
}

void GlPlaneCanvas::setLineWidth(int width) {
    currentWidth = width;
    // OpenGL refuses a width below one and keeps the one it had.
    if (width > 0)
        drawnWidth = width;
    if (!gathered)
        glLineWidth(static_cast<GLfloat>(width));
}

void GlPlaneCanvas::setLineStipple(bool on) {
    stippled = on;
    if (gathered)
        return;
    if (on) {
        glLineStipple(1, 0x0F0F);
        glEnable(GL_LINE_STIPPLE);
    } else {
        glDisable(GL_LINE_STIPPLE);
    }
}

BatchState GlPlaneCanvas::lineState() const {
    return {BatchState::Kind::Lines, drawnWidth, stippled};
}

std::vector<BatchVertex>& GlPlaneCanvas::gather(const BatchState& state) {
    // Drawing what is pending keeps the stacking: what comes later gets the same depth or a
    // nearer one, and passes the test over it.
    if (batch->pendingVertices() >= kMostPendingVertices)
        flush();
    if (anyAtThisDepth && drawnBefore(state, latestAtThisDepth)) {
        // Its list is drawn before one holding a primitive given earlier at this depth: it
        // needs a nearer depth, or what is pending must be drawn first.
        if (depth.on ? depthStep == 1 : depthStep == kMostSteps) {
            flush();
            if (!depth.on) {
                clearPaneDepth();
                depthStep = 0;
            }
        } else {
            ++depthStep;
        }
        z = depth.on ? levelDepth - 2.0 * depthStep * kDepthStep : depthAfter(depthStep + 1);
        anyAtThisDepth = false;
    }
    if (!anyAtThisDepth || drawnBefore(latestAtThisDepth, state))
        latestAtThisDepth = state;
    anyAtThisDepth = true;
    return batch->vertices(state);
}

void GlPlaneCanvas::put(std::vector<BatchVertex>& list, Point2 p, float s, float t) const {
    list.push_back({static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(z),
                    colour[0], colour[1], colour[2], s, t});
}

void GlPlaneCanvas::segment(Point2 a, Point2 b) {
    if (!gathered) {
        const Point2 both[] = {a, b};
        emit(GL_LINES, both);
        return;
    }
    std::vector<BatchVertex>& list = gather(lineState());
    put(list, a);
    put(list, b);
}

void GlPlaneCanvas::lineLoop(std::span<const Point2> vertices) {
    if (!gathered) {
        emit(GL_LINE_LOOP, vertices);
        return;
    }
    if (vertices.size() < 2)
        return;
    BatchState state = lineState();
    state.kind = BatchState::Kind::LineLoops;
    gather(state);
    std::vector<BatchVertex>& list = batch->loop(state, vertices.size());
    for (const Point2& p : vertices)
        put(list, p);
}

void GlPlaneCanvas::lineSegments(std::span<const Point2> vertices) {
    if (!gathered) {
        emit(GL_LINES, vertices);
        return;
    }
    if (vertices.size() < 2)
        return;
    std::vector<BatchVertex>& list = gather(lineState());
    for (std::size_t i = 0; i + 1 < vertices.size(); i += 2) {
        put(list, vertices[i]);
        put(list, vertices[i + 1]);
    }
}

void GlPlaneCanvas::filledTriangle(Point2 a, Point2 b, Point2 c) {
    if (!gathered) {
        const Point2 corners[] = {a, b, c};
        emit(GL_POLYGON, corners);
        return;
    }
    std::vector<BatchVertex>& list = gather({BatchState::Kind::Triangles});
    put(list, a);
    put(list, b);
    put(list, c);
}

void GlPlaneCanvas::filledFan(std::span<const Point2> vertices) {
    if (!gathered) {
        emit(GL_TRIANGLE_FAN, vertices);
        return;
    }
    if (vertices.size() < 3)
        return;
    std::vector<BatchVertex>& list = gather({BatchState::Kind::Triangles});
    for (std::size_t i = 1; i + 1 < vertices.size(); ++i) {
        put(list, vertices[0]);
        put(list, vertices[i]);
        put(list, vertices[i + 1]);
    }
}

void GlPlaneCanvas::text(Point2 rasterPosition, std::string_view characters) {
    flush();
    if (gathered)
        glColor3f(colour[0], colour[1], colour[2]);
    glRasterPos3d(rasterPosition.x, rasterPosition.y, depth.on ? z : 0.0);
    // The list base makes each character code index its own glyph list.
    glCallLists(static_cast<GLsizei>(characters.size()), GL_UNSIGNED_BYTE, characters.data());
}

void GlPlaneCanvas::handleMark(Point2 centre, int red, int green, int blue) {
    if (!sprite || !sprite->ready()) {
        PlaneCanvas::handleMark(centre, red, green, blue);
        return;
    }
    setColour(red, green, blue);
    if (!gathered) {
        sprite->draw(centre, z);
        return;
    }
    std::vector<BatchVertex>& list = gather({BatchState::Kind::HandleMarks});
    for (const GlHandleSprite::Corner& c : GlHandleSprite::corners(centre))
        put(list, {c.x, c.y}, static_cast<float>(c.s), static_cast<float>(c.t));
}

void GlPlaneCanvas::clearPaneDepth() const {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    glPushAttrib(GL_SCISSOR_BIT | GL_DEPTH_BUFFER_BIT | GL_ENABLE_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(viewport[0], viewport[1], viewport[2], viewport[3]);
    glDepthMask(GL_TRUE);
    glClearDepth(1.0);
    glClear(GL_DEPTH_BUFFER_BIT);
    glPopAttrib();
}

void GlPlaneCanvas::flush() {
    if (!batch || batch->empty())
        return;
    if (!depth.on && !depthCleared) {
        clearPaneDepth();
        depthCleared = true;
    }
    glPushAttrib(GL_DEPTH_BUFFER_BIT | GL_ENABLE_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
    batch->draw(sprite);
    glPopAttrib();
    anyAtThisDepth = false;
}
