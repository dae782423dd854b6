// EPS text of a scene and writing it to a file.
#include "ui/eps_writer.h"

#include "ui/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

// Extent of the stroked geometry after the offsets; the box also takes in half of
// PostScript's default line width so that no stroke is cut at the box's edge.
struct Extent {
    bool empty = true;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    void add(double x, double y) {
        if (empty) {
            minX = maxX = x;
            minY = maxY = y;
            empty = false;
            return;
        }
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
};

constexpr double kHalfStroke = 0.5;

// False also for infinities (a sum of huge values may overflow a double).
bool fitsSingle(double v) {
    return std::fabs(v) <= std::numeric_limits<float>::max();
}

std::string boundingBoxLine(const Extent& e) {
    if (e.empty)
        return "%%BoundingBox: 0 0 0 0\n";
    // Adding +0.0 turns a rounded -0 into 0.
    const auto whole = [](double v) { return formatFixed(v + 0.0, 0); };
    return "%%BoundingBox: " + whole(std::floor(e.minX - kHalfStroke)) + " " +
           whole(std::floor(e.minY - kHalfStroke)) + " " + whole(std::ceil(e.maxX + kHalfStroke)) +
           " " + whole(std::ceil(e.maxY + kHalfStroke)) + "\n";
}

} // namespace

std::optional<EpsOffsets> epsOffsets(const CTorvaneDoc& doc) {
    double mx = 0.0;
    double my = 0.0;
    for (const SceneObject* o : doc) {
        if (isLineKind(o->kind)) {
            mx = std::min({mx, o->x[0], o->x[1]});
            my = std::min({my, o->y[0], o->y[1]});
        } else {
            mx = std::min(mx, o->x[0] - std::fabs(o->r));
            my = std::min(my, o->y[0] - std::fabs(o->r));
        }
    }
    const double ox = mx < 0 ? 5 - mx : 0.0;
    const double oy = my < 0 ? 5 - my : 0.0;
    // Converting a double beyond the float range is undefined, so check first.
    if (!fitsSingle(ox) || !fitsSingle(oy))
        return std::nullopt;
    return EpsOffsets{static_cast<float>(ox), static_cast<float>(oy)};
}

std::optional<std::string> epsText(const CTorvaneDoc& doc) {
    const std::optional<EpsOffsets> off = epsOffsets(doc);
    if (!off)
        return std::nullopt;
    const double ox = off->ox;
    const double oy = off->oy;
    Extent extent;
    std::string body;
    for (const SceneObject* o : doc) {
        body += "newpath\n";
        if (isLineKind(o->kind)) {
            const double x0 = o->x[0] + ox, y0 = o->y[0] + oy;
            const double x1 = o->x[1] + ox, y1 = o->y[1] + oy;
            body += formatFixed(x0) + " " + formatFixed(y0) + " moveto\n";
            body += formatFixed(x1) + " " + formatFixed(y1) + " lineto\n";
            extent.add(x0, y0);
            extent.add(x1, y1);
        } else {
            const double cx = o->x[0] + ox, cy = o->y[0] + oy, r = std::fabs(o->r);
            body += formatFixed(cx) + " " + formatFixed(cy) + " " + formatFixed(r) + " 0 360 arc\n";
            extent.add(cx - r, cy - r);
            extent.add(cx + r, cy + r);
        }
        body += "stroke\n\n";
    }
    // Every number written lies within the extent (a radius is at most half its width).
    if (!extent.empty && !(fitsSingle(extent.minX) && fitsSingle(extent.minY) &&
                           fitsSingle(extent.maxX) && fitsSingle(extent.maxY)))
        return std::nullopt;
    return "%!PS-Adobe-2.0 EPSF-2.0\n" + boundingBoxLine(extent) + "\n" + body;
}

PictureWriteResult writeEpsFile(const std::string& path, const CTorvaneDoc& doc) {
    const std::optional<std::string> text = epsText(doc);
    if (!text)
        return PictureWriteResult::TooLarge;
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (!f)
        return PictureWriteResult::CannotWrite;
    const bool written = std::fwrite(text->data(), 1, text->size(), f) == text->size();
    const bool flushed = std::fflush(f) == 0;
    const bool closed = std::fclose(f) == 0;
    return written && flushed && closed ? PictureWriteResult::Written : PictureWriteResult::CannotWrite;
}
