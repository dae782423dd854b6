// Where the loci of two centre constraints meet: line-line, line-circle, and
// circle-circle through their radical line.
#include "solver/merge_problem.h"

#include <cmath>

namespace {

struct Line {
    double a, b, e;
};

Line lineThrough(const SceneObject* o) {
    const double a = o->y[0] - o->y[1], b = o->x[1] - o->x[0];
    return {a, b, -(a * o->x[0] + b * o->y[0])};
}

} // namespace

int intersectCentreLoci(const SceneObject* A, const SceneObject* B, double outX[2],
                        double outY[2]) {
    if (A->kind == KIND_L_PRIME && B->kind == KIND_L_PRIME) {
        const Line l1 = lineThrough(A), l2 = lineThrough(B);
        const double det = l1.a * l2.b - l2.a * l1.b;
        if (det == 0.0)
            return 0;
        outX[0] = -(l2.b * l1.e - l2.e * l1.b) / det;
        outY[0] = (l2.a * l1.e - l2.e * l1.a) / det;
        return std::isfinite(outX[0]) && std::isfinite(outY[0]) ? 1 : 0;
    }
    Line line;
    const SceneObject* circle;
    if (A->kind == KIND_L_PRIME) {
        line = lineThrough(A);
        circle = B;
    } else if (B->kind == KIND_L_PRIME) {
        line = lineThrough(B);
        circle = A;
    } else {
        line = {2.0 * (B->x[0] - A->x[0]), 2.0 * (B->y[0] - A->y[0]),
                A->x[0] * A->x[0] + A->y[0] * A->y[0] - A->r * A->r - B->x[0] * B->x[0] -
                    B->y[0] * B->y[0] + B->r * B->r};
        circle = A;
    }
    if (line.a == 0.0 && line.b == 0.0)
        return 0; // concentric circles or a line without direction: no isolated points

    const double cx = circle->x[0], cy = circle->y[0], r = circle->r;
    const double P = line.a * (cx - r) + line.b * cy + line.e;
    const double Q = 2.0 * line.b * r;
    const double R = line.a * (cx + r) + line.b * cy + line.e;

    double t[2];
    int n = 0;
    int outCount = 0;
    if (P == 0.0) {
        // The half-angle form misses the point t = infinity, (cx - r, cy), which then
        // lies on the line; the equation left is linear.
        outX[outCount] = cx - r;
        outY[outCount] = cy;
        ++outCount;
        if (Q != 0.0)
            t[n++] = -R / Q;
    } else {
        const double disc = Q * Q - 4.0 * P * R;
        if (disc < 0.0)
            return 0;
        const double s = std::sqrt(disc);
        t[n++] = (s - Q) / (2.0 * P);
        const double t2 = (-Q - s) / (2.0 * P);
        if (t2 != t[0])
            t[n++] = t2;
    }
    for (int i = 0; i < n; ++i) {
        const double x = (1.0 - t[i] * t[i]) * r / (t[i] * t[i] + 1.0) + cx;
        const double y = 2.0 * t[i] * r / (t[i] * t[i] + 1.0) + cy;
        if (!std::isfinite(x) || !std::isfinite(y))
            continue;
        if (outCount == 1 && x == outX[0] && y == outY[0])
            continue;
        outX[outCount] = x;
        outY[outCount] = y;
        ++outCount;
    }
    return outCount;
}
