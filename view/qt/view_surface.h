// The native child window the view draws into: frames go straight to the window, with no
// composition into the main window, and the window's input is handed on to the view widget.
#pragma once

#include <QImage>
#include <QPointer>
#include <QSurfaceFormat>
#include <QWindow>

#include <memory>

class QOpenGLContext;
class QWidget;

// What draws into the surface; the surface's context is current during each call.
class SurfacePainter {
  public:
    virtual ~SurfacePainter() = default;
    // Once, right after the context is made.
    virtual void initializeGL() = 0;
    // One whole frame into the window's back buffer.
    virtual void paintGL() = 0;
    // Before the context goes: the painter's GL objects go with it.
    virtual void releaseGL() = 0;
};

class ViewSurface : public QWindow {
  public:
    // Input goes to `inputTarget` as if the mouse were over that widget, which covers the
    // surface exactly.
    ViewSurface(const QSurfaceFormat& format, SurfacePainter& painter, QWidget& inputTarget);
    ~ViewSurface() override;

    // Draws a frame and presents it now; false when the window cannot show one (not yet
    // shown, or no context).
    bool renderNow();
    // Draws a frame without presenting it and returns its pixels; null when none can be drawn.
    QImage grabFrame();
    // The surface's context current on it; false when there is none yet.
    bool makeCurrent();
    void doneCurrent();
    // The painter's GL objects are freed and the context deleted; nothing is drawn after.
    void releaseContext();

  protected:
    void exposeEvent(QExposeEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

  private:
    bool ensureContext();
    void forwardMouse(QMouseEvent* event);

    SurfacePainter* painter;
    QPointer<QWidget> target;
    std::unique_ptr<QOpenGLContext> context;
};
