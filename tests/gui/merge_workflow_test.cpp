// The merge from the Cluster menu on the real window: the Merge Control dialog driven
// by clicks, the Preview Result dialog, the report and the document afterwards.
#include "gui_support.h"

#include "tests/support/make_objects.h"

#include "ui/qt/merge_control_dialog.h"
#include "ui/qt/merge_workflow.h"
#include "ui/qt/preview_result_dialog.h"
#include "view/command_ids.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

class MergeWorkflowTest : public GuiTest {
  protected:
    // Adds the objects; the first two go to cluster 1 and the rest to cluster 2.
    std::vector<SceneObject*> scene(const std::vector<SceneObject>& objects) {
        std::vector<SceneObject*> added;
        for (const SceneObject& o : objects)
            added.push_back(isLineKind(o.kind)
                                ? doc().addObject(o.kind, o.x[0], o.y[0], o.x[1], o.y[1], 0, 0, 255)
                                : doc().addObject(o.kind, o.x[0], o.y[0], o.r, 0, 160, 0));
        return added;
    }
    static SceneObject line(double x0, double y0, double x1, double y1) {
        return makeLine(KIND_L, x0, y0, x1, y1);
    }
    static SceneObject circle(double x, double y, double r) { return makeCircle(KIND_C, x, y, r); }
    static void click(QWidget* w) {
        ASSERT_NE(w, nullptr);
        QTest::mouseClick(w, Qt::LeftButton);
    }
    static void clickLine(QListWidget* list, int row) {
        ASSERT_LT(row, list->count());
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }
    // Shows the Merge Control dialog, moves the first `toCluster1` and `toCluster2`
    // objects by clicks, then presses Merge (or Cancel).
    void driveControl(int toCluster1, int toCluster2, bool merge = true) {
        app->merges().showControl = [=, this](CMergeControlDlg& d) {
            d.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
            EXPECT_EQ(d.windowTitle(), "Merge Control");
            for (int i = 0; i < toCluster1; ++i) {
                clickLine(d.list(IDC_OBJECT_LIST), 0);
                click(d.button(IDC_TO_CLUSTER1));
            }
            for (int i = 0; i < toCluster2; ++i) {
                clickLine(d.list(IDC_OBJECT_LIST), 0);
                click(d.button(IDC_TO_CLUSTER2));
            }
            controlClusterLines = {d.list(IDC_CLUSTER1_LIST)->count(),
                                   d.list(IDC_CLUSTER2_LIST)->count()};
            click(d.button(merge ? 1 : 2));
            return d.result() == QDialog::Accepted;
        };
        app->merges().showPreview = [this](CPreviewResultDlg&) {
            ++previews;
            return false;
        };
    }
    std::pair<int, int> controlClusterLines;
    int previews = 0;
};

} // namespace

TEST_F(MergeWorkflowTest, FourLinesMergeAtOnceWithoutAPreview) {
    start();
    std::vector<SceneObject*> objs =
        scene({line(0, 0, 10, 0), line(0, 10, 0, 0), line(10, 10, 0, 10), line(20, 0, 20, 10)});
    driveControl(2, 2);
    trigger(cmd::kMergeTranslate);
    EXPECT_EQ(previews, 0);
    ASSERT_EQ(prompts.count("message"), 1);
    EXPECT_EQ(prompts.asked.back().caption, "Torvane");
    EXPECT_EQ(prompts.asked.back().text,
              "Translate: -10.0000, New circle: (5.000, 5.000, 5.000), Spent 0 seconds");
    ASSERT_EQ(doc().objectCount, 7);
    EXPECT_EQ(objs[2]->dashed, 1);
    EXPECT_EQ(objs[3]->dashed, 1);
    std::vector<SceneObject*> all(doc().begin(), doc().end());
    EXPECT_EQ(all[4]->x[0], 0.0);
    EXPECT_EQ(all[4]->y[0], 10.0);
    EXPECT_EQ(all[6]->kind, KIND_C);
    EXPECT_EQ(all[6]->red, 255);
    EXPECT_EQ(all[6]->pinned, 1);
    EXPECT_TRUE(app->lifecycle().isModified());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the wait cursor is restored";
}

TEST_F(MergeWorkflowTest, FourCandidatesThroughThePreviewThirdChosen) {
    start();
    scene({line(0, 0, 10, 0), circle(5, 15, -5), circle(30, 10, 5), line(40, 0, 40, 10)});
    driveControl(2, 2);
    QStringList lines;
    bool frameHasRed = false;
    app->merges().showPreview = [&](CPreviewResultDlg& d) {
        d.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
        EXPECT_EQ(d.windowTitle(), "Preview Result");
        for (int i = 0; i < d.candidateList()->count(); ++i)
            lines << d.candidateList()->item(i)->text();
        clickLine(d.candidateList(), 2);
        EXPECT_EQ(d.selectedCandidate, 2);
        const QImage picture = d.drawingFrame()->grab().toImage();
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                frameHasRed = frameHasRed || picture.pixelColor(x, y) == QColor(255, 0, 0);
        click(d.findChild<QPushButton*>("1"));
        return d.result() == QDialog::Accepted;
    };
    trigger(cmd::kMergeTranslate);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[2], "T:-16.2471 (15.82, 7.93, 7.93)");
    EXPECT_TRUE(frameHasRed);
    ASSERT_EQ(doc().objectCount, 7);
    std::vector<SceneObject*> all(doc().begin(), doc().end());
    EXPECT_NEAR(all[4]->x[0], 30 - 16.247146, 1e-6);
    EXPECT_NEAR(all[5]->x[0], 40 - 16.247146, 1e-6);
    EXPECT_NEAR(all[6]->x[0], 15.823922, 1e-6);
    EXPECT_NEAR(all[6]->y[0], 7.928932, 1e-6);
    EXPECT_NEAR(all[6]->r, 7.928932, 1e-6);
    EXPECT_EQ(prompts.asked.back().text.left(20), "Translate: -16.2471,");
}

TEST_F(MergeWorkflowTest, FailingMergeSaysWhyAndLeavesTheDocument) {
    start();
    scene({line(0, 0, 10, 0), line(0, 10, 0, 0), line(10, 10, 0, 10), line(20, 0, 20, 10)});
    app->lifecycle().setModified(false);
    driveControl(1, 2);
    trigger(cmd::kMergeTranslate);
    ASSERT_EQ(prompts.count("message"), 1);
    EXPECT_EQ(prompts.asked.back().caption, "Info");
    EXPECT_EQ(prompts.asked.back().text,
              "Please select four objects.\nPick two objects for each cluster: cluster 1 has 1 "
              "object and cluster 2 has 2 objects.");
    EXPECT_EQ(doc().objectCount, 4);
    for (const SceneObject* o : doc())
        EXPECT_EQ(o->dashed, 0);
    EXPECT_FALSE(app->lifecycle().isModified());
}

TEST_F(MergeWorkflowTest, ThirdObjectIntoAClusterAndCancelChangeNothing) {
    start();
    scene({line(0, 0, 10, 0), line(0, 10, 0, 0), line(10, 10, 0, 10), line(20, 0, 20, 10)});
    driveControl(3, 0, false);
    trigger(cmd::kMergeTranslate);
    EXPECT_EQ(controlClusterLines.first, 2);
    EXPECT_EQ(prompts.count("message"), 0);
    EXPECT_EQ(doc().objectCount, 4);
}

TEST_F(MergeWorkflowTest, PreviewDrawsLinesBorderToBorderAndShowsComplexValues) {
    start();
    SceneObject objs[4] = {line(0, 0, 0, 1), line(0, 10, 1, 10), circle(5, 0, 5), line(2, 0, 3, 0)};
    MergeProblem problem;
    for (int i = 0; i < 4; ++i)
        problem.addObject(i < 2 ? 1 : 2, &objs[i]);
    objs[0].blue = 255;
    problem.appendCandidate(KIND_C, 3, 5, 2, 5.0);
    problem.appendCandidate(kComplexCandidate, 0.5, -2, 0, 0);
    CPreviewResultDlg d(problem, prompts, &frame());
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    const QImage picture = d.drawingFrame()->grab().toImage();
    // The vertical line x = 0 is the box's left side; it runs from the top row of the
    // drawing area (inside the frame's border) to the bottom row; the top row itself holds
    // the black line y = 10.
    const QColor blue(0, 0, 255);
    int column = -1;
    for (int x = 0; x < picture.width() && column < 0; ++x)
        if (picture.pixelColor(x, picture.height() / 2) == blue)
            column = x;
    ASSERT_GE(column, 0);
    EXPECT_EQ(picture.pixelColor(column, 3), blue);
    EXPECT_EQ(picture.pixelColor(column, picture.height() - 3), blue);
    EXPECT_EQ(picture.pixelColor(picture.width() / 2, 0), QColor(Qt::black)) << "the frame";
    if (HasFailure())
        picture.save(tempPath("preview.png"));

    clickLine(d.candidateList(), 1);
    EXPECT_EQ(d.selectedCandidate, 1);
    ASSERT_EQ(prompts.count("message"), 1);
    EXPECT_EQ(prompts.asked.back().caption, "Info");
    EXPECT_EQ(prompts.asked.back().text, "5.000000e-01 + (-2.000000e+00)i");
    EXPECT_EQ(d.candidateList()->item(1)->text(), "T:0.5000000 + (-2.0000000)i");
}
