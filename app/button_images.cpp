// Small vector drawings for the toolbar buttons.
#include "app/button_images.h"

#include "view/command_ids.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>

namespace {

const QColor kInk(30, 30, 30);
const QColor kBlue(0, 0, 200);
const QColor kRed(200, 0, 0);

QIcon painted(QSize size, const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    p.end();
    return QIcon(pixmap);
}

void arrowHead(QPainter& p, QPointF tip, double angle, double length, const QColor& colour) {
    const double spread = 0.45;
    QPolygonF head;
    head << tip << tip - length * QPointF(std::cos(angle - spread), std::sin(angle - spread))
         << tip - length * QPointF(std::cos(angle + spread), std::sin(angle + spread));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(head);
}

void pen(QPainter& p, const QColor& colour, double width) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
}

void selectArrow(QPainter& p) {
    QPolygonF arrow;
    arrow << QPointF(9, 4) << QPointF(9, 24) << QPointF(14, 19) << QPointF(18, 27)
          << QPointF(21, 25.5) << QPointF(17, 18) << QPointF(23, 18);
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(Qt::white);
    p.drawPolygon(arrow);
}

void fourWayArrow(QPainter& p) {
    pen(p, kInk, 2);
    p.drawLine(QPointF(15.5, 6), QPointF(15.5, 25));
    p.drawLine(QPointF(6, 15.5), QPointF(25, 15.5));
    for (int i = 0; i < 4; ++i) {
        const double a = i * M_PI / 2;
        arrowHead(p, QPointF(15.5 + 11 * std::cos(a), 15.5 + 11 * std::sin(a)), a, 6, kInk);
    }
}

void turningCube(QPainter& p) {
    const QPolygonF front({QPointF(8, 12), QPointF(18, 12), QPointF(18, 22), QPointF(8, 22)});
    const QPolygonF top({QPointF(8, 12), QPointF(12, 8), QPointF(22, 8), QPointF(18, 12)});
    const QPolygonF side({QPointF(18, 12), QPointF(22, 8), QPointF(22, 18), QPointF(18, 22)});
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(120, 160, 230));
    p.drawPolygon(front);
    p.setBrush(QColor(170, 200, 250));
    p.drawPolygon(top);
    p.setBrush(QColor(80, 120, 200));
    p.drawPolygon(side);
    pen(p, kRed, 1.6);
    p.drawArc(QRectF(4, 3, 23, 25), 200 * 16, 140 * 16);
    arrowHead(p, QPointF(25.5, 21), 1.2, 5, kRed);
}

void magnifier(QPainter& p) {
    pen(p, kInk, 2.2);
    p.drawEllipse(QPointF(13, 13), 7, 7);
    p.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18.5, 18.5), QPointF(26, 26));
}

void circleWithArrow(QPainter& p) {
    pen(p, kBlue, 2);
    p.drawEllipse(QPointF(15.5, 15.5), 10, 10);
    // Counter-clockwise mark at the upper left, as the drawing shows it.
    const double a = 155 * M_PI / 180;
    arrowHead(p, QPointF(15.5 + 10 * std::cos(a), 15.5 - 10 * std::sin(a)), a + M_PI / 2, 7, kBlue);
}

void circleWithDot(QPainter& p) {
    pen(p, kBlue, 2);
    p.drawEllipse(QPointF(15.5, 15.5), 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(15.5, 15.5), 2.5, 2.5);
}

void rayWithArrow(QPainter& p) {
    pen(p, kBlue, 2);
    p.drawLine(QPointF(4, 24), QPointF(24, 8));
    arrowHead(p, QPointF(27, 5.5), std::atan2(-16.0, 20.0), 8, kBlue);
}

void rayWithDot(QPainter& p) {
    pen(p, kBlue, 2);
    p.drawLine(QPointF(4, 24), QPointF(27, 6));
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(15.5, 15), 3, 3);
}

void opposedRays(QPainter& p) {
    pen(p, kInk, 2);
    p.drawLine(QPointF(6, 11), QPointF(22, 11));
    arrowHead(p, QPointF(27, 11), 0, 7, kInk);
    pen(p, kRed, 2);
    p.drawLine(QPointF(9, 20), QPointF(25, 20));
    arrowHead(p, QPointF(4, 20), M_PI, 7, kRed);
}

void label(QPainter& p, const char* text) {
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(13);
    p.setFont(f);
    p.setPen(kInk);
    p.drawText(QRectF(0, 0, 31, 31), Qt::AlignCenter, text);
}

void touchingThree(QPainter& p) {
    pen(p, kRed, 1.8);
    p.drawEllipse(QPointF(22.5, 17.5), 8, 8);
    pen(p, kBlue, 1.5);
    for (int i = 0; i < 3; ++i) {
        const double a = -M_PI / 2 + i * 2 * M_PI / 3;
        p.drawEllipse(QPointF(22.5 + 12 * std::cos(a), 17.5 + 12 * std::sin(a)), 4, 4);
    }
}

// A new circle touching a circle on the left and a line underneath.
void touchingCircleAndLine(QPainter& p) {
    pen(p, kInk, 1.5);
    p.drawLine(QPointF(3, 30), QPointF(42, 30));
    pen(p, kBlue, 1.5);
    p.drawEllipse(QPointF(11, 22), 8, 8);
    pen(p, kRed, 1.8);
    p.drawEllipse(QPointF(27, 22), 8, 8);
}

void withDoubleArrow(QPainter& p) {
    touchingCircleAndLine(p);
    pen(p, kInk, 1.5);
    p.drawLine(QPointF(12, 6), QPointF(34, 6));
    arrowHead(p, QPointF(38, 6), 0, 5, kInk);
    arrowHead(p, QPointF(8, 6), M_PI, 5, kInk);
}

void withCurvedArrow(QPainter& p) {
    touchingCircleAndLine(p);
    pen(p, kInk, 1.5);
    p.drawArc(QRectF(10, 2, 26, 14), 20 * 16, 140 * 16);
    arrowHead(p, QPointF(35, 7.5), 1.9, 5, kInk);
}

} // namespace

QIcon buttonImage(int id) {
    switch (id) {
    case cmd::kToolSelect:
        return painted(kMainButtonSize, selectArrow);
    case cmd::kToolMove:
        return painted(kMainButtonSize, fourWayArrow);
    case cmd::kToolRotate:
        return painted(kMainButtonSize, turningCube);
    case cmd::kToolZoom:
        return painted(kMainButtonSize, magnifier);
    case cmd::kKindC:
        return painted(kMainButtonSize, circleWithArrow);
    case cmd::kKindCPrime:
        return painted(kMainButtonSize, circleWithDot);
    case cmd::kKindL:
        return painted(kMainButtonSize, rayWithArrow);
    case cmd::kKindLPrime:
        return painted(kMainButtonSize, rayWithDot);
    case cmd::kReverse:
        return painted(kMainButtonSize, opposedRays);
    case cmd::kShowPlane:
        return painted(kMainButtonSize, [](QPainter& p) { label(p, "2D"); });
    case cmd::kShowSpace:
        return painted(kMainButtonSize, [](QPainter& p) { label(p, "3D"); });
    case cmd::kPickThree:
        return painted(kMergeButtonSize, touchingThree);
    case cmd::kPickTranslate:
        return painted(kMergeButtonSize, withDoubleArrow);
    case cmd::kPickRotate:
        return painted(kMergeButtonSize, withCurvedArrow);
    default:
        return QIcon();
    }
}

QIcon applicationIcon() {
    return painted(QSize(48, 48), [](QPainter& p) {
        p.fillRect(QRectF(2, 2, 44, 44), QColor(210, 210, 210));
        pen(p, kInk, 2);
        p.drawLine(QPointF(4, 40), QPointF(44, 40));
        pen(p, kBlue, 2.5);
        p.drawEllipse(QPointF(16, 28), 12, 12);
        pen(p, kRed, 2.5);
        p.drawEllipse(QPointF(34, 31), 9, 9);
    });
}
