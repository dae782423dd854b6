// Translucent double cones for tangency circles, 45-degree slabs for tangency lines,
// vertical slabs for centre lines, on a ground slab with white outlines and axes.
#include "view/gl/space_drawing.h"

#include "view/gl/gl_plane_canvas.h"
#include "view/plane_drawing.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <cmath>

namespace {

constexpr double kDegreesPerRadian = 57.29577791868204;
constexpr GLubyte kSurfaceAlpha = 204;

// The solids come from GLUT, which must be initialised once before the first of them.
void ensureGlut() {
    static bool initialised = false;
    if (initialised)
        return;
    int argc = 1;
    char name[] = "torvane";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    initialised = true;
}

} // namespace

void drawSurface(const SceneObject& obj) {
    glColor4ub(static_cast<GLubyte>(obj.red), static_cast<GLubyte>(obj.green),
               static_cast<GLubyte>(obj.blue), kSurfaceAlpha);
    if (obj.kind == KIND_C) {
        glPushMatrix();
        glTranslated(obj.x[0], obj.y[0], obj.r);
        glTranslated(0, 0, -200);
        glutSolidCone(200, 200, 60, 1);
        glTranslated(0, 0, 400);
        glRotated(180, 1, 0, 0);
        glutSolidCone(200, 200, 60, 1);
        glPopMatrix();
    } else if (isLineKind(obj.kind)) {
        const double dx = obj.x[1] - obj.x[0], dy = obj.y[1] - obj.y[0];
        const double len = std::sqrt(dx * dx + dy * dy);
        if (!(len > 0))
            return; // no direction, no plane
        double theta = std::acos(dx / len) * kDegreesPerRadian;
        if (dy < 0)
            theta = -theta;
        glPushMatrix();
        glTranslated((obj.x[0] + obj.x[1]) / 2, (obj.y[0] + obj.y[1]) / 2, 0);
        glRotated(theta, 0, 0, 1);
        glRotated(obj.kind == KIND_L ? 45 : 90, 1, 0, 0);
        glScaled(400, 400, 1);
        glutSolidCube(1);
        glPopMatrix();
    }
}

void drawGroundOutline(const SceneObject& obj) {
    GlPlaneCanvas canvas;
    canvas.setColour(255, 255, 255);
    if (!isLineKind(obj.kind)) {
        drawCircleOutline(canvas, obj, Point2{obj.x[0], obj.y[0]}, obj.r, kCircleVertexCount);
        return;
    }
    drawInfiniteLine(canvas, obj, obj.x[0], obj.x[1], obj.y[0], obj.y[1],
                     ClipBounds{-1000, 1000, 1000, -1000});
}

void drawSpace(const CTorvaneDoc& doc, const ViewState& view) {
    ensureGlut();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(0, 0, -800);
    glTranslated(view.spaceShiftX, -view.spaceShiftY, -view.spaceDistance);
    glRotated(view.spaceTiltX, 1, 0, 0);
    glRotated(view.spaceTiltY, 0, 1, 0);
    glRotated(-90, 1, 0, 0);

    glColor3d(0.3, 0.3, 0.3);
    glPushMatrix();
    glScaled(500, 500, 1);
    glutSolidCube(1);
    glPopMatrix();

    for (const SceneObject* o : doc)
        drawSurface(*o);

    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    for (const SceneObject* o : doc)
        drawGroundOutline(*o);
    glBegin(GL_LINES);
    glColor3ub(255, 0, 0);
    glVertex3d(0, 0, 0);
    glVertex3d(80, 0, 0);
    glColor3ub(0, 255, 0);
    glVertex3d(0, 0, 0);
    glVertex3d(0, 80, 0);
    glColor3ub(0, 0, 255);
    glVertex3d(0, 0, 0);
    glVertex3d(0, 0, 80);
    glEnd();
    glEnable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
}
