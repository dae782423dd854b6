// Redraw of the circle-space pane alone (the plane pane hidden) with a mixed scene, in
// the real view under a virtual X server with Mesa's software renderer, timed until the
// frame is drawn and shown in the window, with the CPU time of the whole process.
#include "gui_bench_support.h"

#include <benchmark/benchmark.h>

namespace {

void BM_SpaceRedraw(benchmark::State& state) {
    benchApplication();
    CTorvaneDoc doc;
    fillMixedScene(doc, static_cast<int>(state.range(0)));
    CountingView view(doc);
    if (!showBenchView(view, state))
        return;
    view.tools().onCommand(cmd::kShowSpace);
    view.tools().onCommand(cmd::kShowPlane);
    timeRedraws(view, state);
}
BENCHMARK(BM_SpaceRedraw)->Arg(0)->Arg(1000)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
