// Scene pictures on disk: EPS (geometry only), and SVG, PDF and PNG with the plane
// pane's look, the last three drawn by the one painter canvas.
#pragma once

#include "scene/torvane_doc.h"
#include "ui/eps_writer.h"
#include "view/plane_drawing.h"

#include <QFont>
#include <QString>

#include <optional>

enum class PictureFormat { Eps, Svg, Pdf, Png };

// By the file name's extension, ignoring case; none for any other extension.
std::optional<PictureFormat> pictureFormatOfPath(const QString& path);

// Replaces the file at path with the picture of `area` (EPS: the whole scene's geometry,
// as always). A PNG has twice the area's pixels; SVG and PDF keep its size at 96 pixels
// per inch; their text keeps screenFont's on-screen size relative to the drawing. The
// previous file stays untouched when writing fails or the scene is too large for EPS.
PictureWriteResult writePictureFile(const QString& path, PictureFormat format, const CTorvaneDoc& doc,
                      const PlaneArea& area, const QFont& screenFont);
