// Redraw of the plane pane with a large mixed scene, and start-up to the first frame, in
// the real view (run under a virtual X server with Mesa's software renderer).
#include "app/main_frame.h"
#include "app/torvane_app.h"
#include "ui/qt/user_prompts.h"
#include "view/qt/torvane_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <random>

namespace {

QApplication& application() {
    static int argc = 1;
    static char name[] = "bench_gui_redraw";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        QSurfaceFormat::setDefaultFormat(CTorvaneView::requestedFormat());
        return new QApplication(argc, argv);
    }();
    return *app;
}

void fillMixedScene(CTorvaneDoc& doc, int count) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> pos(-200, 800), radius(-100, 100);
    for (int i = 0; i < count; ++i) {
        SceneObject* o = (i % 2 == 0) ? doc.addObject(i % 4 == 0 ? KIND_C : KIND_C_PRIME, pos(rng),
                                                      pos(rng), radius(rng), 0, 0, 255)
                                      : doc.addObject(i % 4 == 1 ? KIND_L : KIND_L_PRIME, pos(rng),
                                                      pos(rng), pos(rng), pos(rng), 255, 0, 0);
        o->dashed = i % 5 == 0;
        o->width = 1 + i % 3;
    }
}

// Waits until the renderer has executed everything queued.
void finish(CTorvaneView& view) {
    view.makeCurrent();
    glFinish();
    view.doneCurrent();
}

void BM_PlaneRedraw(benchmark::State& state) {
    application();
    CTorvaneDoc doc;
    fillMixedScene(doc, static_cast<int>(state.range(0)));
    CTorvaneView view(doc);
    view.resize(1000, 700);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view)) {
        state.SkipWithError("no window");
        return;
    }
    // Grabbing runs the whole redraw into the view's framebuffer and reads it back; the
    // empty scene gives the cost of the read-back alone.
    for (auto _ : state)
        benchmark::DoNotOptimize(view.grabFramebuffer());
}
BENCHMARK(BM_PlaneRedraw)->Arg(0)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_StartupToFirstFrame(benchmark::State& state) {
    application();
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
            QTest::qWaitForWindowExposed(app.frame());
            finish(*app.view());
            state.SetIterationTime(timer.nsecsElapsed() * 1e-9);
            app.frame()->close();
        }
    }
}
BENCHMARK(BM_StartupToFirstFrame)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace
