// What the benchmarks of the real view share: one application object, the large mixed
// scene they draw, waiting for frames, and the CPU time of the whole process.
#pragma once

#include "scene/torvane_doc.h"
#include "ui/qt/scene_history.h"
#include "view/qt/torvane_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTest>

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <ctime>
#include <random>

inline QApplication& benchApplication() {
    static int argc = 1;
    static char name[] = "torvane_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        QSurfaceFormat::setDefaultFormat(CTorvaneView::requestedFormat());
        return new QApplication(argc, argv);
    }();
    return *app;
}

// Circles and lines of all four kinds, some dashed, widths 1 to 3, spread over the pane.
inline void fillMixedScene(CTorvaneDoc& doc, int count) {
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

// Xlib's round trip, declared here: its header's macros would clash with Qt's names.
extern "C" int XSync(Display* display, int discard);

// Waits until the X server has executed every request sent, the presented frames among them.
inline void waitForXServer() {
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        XSync(x11->display(), 0);
}

// Waits until the renderer has executed everything queued and the X server has put the
// presented frame into the window.
inline void finishRendering(CTorvaneView& view) {
    view.makeCurrent();
    glFinish();
    view.doneCurrent();
    waitForXServer();
}

// Shows view at 1000 x 700 and waits for its window; false (with the benchmark skipped)
// when no window appears.
template <class State> bool showBenchView(CTorvaneView& view, State& state) {
    view.resize(1000, 700);
    view.show();
    if (QTest::qWaitForWindowExposed(&view))
        return true;
    state.SkipWithError("no window");
    return false;
}

// The view's undo history, a base so that it is built before the view that refers to it.
struct BenchHistory {
    explicit BenchHistory(CTorvaneDoc& doc) : benchHistory(doc) {}
    SceneHistory benchHistory;
};

// Counts the frames drawn, so that a step is timed until its frame has really been drawn and
// presented, also should the view ever put a redraw off to a later pass of the event loop.
class CountingView : private BenchHistory, public CTorvaneView {
  public:
    explicit CountingView(CTorvaneDoc& doc) : BenchHistory(doc), CTorvaneView(doc, benchHistory) {}
    int frames = 0;

    // False when no frame came within a second.
    bool waitForFrameAfter(int before) {
        QElapsedTimer timer;
        timer.start();
        while (frames == before && timer.elapsed() < 1000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        finishRendering(*this);
        return frames != before;
    }

  protected:
    void paintGL() override {
        ++frames;
        CTorvaneView::paintGL();
    }
};

// The main thread's CPU column leaves out the renderer's threads: this reports the CPU time
// of the whole process per iteration, in milliseconds, as "process_cpu_ms".
class ProcessCpuTime {
  public:
    ProcessCpuTime() : start(now()) {}
    void report(benchmark::State& state) const {
        state.counters["process_cpu_ms"] =
            benchmark::Counter((now() - start) * 1e3, benchmark::Counter::kAvgIterations);
    }

  private:
    static double now() {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    }
    double start;
};

// Times whole redraws of view, each until its frame has been drawn and composed into the
// window, and reports the whole process's CPU time per frame.
inline void timeRedraws(CountingView& view, benchmark::State& state) {
    const ProcessCpuTime cpu;
    for (auto _ : state) {
        const int before = view.frames;
        view.redraw();
        if (!view.waitForFrameAfter(before)) {
            state.SkipWithError("the frame was never drawn");
            break;
        }
    }
    cpu.report(state);
}
