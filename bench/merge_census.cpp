// Census of the merge solvers against the exact system, per family of figures as
// people draw them: real merges expected, missed and extra, curves and whether each
// was named underdetermined; and the generic throughput of the fast path.
// Usage: merge_census [problems per family and mode, default 1000]
#include "tests/support/drawn_families.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

// Problems per second of solve() on generic data in both modes, one pass.
double genericThroughput(int problems) {
    std::vector<std::array<SceneObject, 4>> data;
    std::vector<int> modes;
    std::mt19937 rng(11);
    for (int i = 0; i < problems; ++i) {
        modes.push_back(i % 2);
        data.push_back(drawnProblem(DrawnFamily::Generic, modes.back(), rng));
    }
    const auto start = std::chrono::steady_clock::now();
    int solved = 0;
    for (int i = 0; i < problems; ++i) {
        MergeProblem p;
        for (int k = 0; k < 4; ++k)
            p.addObject(k < 2 ? 1 : 2, &data[i][k]);
        solved += p.solve(modes[i]) ? 1 : 0;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return solved >= 0 ? problems / seconds : 0.0;
}

} // namespace

int main(int argc, char** argv) {
    const int n = argc > 1 ? std::atoi(argv[1]) : 1000;
    std::printf("%-18s %-9s %8s %8s %6s %6s %6s %6s %6s %6s %7s\n", "family", "mode", "problems",
                "expected", "missed", "extra", "curves", "named", "far", "failed", "rounded");
    for (DrawnFamily f :
         {DrawnFamily::Generic, DrawnFamily::GridAndAxis, DrawnFamily::SharedDirections})
        for (int mode : {MERGE_TRANSLATE, MERGE_ROTATE}) {
            FamilyCount c;
            std::mt19937 rng(7);
            for (int i = 0; i < n; ++i) {
                std::array<SceneObject, 4> o = drawnProblem(f, mode, rng);
                MergeProblem p;
                for (int k = 0; k < 4; ++k)
                    p.addObject(k < 2 ? 1 : 2, &o[k]);
                countAgainstReference(p, mode, c);
            }
            std::printf("%-18s %-9s %8d %8d %6d %6d %6d %6d %6d %6d %7d\n", familyName(f),
                        mode == MERGE_ROTATE ? "rotate" : "translate", c.problems, c.expected,
                        c.missed, c.extra + c.wronglyNamed, c.curves, c.curvesNamed, c.far,
                        c.referenceFailed, c.rounded);
            std::fflush(stdout);
        }
    std::printf("generic throughput: %.0f problems/s\n", genericThroughput(20000));
    return 0;
}
