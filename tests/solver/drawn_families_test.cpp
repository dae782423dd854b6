// Figures as people draw them (integer data with axis-parallel lines, objects sharing
// directions) and generic ones, checked against the whole real solution set of the
// exact system of the four constraints: nothing missed, nothing extra, and every
// curve of circles named underdetermined.
#include "tests/support/drawn_families.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    DrawnFamily family;
    int mode;
};

class DrawnFamilies : public testing::TestWithParam<Case> {};

TEST_P(DrawnFamilies, MatchTheExactSystem) {
    const Case c = GetParam();
    FamilyCount count;
    std::mt19937 rng(31);
    for (int i = 0; i < 80; ++i) {
        std::array<SceneObject, 4> o = drawnProblem(c.family, c.mode, rng);
        MergeProblem p;
        for (int k = 0; k < 4; ++k)
            p.addObject(k < 2 ? 1 : 2, &o[k]);
        const FamilyCount before = count;
        countAgainstReference(p, c.mode, count);
        EXPECT_EQ(count.missed, before.missed) << "problem " << i << " " << p.solverName;
        EXPECT_EQ(count.extra, before.extra) << "problem " << i << " " << p.solverName;
        EXPECT_EQ(count.curvesNamed - before.curvesNamed, count.curves - before.curves)
            << "problem " << i << " " << p.solverName;
        EXPECT_EQ(count.wronglyNamed, before.wronglyNamed) << "problem " << i;
    }
    // The families are worth their name: they hold merges (and the drawn ones curves).
    EXPECT_GT(count.expected, 80);
    EXPECT_EQ(count.referenceFailed, 0);
}

std::string caseName(const testing::TestParamInfo<Case>& info) {
    const DrawnFamily f = info.param.family;
    const std::string family = f == DrawnFamily::Generic       ? "Generic"
                               : f == DrawnFamily::GridAndAxis ? "GridAndAxis"
                                                               : "SharedDirections";
    return family + (info.param.mode == MERGE_ROTATE ? "Rotate" : "Translate");
}

INSTANTIATE_TEST_SUITE_P(Census, DrawnFamilies,
                         testing::Values(Case{DrawnFamily::Generic, MERGE_TRANSLATE},
                                         Case{DrawnFamily::Generic, MERGE_ROTATE},
                                         Case{DrawnFamily::GridAndAxis, MERGE_TRANSLATE},
                                         Case{DrawnFamily::GridAndAxis, MERGE_ROTATE},
                                         Case{DrawnFamily::SharedDirections, MERGE_TRANSLATE},
                                         Case{DrawnFamily::SharedDirections, MERGE_ROTATE}),
                         caseName);

} // namespace
