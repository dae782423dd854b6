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

// The regular 30-gon of the fans, a vertex every 12 degrees from angle 0: the unit
// normals of its edges and the distance of an edge from the centre per unit of radius.
struct FanPolygon {
    static constexpr int kEdges = 30;
    double normalX[kEdges], normalY[kEdges];
    double apothemPerRadius;
    FanPolygon() {
        constexpr double kPi = 3.14159265358979323846;
        constexpr double kEdge = 2 * kPi / kEdges;
        apothemPerRadius = std::cos(kEdge / 2);
        for (int k = 0; k < kEdges; ++k) {
            normalX[k] = std::cos((k + 0.5) * kEdge);
            normalY[k] = std::sin((k + 0.5) * kEdge);
        }
    }
    bool inside(double x, double y, double radius) const {
        const double apothem = radius * apothemPerRadius;
        for (int k = 0; k < kEdges; ++k)
            if (x * normalX[k] + y * normalY[k] > apothem)
                return false;
        return true;
    }
};

} // namespace

bool GlHandleSprite::create() {
    if (texture != 0)
        return true;
    const FanPolygon fan;
    std::vector<std::uint8_t> texels(static_cast<std::size_t>(kSide * kSide) * 4, 0);
    for (int row = 0; row < kSide; ++row)
        for (int col = 0; col < kSide; ++col) {
            const double x = (col + 0.5) / kTexelsPerPixel - kHalfSide;
            const double y = (row + 0.5) / kTexelsPerPixel - kHalfSide;
            std::uint8_t* t = &texels[static_cast<std::size_t>(row * kSide + col) * 4];
            if (!fan.inside(x, y, kOuterRadius))
                continue; // transparent, cut away by the alpha test
            const std::uint8_t tone = fan.inside(x, y, kInnerRadius) ? 255 : 0;
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

void GlHandleSprite::beginMarks() const {
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_TEXTURE_2D);
    // White texels take the current colour, black ones stay black.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
}

void GlHandleSprite::endMarks() const {
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
}

std::array<GlHandleSprite::Corner, 4> GlHandleSprite::corners(Point2 centre) {
    const double left = centre.x - kHalfSide, right = centre.x + kHalfSide;
    const double bottom = centre.y - kHalfSide, top = centre.y + kHalfSide;
    return {{{left, bottom, 0, 0}, {right, bottom, 1, 0}, {right, top, 1, 1}, {left, top, 0, 1}}};
}

void GlHandleSprite::draw(Point2 centre, double z) const {
    beginMarks();
    glBegin(GL_QUADS);
    for (const Corner& c : corners(centre)) {
        glTexCoord2d(c.s, c.t);
        glVertex3d(c.x, c.y, z);
    }
    glEnd();
    endMarks();
}
