// Merge by translation for the combinations with a tangency circle and a centre
// circle that no closed form covers: two planes give the centre through Cramer's
// rule, and two equations in the shift d and the radius z go to the algebra engine.
#include "solver/algebra_engine.h"
#include "solver/engine_trace.h"
#include "solver/general_solve.h"
#include "solver/line_plane.h"
#include "solver/merge_problem.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

namespace {

const Expr kZ = Expr::unknown("z"), kD = Expr::unknown("d");

// Objects 1 to 4 of the system: a tangency circle and its cluster mate (the
// reference cluster, which stays), then the other cluster's two objects.
struct Roles {
    const SceneObject* obj[4] = {};
    int reference = CLUSTER_1;
};

bool chooseRoles(const SceneObject* const slots[2][2], Roles& r) {
    bool found = false;
    for (int c = 0; c < 2 && !found; ++c)
        for (int s = 0; s < 2 && !found; ++s)
            if (slots[c][s]->kind == KIND_C) {
                r.reference = c;
                r.obj[0] = slots[c][s];
                r.obj[1] = slots[c][1 - s];
                found = true;
            }
    if (!found)
        return false;
    // A cluster holding a tangency circle and a centre circle is the better reference.
    const int other = 1 - r.reference;
    for (int s = 0; s < 2; ++s)
        if (slots[other][s]->kind == KIND_C && slots[other][1 - s]->kind == KIND_C_PRIME) {
            r.reference = other;
            r.obj[0] = slots[other][s];
            r.obj[1] = slots[other][1 - s];
        }
    r.obj[2] = slots[1 - r.reference][0];
    r.obj[3] = slots[1 - r.reference][1];
    if (isLineKind(r.obj[2]->kind) && !isLineKind(r.obj[3]->kind))
        std::swap(r.obj[2], r.obj[3]);
    if (r.obj[2]->kind == KIND_C_PRIME && r.obj[3]->kind == KIND_C)
        std::swap(r.obj[2], r.obj[3]);
    return true;
}

// A plane row A·x + B·y + CP = 0, CP holding z and d.
struct Row {
    Expr a = 0.0, b = 0.0, cp = 0.0;
};

Row lineRow(const LinePlane& p, const Expr& shift) {
    return {p.a, p.b, p.c * kZ + p.e - p.a * shift};
}

// The system's case: its label, its two rows, and the centre-on-circle object.
struct Case {
    const char* label = "CCp Problems";
    Row p3, p4;
    const SceneObject* centre = nullptr;
    double k2 = 0.0;
};

// Data enter the expressions before any arithmetic, so that the system is exact in
// them: a product or difference of doubles would be rounded.
Expr xOf(const SceneObject& o, bool moving) {
    return moving ? Expr(o.x[0]) + kD : Expr(o.x[0]);
}
Expr yOf(const SceneObject& o) {
    return o.y[0];
}
Expr rOf(const SceneObject& o) {
    return o.r;
}

// Radical plane of two tangency cones, either of which may slide with d.
Row coneRadicalRow(const SceneObject& i, bool iMoving, const SceneObject& j, bool jMoving) {
    const Expr xi = xOf(i, iMoving), xj = xOf(j, jMoving);
    return {2.0 * (xj - xi), 2.0 * (yOf(j) - yOf(i)),
            -2.0 * (rOf(j) - rOf(i)) * kZ + pow(xi, 2) + pow(yOf(i), 2) - pow(rOf(i), 2) -
                pow(xj, 2) - pow(yOf(j), 2) + pow(rOf(j), 2)};
}

// Radical plane of the fixed centre circle i and the sliding centre circle j.
Row centreRadicalRow(const SceneObject& i, const SceneObject& j) {
    const Expr xi = xOf(i, false), xj = xOf(j, true);
    return {2.0 * (xj - xi), 2.0 * (yOf(j) - yOf(i)),
            pow(xi, 2) + pow(yOf(i), 2) - pow(rOf(i), 2) - pow(xj, 2) - pow(yOf(j), 2) +
                pow(rOf(j), 2)};
}

bool isCircle(const SceneObject* o, int kind) {
    return o->kind == kind;
}

// False when a line of the case has no direction; k.centre stays null when no case
// fits the kinds.
bool chooseCase(const Roles& r, Case& k) {
    const SceneObject &o1 = *r.obj[0], &o2 = *r.obj[1], &o3 = *r.obj[2], &o4 = *r.obj[3];
    LinePlane plane2, plane3, plane4;
    const bool line2 = isLineKind(o2.kind), line3 = isLineKind(o3.kind),
               line4 = isLineKind(o4.kind);
    if ((line2 && !linePlane(o2, plane2)) || (line3 && !linePlane(o3, plane3)) ||
        (line4 && !linePlane(o4, plane4)))
        return false;
    if (line2 && line4) {
        k = {"L33, L36", lineRow(plane2, 0.0), lineRow(plane4, kD), &o3, 1.0};
    } else if (line3 && line4) {
        k = {"L42, L45", lineRow(plane3, kD), lineRow(plane4, kD), &o2, 0.0};
    } else if (line4 && isCircle(&o2, KIND_C_PRIME) && isCircle(&o3, KIND_C)) {
        k = {"L52, L57", coneRadicalRow(o1, false, o3, true), lineRow(plane4, kD), &o2, 0.0};
    } else if (line4 && isCircle(&o2, KIND_C_PRIME) && isCircle(&o3, KIND_C_PRIME)) {
        k = {"L53", centreRadicalRow(o2, o3), lineRow(plane4, kD), &o2, 0.0};
    } else if (line4 && isCircle(&o2, KIND_C) && isCircle(&o3, KIND_C_PRIME)) {
        k = {"L56", coneRadicalRow(o1, false, o2, false), lineRow(plane4, kD), &o3, 1.0};
    } else if (isCircle(&o2, KIND_C_PRIME) && isCircle(&o3, KIND_C) &&
               isCircle(&o4, KIND_C_PRIME)) {
        k = {"L62", coneRadicalRow(o1, false, o3, true), centreRadicalRow(o2, o4), &o2, 0.0};
    } else if (isCircle(&o2, KIND_C_PRIME) && isCircle(&o3, KIND_C) && isCircle(&o4, KIND_C)) {
        k = {"L63", coneRadicalRow(o1, false, o3, true), coneRadicalRow(o3, true, o4, true), &o2,
             0.0};
    }
    return true;
}

// feqn1 (object 1's cone) and feqn3 (that cone less the centre circle's cylinder) at
// the centre (delx/del, dely/del), multiplied through by del^2 and del.
EngineSystem caseSystem(const Case& k, const SceneObject& o1) {
    const Row &p3 = k.p3, &p4 = k.p4;
    const Expr del = p3.a * p4.b - p3.b * p4.a;
    const Expr delx = p3.b * p4.cp - p4.b * p3.cp;
    const Expr dely = p4.a * p3.cp - p3.a * p4.cp;
    const Expr x1 = xOf(o1, false), y1 = yOf(o1), r1 = rOf(o1);
    const Expr y2 = yOf(*k.centre), r2 = rOf(*k.centre);
    const Expr x2d = xOf(*k.centre, false) + k.k2 * kD;
    const Expr feqn1 =
        pow(delx - del * x1, 2) + pow(dely - del * y1, 2) - pow(del, 2) * pow(kZ - r1, 2);
    const Expr feqn3 =
        2.0 * (x2d - x1) * delx + 2.0 * (y2 - y1) * dely +
        del * (pow(x1, 2) + pow(y1, 2) - pow(kZ - r1, 2) - pow(x2d, 2) - pow(y2, 2) + pow(r2, 2));
    EngineSystem s;
    s.equations = {feqn1, feqn3};
    s.unknowns = {"z", "d"};
    s.outputs = {delx, dely, del};
    return s;
}

std::string resultStatement(const char* name, const char* unknown, int j) {
    char text[64];
    std::snprintf(text, sizeof text, "%s := subs(result[%d], %s);", name, j, unknown);
    return text;
}

} // namespace

int MergeProblem::T_RemainSolver() {
    Roles roles;
    Case k;
    if (!chooseRoles(slots, roles)) {
        setMessage("No result!(CCp Problems)");
        return 0;
    }
    if (!chooseCase(roles, k)) {
        setMessage(kLineWithoutDirection);
        return 0;
    }
    if (!k.centre) {
        setMessage("No result!(CCp Problems)");
        return 0;
    }
    EngineSession engine;
    if (!engine.started()) {
        setMessage("Maple Error!");
        return 0;
    }
    const std::optional<EngineResult> result = engine.solve(caseSystem(k, *roles.obj[0]));
    if (!result) {
        setMessage("No result!");
        return 0;
    }
    const bool referenceMoves = roles.reference == CLUSTER_2;
    for (int j = 1; j <= static_cast<int>(result->size()); ++j) {
        traceEngineStatement(resultStatement("rd", "d", j));
        traceEngineStatement(resultStatement("rz", "z", j));
        const EngineRoot& root = (*result)[static_cast<size_t>(j - 1)];
        if (root.kind == RootKind::NotNumeric) {
            // A curve of the reduced system: the two planes may have stopped fixing
            // the centre along it.
            markDegenerate();
            continue;
        }
        const std::complex<double> rd = root.values[1];
        if (!nearlyReal(root)) {
            appendCandidate(kComplexCandidate, rd.real(), rd.imag(), 0.0, 0.0);
            continue;
        }
        const double rz = root.values[0].real();
        const double shift = referenceMoves ? -rd.real() : rd.real();
        if (root.outputs[2].zero) {
            // The two planes are parallel at this shift, so they do not fix the centre:
            // the full system of the four constraints does.
            markDegenerate();
            continue;
        }
        const double del = root.outputs[2].value.real();
        const double x = root.outputs[0].value.real() / del;
        const double y = root.outputs[1].value.real() / del;
        if (root.kind == RootKind::Real)
            appendCandidate(KIND_C, referenceMoves ? x - rd.real() : x, y, rz, shift);
        else
            appendRealPartOrComplex(referenceMoves ? x - rd.real() : x, y, rz, shift, rd);
    }
    if (solutionCount == 0) {
        char text[kMessageSize];
        std::snprintf(text, sizeof text, "No result!(%s)", k.label);
        setMessage(text);
        return 0;
    }
    return 1;
}
