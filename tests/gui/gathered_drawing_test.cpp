// The plane drawn with its primitives gathered into vertex arrays, the stacking kept by the
// depth buffer, against the same drawing in immediate mode, primitive after primitive in
// order: every pixel must be the same. Immediate mode is the reference: it is what OpenGL
// makes of the drawing order itself.
#include "gui_support.h"

#include "view/gl/gl_handle_sprite.h"
#include "view/gl/gl_panes.h"
#include "view/gl/gl_plane_canvas.h"
#include "view/pane_layout.h"
#include "view/plane_drawing.h"

#include <QOpenGLFramebufferObject>

#include <GL/gl.h>

#include <random>

namespace {

// A colour of its own for each object, so that any change of stacking shows.
void colourOf(int i, int& red, int& green, int& blue) {
    red = (40 + 67 * i) % 256;
    green = (90 + 151 * i) % 256;
    blue = (200 + 29 * i) % 256;
}

class GatheredDrawingTest : public GuiTest {
  protected:
    SceneObject* add(int kind, double a, double b, double c, double d, int width, bool dashed) {
        int red, green, blue;
        colourOf(static_cast<int>(doc().objectCount), red, green, blue);
        SceneObject* o = isLineKind(kind) ? doc().addObject(kind, a, b, c, d, red, green, blue)
                                          : doc().addObject(kind, a, b, c, red, green, blue);
        o->width = width;
        o->dashed = dashed;
        return o;
    }

    // Every kind, widths 1 to 3 and a wide one, dashed and solid, negative and zero radii,
    // steep, shallow, 45-degree and directionless lines, objects cut by each edge of the
    // pane, and a heap of objects on one spot whose stacking decides every pixel there.
    void fillVariedScene() {
        add(KIND_C, 0, 0, 50, 0, 1, false);
        add(KIND_C_PRIME, 20, 10, -40, 0, 2, true);
        add(KIND_C, 40, -20, 0, 0, 3, false);
        add(KIND_C_PRIME, -30, 30, 35, 0, 3, false);
        add(KIND_L, -100, -50, 200, 60, 1, false);
        add(KIND_L_PRIME, 10, -80, 30, 120, 2, true);
        add(KIND_L, -50, -50, 50, 50, 3, true);       // 45 degrees: not steep
        add(KIND_L_PRIME, 60, 60, 60, 60, 2, false);  // no direction: handles only
        add(KIND_C, -195, 0, 30, 0, 2, false);        // cut by the left edge
        add(KIND_C, 120, -150, 25, 0, 1, true);       // cut by the bottom edge
        add(KIND_C_PRIME, 150, 110, 45, 0, 3, false); // cut by the top and right edges
        add(KIND_L, 140, -60, 141, 100, 3, true);     // steep, near the right edge
        add(KIND_C, 900, 900, 20, 0, 1, false);       // wholly outside
        add(KIND_C, 5, 5, 12, 0, 7, false);           // wide
        for (int i = 0; i < 12; ++i)                  // the heap
            add(i % 2 ? KIND_C_PRIME : KIND_C, -60 + i, -60 + (i % 3), (i % 4 - 1.5) * 9, 0,
                1 + i % 3, i % 5 == 0);
        for (int i = 0; i < 6; ++i)
            add(i % 2 ? KIND_L_PRIME : KIND_L, -70 + 3 * i, -70, -50 + 2 * i, -40 - 5 * i,
                1 + i % 3, i % 4 == 1);
    }

    // Random scenes over and around a small pane: many overlaps, many cut objects.
    void fillRandomScene(unsigned seed, int count) {
        std::mt19937 rng(seed);
        std::uniform_real_distribution<double> pos(-260, 260), radius(-80, 80);
        std::uniform_int_distribution<int> kind(0, 3), width(1, 4), dashed(0, 3);
        for (int i = 0; i < count; ++i) {
            const int k = kind(rng);
            const int w = width(rng);
            const bool d = dashed(rng) == 0;
            if (k < 2)
                add(k == 0 ? KIND_C : KIND_C_PRIME, pos(rng), pos(rng), radius(rng), 0, w, d);
            else
                add(k == 2 ? KIND_L : KIND_L_PRIME, pos(rng), pos(rng), pos(rng), pos(rng), w, d);
        }
    }

    // The view's state for a pane of the framebuffer's size, with its font lists.
    ViewState paneState() {
        ViewState s = view().state;
        s.onSize(kWidth, kHeight);
        s.spacePaneWidth = 0;
        s.showSpace = 0;
        return s;
    }

    // The plane drawn into a framebuffer of its own, with a depth buffer or without.
    QImage render(const ViewState& state, CanvasDrawing drawing, bool withSprite,
                  bool withDepth = true) {
        view().makeCurrent();
        QOpenGLFramebufferObject target(kWidth, kHeight,
                                        withDepth ? QOpenGLFramebufferObject::CombinedDepthStencil
                                                  : QOpenGLFramebufferObject::NoAttachment);
        EXPECT_TRUE(target.bind());
        applyPaneSetup(planeSetup(state));
        setPlaneState();
        clearColourBuffer();
        GlHandleSprite sprite;
        if (withSprite) {
            EXPECT_TRUE(sprite.create());
        }
        {
            GlPlaneCanvas canvas(withSprite ? &sprite : nullptr, {}, drawing);
            drawPlane(canvas, doc(), state);
        }
        glFinish();
        QImage image = target.toImage().convertToFormat(QImage::Format_RGB32);
        sprite.release();
        target.release();
        view().doneCurrent();
        return image;
    }

    // Gathered against immediate, pixel for pixel; both kept when they differ.
    void expectSameAsImmediate(const ViewState& state, const std::string& name,
                               bool withSprite = true, bool withDepth = true) {
        const QImage inOrder = render(state, CanvasDrawing::Immediate, withSprite, withDepth);
        const QImage gathered = render(state, CanvasDrawing::Gathered, withSprite, withDepth);
        ASSERT_EQ(inOrder.size(), gathered.size());
        int differing = 0, drawn = 0;
        const QRgb background = qRgb(209, 209, 209);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                differing += inOrder.pixel(x, y) != gathered.pixel(x, y);
                drawn += inOrder.pixel(x, y) != background;
            }
        EXPECT_EQ(differing, 0) << name;
        // A blank pane would prove nothing.
        EXPECT_GT(drawn, kWidth * kHeight / 40) << name;
        if (differing != 0) {
            const char* folder = std::getenv("TORVANE_ARTEFACTS");
            const QString base =
                QString(folder ? folder : "/tmp") + "/" + QString::fromStdString(name);
            inOrder.save(base + "_immediate.png");
            gathered.save(base + "_gathered.png");
        }
    }

    static constexpr int kWidth = 400, kHeight = 300;
};

TEST_F(GatheredDrawingTest, VariedSceneWithHaloPicksAndPreviewIsPixelIdentical) {
    start();
    fillVariedScene();
    ViewState state = paneState();
    expectSameAsImmediate(state, "varied_plain");

    // Halos beneath the objects, pick marks with their numbers (text in the middle of the
    // drawing, with primitives after it), and a merge preview over everything.
    SceneObject* first = doc().objectAt(0);
    SceneObject* heap = doc().objectAt(16);
    state.hoverObject = heap;
    state.selectedObject = first;
    state.pickMarks = {{doc().objectAt(1), 1}, {doc().objectAt(5), 2}, {heap, 0}};
    MergeOverlay preview;
    SceneObject moved = *doc().objectAt(4);
    moved.y[0] += 25;
    moved.y[1] += 25;
    preview.moved = {moved};
    preview.hasCircle = true;
    preview.circle = *doc().objectAt(0);
    preview.circle.r = 33;
    preview.circle.setColour(255, 0, 0);
    preview.others = {*doc().objectAt(3)};
    preview.turn = true;
    preview.angle = 0.7;
    state.mergeOverlay = preview;
    expectSameAsImmediate(state, "varied_marked");

    // Hovering the selected object: its halo twice.
    state.hoverObject = first;
    expectSameAsImmediate(state, "varied_hover_selected");
}

TEST_F(GatheredDrawingTest, RandomOverlappingScenesArePixelIdentical) {
    start();
    for (unsigned seed = 1; seed <= 12; ++seed) {
        doc().removeAll();
        fillRandomScene(seed, 40 + 10 * static_cast<int>(seed));
        ViewState state = paneState();
        state.selectedObject = doc().objectAt(seed % 7);
        state.hoverObject = doc().objectAt(seed % 5 + 3);
        expectSameAsImmediate(state, "random_" + std::to_string(seed));
    }
}

TEST_F(GatheredDrawingTest, ZoomedAndPannedSceneIsPixelIdentical) {
    start();
    fillVariedScene();
    ViewState state = paneState();
    state.planeZoom = 3.25f;
    state.planeOriginX = 310;
    state.planeOriginY = 170;
    expectSameAsImmediate(state, "zoomed");
    state.planeZoom = 0.4f;
    state.planeOriginX = -20;
    expectSameAsImmediate(state, "shrunk");
}

TEST_F(GatheredDrawingTest, HandleFansWithoutTheSpriteArePixelIdentical) {
    start();
    fillRandomScene(99, 70);
    expectSameAsImmediate(paneState(), "fans", false);
}

// More vertices than one batch holds: what is gathered is drawn part way through.
TEST_F(GatheredDrawingTest, SceneLargerThanOneBatchIsPixelIdentical) {
    start();
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> x(-210, 210), y(-160, 160), radius(-14, 14);
    for (int i = 0; i < 9500; ++i) {
        if (i % 500 == 0)
            add(i % 1000 ? KIND_L : KIND_L_PRIME, x(rng), y(rng), x(rng), y(rng), 1 + i % 3,
                i % 1500 == 0);
        else
            add(i % 3 ? KIND_C : KIND_C_PRIME, x(rng), y(rng), radius(rng), 0, 1 + i % 2,
                i % 7 == 0);
    }
    expectSameAsImmediate(paneState(), "large");
}

// Without a depth buffer the stacking cannot be kept by depths: the canvas draws in order.
TEST_F(GatheredDrawingTest, TargetWithoutDepthBufferIsPixelIdentical) {
    start();
    fillRandomScene(7, 90);
    expectSameAsImmediate(paneState(), "no_depth", true, false);
}

} // namespace
