// Undo and redo on the real window, driven by real mouse and key events: each kind of
// change comes back exactly, a drag and a merge are one step each, the modified mark
// follows the history, and Escape ends a drag where it began.
#include "gui_support.h"

#include "app/object_info_bar.h"
#include "scene/tvn_file.h"
#include "tests/support/scene_fields.h"
#include "ui/qt/merge_workflow.h"
#include "ui/qt/preview_result_dialog.h"
#include "ui/qt/properties_dialog.h"
#include "ui/qt/scene_history.h"
#include "view/command_ids.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QTest>

namespace {

using Scene = std::vector<ObjectFields>;

class UndoHistoryTest : public GuiTest {
  protected:
    QPoint at(double x, double y) { return windowPixelOf(x, y); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &view(), k, m);
        updatePass();
    }
    void undoKey() { key(Qt::Key_Z, Qt::ControlModifier); }
    QString undoItem() {
        updatePass();
        return frame().action(cmd::kEditUndo)->text();
    }
    Scene scene() { return sceneFields(doc()); }
    Scene savedScene(const QString& path) {
        CTorvaneDoc saved;
        std::string error;
        EXPECT_TRUE(loadSceneFile(path.toStdString(), saved, &error)) << error;
        return sceneFields(saved);
    }
    // A scene made directly, as the starting point of a fresh history.
    void startWith(const std::function<void()>& build) {
        start();
        build();
        app->history().clear();
        view().setFocus(Qt::OtherFocusReason);
        view().redraw();
        updatePass();
    }
};

TEST_F(UndoHistoryTest, EveryKindOfChangeUndoesAndRedoesExactly) {
    startWith([] {});
    std::vector<Scene> states{scene()};
    std::vector<QString> names;
    auto step = [&](const QString& name) {
        states.push_back(scene());
        names.push_back(name);
        EXPECT_EQ(undoItem(), "&Undo " + name + "\tCtrl+Z");
    };

    trigger(cmd::kKindC);
    drag(at(0, 0), at(40, 0));
    step("Add Circle");
    trigger(cmd::kKindL);
    drag(at(-100, -50), at(100, -50));
    step("Add Line");
    trigger(cmd::kToolSelect);
    SceneObject* circle = *doc().begin();
    // Several moves of one drag are one step.
    sendMouse(QEvent::MouseMove, at(0, 0), Qt::NoButton);
    sendMouse(QEvent::MouseButtonPress, at(0, 0), Qt::LeftButton);
    for (int i = 1; i <= 5; ++i)
        sendMouse(QEvent::MouseMove, at(6 * i, 4 * i), Qt::LeftButton);
    sendMouse(QEvent::MouseButtonRelease, at(30, 20), Qt::NoButton);
    ASSERT_EQ(circle->x[0], 30);
    step("Move");
    drag(at(70, 20), at(80, 20));
    ASSERT_EQ(circle->r, 50);
    step("Reshape");
    trigger(cmd::kKindCPrime);
    step("Change Kind");
    trigger(cmd::kReverse);
    ASSERT_EQ(circle->r, -50);
    step("Reverse");

    view().showProperties = [](CPropertiesDlg& d) {
        d.typeList->setCurrentIndex(3);
        d.colourSlider[2]->setValue(77);
        d.widthSlider->setValue(4);
        d.accept();
        return true;
    };
    view().onObjectCommand(cmd::kObjectProperties);
    ASSERT_EQ(circle->kind, KIND_L_PRIME);
    step("Properties");

    // Typing a number character by character is one step, ended by leaving the field.
    QLineEdit* y = frame().infoBar()->edit(InfoField::Y);
    y->setFocus(Qt::OtherFocusReason);
    QTest::qWait(20);
    ASSERT_TRUE(y->hasFocus());
    y->selectAll();
    QTest::keyClicks(y, "-12.25");
    ASSERT_EQ(circle->y[0], -12.25);
    view().setFocus(Qt::OtherFocusReason);
    QTest::qWait(20);
    step("Edit Y");

    key(Qt::Key_Delete);
    ASSERT_EQ(doc().objectCount, 1);
    step("Delete");

    const int steps = static_cast<int>(names.size());
    EXPECT_EQ(app->history().undoStack().count(), steps);
    for (int i = steps; i > 0; --i) {
        EXPECT_EQ(undoItem(), "&Undo " + names[i - 1] + "\tCtrl+Z");
        undoKey();
        EXPECT_EQ(scene(), states[i - 1]) << "after undoing " << names[i - 1].toStdString();
    }
    EXPECT_FALSE(frame().action(cmd::kEditUndo)->isEnabled());
    EXPECT_EQ(frame().action(cmd::kEditRedo)->text(), "&Redo Add Circle\tCtrl+Y");
    for (int i = 1; i <= steps; ++i) {
        // Both redo keys work.
        if (i % 2)
            key(Qt::Key_Y, Qt::ControlModifier);
        else
            key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(scene(), states[i]) << "after redoing " << names[i - 1].toStdString();
    }
    EXPECT_FALSE(frame().action(cmd::kEditRedo)->isEnabled());
}

TEST_F(UndoHistoryTest, MergeIsOneStepAndUndoForgetsTheObjectsItTakesAway) {
    startWith([this] {
        doc().addObject(KIND_L, 0, 0, 10, 0, 0, 0, 255);
        doc().addObject(KIND_C, 5, 15, -5, 0, 160, 0);
        doc().addObject(KIND_C, 30, 10, 5, 0, 160, 0);
        doc().addObject(KIND_L, 40, 0, 40, 10, 0, 0, 255);
    });
    const Scene before = scene();
    app->merges().showPreview = [](CPreviewResultDlg& d) {
        d.selectedCandidate = 2;
        return true;
    };
    trigger(cmd::kPickTranslate);
    for (QPoint p : {at(10, 0), at(5, 15), at(30, 10), at(40, 10)})
        drag(p, p);
    ASSERT_EQ(doc().objectCount, 7);
    const Scene merged = scene();
    EXPECT_EQ(app->history().undoStack().count(), 1);
    EXPECT_EQ(undoItem(), "&Undo Merge\tCtrl+Z");

    // Select the new circle, then take the merge back: the selection must go with it.
    view().state.selectedObject = doc().objectAt(6);
    undoKey();
    EXPECT_EQ(scene(), before) << "dashes, copies and the new circle all go";
    EXPECT_EQ(view().state.selectedObject, nullptr);
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(scene(), merged);
}

TEST_F(UndoHistoryTest, ModifiedMarkAndSavedFilesFollowTheHistory) {
    startWith([this] {
        doc().addObject(KIND_C, 0, 0, 40, 0, 255, 0);
        doc().addObject(KIND_L, 100, 0, 100, 50, 0, 0, 255);
    });
    const Scene withCircle = scene();
    const QString path = tempPath("steps.tvn");
    EXPECT_FALSE(app->lifecycle().isModified());

    // Select the circle by its centre and delete it with the key.
    drag(at(0, 0), at(0, 0));
    ASSERT_EQ(view().state.selectedObject, *doc().begin());
    key(Qt::Key_Delete);
    const Scene withoutCircle = scene();
    ASSERT_EQ(withoutCircle.size(), 1u);
    EXPECT_TRUE(app->lifecycle().isModified());
    EXPECT_TRUE(frame().isWindowModified());

    prompts.fileAnswers = {path};
    trigger(cmd::kFileSave);
    EXPECT_EQ(savedScene(path), withoutCircle);
    EXPECT_FALSE(frame().isWindowModified());

    undoKey();
    EXPECT_EQ(scene(), withCircle);
    EXPECT_TRUE(app->lifecycle().isModified()) << "away from the saved state";
    EXPECT_TRUE(frame().isWindowModified());
    trigger(cmd::kFileSave);
    EXPECT_EQ(savedScene(path), withCircle);

    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(scene(), withoutCircle);
    EXPECT_TRUE(app->lifecycle().isModified());
    trigger(cmd::kFileSave);
    EXPECT_EQ(savedScene(path), withoutCircle);

    undoKey();
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_FALSE(app->lifecycle().isModified()) << "back at the saved state: no mark";
    EXPECT_FALSE(frame().isWindowModified());
    const int asksBefore = prompts.count("ask");
    trigger(cmd::kFileNew);
    EXPECT_EQ(prompts.count("ask"), asksBefore) << "nothing unsaved, nothing asked";
    EXPECT_FALSE(frame().action(cmd::kEditUndo)->isEnabled()) << "a new document, no history";
}

TEST_F(UndoHistoryTest, UnlockingAnUnpinnedObjectIsNoChange) {
    startWith([this] { doc().addObject(KIND_C, 0, 0, 40, 0, 255, 0); });
    view().state.selectedObject = *doc().begin();
    view().onObjectCommand(cmd::kObjectLock);
    EXPECT_FALSE(app->lifecycle().isModified());
    EXPECT_FALSE(frame().isWindowModified());
    EXPECT_EQ(app->history().undoStack().count(), 0);
}

TEST_F(UndoHistoryTest, EscapeEndsADragWhereItBegan) {
    startWith([this] { doc().addObject(KIND_L, 0, 0, 50, 20, 0, 255, 0); });
    const Scene before = scene();
    sendMouse(QEvent::MouseMove, at(0, 0), Qt::NoButton);
    sendMouse(QEvent::MouseButtonPress, at(0, 0), Qt::LeftButton);
    sendMouse(QEvent::MouseMove, at(30, 30), Qt::LeftButton);
    ASSERT_EQ(doc().objectAt(0)->x[1], 80);
    key(Qt::Key_Escape);
    EXPECT_EQ(scene(), before);
    sendMouse(QEvent::MouseMove, at(60, 60), Qt::LeftButton);
    sendMouse(QEvent::MouseButtonRelease, at(60, 60), Qt::NoButton);
    EXPECT_EQ(scene(), before) << "the rest of the drag does nothing";
    EXPECT_FALSE(app->lifecycle().isModified());
    EXPECT_EQ(app->history().undoStack().count(), 0);

    // A new object being drawn goes away again. (A click on empty space first, or the
    // kind button would change the selected line.)
    drag(at(-150, 120), at(-150, 120));
    ASSERT_EQ(view().state.selectedObject, nullptr);
    trigger(cmd::kKindC);
    sendMouse(QEvent::MouseButtonPress, at(-50, -50), Qt::LeftButton);
    sendMouse(QEvent::MouseMove, at(-20, -50), Qt::LeftButton);
    ASSERT_EQ(doc().objectCount, 2);
    key(Qt::Key_Escape);
    EXPECT_EQ(scene(), before);
    EXPECT_EQ(view().state.selectedObject, nullptr);
    sendMouse(QEvent::MouseButtonRelease, at(-20, -50), Qt::NoButton);

    // Panning goes back to where the plane was.
    trigger(cmd::kToolMove);
    const int ox = view().state.planeOriginX, oy = view().state.planeOriginY;
    sendMouse(QEvent::MouseButtonPress, QPoint(300, 300), Qt::LeftButton);
    sendMouse(QEvent::MouseMove, QPoint(350, 260), Qt::LeftButton);
    ASSERT_NE(view().state.planeOriginX, ox);
    key(Qt::Key_Escape);
    EXPECT_EQ(view().state.planeOriginX, ox);
    EXPECT_EQ(view().state.planeOriginY, oy);
    sendMouse(QEvent::MouseButtonRelease, QPoint(350, 260), Qt::NoButton);
}

} // namespace
