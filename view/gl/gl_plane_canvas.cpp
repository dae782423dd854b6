// Immediate-mode OpenGL for the plane canvas primitives.
#include "view/gl/gl_plane_canvas.h"

#include "view/gl/gl_handle_sprite.h"

#include <GL/gl.h>

namespace {

// Depth steps of four units of a 24-bit buffer keep neighbouring levels apart whatever the
// rounding of the depth computation.
constexpr double kLevelStep = 1.0 / (1 << 22);

} // namespace

int maxStackLevel() {
    return (1 << 22) - 3;
}

void GlPlaneCanvas::emit(unsigned mode, std::span<const Point2> vertices) const {
    glBegin(mode);
    for (const Point2& p : vertices)
        glVertex3d(p.x, p.y, z);
    glEnd();
}

void GlPlaneCanvas::setStackLevel(int level) {
    if (!depth.on)
        return;
    // The plane projection maps z = -1 to the nearest depth and z = 1 to the farthest;
    // level 0 lies just in front of the cleared depth.
    z = 1.0 - 2.0 * (level + 1 + depth.levelOffset) * kLevelStep;
}

void GlPlaneCanvas::setColour(int red, int green, int blue) {
    glColor3ub(static_cast<GLubyte>(red), static_cast<GLubyte>(green), static_cast<GLubyte>(blue));
}

void GlPlaneCanvas::setLineWidth(int width) {
    currentWidth = width;
    glLineWidth(static_cast<GLfloat>(width));
}

void GlPlaneCanvas::setLineStipple(bool on) {
    if (on) {
        glLineStipple(1, 0x0F0F);
        glEnable(GL_LINE_STIPPLE);
    } else {
        glDisable(GL_LINE_STIPPLE);
    }
}

void GlPlaneCanvas::segment(Point2 a, Point2 b) {
    const Point2 both[] = {a, b};
    emit(GL_LINES, both);
}

void GlPlaneCanvas::lineLoop(std::span<const Point2> vertices) {
    emit(GL_LINE_LOOP, vertices);
}

void GlPlaneCanvas::lineSegments(std::span<const Point2> vertices) {
    emit(GL_LINES, vertices);
}

void GlPlaneCanvas::filledTriangle(Point2 a, Point2 b, Point2 c) {
    const Point2 corners[] = {a, b, c};
    emit(GL_POLYGON, corners);
}

void GlPlaneCanvas::filledFan(std::span<const Point2> vertices) {
    emit(GL_TRIANGLE_FAN, vertices);
}

void GlPlaneCanvas::text(Point2 rasterPosition, std::string_view characters) {
    glRasterPos3d(rasterPosition.x, rasterPosition.y, z);
    // The list base makes each character code index its own glyph list.
    glCallLists(static_cast<GLsizei>(characters.size()), GL_UNSIGNED_BYTE, characters.data());
}

void GlPlaneCanvas::handleMark(Point2 centre, int red, int green, int blue) {
    if (!sprite || !sprite->ready()) {
        PlaneCanvas::handleMark(centre, red, green, blue);
        return;
    }
    setColour(red, green, blue);
    sprite->draw(centre, z);
}
