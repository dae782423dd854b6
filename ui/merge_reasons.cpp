// Each reason is decided from the geometry the solve saw: the counts per cluster, lines
// without direction, centre loci that never meet, and what the candidates turned out to be.
#include "ui/merge_reasons.h"

#include "solver/line_plane.h"
#include "ui/preview_picture.h"

#include <cmath>

namespace {

bool isCentreKind(int kind) {
    return kind == KIND_C_PRIME || kind == KIND_L_PRIME;
}

// Two centre loci that are one and the same curve meet everywhere.
bool sameLocus(const SceneObject& a, const SceneObject& b) {
    if (a.kind != b.kind)
        return false;
    if (a.kind == KIND_C_PRIME)
        return a.x[0] == b.x[0] && a.y[0] == b.y[0] && std::fabs(a.r) == std::fabs(b.r);
    LinePlane pa, pb;
    if (!linePlane(a, pa) || !linePlane(b, pb))
        return false;
    const double scale = 1.0 + std::fabs(pa.e) + std::fabs(pb.e);
    const bool parallel = std::fabs(pa.a * pb.b - pa.b * pb.a) <= 1e-12;
    // The offsets compare with the normals' signs aligned.
    const double sign = pa.a * pb.a + pa.b * pb.b < 0 ? -1.0 : 1.0;
    return parallel && std::fabs(pa.e - sign * pb.e) <= 1e-12 * scale;
}

std::string clusterCountText(int count) {
    return std::to_string(count) + (count == 1 ? " object" : " objects");
}

// The first line of the problem without a direction, or empty.
std::string lineWithoutDirectionReason(const MergeProblem& p) {
    for (int c = 0; c < 2; ++c)
        for (int s = 0; s < p.slotCount[c]; ++s) {
            const SceneObject* o = p.slots[c][s];
            LinePlane plane;
            if (o && isLineKind(o->kind) && !linePlane(*o, plane))
                return "The line " + o->toString() +
                       " has two equal end points, so it has no direction.";
        }
    return {};
}

} // namespace

std::string failureReason(const MergeProblem& p) {
    if (p.slotCount[0] != 2 || p.slotCount[1] != 2)
        return "Pick two objects for each cluster: cluster 1 has " +
               clusterCountText(p.slotCount[0]) + " and cluster 2 has " +
               clusterCountText(p.slotCount[1]) + ".";
    if (std::string line = lineWithoutDirectionReason(p); !line.empty())
        return line;
    int centreCircles = 0;
    for (int c = 0; c < 2; ++c)
        for (int s = 0; s < 2; ++s)
            centreCircles += p.slots[c][s]->kind == KIND_C_PRIME;
    if (centreCircles > 2)
        return "At most two of the four objects may be C' (centre on a circle); this merge has " +
               std::to_string(centreCircles) + ".";

    for (int c = 0; c < 2; ++c) {
        const SceneObject& a = *p.slots[c][0];
        const SceneObject& b = *p.slots[c][1];
        if (!isCentreKind(a.kind) || !isCentreKind(b.kind) || sameLocus(a, b))
            continue;
        double x[2], y[2];
        if (intersectCentreLoci(&a, &b, x, y) == 0)
            return "The two centre constraints of cluster " + std::to_string(c + 1) + " (" +
                   kindLetter(a.kind) + " and " + kindLetter(b.kind) +
                   ") do not meet, so no centre is possible.";
    }

    if (p.underdetermined)
        return "The four constraints leave a whole family of circles, so no single one can be "
               "added: change one of the objects so that they fix the new circle.";

    int complex = 0, real = 0;
    for (int n = 0; n < p.solutionCount; ++n)
        (p.solutions[n].kind == KIND_C ? real : complex) += 1;
    if (real == 0 && complex == 1)
        return "The only candidate is complex: no real circle meets the four constraints.";
    if (real == 0 && complex > 1)
        return "All " + std::to_string(complex) +
               " candidates are complex: no real circle meets the four constraints.";
    if (p.mode == MERGE_ROTATE)
        return "No turn of cluster 2 about the origin lets one circle meet all four constraints.";
    return "No shift of cluster 2 along x lets one circle meet all four constraints.";
}

std::string touchingThreeReason(const MergeProblem& p, TouchingThreeOutcome outcome,
                                int complexCount) {
    switch (outcome) {
    case TouchingThreeOutcome::Found:
        return {};
    case TouchingThreeOutcome::NotThree:
        return "Pick three objects.";
    case TouchingThreeOutcome::LineWithoutDirection:
        return lineWithoutDirectionReason(p);
    case TouchingThreeOutcome::CentreOnly:
        return "All three are centre constraints (C' or L'): they can fix the centre but never "
               "the radius, so the new circle is not fixed.";
    case TouchingThreeOutcome::Curve:
        return "These three constraints leave a whole family of circles: they do not fix the "
               "new circle.";
    case TouchingThreeOutcome::EngineFailed:
        return "The exact solver could not finish this system.";
    case TouchingThreeOutcome::NoRealCircle:
        break;
    }
    if (complexCount == 1)
        return "The only solution is complex: no real circle meets the three constraints.";
    if (complexCount > 1)
        return "All " + std::to_string(complexCount) +
               " solutions are complex: no real circle meets the three constraints.";
    return "No circle meets the three constraints.";
}

std::string complexChoiceReason(const MergeProblem& p, int n) {
    return "The chosen candidate " + candidateLine(p, n) +
           " is complex: it stands for no real circle, so nothing was added.";
}

std::string infoWithReason(const std::string& message, const std::string& reason) {
    const std::string first = message.empty() ? "No result." : message;
    return reason.empty() ? first : first + "\n" + reason;
}
