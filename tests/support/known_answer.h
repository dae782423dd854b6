// Merge problems built backwards from a known answer: choose the new circle and the
// motion, place four objects that meet their constraints, then move cluster 2 back.
#pragma once

#include "solver/merge_problem.h"

#include <array>
#include <cmath>
#include <random>
#include <vector>

struct KnownAnswer {
    double parameter = 0, x = 0, y = 0, r = 0;
};

struct KnownMerge {
    std::array<SceneObject, 4> obj; // cluster 1 slot 0, slot 1, cluster 2 slot 0, slot 1
    KnownAnswer answer;
    int mode = MERGE_TRANSLATE;

    // Fills p's clusters with this merge's objects (p refers to them).
    void load(MergeProblem& p) {
        for (int i = 0; i < 4; ++i)
            p.addObject(i < 2 ? 1 : 2, &obj[i]);
    }
    // Index of the candidate matching the known answer within tol, or -1.
    int match(const MergeProblem& p, double tol) const {
        for (int i = 0; i < p.solutionCount; ++i) {
            const SceneObject& s = p.solutions[i];
            if (s.kind == KIND_C && std::fabs(p.parameter[i] - answer.parameter) < tol &&
                std::fabs(s.x[0] - answer.x) < tol && std::fabs(s.y[0] - answer.y) < tol &&
                std::fabs(s.r - answer.r) < tol)
                return i;
        }
        return -1;
    }
};

// An object of the given kind that the circle (x, y, r) meets.
inline SceneObject objectMeeting(int kind, double x, double y, double r, std::mt19937& rng) {
    std::uniform_real_distribution<double> angle(-M_PI, M_PI), size(2.0, 30.0), along(-20.0, 20.0);
    SceneObject o;
    o.kind = kind;
    const double phi = angle(rng);
    if (kind == KIND_C || kind == KIND_C_PRIME) {
        double ri = size(rng) * (rng() % 2 ? 1 : -1);
        double dist = kind == KIND_C ? std::fabs(r - ri) : std::fabs(ri);
        o.setCircle(x + dist * std::cos(phi), y + dist * std::sin(phi), ri);
        return o;
    }
    const double ux = std::cos(phi), uy = std::sin(phi);
    // The circle's centre sits at signed distance r (tangency) or 0 (centre line)
    // on the line's left.
    const double offset = kind == KIND_L ? r : 0.0;
    const double s = along(rng);
    const double px = x + offset * uy + s * ux, py = y - offset * ux + s * uy;
    const double len = size(rng);
    o.setPoint(px, py, 0);
    o.setPoint(px + len * ux, py + len * uy, 1);
    return o;
}

// Moves o by the inverse of cluster 2's motion.
inline SceneObject movedBack(SceneObject o, int mode, double parameter) {
    for (int k = 0; k < 2; ++k) {
        if (mode == MERGE_ROTATE) {
            const double c = std::cos(-parameter), s = std::sin(-parameter);
            const double x = o.x[k];
            o.x[k] = x * c - o.y[k] * s;
            o.y[k] = x * s + o.y[k] * c;
        } else {
            o.x[k] -= parameter;
        }
    }
    return o;
}

// Kinds from letters: C, L, c (for C') and l (for L').
inline std::array<int, 4> kindsFromLetters(const char* code) {
    std::array<int, 4> kinds{};
    for (int i = 0; i < 4; ++i)
        kinds[i] = code[i] == 'C'   ? KIND_C
                   : code[i] == 'L' ? KIND_L
                   : code[i] == 'c' ? KIND_C_PRIME
                                    : KIND_L_PRIME;
    return kinds;
}

inline KnownMerge makeKnownMerge(const std::array<int, 4>& kinds, int mode, std::mt19937& rng) {
    std::uniform_real_distribution<double> coord(-40.0, 40.0), radius(3.0, 25.0),
        shift(-30.0, 30.0), turn(-3.0, 3.0);
    KnownMerge m;
    m.mode = mode;
    m.answer = {mode == MERGE_ROTATE ? turn(rng) : shift(rng), coord(rng), coord(rng),
                radius(rng) * (rng() % 2 ? 1 : -1)};
    for (int i = 0; i < 4; ++i) {
        SceneObject o = objectMeeting(kinds[i], m.answer.x, m.answer.y, m.answer.r, rng);
        m.obj[i] = i < 2 ? o : movedBack(o, mode, m.answer.parameter);
    }
    return m;
}

inline SceneObject makeLineThrough(double x0, double y0, double x1, double y1) {
    SceneObject o;
    o.kind = KIND_L;
    o.setPoint(x0, y0, 0);
    o.setPoint(x1, y1, 1);
    return o;
}

inline SceneObject makeCircleAt(double x, double y, double r) {
    SceneObject o;
    o.kind = KIND_C;
    o.setCircle(x, y, r);
    return o;
}
