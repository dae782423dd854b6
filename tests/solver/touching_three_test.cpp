// Circles touching three objects, for every combination of kinds, against an independent
// search: Newton's method on the plain-geometry equations from many random starts finds
// every real circle, and the two sets must agree one for one.
#include "solver/touching_three.h"

#include "tests/support/known_answer.h"
#include "tests/support/make_objects.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

struct Circle {
    double x, y, r;
};

// One constraint written from its geometric meaning, with its gradient in (x, y, r).
double equation(const SceneObject& o, const Circle& c, double grad[3]) {
    if (isLineKind(o.kind)) {
        const double dx = o.x[1] - o.x[0], dy = o.y[1] - o.y[0];
        const double len = std::hypot(dx, dy);
        const double nx = -dy / len, ny = dx / len; // left normal
        const double side = nx * (c.x - o.x[0]) + ny * (c.y - o.y[0]);
        grad[0] = nx, grad[1] = ny;
        grad[2] = o.kind == KIND_L ? -1.0 : 0.0;
        return o.kind == KIND_L ? side - c.r : side;
    }
    const double ex = c.x - o.x[0], ey = c.y - o.y[0];
    grad[0] = 2 * ex, grad[1] = 2 * ey;
    if (o.kind == KIND_C_PRIME) {
        grad[2] = 0;
        return ex * ex + ey * ey - o.r * o.r;
    }
    grad[2] = -2 * (c.r - o.r);
    return ex * ex + ey * ey - (c.r - o.r) * (c.r - o.r);
}

// Distance-like violation, so that one tolerance fits every kind.
double violation(const SceneObject& o, const Circle& c) {
    if (isLineKind(o.kind)) {
        double g[3];
        return std::fabs(equation(o, c, g));
    }
    const double d = std::hypot(c.x - o.x[0], c.y - o.y[0]);
    return std::fabs(d - std::fabs(o.kind == KIND_C_PRIME ? o.r : c.r - o.r));
}

bool solve3(double a[3][3], double b[3], double out[3]) {
    const double det = a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
                       a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
                       a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    if (!(std::fabs(det) > 1e-300))
        return false;
    for (int k = 0; k < 3; ++k) {
        double m[3][3];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                m[i][j] = j == k ? b[i] : a[i][j];
        out[k] = (m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                  m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                  m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0])) /
                 det;
    }
    return true;
}

// Every real circle meeting the three constraints, by Newton from random starts.
std::vector<Circle> newtonCircles(const std::array<SceneObject, 3>& objs, std::mt19937& rng) {
    std::uniform_real_distribution<double> start(-150.0, 150.0);
    std::vector<Circle> found;
    for (int trial = 0; trial < 3000; ++trial) {
        Circle c{start(rng), start(rng), start(rng)};
        bool converged = false;
        for (int it = 0; it < 60 && !converged; ++it) {
            double jac[3][3], f[3], step[3];
            for (int i = 0; i < 3; ++i)
                f[i] = -equation(objs[i], c, jac[i]);
            if (!solve3(jac, f, step))
                break;
            c = {c.x + step[0], c.y + step[1], c.r + step[2]};
            converged = std::fabs(step[0]) + std::fabs(step[1]) + std::fabs(step[2]) < 1e-12;
        }
        if (!converged || !std::isfinite(c.x + c.y + c.r))
            continue;
        double worst = 0;
        for (const SceneObject& o : objs)
            worst = std::max(worst, violation(o, c));
        if (worst > 1e-7)
            continue;
        bool known = false;
        for (const Circle& k : found)
            known =
                known || std::fabs(k.x - c.x) + std::fabs(k.y - c.y) + std::fabs(k.r - c.r) < 1e-5;
        if (!known)
            found.push_back(c);
    }
    return found;
}

struct Three {
    std::array<SceneObject, 3> obj;
    MergeProblem p;
    explicit Three(const std::array<SceneObject, 3>& o) : obj(o) {
        p.addObject(1, &obj[0]);
        p.addObject(1, &obj[1]);
        p.addObject(2, &obj[2]);
    }
};

const char* kLetters[4] = {"C", "L", "C'", "L'"};

} // namespace

TEST(TouchingThree, EveryKindCombinationAgreesWithAnIndependentSearch) {
    std::mt19937 rng(17);
    std::uniform_real_distribution<double> coord(-40.0, 40.0), radius(3.0, 25.0);
    int combinations = 0;
    for (int a = 0; a < 4; ++a)
        for (int b = a; b < 4; ++b)
            for (int c = b; c < 4; ++c) {
                const int kinds[3] = {a, b, c};
                const bool centreOnly = a >= KIND_C_PRIME;
                if (centreOnly)
                    continue;
                ++combinations;
                for (int instance = 0; instance < 4; ++instance) {
                    const double X = coord(rng), Y = coord(rng);
                    const double R = radius(rng) * (rng() % 2 ? 1 : -1);
                    std::array<SceneObject, 3> objs;
                    for (int i = 0; i < 3; ++i)
                        objs[i] = objectMeeting(kinds[i], X, Y, R, rng);
                    const std::string label = std::string(kLetters[a]) + kLetters[b] + kLetters[c] +
                                              " #" + std::to_string(instance);
                    Three t(objs);
                    ASSERT_EQ(solveTouchingThree(t.p), TouchingThreeOutcome::Found)
                        << label << ": " << t.p.message;
                    EXPECT_EQ(t.p.mode, kNoMotion);
                    const std::vector<Circle> expected = newtonCircles(objs, rng);
                    ASSERT_FALSE(expected.empty()) << label;
                    EXPECT_EQ(t.p.solutionCount, static_cast<int>(expected.size())) << label;
                    for (const Circle& e : expected) {
                        int matches = 0;
                        for (int n = 0; n < t.p.solutionCount; ++n) {
                            const SceneObject& s = t.p.solutions[n];
                            matches += std::fabs(s.x[0] - e.x) < 1e-6 &&
                                       std::fabs(s.y[0] - e.y) < 1e-6 &&
                                       std::fabs(s.r - e.r) < 1e-6;
                        }
                        EXPECT_EQ(matches, 1)
                            << label << ": circle (" << e.x << ", " << e.y << ", " << e.r << ")";
                    }
                    for (int n = 0; n < t.p.solutionCount; ++n) {
                        EXPECT_EQ(t.p.parameter[n], 0.0);
                        EXPECT_EQ(t.p.solutions[n].kind, KIND_C);
                    }
                }
            }
    EXPECT_EQ(combinations, 16);
}

TEST(TouchingThree, IncircleOfATriangleIsTheOnlyAnswerOfThreeLines) {
    // Counter-clockwise sides of the 3-4-5 triangle: the incircle (1, 1, 1) lies on the left
    // of each; with all three sides oriented, no other circle touches them.
    Three t(
        {makeLine(KIND_L, 0, 0, 4, 0), makeLine(KIND_L, 4, 0, 0, 3), makeLine(KIND_L, 0, 3, 0, 0)});
    ASSERT_EQ(solveTouchingThree(t.p), TouchingThreeOutcome::Found);
    ASSERT_EQ(t.p.solutionCount, 1);
    EXPECT_NEAR(t.p.solutions[0].x[0], 1.0, 1e-12);
    EXPECT_NEAR(t.p.solutions[0].y[0], 1.0, 1e-12);
    EXPECT_NEAR(t.p.solutions[0].r, 1.0, 1e-12);
}

TEST(TouchingThree, ThreeCentreConstraintsAreNamedUnderdetermined) {
    for (const auto& objs : {std::array<SceneObject, 3>{makeCircle(KIND_C_PRIME, 0, 0, 5),
                                                        makeCircle(KIND_C_PRIME, 6, 0, 5),
                                                        makeCircle(KIND_C_PRIME, 3, 9, 5)},
                             std::array<SceneObject, 3>{makeLine(KIND_L_PRIME, 0, 0, 1, 0),
                                                        makeLine(KIND_L_PRIME, 0, 0, 0, 1),
                                                        makeCircle(KIND_C_PRIME, 0, 3, 3)}}) {
        Three t(objs);
        EXPECT_EQ(solveTouchingThree(t.p), TouchingThreeOutcome::CentreOnly);
        EXPECT_EQ(t.p.solutionCount, 0);
        EXPECT_STREQ(t.p.message, "Infinitely many circles meet these three constraints.");
        EXPECT_TRUE(t.p.underdetermined);
    }
}

TEST(TouchingThree, TwoEqualTangentLinesLeaveAFamily) {
    // The same oriented line twice and a centre circle: every centre on the circle with r its
    // distance from the line meets all three.
    Three t({makeLine(KIND_L, 0, 0, 10, 0), makeLine(KIND_L, 0, 0, 10, 0),
             makeCircle(KIND_C_PRIME, 0, 20, 5)});
    EXPECT_EQ(solveTouchingThree(t.p), TouchingThreeOutcome::Curve);
    EXPECT_EQ(t.p.solutionCount, 0);
    EXPECT_TRUE(t.p.underdetermined);
}

TEST(TouchingThree, ComplexAndImpossibleSetsAddNothing) {
    // The centre would lie on the x axis and on a circle 10 above it of radius 1.
    Three complex({makeLine(KIND_L_PRIME, 0, 0, 1, 0), makeCircle(KIND_C_PRIME, 0, 10, 1),
                   makeCircle(KIND_C, 0, 0, 1)});
    int complexCount = -1;
    EXPECT_EQ(solveTouchingThree(complex.p, &complexCount), TouchingThreeOutcome::NoRealCircle);
    EXPECT_EQ(complexCount, 4);
    // Concentric circles of radii 1, 2, 3: |r - 1| = |r - 2| = |r - 3| has no solution.
    Three none(
        {makeCircle(KIND_C, 0, 0, 1), makeCircle(KIND_C, 0, 0, 2), makeCircle(KIND_C, 0, 0, 3)});
    EXPECT_EQ(solveTouchingThree(none.p, &complexCount), TouchingThreeOutcome::NoRealCircle);
    EXPECT_EQ(complexCount, 0);
    EXPECT_EQ(none.p.solutionCount, 0);
}

TEST(TouchingThree, ALineWithoutDirectionOrAMissingObjectIsRefused) {
    Three flat(
        {makeLine(KIND_L, 3, 3, 3, 3), makeCircle(KIND_C, 0, 0, 1), makeCircle(KIND_C, 9, 0, 1)});
    EXPECT_EQ(solveTouchingThree(flat.p), TouchingThreeOutcome::LineWithoutDirection);
    SceneObject a = makeCircle(KIND_C, 0, 0, 1), b = makeCircle(KIND_C, 5, 0, 1);
    MergeProblem two;
    two.addObject(1, &a);
    two.addObject(1, &b);
    EXPECT_EQ(solveTouchingThree(two), TouchingThreeOutcome::NotThree);
    EXPECT_STREQ(two.message, "Please select three objects.");
}
