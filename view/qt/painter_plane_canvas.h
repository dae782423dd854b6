// The plane canvas on a QPainter, for printing and previewing the plane drawing as vectors.
#pragma once

#include "view/plane_canvas.h"

#include <QColor>

class QPainter;

class PainterPlaneCanvas : public PlaneCanvas {
  public:
    // The painter's transform maps pane pixels (y upward) onto the device.
    explicit PainterPlaneCanvas(QPainter& painter) : painter(painter) {}

    void setColour(int red, int green, int blue) override;
    int lineWidth() const override { return width; }
    void setLineWidth(int w) override { width = w; }
    void setLineStipple(bool on) override { stipple = on; }
    void segment(Point2 a, Point2 b) override;
    void lineLoop(std::span<const Point2> vertices) override;
    void lineSegments(std::span<const Point2> vertices) override;
    void filledTriangle(Point2 a, Point2 b, Point2 c) override;
    void filledFan(std::span<const Point2> vertices) override;
    void text(Point2 rasterPosition, std::string_view characters) override;

  private:
    void usePen();
    void useBrush();

    QPainter& painter;
    QColor colour = Qt::black;
    int width = 1;
    bool stipple = false;
};
