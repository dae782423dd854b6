// The plane canvas in OpenGL, for the plane pane of the view: in immediate mode, or gathered
// into a few vertex arrays with the depth buffer keeping the stacking of the drawing order.
#pragma once

#include "view/gl/gl_primitive_batch.h"
#include "view/plane_canvas.h"

#include <memory>

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

// Immediate: every primitive is drawn when it is given, with the OpenGL state in force.
// Gathered: primitives are collected by state and drawn together, lists of one state after
// another, when `flush` is called, before text and when the canvas ends. Every primitive
// gets a depth that puts it above all primitives given before it that it could be drawn
// after, and the lists are drawn with the depth test (less or equal) and depth writes on, so
// each pixel shows what drawing in order shows. Without StackDepth the canvas clears the
// depth of the viewport itself; with it, each level keeps its depth (elements drawn later
// within a level get a quarter step more), the kept layer's depths. Gathering needs a
// depth buffer and must not be used where depth writes must stay off.
enum class CanvasDrawing { Immediate, Gathered };

// The largest stacking level that gets a depth of its own in a 24-bit depth buffer.
int maxStackLevel();

class GlPlaneCanvas : public PlaneCanvas {
  public:
    // Without a sprite the handle marks are drawn as fans.
    explicit GlPlaneCanvas(const GlHandleSprite* sprite = nullptr, StackDepth depth = {},
                           CanvasDrawing drawing = CanvasDrawing::Immediate);
    ~GlPlaneCanvas() override;
    GlPlaneCanvas(const GlPlaneCanvas&) = delete;
    GlPlaneCanvas& operator=(const GlPlaneCanvas&) = delete;

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

    // Draws what has been gathered so far.
    void flush();

  private:
    void emit(unsigned mode, std::span<const Point2> vertices) const;
    // The list a primitive of this state goes to, with the depth that keeps it above
    // everything given before it.
    std::vector<BatchVertex>& gather(const BatchState& state);
    BatchState lineState() const;
    void put(std::vector<BatchVertex>& list, Point2 p, float s = 0, float t = 0) const;
    void clearPaneDepth() const;

    const GlHandleSprite* sprite;
    StackDepth depth;
    bool gathered;
    double z = 0.0;
    int currentLevel = -1;
    double levelDepth = 0.0;
    int currentWidth = 1;
    int drawnWidth = 1; // the width OpenGL would draw with: the last one of at least 1
    bool stippled = false;
    float colour[3] = {0, 0, 0};

    // Gathered only. A batch ending with its canvas is kept for the thread's next one, so
    // that its lists keep their memory from frame to frame.
    std::unique_ptr<GlPrimitiveBatch> batch;
    // The step in depth the primitives of the current depth have taken, and the latest
    // state among them: a primitive of an earlier-drawn state needs the next step.
    int depthStep = 0;
    bool anyAtThisDepth = false;
    BatchState latestAtThisDepth;
    bool depthCleared = false;
};
