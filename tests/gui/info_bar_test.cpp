// The object information bar driven through its real edits.
#include "gui_support.h"

#include "app/object_info_bar.h"
#include "view/command_ids.h"

#include <QLineEdit>
#include <QTest>

namespace {

class InfoBarTest : public GuiTest {
  protected:
    QLineEdit* edit(InfoField f) { return frame().infoBar()->edit(f); }
    void select(SceneObject* obj) {
        view().state.selectedObject = obj;
        updatePass();
    }
    // Focuses the edit, replaces its text by typing, as a user does.
    void typeInto(InfoField f, const char* text) {
        QLineEdit* e = edit(f);
        e->setFocus(Qt::OtherFocusReason);
        QTest::qWait(20);
        ASSERT_TRUE(e->hasFocus());
        e->selectAll();
        QTest::keyClicks(e, text);
    }
};

TEST_F(InfoBarTest, MoveOrZoomToolEmptiesAndDisablesEveryEditDespiteASelection) {
    start();
    SceneObject* c = doc().addObject(KIND_C, 3, 4, 5, 0, 0, 0);
    select(c);
    EXPECT_EQ(edit(InfoField::X)->text(), "3.000000");
    for (int tool : {cmd::kToolMove, cmd::kToolZoom}) {
        view().state.currentTool = tool;
        updatePass();
        for (InfoField f : {InfoField::X, InfoField::Y, InfoField::RadiusOrX2, InfoField::Y2}) {
            EXPECT_FALSE(edit(f)->isEnabled());
            EXPECT_EQ(edit(f)->text(), "");
        }
    }
}

TEST_F(InfoBarTest, PinnedCircleShowsItsCentreDisabledAndItsRadiusEnabled) {
    start();
    SceneObject* c = doc().addObject(KIND_C, 3, -2, 7.5, 255, 0, 0);
    c->pinned = 1;
    select(c);
    EXPECT_EQ(edit(InfoField::X)->text(), "3.000000");
    EXPECT_FALSE(edit(InfoField::X)->isEnabled());
    EXPECT_EQ(edit(InfoField::Y)->text(), "-2.000000");
    EXPECT_FALSE(edit(InfoField::Y)->isEnabled());
    EXPECT_EQ(edit(InfoField::RadiusOrX2)->text(), "7.500000");
    EXPECT_TRUE(edit(InfoField::RadiusOrX2)->isEnabled());
    EXPECT_FALSE(edit(InfoField::Y2)->isEnabled());
    EXPECT_EQ(edit(InfoField::Y2)->text(), "");
}

TEST_F(InfoBarTest, TypingMovesTheObjectLiveAndMarksTheDocumentModified) {
    start();
    SceneObject* c = doc().addObject(KIND_C, 3, 4, 5, 0, 0, 0);
    select(c);
    EXPECT_FALSE(app->lifecycle().isModified());
    typeInto(InfoField::X, "12.5abc");
    EXPECT_EQ(c->x[0], 12.5);
    EXPECT_EQ(view().state.editingField, cmd::kInfoEditX);
    updatePass();
    EXPECT_EQ(edit(InfoField::X)->text(), "12.5abc"); // not overwritten while typing
    EXPECT_TRUE(app->lifecycle().isModified());
    EXPECT_TRUE(frame().isWindowModified());
    EXPECT_TRUE(frame().windowTitle().startsWith("Untitled"));

    typeInto(InfoField::Y, "abc");
    EXPECT_EQ(c->y[0], 0);
    updatePass();
    EXPECT_EQ(edit(InfoField::X)->text(), "12.500000"); // follows once focus has left
    EXPECT_EQ(view().state.editingField, cmd::kInfoEditY);
}

TEST_F(InfoBarTest, ClickingTheViewEndsTypingSoTheNextSelectionIsNotOverwritten) {
    start();
    SceneObject* first = doc().addObject(KIND_C, 3, 4, 5, 0, 0, 0);
    SceneObject* second = doc().addObject(KIND_C, 50, 60, 7, 0, 0, 0);
    select(first);
    typeInto(InfoField::X, "11");
    QTest::mouseClick(&view(), Qt::LeftButton, {}, QPoint(500, 50));
    EXPECT_EQ(view().state.editingField, 0);
    select(second); // the pass refreshes every edit for the new object
    EXPECT_EQ(second->x[0], 50);
    EXPECT_EQ(edit(InfoField::X)->text(), "50.000000");
    EXPECT_EQ(first->x[0], 11);
}

TEST_F(InfoBarTest, LineEditsReachBothPoints) {
    start();
    SceneObject* l = doc().addObject(KIND_L, 1, 2, 30, 40, 0, 0, 255);
    select(l);
    EXPECT_EQ(edit(InfoField::Y2)->text(), "40.000000");
    EXPECT_TRUE(edit(InfoField::Y2)->isEnabled());
    typeInto(InfoField::RadiusOrX2, "-8");
    typeInto(InfoField::Y2, "9e1");
    EXPECT_EQ(l->x[1], -8);
    EXPECT_EQ(l->y[1], 90);
    EXPECT_EQ(l->r, 10); // a line's radius field is not touched
}

} // namespace
