// The mouse tools without a window: creation and drags, the hit rules, the tool and
// pane commands, the splitter, circle-space drags and the pick sequences.
#include "view/mouse_tools.h"

#include "scene/scene_change.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace {

// Records the undo steps the tools open and close, as the desktop's history would.
struct RecordingHost : MouseToolsHost {
    explicit RecordingHost(CTorvaneDoc& doc) : doc(doc) {}
    CTorvaneDoc& doc;
    std::optional<SceneSnapshot> open;
    std::string openName;
    std::vector<std::string> steps; // names of the steps that changed the document
    int redraws = 0, edits = 0;
    void beginSceneEdit(const char* name) override {
        endSceneEdit();
        open = takeSnapshot(doc);
        openName = name;
    }
    void endSceneEdit() override {
        if (open && !SceneChange::between(*open, doc).empty())
            steps.push_back(openName);
        open.reset();
    }
    void cancelSceneEdit() override {
        if (open)
            SceneChange::between(*open, doc).applyBackward(doc);
        open.reset();
    }
    bool sizeCursor = false;
    std::vector<std::vector<MergeSelection>> merges;
    std::vector<int> mergeModes;
    void redraw() override { ++redraws; }
    void documentEdited() override { ++edits; }
    void showSizeCursor(bool on) override { sizeCursor = on; }
    void quickMerge(const std::vector<MergeSelection>& picks, int mode) override {
        merges.push_back(picks);
        mergeModes.push_back(mode);
    }
};

struct Tools {
    CTorvaneDoc doc;
    ViewState state;
    RecordingHost host{doc};
    MouseTools tools{doc, state, host};
    Tools(int width = 1000, int height = 400) { state.onSize(width, height); }
    void press(int mx, int my) { tools.onLeftButtonDown(kLeftButton, mx, my); }
    void move(int mx, int my, int buttons = kLeftButton) { tools.onMouseMove(buttons, mx, my); }
    void release(int mx, int my) { tools.onLeftButtonUp(0, mx, my); }
    // Window pixel of a scene point (y downward; the pane's row 0 is the window's last).
    int wx(double x) const { return static_cast<int>(state.planePixel(x, 0).x); }
    int wy(double y) const {
        return state.clientHeight - 1 - static_cast<int>(state.planePixel(0, y).y);
    }
};

} // namespace

TEST(MouseTools, CircleToolCreatesAtThePressAndDragsTheRadius) {
    Tools t;
    t.tools.onCommand(cmd::kKindC);
    EXPECT_EQ(t.state.currentTool, cmd::kKindC);
    EXPECT_TRUE(t.tools.isChecked(cmd::kKindC));
    EXPECT_FALSE(t.tools.isChecked(cmd::kToolSelect));
    t.press(100, 50);
    ASSERT_EQ(t.doc.objectCount, 1);
    SceneObject* c = t.state.selectedObject;
    EXPECT_EQ(c->kind, KIND_C);
    EXPECT_EQ(c->x[0], -100);
    EXPECT_EQ(c->y[0], 149); // window row 50 of 400 is pane row 349, 149 above the origin
    EXPECT_EQ(c->r, 0);
    EXPECT_EQ(c->green, 255);
    t.move(130, 50);
    EXPECT_EQ(c->r, 30);
    t.release(130, 50);
    EXPECT_EQ(t.tools.dragging, 0);
    EXPECT_GT(t.host.edits, 0);
}

TEST(MouseTools, NewObjectsAreGreenThenBlueThenGrey) {
    Tools t;
    t.tools.onCommand(cmd::kKindL);
    std::vector<int> greens, blues;
    for (int i = 0; i < 5; ++i) {
        t.press(300 + 20 * i, 100);
        t.release(300 + 20 * i, 100);
        greens.push_back(t.state.selectedObject->green);
        blues.push_back(t.state.selectedObject->blue);
    }
    EXPECT_EQ(greens, (std::vector<int>{255, 255, 0, 0, 80}));
    EXPECT_EQ(blues, (std::vector<int>{0, 0, 255, 255, 80}));
}

TEST(MouseTools, RimDragKeepsANegativeRadiusAndCentreDragMovesUnlessPinned) {
    Tools t;
    SceneObject* c = t.doc.addObject(KIND_C, 0, 0, -20, 0, 0, 0);
    // Hover on the rim, 20 pixels right of the centre.
    t.move(t.wx(20), t.wy(0), 0);
    ASSERT_EQ(t.state.hoverObject, c);
    EXPECT_EQ(t.tools.dragMode, 1);
    t.press(t.wx(20), t.wy(0));
    t.move(t.wx(35), t.wy(0));
    EXPECT_EQ(c->r, -35);
    t.release(t.wx(35), t.wy(0));

    t.move(t.wx(0), t.wy(0), 0);
    EXPECT_EQ(t.tools.dragMode, 0);
    t.press(t.wx(0), t.wy(0));
    t.move(t.wx(10), t.wy(-5));
    EXPECT_EQ(c->x[0], 10);
    EXPECT_EQ(c->y[0], -5);
    t.release(t.wx(10), t.wy(-5));

    c->pinned = 1;
    t.move(t.wx(10), t.wy(-5), 0);
    t.press(t.wx(10), t.wy(-5));
    t.move(t.wx(40), t.wy(40));
    EXPECT_EQ(c->x[0], 10) << "a pinned object does not move";
}

TEST(MouseTools, SmallCirclesAreGrabbedByTheRules) {
    Tools t;
    SceneObject* small = t.doc.addObject(KIND_C, 0, 0, 2, 0, 0, 0);
    auto grab = [&](int dx) {
        t.state.hoverObject = nullptr;
        t.tools.hitTest(200 + dx, 200);
        return t.state.hoverObject == small ? t.tools.dragMode : -1;
    };
    EXPECT_EQ(grab(0), 0);
    EXPECT_EQ(grab(1), 0) << "exactly 1 pixel: (R-3)^2 = 1 is not below d^2";
    EXPECT_EQ(grab(2), 1);
    EXPECT_EQ(grab(4), 1);
    EXPECT_EQ(grab(5), -1);
    small->r = 0;
    EXPECT_EQ(grab(0), 0);
    EXPECT_EQ(grab(3), 0);
    EXPECT_EQ(grab(5), -1);
}

TEST(MouseTools, LaterObjectsWinOverTheSelectedOneAndLinesOnlyAtTheirPoints) {
    Tools t;
    SceneObject* a = t.doc.addObject(KIND_C, 0, 0, 10, 0, 0, 0);
    SceneObject* line = t.doc.addObject(KIND_L, -50, 0, 50, 0, 0, 0, 0);
    SceneObject* b = t.doc.addObject(KIND_C, 0, 0, 10, 0, 0, 0);
    t.tools.hitTest(210, 200);
    EXPECT_EQ(t.state.hoverObject, a);
    t.state.selectedObject = a;
    t.state.hoverObject = nullptr;
    t.tools.hitTest(210, 200);
    EXPECT_EQ(t.state.hoverObject, b);
    t.state.hoverObject = nullptr;
    t.tools.hitTest(200 + 30, 200);
    EXPECT_EQ(t.state.hoverObject, nullptr) << "the middle of a line is not hit";
    t.tools.hitTest(250, 202);
    EXPECT_EQ(t.state.hoverObject, line);
    EXPECT_EQ(t.tools.dragMode, 1);
}

TEST(MouseTools, PanZoomAndTheActiveToolClickedAgain) {
    Tools t;
    t.tools.onCommand(cmd::kToolMove);
    t.press(100, 100);
    t.move(130, 90);
    EXPECT_EQ(t.state.planeOriginX, 230);
    EXPECT_EQ(t.state.planeOriginY, 210);
    t.release(130, 90);
    t.tools.onCommand(cmd::kToolZoom);
    t.press(500, 100);
    t.move(300, 100);
    EXPECT_FLOAT_EQ(t.state.planeZoom, 0.05f) << "floor";
    t.move(400, 100);
    EXPECT_FLOAT_EQ(t.state.planeZoom, 1.05f);
    t.release(400, 100);
    t.tools.onCommand(cmd::kToolZoom);
    EXPECT_EQ(t.state.currentTool, 0);
    for (int id : {cmd::kToolSelect, cmd::kToolMove, cmd::kToolZoom, cmd::kToolRotate})
        EXPECT_FALSE(t.tools.isChecked(id));
    t.press(300, 300);
    EXPECT_EQ(t.doc.objectCount, 0);
    EXPECT_EQ(t.tools.lastMouseX, 300);
}

TEST(MouseTools, KindCommandConvertsTheSelectionAndReverseTurnsIt) {
    Tools t;
    SceneObject* c = t.doc.addObject(KIND_C, 0, 0, 10, 0, 0, 0);
    t.state.selectedObject = c;
    t.tools.onCommand(cmd::kKindCPrime);
    EXPECT_EQ(c->kind, KIND_C_PRIME);
    EXPECT_TRUE(t.tools.isChecked(cmd::kKindCPrime));
    EXPECT_EQ(t.state.currentTool, cmd::kToolSelect);
    t.tools.onCommand(cmd::kReverse);
    EXPECT_EQ(c->r, -10);
    // Clicking on empty space clears the selection.
    t.press(900, 20);
    EXPECT_EQ(t.state.selectedObject, nullptr);
}

TEST(MouseTools, SplitterAndPaneCommands) {
    Tools t(1000, 600);
    t.tools.onCommand(cmd::kShowPlane);
    EXPECT_TRUE(t.state.showPlane) << "the plane pane hides only while circle space shows";
    t.tools.onCommand(cmd::kShowSpace);
    EXPECT_EQ(t.state.spacePaneWidth, 500);
    EXPECT_TRUE(t.tools.isChecked(cmd::kShowSpace));
    t.move(500, 300, 0);
    EXPECT_EQ(t.tools.overSplitter, 1);
    EXPECT_TRUE(t.host.sizeCursor);
    t.press(500, 300);
    t.move(300, 300);
    EXPECT_EQ(t.state.spacePaneWidth, 700);
    t.release(300, 300);
    t.move(100, 300, 0);
    EXPECT_FALSE(t.host.sizeCursor);
    t.tools.onCommand(cmd::kShowPlane);
    EXPECT_FALSE(t.state.showPlane);
    EXPECT_EQ(t.state.spacePaneWidth, 1000);
    t.tools.onCommand(cmd::kShowSpace);
    EXPECT_TRUE(t.state.showSpace) << "one pane always shows";
}

TEST(MouseTools, CircleSpaceDragsTurnShiftAndMove) {
    Tools t(1000, 600);
    t.tools.onCommand(cmd::kShowSpace);
    t.press(800, 300);
    EXPECT_EQ(t.state.spaceActive, 1);
    EXPECT_TRUE(t.tools.isChecked(cmd::kToolRotate));
    t.state.spaceTiltX = 350;
    t.move(800, 300); // only records
    EXPECT_FLOAT_EQ(t.state.spaceTiltX, 350);
    t.move(800, 315);
    EXPECT_FLOAT_EQ(t.state.spaceTiltX, 5);
    t.state.spaceTiltX = 10;
    t.move(800, 295);
    EXPECT_FLOAT_EQ(t.state.spaceTiltX, -10);
    t.move(900, 295, 0);
    EXPECT_EQ(t.tools.lastMouseX, -1);
    // A press in the plane pane only makes it active again.
    t.press(100, 100);
    EXPECT_EQ(t.state.spaceActive, 0);
    EXPECT_EQ(t.state.currentTool, cmd::kToolSelect);
}

TEST(MouseTools, FourPicksStartTheQuickMergeAndThreeEndMode32812) {
    Tools t;
    SceneObject* a = t.doc.addObject(KIND_C, 0, 0, 10, 0, 0, 0);
    SceneObject* b = t.doc.addObject(KIND_C, 100, 0, 10, 0, 0, 0);
    auto pickAt = [&](int x) {
        t.move(200 + x, t.state.clientHeight - 200, 0);
        t.press(200 + x, t.state.clientHeight - 200);
        t.release(200 + x, t.state.clientHeight - 200);
    };
    t.tools.onCommand(cmd::kPickRotate);
    EXPECT_TRUE(t.tools.isChecked(cmd::kPickRotate));
    pickAt(0);
    pickAt(0); // the same object counts twice
    pickAt(100);
    pickAt(100);
    ASSERT_EQ(t.host.merges.size(), 1u);
    EXPECT_EQ(t.host.mergeModes[0], MERGE_ROTATE);
    const std::vector<MergeSelection>& picks = t.host.merges[0];
    EXPECT_EQ(picks[0].object, a);
    EXPECT_EQ(picks[1].object, a);
    EXPECT_EQ(picks[2].object, b);
    EXPECT_EQ(picks[3].cluster, 2);
    EXPECT_EQ(picks[1].cluster, 1);
    EXPECT_EQ(t.tools.pickMode, 0);
    EXPECT_EQ(t.state.selectedObject, nullptr);

    t.tools.onCommand(cmd::kPickThree);
    pickAt(0);
    pickAt(100);
    pickAt(0);
    EXPECT_EQ(t.tools.pickMode, 0);
    EXPECT_EQ(t.host.merges.size(), 1u);

    t.tools.onCommand(cmd::kPickTranslate);
    t.tools.onCommand(cmd::kPickTranslate);
    EXPECT_EQ(t.tools.pickMode, 0) << "choosing the active mode again ends it";
}

TEST(MouseTools, DeletedPickEndsTheSequenceWithoutAMerge) {
    Tools t;
    SceneObject* a = t.doc.addObject(KIND_C, 0, 0, 10, 0, 0, 0);
    t.doc.addObject(KIND_C, 100, 0, 10, 0, 0, 0);
    t.tools.onCommand(cmd::kPickTranslate);
    t.tools.hitTest(200, 200);
    t.press(200, t.state.clientHeight - 200);
    t.release(200, t.state.clientHeight - 200);
    t.doc.removeObject(a);
    t.state.hoverObject = nullptr;
    for (int i = 0; i < 3; ++i) {
        t.move(300, t.state.clientHeight - 200, 0);
        t.press(300, t.state.clientHeight - 200);
        t.release(300, t.state.clientHeight - 200);
    }
    EXPECT_TRUE(t.host.merges.empty());
    EXPECT_EQ(t.tools.pickMode, 0);
}

TEST(MouseTools, SplitterDraggedPastEitherEdgeStaysInTheWindowAndCanBeGrabbedAgain) {
    Tools t(1000, 600);
    t.tools.onCommand(cmd::kShowSpace);
    t.press(500, 300);
    t.move(-40, 300); // the window still reports moves while the button is held outside
    EXPECT_EQ(t.state.spacePaneWidth, 1000);
    t.move(1100, 300);
    EXPECT_EQ(t.state.spacePaneWidth, 0);
    t.release(1100, 300);
    EXPECT_EQ(t.tools.splitterDragging, 0);

    t.press(1001, 300); // the strip now hugs the right edge
    EXPECT_EQ(t.tools.splitterDragging, 1);
    t.move(400, 300);
    EXPECT_EQ(t.state.spacePaneWidth, 600);
}

TEST(MouseTools, DragReleasedOverTheOtherPaneEndsAsOneStep) {
    Tools t;
    t.tools.onCommand(cmd::kShowSpace);
    SceneObject* c = t.doc.addObject(KIND_C, 0, 0, 20, 0, 0, 0);
    t.move(t.wx(0), t.wy(0), 0);
    t.press(t.wx(0), t.wy(0));
    t.move(t.wx(10), t.wy(5));
    t.move(t.wx(30), t.wy(5));
    t.release(t.state.splitX() + 100, t.wy(5)); // over the circle-space pane
    EXPECT_EQ(t.tools.dragging, 0);
    EXPECT_EQ(t.host.steps, (std::vector<std::string>{"Move"}));
    // Back over the plane without a button: the circle stays where it was left.
    t.move(t.wx(-40), t.wy(-40), 0);
    EXPECT_EQ(c->x[0], 30);
    EXPECT_EQ(c->y[0], 5);
}

TEST(MouseTools, KindAndReverseAreStepsOnlyWhenTheyChangeSomething) {
    Tools t;
    SceneObject* c = t.doc.addObject(KIND_C, 0, 0, 20, 0, 0, 0);
    t.move(t.wx(0), t.wy(0), 0);
    t.press(t.wx(0), t.wy(0));
    t.release(t.wx(0), t.wy(0));
    ASSERT_EQ(t.state.selectedObject, c);
    EXPECT_TRUE(t.host.steps.empty()) << "a click without a move is no step";
    t.tools.onCommand(cmd::kKindC); // already a C
    t.tools.onCommand(cmd::kReverse);
    t.tools.onCommand(cmd::kKindL);
    EXPECT_EQ(t.host.steps, (std::vector<std::string>{"Reverse", "Change Kind"}));
}

TEST(MouseTools, EscapePutsAPanOrZoomDragBack) {
    Tools t;
    t.tools.onCommand(cmd::kToolZoom);
    t.press(300, 200);
    t.move(400, 200);
    EXPECT_FLOAT_EQ(t.state.planeZoom, 2.0f);
    EXPECT_TRUE(t.tools.cancelDrag());
    EXPECT_FLOAT_EQ(t.state.planeZoom, 1.0f);
    t.move(500, 200);
    EXPECT_FLOAT_EQ(t.state.planeZoom, 1.0f) << "the drag is over";
    EXPECT_FALSE(t.tools.cancelDrag());
}

TEST(MouseTools, WheelNotchesAtOnePlaceKeepItsScenePointThere) {
    Tools t(800, 600);
    // Scene point of window pixel (523, 117): pane row 482, origin (200, 200), zoom 1.
    const double sx = 523 - 200, sy = 482 - 200;
    for (int i = 0; i < 7; ++i)
        t.tools.onWheel(523, 117, 1);
    for (int i = 0; i < 3; ++i)
        t.tools.onWheel(523, 117, -1);
    t.tools.onWheel(523, 117, 0.5); // half a notch from a fine wheel
    const double zoom = std::pow(1.25, 4.5);
    EXPECT_NEAR(t.state.planeZoom, zoom, 1e-5 * zoom);
    EXPECT_NEAR(t.state.planeZoom * sx + t.state.planeOriginX, 523, 0.5);
    EXPECT_NEAR(t.state.planeZoom * sy + t.state.planeOriginY, 482, 0.5);

    t.tools.onCommand(cmd::kShowSpace);
    const float before = t.state.planeZoom;
    t.tools.onWheel(t.state.splitX() + 50, 117, 1);
    EXPECT_EQ(t.state.planeZoom, before) << "the wheel over circle space leaves the plane";
}
