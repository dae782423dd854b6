// What the view's framebuffer shows: frame and splitter, axes, outlines, dashes, arrows,
// halos. A failed check keeps the framebuffer as an artefact.
#include "gui_support.h"

#include <cmath>

namespace {

const QColor kYellow(255, 255, 0);
const QColor kBackground(209, 209, 209); // clear colour 0.82
const QColor kBlack(0, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kHalo(204, 204, 0);

class ViewPixelsTest : public GuiTest {
  protected:
    Framebuffer render() {
        view().redraw();
        return Framebuffer(view());
    }
    // Pixel (x, glY) for the scene point (x, y) at the initial origin and zoom; the plane
    // projection spans one pixel less than the viewport, so positions stretch by w/(w-1).
    QPoint pixelOf(double x, double y) {
        const ViewState& s = view().state;
        const double sx = static_cast<double>(s.splitX()) / (s.splitX() - 1);
        const double sy = static_cast<double>(s.clientHeight) / (s.clientHeight - 1);
        const Point2 p = s.planePixel(x, y);
        return QPoint(static_cast<int>(std::floor(p.x * sx)),
                      static_cast<int>(std::floor(p.y * sy)));
    }
    void expectNear(const Framebuffer& fb, QPoint at, const QColor& colour, const char* artefact,
                    int radius = 1) {
        const bool ok = fb.hasNear(at.x(), at.y(), colour, radius);
        EXPECT_TRUE(ok) << artefact << ": expected " << describe(colour) << " near (" << at.x()
                        << ", " << at.y() << "), found " << describe(fb.at(at.x(), at.y()));
        if (!ok)
            fb.keep(artefact);
    }
    void expectNotNear(const Framebuffer& fb, QPoint at, const QColor& colour, const char* artefact,
                       int radius = 1) {
        const bool found = fb.hasNear(at.x(), at.y(), colour, radius);
        EXPECT_FALSE(found) << artefact << ": unexpected " << describe(colour) << " near ("
                            << at.x() << ", " << at.y() << ")";
        if (found)
            fb.keep(artefact);
    }
};

TEST_F(ViewPixelsTest, OnePaneGetsAThreePixelYellowBorder) {
    start();
    const Framebuffer fb = render();
    const int w = fb.width(), h = fb.height();
    EXPECT_EQ(view().state.clientWidth, w);
    for (QPoint p :
         {QPoint(0, h / 2), QPoint(2, h / 2), QPoint(w - 1, h / 3), QPoint(w - 3, 10),
          QPoint(w / 2, 0), QPoint(w / 2, 2), QPoint(w / 3, h - 1), QPoint(w / 3, h - 3)})
        expectNear(fb, p, kYellow, "one_pane_border", 0);
    for (QPoint p : {QPoint(3, h / 2 + 7), QPoint(w - 4, h / 2 + 7), QPoint(w / 2 + 7, 3),
                     QPoint(w / 2 + 7, h - 4)})
        expectNear(fb, p, kBackground, "one_pane_inside", 0);
}

TEST_F(ViewPixelsTest, TwoPanesShowTheSplitterStripsAndTheActivePaneInYellow) {
    start();
    ViewState& s = view().state;
    s.showSpace = 1;
    s.spacePaneWidth = s.clientWidth / 2;
    const Framebuffer fb = render();
    const int split = s.splitX();
    const int y = fb.height() / 2;
    expectNear(fb, {split - 2, y}, QColor(255, 255, 255), "splitter_white", 0);
    for (int x = split - 1; x < split + 2; ++x)
        expectNear(fb, {x, y}, QColor(212, 208, 200), "splitter_face", 0);
    expectNear(fb, {split + 2, y}, QColor(128, 128, 128), "splitter_grey", 0);
    expectNear(fb, {split + 3, y}, kBlack, "splitter_black", 0);
    expectNear(fb, {split - 4, y}, kYellow, "plane_pane_active_border", 0);
    expectNear(fb, {split + 5, y}, kBlack, "space_pane_inactive_border", 0);
    expectNear(fb, {fb.width() - 2, y}, kBlack, "space_pane_inactive_border", 0);
}

TEST_F(ViewPixelsTest, AxesCrossAtTheOriginTwoHundredPixelsIn) {
    start();
    const Framebuffer fb = render();
    expectNear(fb, pixelOf(100, 0), kBlack, "axis_horizontal");
    expectNear(fb, pixelOf(0, 150), kBlack, "axis_vertical");
    expectNear(fb, pixelOf(0, 0), kBlack, "axis_origin");
    expectNotNear(fb, pixelOf(100, 10), kBlack, "axis_only_there", 2);
}

TEST_F(ViewPixelsTest, CircleOutlineLiesAtItsRadius) {
    start();
    doc().addObject(KIND_C, 150, 120, 60, 0, 0, 255);
    const Framebuffer fb = render();
    expectNear(fb, pixelOf(210, 120), kBlue, "circle_rim_east");
    expectNear(fb, pixelOf(150, 180), kBlue, "circle_rim_north");
    expectNear(fb, pixelOf(90, 120), kBlue, "circle_rim_west");
    expectNotNear(fb, pixelOf(180, 150), kBlue, "circle_inside_empty", 2);
}

TEST_F(ViewPixelsTest, DashedLineIsStippledFourOnFourOff) {
    start();
    SceneObject* l = doc().addObject(KIND_L, -100, 150, 300, 150, 0, 0, 255);
    l->dashed = 1;
    const Framebuffer fb = render();
    const int row = pixelOf(0, 150).y();
    int lit = 0, dark = 0, changes = 0;
    bool previous = false;
    // Well clear of the arrow and handle marks at x = 500.
    for (int x = 600; x < 760; ++x) {
        const bool on = fb.hasNear(x, row, kBlue, 0) || fb.hasNear(x, row + 1, kBlue, 0);
        lit += on;
        dark += !on;
        if (x > 600 && on != previous)
            ++changes;
        previous = on;
    }
    EXPECT_NEAR(lit, 80, 6);
    EXPECT_EQ(lit + dark, 160);
    EXPECT_NEAR(changes, 40, 4); // one change every four pixels
    if (lit < 74 || lit > 86 || changes < 36 || changes > 44)
        fb.keep("dashed_line");
}

TEST_F(ViewPixelsTest, NegativeRadiusPutsTheArrowInTheFirstQuadrant) {
    start();
    doc().addObject(KIND_C, 100, 100, -60, 0, 0, 255);
    doc().addObject(KIND_C, 100, -100, 60, 0, 0, 255);
    const Framebuffer fb = render();
    // A point inside each arrow, three pixels outside the rim: radius 63, two degrees
    // short of the arrow's base (45 degrees for the negative radius, 135 for the positive).
    const auto inArrow = [this](double cx, double cy, double degrees) {
        const double a = degrees * M_PI / 180;
        return pixelOf(cx + 63 * std::cos(a), cy + 63 * std::sin(a));
    };
    expectNear(fb, inArrow(100, 100, 43), kBlue, "negative_arrow", 0);
    expectNotNear(fb, inArrow(100, 100, 137), kBlue, "negative_arrow_not_mirrored", 0);
    expectNear(fb, inArrow(100, -100, 137), kBlue, "positive_arrow", 0);
    expectNotNear(fb, inArrow(100, -100, 43), kBlue, "positive_arrow_not_mirrored", 0);
}

TEST_F(ViewPixelsTest, SelectedObjectHasAHaloAlongsideIt) {
    start();
    SceneObject* l = doc().addObject(KIND_L, -150, 100, 300, 100, 0, 0, 255);
    Framebuffer before = render();
    const QPoint onLine = pixelOf(50, 100);
    expectNotNear(before, onLine, kHalo, "no_halo_unselected", 2);
    view().state.selectedObject = l;
    const Framebuffer fb = render();
    expectNear(fb, onLine, kBlue, "line_over_halo", 1);
    // The halo is two pixels wider than the line: it shows one pixel above or below.
    const bool halo = fb.hasNear(onLine.x(), onLine.y() + 1, kHalo, 0) ||
                      fb.hasNear(onLine.x(), onLine.y() - 1, kHalo, 0) ||
                      fb.hasNear(onLine.x(), onLine.y() + 2, kHalo, 0);
    EXPECT_TRUE(halo);
    if (!halo)
        fb.keep("halo");
}

TEST_F(ViewPixelsTest, LegendLettersAreDrawnFromTheFontLists) {
    start();
    const Framebuffer fb = render();
    EXPECT_NE(view().state.fontListBase, 0u);
    // The red "x" starts at raster position (55, 23) and the green "y" at (23, 57).
    bool red = false, green = false;
    for (int y = 20; y < 40; ++y)
        for (int x = 55; x < 70; ++x)
            red = red || fb.hasNear(x, y, QColor(255, 0, 0), 0);
    for (int y = 54; y < 75; ++y)
        for (int x = 23; x < 38; ++x)
            green = green || fb.hasNear(x, y, QColor(0, 255, 0), 0);
    EXPECT_TRUE(red);
    EXPECT_TRUE(green);
    if (!red || !green)
        fb.keep("legend");
}

} // namespace
