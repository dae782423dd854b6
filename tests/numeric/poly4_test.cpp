// Tests for Poly4 arithmetic and the determinant routines.
#include <gtest/gtest.h>

#include <stdexcept>

#include "numeric/determinant.h"
#include "numeric/poly4.h"

namespace {
Poly4 make(std::initializer_list<double> c) {
    Poly4 p;
    p.degree = static_cast<int>(c.size()) - 1;
    int i = 0;
    for (double v : c)
        p.coef[i++] = v;
    return p;
}

void expectZeroAbove(const Poly4& p) {
    for (int i = p.degree + 1; i < 5; ++i)
        EXPECT_EQ(p.coef[i], 0.0) << "coef " << i;
}
} // namespace

TEST(Poly4, CancellationLowersDegree) {
    Poly4 s = add(make({1, 1}), make({2, -1}));
    EXPECT_EQ(s.degree, 0);
    EXPECT_EQ(s.coef[0], 3.0);
    expectZeroAbove(s);

    Poly4 z = add(make({0, 0, 1}), make({0, 0, -1}));
    EXPECT_EQ(z.degree, 0);
    EXPECT_EQ(z.coef[0], 0.0);
    expectZeroAbove(z);

    Poly4 p = make({3, -2, 5, 7});
    Poly4 d = subtract(p, p);
    EXPECT_EQ(d.degree, 0);
    EXPECT_EQ(d.coef[0], 0.0);
    expectZeroAbove(d);
}

TEST(Poly4, AddKeepsHigherDegreeOperandEitherWay) {
    Poly4 lo = make({1, 2}), hi = make({0, 0, 0, 4});
    for (const Poly4& s : {add(lo, hi), add(hi, lo)}) {
        EXPECT_EQ(s.degree, 3);
        EXPECT_EQ(s.coef[0], 1.0);
        EXPECT_EQ(s.coef[1], 2.0);
        EXPECT_EQ(s.coef[3], 4.0);
        expectZeroAbove(s);
    }
}

TEST(Poly4, MultiplyAndDegree) {
    Poly4 d = multiply(make({1, 1}), make({1, -1}));
    EXPECT_EQ(d.degree, 2);
    EXPECT_EQ(d.coef[0], 1.0);
    EXPECT_EQ(d.coef[1], 0.0);
    EXPECT_EQ(d.coef[2], -1.0);

    Poly4 q = multiply(make({1, 2, 3}), make({4, 5, 6}));
    EXPECT_EQ(q.degree, 4);
    EXPECT_EQ(q.coef[4], 18.0);
    EXPECT_EQ(q.coef[2], 1 * 6 + 2 * 5 + 3 * 4);
    for (double t : {-2.0, 0.5, 3.0})
        EXPECT_NEAR(evaluate(q, t), evaluate(make({1, 2, 3}), t) * evaluate(make({4, 5, 6}), t),
                    1e-9);
}

TEST(Poly4, ProductAboveDegreeFourThrows) {
    EXPECT_THROW(multiply(make({1, 1, 1}), make({1, 1, 1, 1})), std::domain_error);
    EXPECT_THROW(multiply(make({0, 0, 0, 0, 1}), make({0, 1})), std::domain_error);
    EXPECT_NO_THROW(multiply(make({0, 0, 0, 0, 1}), make({2})));
}

TEST(Determinant, NumericCases) {
    const double id3[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    EXPECT_EQ(determinant(3, id3), 1.0);

    const double twoEqual[16] = {1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 4, 9, -1, 2, 0};
    EXPECT_EQ(determinant(4, twoEqual), 0.0);
}

TEST(Determinant, PolynomialMatchesNumericForConstants) {
    const double m[16] = {2, 1, 0, 3, -1, 4, 2, 0, 5, 0, 1, 1, 0, 2, -3, 1};
    Poly4 pm[16];
    for (int i = 0; i < 16; ++i)
        pm[i] = Poly4::constant(m[i]);
    Poly4 d = polyDeterminant(4, pm);
    EXPECT_EQ(d.degree, 0);
    EXPECT_DOUBLE_EQ(d.coef[0], determinant(4, m));
}

TEST(Determinant, PolynomialEntriesEvaluatePointwise) {
    // det(M(t)) evaluated at t must equal det of M evaluated at t.
    Poly4 pm[9];
    for (int i = 0; i < 9; ++i)
        pm[i] = make({double(i % 4) - 1.0, double(i % 3) - 1.0});
    pm[4] = Poly4::constant(2.0);
    Poly4 d = polyDeterminant(3, pm);
    EXPECT_LE(d.degree, 3);
    for (double t : {-1.0, 0.3, 2.0}) {
        double m[9];
        for (int i = 0; i < 9; ++i)
            m[i] = evaluate(pm[i], t);
        EXPECT_NEAR(evaluate(d, t), determinant(3, m), 1e-9);
    }
}
