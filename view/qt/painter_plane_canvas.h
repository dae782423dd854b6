// The plane canvas on a QPainter: printed pages and the SVG, PDF and PNG pictures.
#pragma once

#include "view/plane_canvas.h"

#include <QColor>
#include <QFont>

class QPainter;

class PainterPlaneCanvas : public PlaneCanvas {
  public:
    // The painter's transform maps pane pixels (y upward) onto the device. The text font
    // is sized in pane pixels (see paneTextFont) so that text scales with the drawing.
    PainterPlaneCanvas(QPainter& painter, const QFont& textFont)
        : painter(painter), textFont(textFont) {}

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
    QFont textFont;
    QColor colour = Qt::black;
    int width = 1;
    bool stipple = false;
};
