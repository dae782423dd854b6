// What the benchmarks of the real view share: one application object, the large mixed
// scene they draw, and waiting for the renderer.
#pragma once

#include "scene/torvane_doc.h"
#include "view/qt/torvane_view.h"

#include <QApplication>
#include <QTest>

#include <GL/gl.h>

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

// Waits until the renderer has executed everything queued.
inline void finishRendering(CTorvaneView& view) {
    view.makeCurrent();
    glFinish();
    view.doneCurrent();
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
