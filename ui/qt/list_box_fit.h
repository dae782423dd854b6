// Sizes a list box from the lines it will show, so that every line is readable whole at
// whatever font the platform gives the dialog.
#pragma once

#include <QSize>
#include <QStringList>

class QListWidget;

// The outer size at which `list` shows `rows` of the widest of `lines` with no
// horizontal scroll bar (and room for the vertical one when it is always shown), never
// smaller than atLeast.
QSize listBoxSizeFor(const QListWidget& list, const QStringList& lines, int rows, QSize atLeast);
