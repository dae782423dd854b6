// The Export command: asks for an EPS file name and writes the scene's geometry to it.
#pragma once

#include "scene/torvane_doc.h"

#include <QString>

class QWidget;
class UserPrompts;

// dialogOwner owns the save dialog, messageOwner the failure message; the initial file
// name is the document's title without its extension.
void exportEps(QWidget* dialogOwner, QWidget* messageOwner, UserPrompts& prompts,
               const CTorvaneDoc& doc, const QString& documentTitle);
