// Dialog units to pixels with the dialog font's metrics, so that dialogs described in
// dialog units keep their proportions with any font.
#pragma once

#include <QFontMetrics>
#include <QRect>
#include <QWidget>

inline QRect dialogUnitsRect(const QWidget& dialog, int x, int y, int w, int h) {
    const QFontMetrics fm(dialog.font());
    const int cx = fm.averageCharWidth(), cy = fm.height();
    return QRect(x * cx / 4, y * cy / 8, w * cx / 4, h * cy / 8);
}

inline void placeInDialogUnits(QWidget& widget, int x, int y, int w, int h) {
    widget.setGeometry(dialogUnitsRect(*widget.parentWidget(), x, y, w, h));
}
