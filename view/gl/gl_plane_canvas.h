// The plane canvas in OpenGL immediate mode, for the plane pane of the view.
#pragma once

#include "view/plane_canvas.h"

class GlHandleSprite;

// How a canvas places its elements in depth. Off: everything at depth 0, drawn in order.
// On: each stacking level at its own depth, later levels nearer, so that a part of the
// drawing can be drawn over a kept image of the rest and still land in its stacking place;
// `levelOffset` lifts the elements a half step so that they pass over the kept image of the
// level below and stay under the level above.
struct StackDepth {
    bool on = false;
    double levelOffset = 0.0;
};

// The largest stacking level that gets a depth of its own in a 24-bit depth buffer.
int maxStackLevel();

class GlPlaneCanvas : public PlaneCanvas {
  public:
    // Without a sprite the handle marks are drawn as fans.
    explicit GlPlaneCanvas(const GlHandleSprite* sprite = nullptr, StackDepth depth = {})
        : sprite(sprite), depth(depth) {}

    void setColour(int red, int green, int blue) override;
    int lineWidth() const override { return currentWidth; }
    void setLineWidth(int width) override;
    void setLineStipple(bool on) override;
    void segment(Point2 a, Point2 b) override;
    void lineLoop(std::span<const Point2> vertices) override;
    void lineSegments(std::span<const Point2> vertices) override;
    void filledTriangle(Point2 a, Point2 b, Point2 c) override;
    void filledFan(std::span<const Point2> vertices) override;
    void text(Point2 rasterPosition, std::string_view characters) override;
    void handleMark(Point2 centre, int red, int green, int blue) override;
    void setStackLevel(int level) override;

  private:
    void emit(unsigned mode, std::span<const Point2> vertices) const;

    const GlHandleSprite* sprite;
    StackDepth depth;
    double z = 0.0;
    int currentWidth = 1;
};
