// Panning, zooming, the splitter and the circle-space pane driven with real mouse events:
// what the state, the check marks, the cursor and the picture show afterwards.
#include "gui_support.h"

#include "view/command_ids.h"

namespace {

const QColor kBlue(0, 0, 255);
const QColor kYellow(255, 255, 0);
const QColor kBlack(0, 0, 0);

class ViewNavigationTest : public GuiTest {
  protected:
    bool checked(int id) { return frame().action(id)->isChecked(); }
    // Whether the rim of a circle shows near the pane pixel of a scene point.
    bool drawnNear(double x, double y, const QColor& colour, const char* artefact) {
        view().redraw();
        const Framebuffer fb(view());
        const Point2 p = view().state.planePixel(x, y);
        const bool found = fb.hasNear(static_cast<int>(p.x), static_cast<int>(p.y), colour, 2);
        if (!found)
            fb.keep(artefact);
        return found;
    }
};

} // namespace

TEST_F(ViewNavigationTest, PanAndZoomMoveThePictureButLeaveTheDocumentUnmodified) {
    start();
    doc().addObject(KIND_C, 100, 0, 30, 0, 0, 255);
    trigger(cmd::kToolMove);
    EXPECT_TRUE(checked(cmd::kToolMove));
    EXPECT_FALSE(checked(cmd::kToolSelect));
    drag({300, 300}, {350, 280});
    EXPECT_EQ(view().state.planeOriginX, 250);
    EXPECT_EQ(view().state.planeOriginY, 220);
    EXPECT_TRUE(drawnNear(130, 0, kBlue, "panned_rim"));

    trigger(cmd::kToolZoom);
    EXPECT_TRUE(checked(cmd::kToolZoom));
    EXPECT_FALSE(checked(cmd::kToolMove));
    drag({300, 300}, {400, 300});
    EXPECT_FLOAT_EQ(view().state.planeZoom, 2.0f);
    // The origin stays put on the screen; the rim at x = 130 moves out to 260 pixels.
    EXPECT_EQ(view().state.planeOriginX, 250);
    EXPECT_TRUE(drawnNear(130, 0, kBlue, "zoomed_rim"));
    EXPECT_FALSE(app->lifecycle().isModified()) << "looking around is no edit";
}

TEST_F(ViewNavigationTest, SplitterShowsTheSizingCursorAndSurvivesADragOutOfTheWindow) {
    start();
    trigger(cmd::kShowSpace);
    EXPECT_TRUE(checked(cmd::kShowSpace));
    ViewState& s = view().state;
    const int w = s.clientWidth, y = s.clientHeight / 2;
    EXPECT_EQ(s.spacePaneWidth, w / 2);

    sendMouse(QEvent::MouseMove, {s.splitX(), y}, Qt::NoButton);
    EXPECT_EQ(view().cursor().shape(), Qt::SizeHorCursor);
    sendMouse(QEvent::MouseButtonPress, {s.splitX(), y}, Qt::LeftButton);
    sendMouse(QEvent::MouseMove, {300, y}, Qt::LeftButton);
    EXPECT_EQ(s.spacePaneWidth, w - 300);
    sendMouse(QEvent::MouseMove, {-60, y}, Qt::LeftButton);
    EXPECT_EQ(s.spacePaneWidth, w);
    sendMouse(QEvent::MouseButtonRelease, {-60, y}, Qt::NoButton);

    // The strip now sits at the left edge, and it can be pulled back out.
    drag({1, y}, {w / 3, y});
    EXPECT_EQ(s.splitX(), w / 3);
    sendMouse(QEvent::MouseMove, {w / 6, y}, Qt::NoButton);
    EXPECT_NE(view().cursor().shape(), Qt::SizeHorCursor);
    view().redraw();
    const Framebuffer fb(view());
    const bool frameOk =
        fb.hasNear(w / 3 + 3, y, kBlack, 0) && fb.hasNear(w / 3 - 4, y, kYellow, 0);
    EXPECT_TRUE(frameOk) << "splitter edge and the active plane pane's border";
    if (!frameOk)
        fb.keep("splitter_pulled_back");
}

TEST_F(ViewNavigationTest, APressInCircleSpaceActivatesItWithTheRotateTool) {
    start();
    SceneObject* c = doc().addObject(KIND_C, 0, 0, 10, 0, 0, 255);
    view().state.selectedObject = c;
    trigger(cmd::kShowSpace);
    ViewState& s = view().state;
    const int x = s.clientWidth - s.spacePaneWidth / 2, y = s.clientHeight / 2;
    drag({x, y}, {x, y});
    updatePass();
    EXPECT_EQ(s.spaceActive, 1);
    EXPECT_TRUE(checked(cmd::kToolRotate));
    EXPECT_FALSE(checked(cmd::kToolSelect));
    EXPECT_EQ(s.selectedObject, nullptr);
    view().redraw();
    EXPECT_TRUE(Framebuffer(view()).hasNear(s.clientWidth - 2, y, kYellow, 0));

    // The first move with the button held records; the second turns by a degree a pixel.
    sendMouse(QEvent::MouseButtonPress, {x, y}, Qt::LeftButton);
    sendMouse(QEvent::MouseMove, {x, y}, Qt::LeftButton);
    sendMouse(QEvent::MouseMove, {x + 15, y + 20}, Qt::LeftButton);
    sendMouse(QEvent::MouseButtonRelease, {x + 15, y + 20}, Qt::NoButton);
    EXPECT_FLOAT_EQ(s.spaceTiltX, 50);
    EXPECT_FLOAT_EQ(s.spaceTiltY, 15);

    drag({100, 100}, {100, 100});
    EXPECT_EQ(s.spaceActive, 0);
    EXPECT_TRUE(checked(cmd::kToolSelect));
    EXPECT_EQ(doc().objectCount, 1) << "the press that reactivates the plane does nothing else";
}
