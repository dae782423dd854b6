// The primitives the plane drawing is made of. The OpenGL pane and the printed page
// each implement them, so both show the same drawing.
#pragma once

#include "view/view_state.h"

#include <span>
#include <string_view>

class PlaneCanvas {
  public:
    virtual ~PlaneCanvas() = default;
    virtual void setColour(int red, int green, int blue) = 0;
    virtual int lineWidth() const = 0;
    virtual void setLineWidth(int width) = 0;
    // Dashes with pattern 0x0F0F, factor 1, for the segments drawn while it is on.
    virtual void setLineStipple(bool on) = 0;
    virtual void segment(Point2 a, Point2 b) = 0;
    virtual void lineLoop(std::span<const Point2> vertices) = 0;
    // Vertices taken in pairs, each pair one segment.
    virtual void lineSegments(std::span<const Point2> vertices) = 0;
    virtual void filledTriangle(Point2 a, Point2 b, Point2 c) = 0;
    // A filled fan: the centre first, then the rim vertices in order.
    virtual void filledFan(std::span<const Point2> vertices) = 0;
    // Text with its baseline origin at the given raster position, in the current colour.
    virtual void text(Point2 rasterPosition, std::string_view characters) = 0;
};
