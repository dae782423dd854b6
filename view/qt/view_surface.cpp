// The view's native child window: its own rendering context, synchronous frames, read-back,
// and input handed on to the view widget as the widget toolkit would have delivered it.
#include "view/qt/view_surface.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QWheelEvent>
#include <QWidget>

#include <GL/gl.h>

ViewSurface::ViewSurface(const QSurfaceFormat& surfaceFormat, SurfacePainter& framePainter,
                         QWidget& inputTarget)
    : painter(&framePainter), target(&inputTarget) {
    setSurfaceType(QSurface::OpenGLSurface);
    setFormat(surfaceFormat);
    // The keyboard focus stays with the widgets, so keys and shortcuts reach the view and
    // the main window exactly as before; a click gives the view the focus itself.
    setFlag(Qt::WindowDoesNotAcceptFocus);
}

ViewSurface::~ViewSurface() {
    releaseContext();
}

bool ViewSurface::ensureContext() {
    if (context)
        return true;
    if (!painter || !handle())
        return false;
    auto made = std::make_unique<QOpenGLContext>();
    made->setFormat(requestedFormat());
    if (!made->create() || !made->makeCurrent(this))
        return false;
    context = std::move(made);
    painter->initializeGL();
    return true;
}

bool ViewSurface::makeCurrent() {
    return ensureContext() && context->makeCurrent(this);
}

void ViewSurface::doneCurrent() {
    if (context)
        context->doneCurrent();
}

bool ViewSurface::renderNow() {
    if (!isExposed() || !makeCurrent())
        return false;
    painter->paintGL();
    context->swapBuffers(this);
    return true;
}

QImage ViewSurface::grabFrame() {
    if (!makeCurrent())
        return {};
    painter->paintGL();
    const QSize pixels = size() * devicePixelRatio();
    // RGB only: the window shows no alpha, whatever the blending left in the buffer.
    QImage image(pixels, QImage::Format_RGB888);
    if (image.isNull())
        return {};
    GLint previousAlignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 4); // QImage rows are padded to four bytes
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, pixels.width(), pixels.height(), GL_RGB, GL_UNSIGNED_BYTE, image.bits());
    glPixelStorei(GL_PACK_ALIGNMENT, previousAlignment);
    // OpenGL counts rows from the bottom.
    return image.mirrored();
}

void ViewSurface::releaseContext() {
    if (context && painter && context->makeCurrent(this))
        painter->releaseGL();
    painter = nullptr;
    context.reset();
}

void ViewSurface::exposeEvent(QExposeEvent*) {
    if (isExposed())
        renderNow();
}

void ViewSurface::resizeEvent(QResizeEvent*) {
    // A resized window's buffers hold no frame yet.
    if (isExposed())
        renderNow();
}

void ViewSurface::forwardMouse(QMouseEvent* event) {
    const QEvent::Type type = event->type();
    // Widgets get a double click in place of the press that made it, never both.
    if (type == QEvent::MouseButtonPress && (event->flags() & Qt::MouseEventCreatedDoubleClick))
        return;
    const bool pressed = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    if (pressed && (target->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus)
        target->setFocus(Qt::MouseFocusReason);
    const std::unique_ptr<QMouseEvent> copy(event->clone());
    QCoreApplication::sendEvent(target, copy.get());
    // A plain window gets no context-menu event here; the widget toolkit sends one after
    // the right button's press on this platform, so the view gets it the same way.
    if (type == QEvent::MouseButtonPress && event->button() == Qt::RightButton && target) {
        QContextMenuEvent menu(QContextMenuEvent::Mouse, event->position().toPoint(),
                               event->globalPosition().toPoint(), event->modifiers());
        QCoreApplication::sendEvent(target, &menu);
    }
}

bool ViewSurface::event(QEvent* event) {
    if (!target)
        return QWindow::event(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        forwardMouse(static_cast<QMouseEvent*>(event));
        event->accept();
        return true;
    case QEvent::Wheel: {
        if ((target->focusPolicy() & Qt::WheelFocus) == Qt::WheelFocus)
            target->setFocus(Qt::MouseFocusReason);
        const std::unique_ptr<QWheelEvent> copy(static_cast<QWheelEvent*>(event)->clone());
        QCoreApplication::sendEvent(target, copy.get());
        event->accept();
        return true;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        // Keys come here only when no top-level window has the focus (no window manager):
        // they go where the main window would have sent them.
        QWidget* top = target->window();
        QWidget* receiver = top->focusWidget() ? top->focusWidget() : top;
        const std::unique_ptr<QKeyEvent> copy(static_cast<QKeyEvent*>(event)->clone());
        QCoreApplication::sendEvent(receiver, copy.get());
        event->accept();
        return true;
    }
    default:
        return QWindow::event(event);
    }
}
