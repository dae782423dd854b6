// A canvas that records every primitive with the colour, width and stipple in force.
#pragma once

#include "view/plane_canvas.h"

#include <string>
#include <vector>

struct Primitive {
    enum Type { Segment, LineLoop, LineSegments, Triangle, Fan, Text } type;
    int red, green, blue, width;
    bool stippled;
    std::vector<Point2> points;
    std::string text;
};

class RecordingCanvas : public PlaneCanvas {
  public:
    void setColour(int r, int g, int b) override {
        red = r;
        green = g;
        blue = b;
    }
    int lineWidth() const override { return width; }
    void setLineWidth(int w) override { width = w; }
    void setLineStipple(bool on) override { stipple = on; }
    void segment(Point2 a, Point2 b) override { add(Primitive::Segment, {a, b}); }
    void lineLoop(std::span<const Point2> v) override {
        add(Primitive::LineLoop, {v.begin(), v.end()});
    }
    void lineSegments(std::span<const Point2> v) override {
        add(Primitive::LineSegments, {v.begin(), v.end()});
    }
    void filledTriangle(Point2 a, Point2 b, Point2 c) override {
        add(Primitive::Triangle, {a, b, c});
    }
    void filledFan(std::span<const Point2> v) override {
        add(Primitive::Fan, {v.begin(), v.end()});
    }
    void text(Point2 at, std::string_view s) override {
        add(Primitive::Text, {at});
        drawn.back().text = std::string(s);
    }

    std::vector<const Primitive*> ofType(Primitive::Type t) const {
        std::vector<const Primitive*> out;
        for (const Primitive& p : drawn)
            if (p.type == t)
                out.push_back(&p);
        return out;
    }

    std::vector<Primitive> drawn;
    int red = 0, green = 0, blue = 0, width = 1;
    bool stipple = false;

  private:
    void add(Primitive::Type t, std::vector<Point2> pts) {
        drawn.push_back({t, red, green, blue, width, stipple, std::move(pts), {}});
    }
};
