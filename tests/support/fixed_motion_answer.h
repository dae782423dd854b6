// Merge problems built around a known answer: a new circle and a shift or angle that
// meet four constraints of chosen kinds. Used by known-answer tests and benchmarks.
#pragma once

#include "solver/merge_problem.h"

#include <cmath>
#include <random>

// Its own namespace: the completeness tests build their problems with known_answer.h.
namespace fixed_motion {

struct KnownAnswer {
    SceneObject obj[4]; // cluster 1 slot 0, slot 1, cluster 2 slot 0, slot 1
    int mode = MERGE_TRANSLATE;
    double parameter = 0, x = 0, y = 0, r = 0;

    void addTo(MergeProblem& p) {
        for (int i = 0; i < 4; ++i)
            p.addObject(i < 2 ? 1 : 2, &obj[i]);
    }

    // Whether a real candidate of p is this answer.
    bool foundIn(const MergeProblem& p, double tol = 1e-6) const {
        for (int n = 0; n < p.solutionCount; ++n) {
            const SceneObject& s = p.solutions[n];
            if (s.kind != KIND_C)
                continue;
            double dp = p.parameter[n] - parameter;
            if (mode == MERGE_ROTATE)
                dp = std::remainder(dp, 2.0 * M_PI);
            if (std::fabs(dp) <= tol * (1 + std::fabs(parameter)) &&
                std::fabs(s.x[0] - x) <= tol * (1 + std::fabs(x)) &&
                std::fabs(s.y[0] - y) <= tol * (1 + std::fabs(y)) &&
                std::fabs(s.r - r) <= tol * (1 + std::fabs(r)))
                return true;
        }
        return false;
    }
};

// Builds an object of the given kind that the circle (cx, cy, cr) meets.
inline SceneObject objectMeeting(int kind, double cx, double cy, double cr, std::mt19937& rng) {
    std::uniform_real_distribution<double> coord(-20, 20), angle(-M_PI, M_PI), span(2, 12);
    SceneObject o;
    o.kind = kind;
    if (!isLineKind(kind)) {
        const double px = coord(rng), py = coord(rng);
        const double dist = std::hypot(px - cx, py - cy);
        const bool flip = std::bernoulli_distribution(0.5)(rng);
        // Tangency: centre distance |cr - ri|; centre on the circle: distance |ri|.
        const double ri = kind == KIND_C ? cr + (flip ? dist : -dist) : (flip ? dist : -dist);
        o.setCircle(px, py, ri);
        return o;
    }
    const double phi = angle(rng), ux = std::cos(phi), uy = std::sin(phi);
    // A tangency line has the centre at signed distance cr on its left.
    const double off = kind == KIND_L ? cr : 0.0;
    const double fx = cx + off * uy, fy = cy - off * ux;
    const double back = span(rng), ahead = span(rng);
    o.setPoint(fx - back * ux, fy - back * uy, 0);
    o.setPoint(fx + ahead * ux, fy + ahead * uy, 1);
    return o;
}

// Moves a cluster-2 object back by the inverse of the merge motion, so that the
// motion brings it where the answer needs it.
inline SceneObject unmoved(const SceneObject& o, int mode, double parameter) {
    SceneObject m = o;
    for (int k = 0; k < 2; ++k) {
        if (mode == MERGE_TRANSLATE) {
            m.x[k] = o.x[k] - parameter;
        } else {
            const double c = std::cos(-parameter), s = std::sin(-parameter);
            m.x[k] = o.x[k] * c - o.y[k] * s;
            m.y[k] = o.x[k] * s + o.y[k] * c;
        }
    }
    return m;
}

// A known answer with the given shift or angle.
inline KnownAnswer makeKnownAnswerAt(const int kinds[4], int mode, double parameter,
                                     std::mt19937& rng) {
    std::uniform_real_distribution<double> coord(-15, 15), radius(1, 8);
    KnownAnswer k;
    k.mode = mode;
    k.parameter = parameter;
    k.x = coord(rng);
    k.y = coord(rng);
    k.r = std::bernoulli_distribution(0.5)(rng) ? radius(rng) : -radius(rng);
    for (int i = 0; i < 4; ++i) {
        const SceneObject placed = objectMeeting(kinds[i], k.x, k.y, k.r, rng);
        k.obj[i] = i < 2 ? placed : unmoved(placed, mode, k.parameter);
    }
    return k;
}

// A shift in [-20, 20] or an angle in (-2.8, 2.8), well away from a half turn.
inline KnownAnswer makeKnownAnswer(const int kinds[4], int mode, std::mt19937& rng) {
    std::uniform_real_distribution<double> shift(-20, 20), turn(-2.8, 2.8);
    const double parameter = mode == MERGE_TRANSLATE ? shift(rng) : turn(rng);
    return makeKnownAnswerAt(kinds, mode, parameter, rng);
}

} // namespace fixed_motion
