// The plane pane's kept static layer: frames drawn over it are pixel for pixel the frames
// of a full redraw in order, through hovering, selecting, dragging across other objects,
// edits that bypass the view, panning and the second pane; and the handle mark drawn as
// one textured square covers the pixels of the two fans it stands for.
#include "gui_support.h"

#include "view/command_ids.h"
#include "view/gl/gl_handle_sprite.h"
#include "view/gl/gl_panes.h"
#include "view/gl/gl_plane_canvas.h"

#include <QOpenGLFramebufferObject>

#include <GL/gl.h>

#include <cmath>

namespace {

class PlaneLayersTest : public GuiTest {
  protected:
    // Overlapping objects of every kind, dashed and wide ones among them. The red circle
    // (index 1) lies over the blue one and under the green line; dragged right it passes
    // under the later purple circle and the dashed centre line.
    void fillScene() {
        auto add = [this](SceneObject* o, int dashed, int width) {
            o->dashed = dashed;
            o->width = width;
            return o;
        };
        add(doc().addObject(KIND_C_PRIME, 60, 60, 50, 0, 0, 255), 1, 2);
        red = add(doc().addObject(KIND_C, 0, 0, -40, 255, 0, 0), 0, 3);
        add(doc().addObject(KIND_L, -150, 20, 300, 40, 0, 160, 0), 0, 2);
        purple = add(doc().addObject(KIND_C, 160, 40, 45, 200, 0, 200), 0, 1);
        add(doc().addObject(KIND_L_PRIME, 100, -120, 130, 250, 0, 120, 120), 1, 3);
        add(doc().addObject(KIND_C, 30, 90, 0, 90, 90, 0), 0, 1);
    }

    // The frame drawn over the kept layer against the same frame drawn in order.
    void expectSameAsInOrder(const char* name) {
        ASSERT_TRUE(view().planeLayers().enabled());
        const Framebuffer kept(view());
        view().planeLayers().setEnabled(false);
        const Framebuffer inOrder(view());
        view().planeLayers().setEnabled(true);
        ASSERT_EQ(kept.width(), inOrder.width());
        ASSERT_EQ(kept.height(), inOrder.height());
        int differing = 0;
        for (int y = 0; y < kept.height(); ++y)
            for (int x = 0; x < kept.width(); ++x)
                differing += kept.pixels().pixel(x, y) != inOrder.pixels().pixel(x, y);
        EXPECT_EQ(differing, 0) << name;
        if (differing != 0) {
            kept.keep((std::string(name) + "_kept").c_str());
            inOrder.keep((std::string(name) + "_in_order").c_str());
        }
    }

    int rebuilds() { return view().planeLayers().rebuilds(); }

    SceneObject* red = nullptr;
    SceneObject* purple = nullptr;
};

TEST_F(PlaneLayersTest, FramesOverTheKeptLayerEqualFullRedrawsThroughHoverSelectAndDrag) {
    start();
    fillScene();
    view().redraw();
    expectSameAsInOrder("plain");

    const QPoint onRed = windowPixelOf(0, 0);
    sendMouse(QEvent::MouseMove, onRed, Qt::NoButton);
    ASSERT_EQ(view().state.hoverObject, red);
    expectSameAsInOrder("hover");

    sendMouse(QEvent::MouseButtonPress, onRed, Qt::LeftButton);
    ASSERT_EQ(view().state.selectedObject, red);
    expectSameAsInOrder("selected");

    // Across the green line and the dashed centre line, then under the purple circle.
    const int keptBeforeDrag = rebuilds();
    for (const QPoint to :
         {windowPixelOf(50, 10), windowPixelOf(100, 30), windowPixelOf(150, 40)}) {
        sendMouse(QEvent::MouseMove, to, Qt::LeftButton);
        expectSameAsInOrder("drag_step");
    }
    EXPECT_EQ(red->x[0], 150);
    EXPECT_EQ(rebuilds(), keptBeforeDrag) << "dragging the selected object redrew the kept layer";
    sendMouse(QEvent::MouseButtonRelease, windowPixelOf(150, 40), Qt::NoButton);
    expectSameAsInOrder("released");

    // Hovering another object while one is selected: two halos.
    sendMouse(QEvent::MouseMove, windowPixelOf(160, 40), Qt::NoButton);
    ASSERT_EQ(view().state.hoverObject, purple);
    expectSameAsInOrder("hover_other");
    EXPECT_EQ(rebuilds(), keptBeforeDrag);

    // Selecting it changes what is kept; dragging it back over the red one.
    sendMouse(QEvent::MouseButtonPress, windowPixelOf(160, 40), Qt::LeftButton);
    ASSERT_EQ(view().state.selectedObject, purple);
    sendMouse(QEvent::MouseMove, windowPixelOf(120, 20), Qt::LeftButton);
    expectSameAsInOrder("drag_other");
    sendMouse(QEvent::MouseButtonRelease, windowPixelOf(120, 20), Qt::NoButton);
    sendMouse(QEvent::MouseMove, windowPixelOf(-120, -150), Qt::NoButton);
    expectSameAsInOrder("hover_nothing");
}

TEST_F(PlaneLayersTest, EditsPansAndTheSecondPaneRedrawTheKeptLayer) {
    start();
    fillScene();
    view().state.selectedObject = purple;
    view().redraw();
    expectSameAsInOrder("before_edit");

    // Fields written directly, as the dialogs and the merge do, with only a redraw after.
    red->setColour(0, 200, 255);
    red->width = 5;
    red->dashed = 1;
    view().redraw();
    expectSameAsInOrder("edited_unselected");

    trigger(cmd::kToolMove);
    drag(windowPixelOf(-100, -100), windowPixelOf(-60, -80));
    EXPECT_EQ(view().state.planeOriginX, 240);
    expectSameAsInOrder("panned");

    ViewState& s = view().state;
    s.showSpace = 1;
    s.spacePaneWidth = s.clientWidth / 3;
    view().redraw();
    expectSameAsInOrder("two_panes");
}

// Signed distance of (x, y) from the regular 30-gon of the fans (a vertex every 12 degrees
// from angle 0), negative inside.
double fanPolygonDistance(double x, double y, double radius) {
    double d = -INFINITY;
    for (int k = 0; k < 30; ++k) {
        const double normal = (12.0 * k + 6.0) * M_PI / 180.0;
        d = std::max(d, x * std::cos(normal) + y * std::sin(normal) -
                            radius * std::cos(6.0 * M_PI / 180.0));
    }
    return d;
}

TEST_F(PlaneLayersTest, SpriteHandleMarkCoversTheFansPixelsInsideTheirEdges) {
    start();
    constexpr int kWidth = 320, kHeight = 240, kSpacing = 20;
    view().makeCurrent();
    QOpenGLFramebufferObject target(kWidth, kHeight);
    ASSERT_TRUE(target.bind());
    PaneSetup pane;
    pane.viewportWidth = kWidth;
    pane.viewportHeight = kHeight;
    pane.right = kWidth;
    pane.top = kHeight;
    applyPaneSetup(pane);
    setPlaneState();

    // Marks at centres with every kind of fraction of a pixel.
    std::vector<Point2> centres;
    for (int j = 1; j * kSpacing < kHeight; ++j)
        for (int i = 1; i * kSpacing < kWidth; ++i)
            centres.push_back({i * kSpacing + std::fmod(i * 0.137 + j * 0.291, 1.0),
                               j * kSpacing + std::fmod(i * 0.413 + j * 0.077, 1.0)});
    const auto render = [&](const GlHandleSprite* sprite) {
        glClear(GL_COLOR_BUFFER_BIT);
        GlPlaneCanvas canvas(sprite);
        for (const Point2& c : centres)
            canvas.handleMark(c, 200, 60, 10);
        glFinish();
        return target.toImage().convertToFormat(QImage::Format_RGB32);
    };
    const QImage fans = render(nullptr);
    GlHandleSprite sprite;
    ASSERT_TRUE(sprite.create());
    const QImage sprites = render(&sprite);
    sprite.release();
    target.release();
    view().doneCurrent();

    // Every pixel around each mark, by the fans' own polygons: inside the inner one the
    // colour, between the two black, outside the background.
    const QRgb background = fans.pixel(0, 0);
    int compared = 0, differing = 0, inner = 0, rim = 0;
    for (const Point2& c : centres)
        for (int y = static_cast<int>(c.y) - 9; y <= static_cast<int>(c.y) + 9; ++y)
            for (int x = static_cast<int>(c.x) - 9; x <= static_cast<int>(c.x) + 9; ++x) {
                const double outer = fanPolygonDistance(x + 0.5 - c.x, y + 0.5 - c.y, 6);
                const double inside = fanPolygonDistance(x + 0.5 - c.x, y + 0.5 - c.y, 5);
                if (std::fabs(outer) < 0.2 || std::fabs(inside) < 0.2)
                    continue; // on an edge: either rasterisation may take the pixel
                ++compared;
                const QRgb expected = inside < 0  ? qRgb(200, 60, 10)
                                      : outer < 0 ? qRgb(0, 0, 0)
                                                  : background;
                inner += inside < 0;
                rim += inside >= 0 && outer < 0;
                const int row = kHeight - 1 - y;
                differing += sprites.pixel(x, row) != expected || fans.pixel(x, row) != expected;
            }
    EXPECT_GT(inner, 60 * static_cast<int>(centres.size()));
    EXPECT_GT(rim, 12 * static_cast<int>(centres.size()));
    EXPECT_GT(compared, 250 * static_cast<int>(centres.size()));
    EXPECT_EQ(differing, 0);
    if (differing != 0) {
        fans.save(
            QString(std::getenv("TORVANE_ARTEFACTS") ? std::getenv("TORVANE_ARTEFACTS") : "/tmp") +
            "/handle_fans.png");
        sprites.save(
            QString(std::getenv("TORVANE_ARTEFACTS") ? std::getenv("TORVANE_ARTEFACTS") : "/tmp") +
            "/handle_sprites.png");
    }
}

} // namespace
