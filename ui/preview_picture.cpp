// Bounding box with the origin, one scale for both axes, y upward, and lines drawn
// border to border along their dominant axis.
#include "ui/preview_picture.h"

#include "solver/constraint_residual.h"
#include "solver/touching_three.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kDegreesPerRadian = 57.29577791868204;
// Pixel coordinates are kept well inside int; a finite picture never gets near this.
constexpr double kPixelLimit = 1e9;

int pixel(double v) {
    return static_cast<int>(std::clamp(v, -kPixelLimit, kPixelLimit));
}

struct Box {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    void extend(double x, double y) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    void extend(const SceneObject& o) {
        if (isLineKind(o.kind)) {
            extend(o.x[0], o.y[0]);
            extend(o.x[1], o.y[1]);
        } else {
            const double r = std::fabs(o.r);
            extend(o.x[0] - r, o.y[0] - r);
            extend(o.x[0] + r, o.y[0] + r);
        }
    }
};

struct Mapping {
    PixelArea area;
    Box box;
    double s = 1;
    double relX(double x) const { return s * (x - box.minX); }
    double relY(double y) const { return s * (y - box.minY); } // upward from the bottom
    double toPixelX(double rx) const { return area.left + rx; }
    double toPixelY(double ry) const { return area.top + area.height - ry; }
};

PreviewShape ellipse(const Mapping& m, double x, double y, double r, int red, int green, int blue) {
    const double X = m.toPixelX(m.relX(x)), Y = m.toPixelY(m.relY(y));
    const double R = std::fabs(m.s * r);
    return {PreviewShape::Ellipse, pixel(X - R), pixel(Y - R), pixel(X + R),
            pixel(Y + R),          red,          green,        blue};
}

bool wholeLine(const Mapping& m, const SceneObject& o, PreviewShape& out) {
    const double px = m.relX(o.x[0]), py = m.relY(o.y[0]);
    const double dx = m.relX(o.x[1]) - px, dy = m.relY(o.y[1]) - py;
    const bool vertical =
        std::abs(static_cast<long long>(dx)) < std::abs(static_cast<long long>(dy));
    double ax, ay, bx, by;
    if (vertical) {
        if (dy == 0.0)
            return false;
        ay = m.area.height;
        ax = px + dx * (ay - py) / dy;
        by = 0;
        bx = px + dx * (by - py) / dy;
    } else {
        if (dx == 0.0)
            return false;
        ax = m.area.width;
        ay = py + dy * (ax - px) / dx;
        bx = 0;
        by = py + dy * (bx - px) / dx;
    }
    out = {PreviewShape::Line,
           pixel(m.toPixelX(ax)),
           pixel(m.toPixelY(ay)),
           pixel(m.toPixelX(bx)),
           pixel(m.toPixelY(by)),
           o.red,
           o.green,
           o.blue};
    return true;
}

} // namespace

std::string candidateLine(const MergeProblem& p, int n) {
    const SceneObject& s = p.solutions[n];
    const char letter = p.mode == MERGE_ROTATE ? 'R' : 'T';
    char text[160];
    if (p.mode == kNoMotion)
        std::snprintf(text, sizeof text, "C(%.2f, %.2f, %.2f)", s.x[0], s.y[0], s.r);
    else if (s.kind != KIND_C)
        std::snprintf(text, sizeof text, "%c:%.7f + (%.7f)i", letter, s.x[0], s.y[0]);
    else
        std::snprintf(text, sizeof text, "%c:%.4f (%.2f, %.2f, %.2f)", letter,
                      p.mode == MERGE_ROTATE ? p.parameter[n] * kDegreesPerRadian : p.parameter[n],
                      s.x[0], s.y[0], s.r);
    return text;
}

std::string candidateToolTip(const MergeProblem& p, int n) {
    if (p.solutions[n].kind != KIND_C)
        return "Complex candidate: it stands for no real circle and cannot be applied.";
    char text[160];
    std::snprintf(text, sizeof text, "Residual %.2g: the largest violation of the constraints%s.",
                  candidateResidual(p, n), p.mode == kNoMotion ? "" : " after the move");
    return text;
}

std::string complexCandidateText(const SceneObject& candidate) {
    char text[96];
    std::snprintf(text, sizeof text, "%e + (%e)i", candidate.x[0], candidate.y[0]);
    return text;
}

std::vector<PreviewShape> previewPicture(const MergeProblem& p, int k, const PixelArea& area) {
    std::vector<PreviewShape> shapes;
    if (k < 0 || k >= p.solutionCount)
        return shapes;
    const SceneObject& candidate = p.solutions[k];
    const bool real = candidate.kind == KIND_C;
    SceneObject objects[4];
    int count = 0;
    for (int c = 0; c < 2; ++c)
        for (int slot = 0; slot < p.slotCount[c]; ++slot)
            if (const SceneObject* o = p.slots[c][slot])
                objects[count++] = c == 0 ? *o : movedObject(*o, p.mode, p.parameter[k]);

    Mapping m;
    m.area = area;
    for (int i = 0; i < count; ++i)
        m.box.extend(objects[i]);
    if (real)
        m.box.extend(candidate);
    const double w = m.box.maxX - m.box.minX, h = m.box.maxY - m.box.minY;
    // The axis with less room per unit decides, whatever the area's shape, so nothing is
    // cut; a box of zero width or height is scaled by the other axis alone.
    if (w > 0 && h > 0)
        m.s = std::min(area.width / w, area.height / h);
    else if (w > 0)
        m.s = area.width / w;
    else if (h > 0)
        m.s = area.height / h;
    if (!std::isfinite(m.s) || m.s <= 0)
        m.s = 1;

    for (int i = 0; i < count; ++i) {
        const SceneObject& o = objects[i];
        PreviewShape line;
        if (!isLineKind(o.kind))
            shapes.push_back(ellipse(m, o.x[0], o.y[0], o.r, o.red, o.green, o.blue));
        else if (wholeLine(m, o, line))
            shapes.push_back(line);
    }
    if (real)
        shapes.push_back(ellipse(m, candidate.x[0], candidate.y[0], candidate.r, 255, 0, 0));
    return shapes;
}
