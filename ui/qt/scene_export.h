// The Export command: asks for a file name and a format (EPS, SVG, PDF or PNG) and writes
// the scene's picture to it.
#pragma once

#include "scene/torvane_doc.h"
#include "view/plane_drawing.h"
#include "view/qt/picture_files.h"

#include <QFont>
#include <QString>

class QWidget;
class UserPrompts;

struct ExportFilter {
    const char* text;
    PictureFormat format;
};

// The dialog's filters in the order offered; EPS first.
inline constexpr ExportFilter kExportFilters[] = {{"EPS Files (*.eps)", PictureFormat::Eps},
                                                  {"SVG Files (*.svg)", PictureFormat::Svg},
                                                  {"PDF Files (*.pdf)", PictureFormat::Pdf},
                                                  {"PNG Files (*.png)", PictureFormat::Png}};

// dialogOwner owns the save dialog, messageOwner the failure message; the initial file
// name is the document's (its file path, or its title while it has none) without its
// extension, so a saved scene's export starts in the scene's folder. The format follows the chosen
// filter; SVG, PDF and PNG show `area`.
void exportScene(QWidget* dialogOwner, QWidget* messageOwner, UserPrompts& prompts,
                 const CTorvaneDoc& doc, const QString& documentName, const PlaneArea& area,
                 const QFont& screenFont);
