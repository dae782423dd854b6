// The plane canvas in OpenGL immediate mode, for the plane pane of the view.
#pragma once

#include "view/plane_canvas.h"

class GlPlaneCanvas : public PlaneCanvas {
  public:
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

  private:
    int currentWidth = 1;
};
