// The handle-mark texture: the fans' own polygons (30 edges, vertices every 12 degrees) of
// radius 6 and 5, sampled eight times per pixel so that only pixels on their edges may
// differ from the fans.
#include "view/gl/gl_handle_sprite.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kTexelsPerPixel = 8;
constexpr double kHalfSide = 8.0; // pixels from the centre to the square's edge
constexpr int kSide = static_cast<int>(2 * kHalfSide) * kTexelsPerPixel;
constexpr double kOuterRadius = 6.0, kInnerRadius = 5.0;

// Inside the regular 30-gon of the given radius with a vertex at angle 0.
bool insideFanPolygon(double x, double y, double radius) {
    constexpr double kPi = 3.14159265358979323846;
    constexpr double kEdge = 2 * kPi / 30;
    const double apothem = radius * std::cos(kEdge / 2);
    for (int k = 0; k < 30; ++k) {
        const double normal = (k + 0.5) * kEdge;
        if (x * std::cos(normal) + y * std::sin(normal) > apothem)
            return false;
    }
    return true;
}

} // namespace

bool GlHandleSprite::create() {
    if (texture != 0)
        return true;
    std::vector<std::uint8_t> texels(static_cast<std::size_t>(kSide * kSide) * 4, 0);
    for (int row = 0; row < kSide; ++row)
        for (int col = 0; col < kSide; ++col) {
            const double x = (col + 0.5) / kTexelsPerPixel - kHalfSide;
            const double y = (row + 0.5) / kTexelsPerPixel - kHalfSide;
            std::uint8_t* t = &texels[static_cast<std::size_t>(row * kSide + col) * 4];
            if (!insideFanPolygon(x, y, kOuterRadius))
                continue; // transparent, cut away by the alpha test
            const std::uint8_t tone = insideFanPolygon(x, y, kInnerRadius) ? 255 : 0;
            t[0] = t[1] = t[2] = tone;
            t[3] = 255;
        }
    GLuint name = 0;
    glGenTextures(1, &name);
    if (name == 0)
        return false;
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kSide, kSide, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 texels.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
    glBindTexture(GL_TEXTURE_2D, 0);
    texture = name;
    return true;
}

void GlHandleSprite::release() {
    if (texture == 0)
        return;
    const GLuint name = texture;
    glDeleteTextures(1, &name);
    texture = 0;
}

void GlHandleSprite::draw(Point2 centre, double z) const {
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_TEXTURE_2D);
    // White texels take the current colour, black ones stay black.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
    const double left = centre.x - kHalfSide, right = centre.x + kHalfSide;
    const double bottom = centre.y - kHalfSide, top = centre.y + kHalfSide;
    glBegin(GL_QUADS);
    glTexCoord2d(0, 0);
    glVertex3d(left, bottom, z);
    glTexCoord2d(1, 0);
    glVertex3d(right, bottom, z);
    glTexCoord2d(1, 1);
    glVertex3d(right, top, z);
    glTexCoord2d(0, 1);
    glVertex3d(left, top, z);
    glEnd();
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
}
