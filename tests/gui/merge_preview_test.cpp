// The merge as a person meets it: Merge Control and Preview Result read whole at the
// default font, the picture fits whatever the dialog's shape, the plane shows the selected
// candidate while the preview is open, and the pick modes guide and can be cancelled.
#include "gui_support.h"

#include "tests/support/make_objects.h"

#include "ui/qt/merge_control_dialog.h"
#include "ui/qt/merge_workflow.h"
#include "ui/qt/preview_result_dialog.h"
#include "view/command_ids.h"
#include "view/overlay_drawing.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

#include <cmath>

namespace {

class MergePreviewTest : public GuiTest {
  protected:
    std::vector<SceneObject*> scene(const std::vector<SceneObject>& objects) {
        std::vector<SceneObject*> added;
        for (const SceneObject& o : objects)
            added.push_back(isLineKind(o.kind)
                                ? doc().addObject(o.kind, o.x[0], o.y[0], o.x[1], o.y[1], 0, 0, 255)
                                : doc().addObject(o.kind, o.x[0], o.y[0], o.r, 0, 160, 0));
        return added;
    }
    static void clickLine(QListWidget* list, int row) {
        ASSERT_LT(row, list->count());
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }
    // Every line lies inside the viewport and no horizontal scroll bar is shown.
    static void expectLinesWhole(QListWidget* list, const char* name) {
        EXPECT_FALSE(list->horizontalScrollBar()->isVisible()) << name;
        const QRect inside = list->viewport()->rect();
        for (int i = 0; i < list->count(); ++i) {
            const QRect r = list->visualItemRect(list->item(i));
            EXPECT_TRUE(inside.contains(r))
                << name << " line " << i << ": " << list->item(i)->text().toStdString();
            EXPECT_GE(r.width(), list->fontMetrics().horizontalAdvance(list->item(i)->text()))
                << name << " line " << i;
        }
    }
    // Clicks the object whose handle is at the scene point.
    void pickAt(double x, double y) {
        const QPoint p = windowPixelOf(x, y);
        sendMouse(QEvent::MouseMove, p, Qt::NoButton);
        sendMouse(QEvent::MouseButtonPress, p, Qt::LeftButton);
        sendMouse(QEvent::MouseButtonRelease, p, Qt::NoButton);
        updatePass();
    }
    QString statusText() { return frame().statusBar()->findChild<QLabel*>("MessagePane")->text(); }
    bool planeHasNear(double x, double y, const QColor& colour) {
        const Point2 p = view().state.planePixel(x, y);
        return Framebuffer(view()).hasNear(static_cast<int>(p.x), static_cast<int>(p.y), colour, 2);
    }
    void keepShot(QWidget& w, const char* name) {
        const char* dir = std::getenv("TORVANE_ARTEFACTS");
        w.grab().save(QString(dir ? dir : "/tmp") + "/" + name + ".png");
    }
};

const QColor kRed(255, 0, 0);

} // namespace

TEST_F(MergePreviewTest, MergeControlShowsEveryLineWholeAndRotateFromItsMenuItem) {
    start();
    scene({makeLine(KIND_L, -123.5, 456.25, 789.0, -321.0),
           makeLine(KIND_L_PRIME, -999.0, -888.0, 777.0, -666.5),
           makeCircle(KIND_C_PRIME, -555.5, 444.0, -333.0),
           makeLine(KIND_L, 100.0, -200.0, -300.0, 400.0), makeCircle(KIND_C, 1, 2, 3)});
    bool shown = false;
    app->merges().showControl = [&](CMergeControlDlg& d) {
        d.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
        for (int button : {IDC_TO_CLUSTER1, IDC_TO_CLUSTER1, IDC_TO_CLUSTER2, IDC_TO_CLUSTER2}) {
            clickLine(d.list(IDC_OBJECT_LIST), 0);
            QTest::mouseClick(d.button(button), Qt::LeftButton);
        }
        EXPECT_EQ(d.list(IDC_CLUSTER1_LIST)->count(), 2);
        EXPECT_EQ(d.list(IDC_CLUSTER2_LIST)->count(), 2);
        expectLinesWhole(d.list(IDC_CLUSTER1_LIST), "cluster 1");
        expectLinesWhole(d.list(IDC_CLUSTER2_LIST), "cluster 2");
        expectLinesWhole(d.list(IDC_OBJECT_LIST), "objects");
        QListWidget* method = d.list(IDC_METHOD_LIST);
        expectLinesWhole(method, "method");
        EXPECT_FALSE(method->verticalScrollBar()->isVisible());
        EXPECT_EQ(method->currentRow(), 1) << "opened by Merge by Rotating";
        EXPECT_EQ(d.model().method, MERGE_ROTATE);
        keepShot(d, "merge_control");
        shown = true;
        return false;
    };
    trigger(cmd::kMergeRotate);
    EXPECT_TRUE(shown);
    QAction* rotate = frame().action(cmd::kMergeRotate);
    EXPECT_EQ(rotate->text(), "Merge by Rotating");
}

TEST_F(MergePreviewTest, PictureFitsABoxBetweenFourThirdsAndTheAreaShape) {
    start();
    // Box from (0, 0) to (100, 85): h/w = 0.85. The candidate circle touches its right side.
    SceneObject objs[4] = {makeLine(KIND_L, 0, 0, 0, 1), makeCircle(KIND_C, 20, 20, 5),
                           makeCircle(KIND_C, 50, 40, 10), makeLine(KIND_L, 0, 85, 1, 85)};
    objs[2].setColour(0, 0, 255);
    MergeProblem problem;
    for (int i = 0; i < 4; ++i)
        problem.addObject(i < 2 ? 1 : 2, &objs[i]);
    problem.appendCandidate(KIND_C, 80, 50, 20, 40.0);
    problem.appendCandidate(KIND_C, 10, 10, 1, 0.0);
    CPreviewResultDlg d(problem, prompts, &frame());
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    // Resized so that the area is taller than the box's shape but wider than 4:3.
    d.resize(d.width() + 80, d.height() + 160);
    QTest::qWait(50);
    const QRect area = d.drawingFrame()->contentsRect();
    const double h = static_cast<double>(area.height()), w = static_cast<double>(area.width());
    ASSERT_GT(h / w, 0.85) << "the area must be taller than the box for the old rule to cut";
    const QImage picture = d.drawingFrame()->grab().toImage();
    int left = picture.width(), right = -1, top = picture.height(), bottom = -1;
    bool blue = false;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            blue = blue || c == QColor(0, 0, 255);
            if (c != kRed)
                continue;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    // The picture's scale is the smaller of the two axes' room per unit.
    const double s = std::min(w / 100.0, h / 85.0);
    EXPECT_NEAR(right - left, 40 * s, 2.0);
    EXPECT_NEAR(bottom - top, 40 * s, 2.0);
    EXPECT_LE(right, area.right());
    EXPECT_TRUE(blue) << "the moved cluster-2 circle is drawn";
    // No ring between the black frame and the white area.
    EXPECT_EQ(picture.pixelColor(area.right(), area.bottom()), QColor(Qt::white));
    EXPECT_EQ(picture.pixelColor(area.right() + 1, area.bottom()), QColor(Qt::black));
    EXPECT_EQ(picture.pixelColor(area.right(), area.bottom() + 1), QColor(Qt::black));
    if (HasFailure())
        picture.save(tempPath("fit.png"));
    // Whole candidate lines, with the residual in the tooltip.
    expectLinesWhole(d.candidateList(), "candidates");
    EXPECT_TRUE(d.candidateList()->item(0)->toolTip().startsWith("Residual "));
    keepShot(d, "preview_result");
}

TEST_F(MergePreviewTest, PlaneShowsTheSelectedCandidateUntilCancel) {
    start();
    scene({makeLine(KIND_L, 0, 0, 10, 0), makeCircle(KIND_C, 5, 15, -5),
           makeCircle(KIND_C, 30, 10, 5), makeLine(KIND_L, 40, 0, 40, 10)});
    app->merges().showControl = [&](CMergeControlDlg& d) {
        for (int button : {IDC_TO_CLUSTER1, IDC_TO_CLUSTER1, IDC_TO_CLUSTER2, IDC_TO_CLUSTER2}) {
            d.list(IDC_OBJECT_LIST)->setCurrentRow(0);
            QTest::mouseClick(d.button(button), Qt::LeftButton);
        }
        return true;
    };
    double x2 = 0, y2 = 0, r2 = 0;
    app->merges().showPreview = [&](CPreviewResultDlg& d) {
        d.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
        QListWidget* list = d.candidateList();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        EXPECT_EQ(d.selectedCandidate, 2);
        const std::optional<MergeOverlay>& overlay = view().state.mergeOverlay;
        EXPECT_TRUE(overlay && overlay->hasCircle);
        if (overlay && overlay->hasCircle) {
            x2 = overlay->circle.x[0], y2 = overlay->circle.y[0], r2 = overlay->circle.r;
            EXPECT_EQ(overlay->others.size(), 3u);
            EXPECT_EQ(overlay->moved.size(), 2u);
        }
        EXPECT_TRUE(planeHasNear(x2, y2 + std::fabs(r2), kRed)) << "the candidate in the plane";
        keepShot(*app->frame(), "plane_during_preview");
        QTest::mouseClick(d.findChild<QPushButton*>("2"), Qt::LeftButton);
        return d.result() == QDialog::Accepted;
    };
    trigger(cmd::kMergeTranslate);
    // The worked example's third candidate, computed by hand: (15.82, 7.93, 7.93).
    EXPECT_NEAR(x2, 15.823922, 1e-5);
    EXPECT_NEAR(y2, 7.928932, 1e-5);
    EXPECT_FALSE(view().state.mergeOverlay);
    EXPECT_FALSE(planeHasNear(x2, y2 + std::fabs(r2), kRed)) << "gone after Cancel";
    EXPECT_EQ(doc().objectCount, 4);
    for (const SceneObject* o : doc())
        EXPECT_EQ(o->dashed, 0);
}

TEST_F(MergePreviewTest, PickModesGuideAndEscapeCancels) {
    start();
    scene({makeCircle(KIND_C, 0, 0, 30), makeCircle(KIND_C, 100, 0, 30),
           makeCircle(KIND_C, 0, 100, 30), makeCircle(KIND_C, 100, 100, 30)});
    for (int id : {cmd::kPickThree, cmd::kPickTranslate, cmd::kPickRotate}) {
        EXPECT_FALSE(frame().action(id)->toolTip().isEmpty()) << id;
        EXPECT_FALSE(frame().action(id)->statusTip().isEmpty()) << id;
    }
    EXPECT_EQ(statusText(), "Ready");
    trigger(cmd::kPickTranslate);
    EXPECT_EQ(statusText(), "Pick object 1 of 4: cluster 1. Esc cancels.");
    pickAt(0, 0);
    pickAt(100, 0);
    pickAt(0, 100);
    EXPECT_EQ(statusText(), "Pick object 4 of 4: cluster 2. Esc cancels.");
    ASSERT_EQ(view().state.pickMarks.size(), 3u);
    int red, green, blue;
    pickMarkColour(2, red, green, blue);
    view().state.selectedObject = nullptr; // the selection halo would cover the mark
    view().redraw();
    EXPECT_TRUE(planeHasNear(0, 100 + 30, QColor(red, green, blue))) << "cluster 2's mark";
    pickMarkColour(1, red, green, blue);
    EXPECT_TRUE(planeHasNear(100, 30, QColor(red, green, blue))) << "cluster 1's mark";

    QTest::keyClick(&frame(), Qt::Key_Escape);
    updatePass();
    EXPECT_EQ(view().tools().pickMode, 0);
    EXPECT_TRUE(view().state.pickMarks.empty());
    EXPECT_EQ(statusText(), "Ready");
    EXPECT_FALSE(planeHasNear(100, 30, QColor(red, green, blue)));
    EXPECT_FALSE(frame().action(cmd::kPickTranslate)->isChecked());
}

TEST_F(MergePreviewTest, CircleTouchingThreeFromTheToolbar) {
    start();
    // The 300-225-375 right triangle, sides counter-clockwise: its incircle is (75, 75, 75).
    scene({makeLine(KIND_L, 0, 0, 300, 0), makeLine(KIND_L, 300, 0, 0, 225),
           makeLine(KIND_L, 0, 225, 0, 0)});
    bool previewed = false;
    app->merges().showPreview = [&](CPreviewResultDlg& d) {
        d.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
        EXPECT_EQ(d.candidateList()->count(), 1);
        EXPECT_EQ(d.candidateList()->item(0)->text(), "C(75.00, 75.00, 75.00)");
        EXPECT_TRUE(planeHasNear(75, 150, kRed)) << "the circle in the plane before it is added";
        previewed = true;
        QTest::mouseClick(d.findChild<QPushButton*>("1"), Qt::LeftButton);
        return d.result() == QDialog::Accepted;
    };
    trigger(cmd::kPickThree);
    pickAt(0, 0);
    pickAt(300, 0);
    EXPECT_EQ(statusText(), "Pick object 3 of 3 for the circle touching three. Esc cancels.");
    pickAt(0, 225);
    EXPECT_TRUE(previewed);
    ASSERT_EQ(doc().objectCount, 4);
    const SceneObject* circle = nullptr;
    for (const SceneObject* o : doc())
        circle = o; // the last one added
    EXPECT_NEAR(circle->x[0], 75, 1e-9);
    EXPECT_NEAR(circle->y[0], 75, 1e-9);
    EXPECT_NEAR(circle->r, 75, 1e-9);
    EXPECT_EQ(circle->red, 255);
    EXPECT_EQ(circle->pinned, 1);
    EXPECT_TRUE(view().state.pickMarks.empty());
    EXPECT_FALSE(view().state.mergeOverlay);
    EXPECT_TRUE(
        prompts.asked.back().text.startsWith("New circle: (75.000, 75.000, 75.000), Spent "))
        << prompts.asked.back().text.toStdString();
    // The added circle is one step of the history.
    EXPECT_EQ(frame().action(cmd::kEditUndo)->text(), "&Undo Circle touching three\tCtrl+Z");
    trigger(cmd::kEditUndo);
    EXPECT_EQ(doc().objectCount, 3);
}
