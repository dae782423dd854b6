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

void drawPlane(PlaneCanvas& canvas, const CTorvaneDoc& doc, const ViewState& view);
// The same drawing for any area; hover and selection may be null.
void drawPlane(PlaneCanvas& canvas, const CTorvaneDoc& doc, const PlaneArea& area,
               const SceneObject* hover, const SceneObject* selected);
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

// Keeps a computed pixel coordinate finite and within what a float vertex holds
// precisely enough, whatever the scene's magnitudes.
Point2 drawablePoint(double x, double y);
