// Figures as people draw them (integer data with axis-parallel lines, objects sharing
// directions) and generic ones, checked against the whole real solution set of the
// exact system of the four constraints: nothing missed, nothing extra, and every
// curve of circles named underdetermined.
#include "tests/support/drawn_families.h"
#include "tests/support/make_objects.h"

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

// One problem against the exact system: nothing missed, extra or rounded away.
FamilyCount expectSameAsExactSystem(std::array<SceneObject, 4> o, int mode) {
    MergeProblem p;
    for (int k = 0; k < 4; ++k)
        p.addObject(k < 2 ? 1 : 2, &o[k]);
    FamilyCount count;
    countAgainstReference(p, mode, count);
    EXPECT_EQ(count.referenceFailed, 0);
    EXPECT_EQ(count.missed, 0) << p.solverName;
    EXPECT_EQ(count.extra, 0) << p.solverName;
    EXPECT_EQ(count.rounded, 0) << p.solverName;
    return count;
}

// Objects that line up only to rounding (parallel and antiparallel lines whose
// directions differ in the last bits): the double data hold isolated merges, or none,
// that move far under any rounding of the data. A scene this near the origin is
// solved where it is, so the safety net solves the very problem it was given.
TEST(DrawnFamilies, LinedUpToRoundingMatchesTheExactSystem) {
    const std::array<SceneObject, 4> problems[] = {
        {makeLine(KIND_L_PRIME, 4.334911050883271, 16.158219113799042, 3.5288601656001513,
                  15.566372875039093),
         makeLine(KIND_L, -0.9295014036459222, 23.327960241764274, -1.735552288929042,
                  22.736114003004325),
         makeLine(KIND_L, -7.288958864804187, 10.893806659269849, -6.697112626044238,
                  10.087755773986729),
         makeLine(KIND_L, 7.050523391126276, 21.422631568328235, 6.458677152366327,
                  22.228682453611356)},
        {makeLine(KIND_L, 0.2622883128943982, -20.17782156619826, -0.737453123827851,
                  -20.20056051297539),
         makeLine(KIND_L_PRIME, 0.22344823334130837, -18.470177086645286, 1.2231896700635576,
                  -18.447438139868158),
         makeCircle(KIND_C, -11.922772899389107, -18.62015911571995, 4.887735153739086),
         makeLine(KIND_L, -7.03630153447215, -18.509017166198376, -7.059040481249279,
                  -17.509275729476126)}};
    for (const std::array<SceneObject, 4>& o : problems)
        expectSameAsExactSystem(o, MERGE_TRANSLATE);
}

// One merge of this turn is a circle 1e4 scene extents away. Its residual cannot drop
// below rounding of its own coordinates, and polishing below that drifts it off.
TEST(DrawnFamilies, CircleFarOutsideTheSceneKeepsTheExactSystemsPlace) {
    const std::array<SceneObject, 4> o = {
        makeLine(KIND_L_PRIME, 4.9422510679287042, -2.2116992301351406, 0.68478922460986169,
                 -6.5257887472265166),
        makeCircle(KIND_C, -1.1223473707034199, -6.6618160400396578, 23.680761086318249),
        makeCircle(KIND_C, 5.9821938867246933, 3.0211009219761906, 12.646966603248899),
        makeLine(KIND_L, -1.4680851374419888, 29.842564557183263, -5.3406658687163482,
                 31.96243617382904)};
    EXPECT_EQ(expectSameAsExactSystem(o, MERGE_ROTATE).expected, 4);
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
