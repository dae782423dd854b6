// Bitmaps of the characters 32..127 of a widget font, for the view's glyph display lists.
#pragma once

#include "view/gl/gl_panes.h"

#include <QFont>

#include <vector>

std::vector<GlyphBitmap> fontGlyphBitmaps(const QFont& font);
