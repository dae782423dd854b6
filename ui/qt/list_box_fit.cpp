// The lines are measured by the item delegate of a list with the same font and style,
// so margins and focus frames are counted as they will be drawn.
#include "ui/qt/list_box_fit.h"

#include <QListWidget>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

QSize listBoxSizeFor(const QListWidget& list, const QStringList& lines, int rows, QSize atLeast) {
    QListWidget probe;
    probe.setFont(list.font());
    // An empty list still needs the height of its rows: measure a sample line.
    probe.addItems(lines.isEmpty() ? QStringList{"Xg"} : lines);
    const int frame = 2 * list.frameWidth();
    int width = probe.sizeHintForColumn(0) + frame;
    if (list.verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
        width += list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list);
    const int height = rows * probe.sizeHintForRow(0) + frame;
    return {std::max(width, atLeast.width()), std::max(height, atLeast.height())};
}
