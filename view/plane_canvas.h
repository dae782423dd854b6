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
    // A handle mark: a black disc of radius 6 under a disc of radius 5 in the given colour,
    // each a fan over 0, 12, ..., 360 degrees; the colour stays current afterwards. A canvas
    // may draw it as one primitive of equal size and place.
    virtual void handleMark(Point2 centre, int red, int green, int blue);
    // Where the elements drawn next lie in the stacking of the whole drawing (later elements
    // higher). A canvas that draws in order may ignore it; one that redraws a part of the
    // drawing over a kept image of the rest needs it to keep the stacking.
    virtual void setStackLevel(int level) { static_cast<void>(level); }
};
