// The plane drawing as a picture on any QPainter device: a printed page, an SVG or PDF
// file, or an image. One drawing code for all of them: the painter canvas.
#pragma once

#include "scene/torvane_doc.h"
#include "view/plane_drawing.h"

#include <QFont>
#include <QRectF>

class QPainter;

// The screen font with its on-screen pixel size fixed, so that on a page or a picture
// the legend keeps the size it has on screen relative to the drawing.
QFont paneTextFont(const QFont& screenFont);

enum class PictureBackground { Paper, Pane };

// Draws `area` scaled to fit `target` (device units), centred, keeping its proportions;
// no hover or selection halos. Pane fills the area with the plane pane's grey first.
void paintPlanePicture(QPainter& painter, const QRectF& target, const CTorvaneDoc& doc,
                       const PlaneArea& area, const QFont& textFont, PictureBackground background);
