// Immediate-mode OpenGL for the plane canvas primitives.
#include "view/gl/gl_plane_canvas.h"

#include <GL/gl.h>

namespace {

void emit(GLenum mode, std::span<const Point2> vertices) {
    glBegin(mode);
    for (const Point2& p : vertices)
        glVertex2d(p.x, p.y);
    glEnd();
}

} // namespace

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
    glRasterPos2d(rasterPosition.x, rasterPosition.y);
    // The list base makes each character code index its own glyph list.
    glCallLists(static_cast<GLsizei>(characters.size()), GL_UNSIGNED_BYTE, characters.data());
}
