// OpenGL state of the panes, the frame rectangles and the font display lists.
#include "view/gl/gl_panes.h"

#include <GL/gl.h>
#include <GL/glu.h>

void applyPaneSetup(const PaneSetup& p) {
    glViewport(p.viewportX, p.viewportY, p.viewportWidth, p.viewportHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (p.perspective)
        gluPerspective(p.fovY, p.aspect, p.zNear, p.zFar);
    else
        glOrtho(p.left, p.right, p.bottom, p.top, p.nearPlane, p.farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void setPlaneState() {
    glClearColor(0.82f, 0.82f, 0.82f, 1.0f);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_NORMALIZE);
    glDisable(GL_BLEND);
    glDisable(GL_COLOR_MATERIAL);
}

void setSpaceState() {
    glClearColor(0.82f, 0.82f, 0.82f, 1.0f);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHT2);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_NORMALIZE);
    glEnable(GL_BLEND);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);

    // Positional lights given with the modelview matrix at identity, so in eye space.
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const GLfloat white[] = {1, 1, 1, 1};
    const GLfloat above[] = {0, 500, 0, 1};
    const GLfloat below[] = {0, -500, 0, 1};
    const GLfloat ahead[] = {0, 0, -400, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, above);
    glLightfv(GL_LIGHT1, GL_POSITION, below);
    glLightfv(GL_LIGHT2, GL_POSITION, ahead);
    for (GLenum light : {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2})
        glLightfv(light, GL_DIFFUSE, white);
    glPopMatrix();

    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void clearColourBuffer() {
    glClear(GL_COLOR_BUFFER_BIT);
}

void drawFrame(const ViewState& view) {
    applyPaneSetup(windowSetup(view));
    for (const FrameRect& r : frameRects(view)) {
        glColor3f(r.red, r.green, r.blue);
        glRectf(r.x1, r.y1, r.x2, r.y2);
    }
}

unsigned createFontLists(const std::vector<GlyphBitmap>& glyphs) {
    const GLuint base = glGenLists(kFontListCount);
    if (base == 0)
        return 0;
    glListBase(base - kFontFirstCharacter);
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int i = 0; i < kFontListCount && i < static_cast<int>(glyphs.size()); ++i) {
        const GlyphBitmap& g = glyphs[static_cast<std::size_t>(i)];
        glNewList(base + static_cast<GLuint>(i), GL_COMPILE);
        glBitmap(g.width, g.height, g.originX, g.originY, g.advance, 0,
                 g.rows.empty() ? nullptr : g.rows.data());
        glEndList();
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
    return base;
}
