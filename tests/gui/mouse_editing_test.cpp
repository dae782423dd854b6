// Drawing and editing with the mouse on the real view, the tool buttons' check marks,
// and the quick merge started by four picks.
#include "gui_support.h"

#include "ui/qt/merge_workflow.h"
#include "ui/qt/preview_result_dialog.h"
#include "ui/qt/properties_dialog.h"
#include "view/command_ids.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QSlider>
#include <QTest>

namespace {

class MouseEditingTest : public GuiTest {
  protected:
    void clickAt(QPoint p) { drag(p, p); }
    QPoint at(double x, double y) { return windowPixelOf(x, y); }
};

} // namespace

TEST_F(MouseEditingTest, DrawSelectDragAndReshapeWithTheMouse) {
    start();
    trigger(cmd::kKindC);
    EXPECT_TRUE(frame().action(cmd::kKindC)->isChecked());
    drag(at(0, 0), at(40, 0));
    ASSERT_EQ(doc().objectCount, 1);
    SceneObject* circle = *doc().begin();
    EXPECT_EQ(circle->r, 40);
    EXPECT_TRUE(app->lifecycle().isModified());

    trigger(cmd::kKindL);
    drag(at(-100, -50), at(100, -50));
    ASSERT_EQ(doc().objectCount, 2);
    std::vector<SceneObject*> objs(doc().begin(), doc().end());
    EXPECT_EQ(objs[1]->kind, KIND_L);
    EXPECT_EQ(objs[1]->x[1], 100);

    trigger(cmd::kToolSelect);
    EXPECT_TRUE(frame().action(cmd::kToolSelect)->isChecked());
    drag(at(0, 0), at(30, 20)); // the centre moves the circle
    EXPECT_EQ(circle->x[0], 30);
    EXPECT_EQ(circle->y[0], 20);
    drag(at(70, 20), at(80, 20)); // the rim reshapes it
    EXPECT_EQ(circle->r, 50);
    EXPECT_EQ(view().state.selectedObject, circle);
    trigger(cmd::kKindCPrime);
    EXPECT_EQ(circle->kind, KIND_C_PRIME);
    EXPECT_TRUE(frame().action(cmd::kKindCPrime)->isChecked());

    // The rim is drawn where the circle now is.
    Framebuffer fb(view());
    const Point2 rim = view().state.planePixel(80, 20);
    if (!fb.hasNear(static_cast<int>(rim.x), static_cast<int>(rim.y), QColor(0, 255, 0), 2))
        fb.keep("mouse_editing_rim");
    EXPECT_TRUE(fb.hasNear(static_cast<int>(rim.x), static_cast<int>(rim.y), QColor(0, 255, 0), 2));
}

TEST_F(MouseEditingTest, FourPicksMergeThroughThePreview) {
    start();
    // The four-solution example: picking order gives clusters 1, 1, 2, 2.
    doc().addObject(KIND_L, 0, 0, 10, 0, 0, 0, 255);
    doc().addObject(KIND_C, 5, 15, -5, 0, 160, 0);
    doc().addObject(KIND_C, 30, 10, 5, 0, 160, 0);
    doc().addObject(KIND_L, 40, 0, 40, 10, 0, 0, 255);
    view().redraw();
    int previews = 0;
    app->merges().showPreview = [&](CPreviewResultDlg& d) {
        ++previews;
        d.selectedCandidate = 2;
        return true;
    };
    trigger(cmd::kPickTranslate);
    EXPECT_TRUE(frame().action(cmd::kPickTranslate)->isChecked());
    clickAt(at(10, 0)); // the first line's point 1
    clickAt(at(5, 15));
    clickAt(at(30, 10));
    clickAt(at(40, 10));
    EXPECT_EQ(previews, 1);
    ASSERT_EQ(doc().objectCount, 7);
    std::vector<SceneObject*> objs(doc().begin(), doc().end());
    EXPECT_NEAR(objs[6]->x[0], 15.823922, 1e-6);
    EXPECT_EQ(objs[6]->red, 255);
    EXPECT_EQ(objs[2]->dashed, 1);
    EXPECT_FALSE(frame().action(cmd::kPickTranslate)->isChecked());
    EXPECT_EQ(prompts.asked.back().caption, "Torvane");
}

TEST_F(MouseEditingTest, CircleSpaceShowsTheConeOfATangencyCircle) {
    start();
    auto redPixelsInSpace = [&] {
        view().redraw();
        Framebuffer fb(view());
        int count = 0;
        for (int x = view().state.splitX() + 10; x < fb.width() - 10; x += 3)
            for (int y = 10; y < fb.height() - 10; y += 3) {
                const QColor c = fb.at(x, y);
                count += c.red() > 150 && c.green() < 110 && c.blue() < 110;
            }
        return count;
    };
    trigger(cmd::kShowSpace);
    ASSERT_TRUE(view().state.showSpace);
    EXPECT_EQ(redPixelsInSpace(), 0) << "nothing red without an object";
    doc().addObject(KIND_C, 0, 0, 50, 255, 0, 0);
    EXPECT_GT(redPixelsInSpace(), 100) << "the translucent red double cone";
    doc().addObject(KIND_L, 10, 10, 10, 10, 255, 0, 0); // no direction: no plane, no fault
    EXPECT_GT(redPixelsInSpace(), 100);
}

TEST_F(MouseEditingTest, PropertiesDialogAndContextMenuCommands) {
    start();
    SceneObject* circle = doc().addObject(KIND_C, 0, 0, 40, 0, 255, 0);
    view().state.selectedObject = circle;
    view().state.hoverObject = nullptr;
    EXPECT_FALSE(view().contextMenuAllowed()) << "away from the selected object: no menu";
    view().state.hoverObject = circle;
    EXPECT_TRUE(view().contextMenuAllowed());

    view().showProperties = [](CPropertiesDlg& d) {
        d.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
        EXPECT_EQ(d.windowTitle(), "Properties");
        EXPECT_EQ(d.typeList->count(), 4);
        EXPECT_EQ(d.colourEdit[1]->text(), "255");
        d.typeList->setCurrentIndex(1); // "L-Line (Tangent to)"
        d.colourSlider[0]->setValue(200);
        EXPECT_EQ(d.colourEdit[0]->text(), "200");
        EXPECT_EQ(d.colourArrows[0]->value(), 55);
        // The upper arrow raises red by one; at 255 it stays.
        d.colourArrows[0]->triggerAction(QAbstractSlider::SliderSingleStepSub);
        EXPECT_EQ(d.red, 201);
        d.colourArrows[1]->triggerAction(QAbstractSlider::SliderSingleStepSub);
        EXPECT_EQ(d.green, 255);
        d.colourArrows[2]->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(d.blue, 0) << "the lower arrow at 0 leaves it at 0";
        d.widthSlider->setValue(3);
        EXPECT_EQ(d.widthEdit->text(), "3");
        d.accept();
        return d.result() == QDialog::Accepted;
    };
    app->lifecycle().setModified(false);
    view().onObjectCommand(cmd::kObjectProperties);
    EXPECT_EQ(circle->kind, KIND_L);
    EXPECT_EQ(circle->x[0], 0);
    EXPECT_EQ(circle->x[1], 40) << "a line from the centre to 40 units right";
    EXPECT_EQ(circle->y[1], 0);
    EXPECT_EQ(circle->red, 201);
    EXPECT_EQ(circle->green, 255);
    EXPECT_EQ(circle->width, 3);
    EXPECT_TRUE(app->lifecycle().isModified());

    view().onObjectCommand(cmd::kObjectLock);
    EXPECT_EQ(circle->pinned, 0) << "Lock on an unpinned object leaves it unpinned";
    circle->pinned = 1;
    view().onObjectCommand(cmd::kObjectLock);
    EXPECT_EQ(circle->pinned, 0);

    view().onObjectCommand(cmd::kObjectDelete);
    EXPECT_EQ(doc().objectCount, 0);
    EXPECT_EQ(view().state.selectedObject, nullptr);
    EXPECT_EQ(view().state.hoverObject, nullptr);
}
