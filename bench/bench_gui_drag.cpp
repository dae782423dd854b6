// One step of a mouse drag in the real view over a large mixed scene: the move event, the
// object change, the hit test and the synchronous redraw (run under a virtual X server).
#include "gui_bench_support.h"

#include "view/mouse_tools.h"

#include <QMouseEvent>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

// The dragged circle comes first in the list, so the hit test prefers it to anything
// of the random scene under the mouse.
constexpr double kTargetX = -150, kTargetY = 450;

void sendMouse(CTorvaneView& view, QEvent::Type type, QPoint p, Qt::MouseButtons held) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(p), view.mapToGlobal(QPointF(p)), button, held, {});
    QApplication::sendEvent(&view, &e);
}

struct DragScene {
    CTorvaneDoc doc;
    SceneObject* target = nullptr;
    CountingView view{doc};

    explicit DragScene(int count) {
        target = doc.addObject(KIND_C, kTargetX, kTargetY, 20, 255, 0, 0);
        fillMixedScene(doc, count);
        view.resize(1000, 700);
        view.show();
    }
    QPoint windowPixelOf(double x, double y) const {
        const Point2 p = view.state.planePixel(x, y);
        return QPoint(static_cast<int>(p.x), view.state.clientHeight - static_cast<int>(p.y));
    }
};

// Pressing on the target's centre with the select tool and moving one pixel to and fro:
// each step moves the circle and redraws the whole window, timed until the frame is drawn
// and composed into the window. The second argument keeps the plane's static layer (1) or
// draws every frame in order (0).
void BM_DragStep(benchmark::State& state) {
    benchApplication();
    DragScene scene(static_cast<int>(state.range(0)));
    scene.view.planeLayers().setEnabled(state.range(1) != 0);
    if (!QTest::qWaitForWindowExposed(&scene.view)) {
        state.SkipWithError("no window");
        return;
    }
    const QPoint grab = scene.windowPixelOf(kTargetX, kTargetY);
    sendMouse(scene.view, QEvent::MouseMove, grab, Qt::NoButton);
    sendMouse(scene.view, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    if (scene.view.state.selectedObject != scene.target || !scene.view.tools().dragging) {
        state.SkipWithError("the target circle was not grabbed");
        return;
    }
    int step = 0;
    // The first step of a drag rebuilds the kept layer without the grabbed object; the
    // steps after it are what the user feels while dragging, so that one is not timed.
    const int warmUpFrame = scene.view.frames;
    sendMouse(scene.view, QEvent::MouseMove, grab + QPoint(1 + ++step % 2, 0), Qt::LeftButton);
    if (!scene.view.waitForFrameAfter(warmUpFrame)) {
        state.SkipWithError("the first step was never drawn");
        return;
    }
    const int rebuildsBefore = scene.view.planeLayers().rebuilds();
    const ProcessCpuTime cpu;
    for (auto _ : state) {
        const int before = scene.view.frames;
        const QPoint to = grab + QPoint(1 + ++step % 2, 0);
        sendMouse(scene.view, QEvent::MouseMove, to, Qt::LeftButton);
        if (!scene.view.waitForFrameAfter(before)) {
            state.SkipWithError("the step was never drawn");
            break;
        }
    }
    cpu.report(state);
    state.counters["kept_layer_redraws"] =
        static_cast<double>(scene.view.planeLayers().rebuilds() - rebuildsBefore);
    sendMouse(scene.view, QEvent::MouseButtonRelease, grab, Qt::NoButton);
    if (scene.target->x[0] == kTargetX && step > 0)
        state.SkipWithError("the drag did not move the circle");
}
BENCHMARK(BM_DragStep)
    ->Args({1000, 1})
    ->Args({10000, 1})
    ->Args({10000, 0})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// Hovering without a button over empty space: the hit test runs over every object and,
// since the hover does not change, nothing is redrawn.
void BM_HoverHitTest(benchmark::State& state) {
    benchApplication();
    DragScene scene(static_cast<int>(state.range(0)));
    if (!QTest::qWaitForWindowExposed(&scene.view)) {
        state.SkipWithError("no window");
        return;
    }
    // Far outside the scene's extent, so nothing is ever hit there.
    scene.view.state.planeOriginX = -5000;
    const QPoint p(500, 350);
    int step = 0;
    for (auto _ : state)
        sendMouse(scene.view, QEvent::MouseMove, p + QPoint(++step % 2, 0), Qt::NoButton);
    if (scene.view.state.hoverObject)
        state.SkipWithError("something was hit in empty space");
}
BENCHMARK(BM_HoverHitTest)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace
