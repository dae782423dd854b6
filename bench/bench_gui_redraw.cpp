// Redraw of the plane pane with a large mixed scene, and start-up to the first frame, in
// the real view (run under a virtual X server with Mesa's software renderer).
#include "gui_bench_support.h"

#include "app/main_frame.h"
#include "app/torvane_app.h"
#include "ui/qt/user_prompts.h"
#include "view/gl/gl_handle_sprite.h"
#include "view/gl/gl_panes.h"
#include "view/gl/gl_plane_canvas.h"
#include "view/pane_layout.h"
#include "view/plane_drawing.h"
#include "view/qt/torvane_view.h"

#include <QElapsedTimer>
#include <QOpenGLFramebufferObject>
#include <QOpenGLWindow>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

// The view of a mixed scene of `count` objects, not yet shown.
struct MixedSceneView {
    explicit MixedSceneView(int count) { fillMixedScene(doc, count); }
    QApplication& application = benchApplication(); // before the view
    CTorvaneDoc doc;
    CountingView view{doc};
};

// A whole redraw in order (nothing kept), timed until the frame is drawn and shown in the
// window; the empty scene gives the cost of the frame, the panes' state and presenting.
void BM_PlaneRedraw(benchmark::State& state) {
    MixedSceneView scene(static_cast<int>(state.range(0)));
    scene.view.planeLayers().setEnabled(false);
    if (!showBenchView(scene.view, state))
        return;
    timeRedraws(scene.view, state);
}
BENCHMARK(BM_PlaneRedraw)
    ->Arg(0)
    ->Arg(1000)
    ->Arg(10000)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The plane's drawing alone, into a framebuffer of the view's size in the view's context,
// without the widget's composition: primitive by primitive in immediate mode (gathered = 0),
// or gathered into vertex arrays by state as the view draws (gathered = 1).
void BM_PlaneDrawing(benchmark::State& state) {
    MixedSceneView scene(static_cast<int>(state.range(0)));
    CountingView& view = scene.view;
    if (!showBenchView(view, state))
        return;
    view.makeCurrent();
    const ViewState& pane = view.state;
    QOpenGLFramebufferObject target(pane.splitX(), pane.clientHeight,
                                    QOpenGLFramebufferObject::CombinedDepthStencil);
    target.bind();
    GlHandleSprite sprite;
    sprite.create();
    const CanvasDrawing drawing =
        state.range(1) != 0 ? CanvasDrawing::Gathered : CanvasDrawing::Immediate;
    const ProcessCpuTime cpu;
    for (auto _ : state) {
        applyPaneSetup(planeSetup(pane));
        setPlaneState();
        clearColourBuffer();
        {
            GlPlaneCanvas canvas(&sprite, {}, drawing);
            drawPlane(canvas, scene.doc, pane);
        }
        glFinish();
    }
    cpu.report(state);
    sprite.release();
    target.release();
    view.doneCurrent();
}
BENCHMARK(BM_PlaneDrawing)
    ->ArgsProduct({{1000, 10000}, {0, 1}})
    ->ArgNames({"objects", "gathered"})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// A yardstick, not the view: an empty frame of the same size and format in a bare
// QOpenGLWindow, drawn when Qt's update request comes rather than at once as the view draws.
class BareWindow : public QOpenGLWindow {
  public:
    BareWindow() : QOpenGLWindow(NoPartialUpdate) {}
    int frames = 0;

  protected:
    void paintGL() override {
        glClearColor(0.82f, 0.82f, 0.82f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        ++frames;
    }
};

void BM_EmptyFrameBareWindow(benchmark::State& state) {
    benchApplication();
    BareWindow window;
    window.resize(1000, 700);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("no window");
        return;
    }
    const ProcessCpuTime cpu;
    for (auto _ : state) {
        const int before = window.frames;
        window.update();
        QElapsedTimer timer;
        timer.start();
        while (window.frames == before && timer.elapsed() < 1000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        window.makeCurrent();
        glFinish();
        window.doneCurrent();
        waitForXServer();
        if (window.frames == before) {
            state.SkipWithError("the frame was never drawn");
            break;
        }
    }
    cpu.report(state);
}
BENCHMARK(BM_EmptyFrameBareWindow)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_StartupToFirstFrame(benchmark::State& state) {
    benchApplication();
    for (auto _ : state) {
        DialogPrompts prompts;
        QElapsedTimer timer;
        timer.start();
        {
            CTorvaneApp app(prompts);
            if (app.initInstance({"torvane", TORVANE_EXAMPLE}) !=
                CTorvaneApp::StartResult::Running) {
                state.SkipWithError("start-up failed");
                return;
            }
            if (!QTest::qWaitForWindowExposed(app.frame())) {
                state.SkipWithError("no window");
                return;
            }
            finishRendering(*app.view());
            state.SetIterationTime(timer.nsecsElapsed() * 1e-9);
            app.frame()->close();
        }
    }
}
BENCHMARK(BM_StartupToFirstFrame)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace
