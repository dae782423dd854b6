// Drawing of the plane pane: axes, hover and selection halos, every object with its
// orientation marks and handles, and the axis legend. Marks have fixed pixel sizes.
#pragma once

#include "scene/scene_object.h"
#include "scene/torvane_doc.h"
#include "view/plane_canvas.h"
#include "view/view_state.h"

// Pane pixels beyond which infinite lines are cut off.
struct ClipBounds {
    double left, top, right, bottom;
};

inline constexpr int kCircleVertexCount = 60;

// A picture of the plane: its size in pixels and where the scene lies in it (y upward).
struct PlaneArea {
    double width = 0, height = 0;
    double originX = 0, originY = 0;
    double zoom = 1; // pixels per scene unit
};

// The parts of the plane drawing. Hovering and dragging change only the halos and the
// selected object (the dynamic layer); the rest (the static layer) stays the same from frame
// to frame and may be kept as an image. Each element carries its stacking level.
enum class PlaneLayer { All, Static, Dynamic };

// Stacking levels, lowest first: axes, hover halo, selection halo, the objects in list
// order, the legend on top.
inline constexpr int kAxesLevel = 0;
inline constexpr int kHoverHaloLevel = 1;
inline constexpr int kSelectionHaloLevel = 2;
inline constexpr int kFirstObjectLevel = 3;
inline int legendLevel(const CTorvaneDoc& doc) {
    return kFirstObjectLevel + doc.objectCount;
}

// The window's drawing: the view's area, with the merge's pick marks beneath the objects
// and the preview of its candidate over them, both in the dynamic layer.
void drawPlane(PlaneCanvas& canvas, const CTorvaneDoc& doc, const ViewState& view,
               PlaneLayer layer = PlaneLayer::All);
PlaneArea windowArea(const ViewState& view);
// Infinite lines are cut a little beyond the area.
ClipBounds clipFor(const PlaneArea& area);
// The same drawing for any area; hover and selection may be null.
void drawPlane(PlaneCanvas& canvas, const CTorvaneDoc& doc, const PlaneArea& area,
               const SceneObject* hover, const SceneObject* selected,
               PlaneLayer layer = PlaneLayer::All);
void drawObject(PlaneCanvas& canvas, const SceneObject& obj, const ClipBounds& clip, double originX,
                double originY, double zoom);
void drawCircleObject(PlaneCanvas& canvas, const SceneObject& obj, bool marks, int vertexCount,
                      double originX, double originY, double zoom);
void drawCircleOutline(PlaneCanvas& canvas, const SceneObject& obj, Point2 centre, double radius,
                       int vertexCount);
void drawLineObject(PlaneCanvas& canvas, const SceneObject& obj, const ClipBounds& clip,
                    double originX, double originY, double zoom);
void drawInfiniteLine(PlaneCanvas& canvas, const SceneObject& obj, double x0, double x1, double y0,
                      double y1, const ClipBounds& clip);
void drawHandleMark(PlaneCanvas& canvas, const SceneObject& obj, Point2 at);
// A solid copy of obj in the given colour, extraWidth pixels wider, at a stacking level
// beneath the object's own, to mark it.
void drawHalo(PlaneCanvas& canvas, const SceneObject& obj, int red, int green, int blue,
              int extraWidth, const ClipBounds& clip, const PlaneArea& area, int level);

// The segment drawn for an infinite line through (x0, y0) and (x1, y1), cut at the clip
// bounds; false when the two points coincide and the line has no direction.
bool infiniteLineEnds(double x0, double x1, double y0, double y1, const ClipBounds& clip, Point2& a,
                      Point2& b);

// True when nothing of the object (outline or line, marks, handles, at its width) can show
// in the area [0, width] x [0, height]; such objects are not drawn at all.
bool outsideArea(const SceneObject& obj, const ClipBounds& clip, const PlaneArea& area);

// Keeps a computed pixel coordinate finite and within what a float vertex holds
// precisely enough, whatever the scene's magnitudes.
Point2 drawablePoint(double x, double y);
