// Taking an editing step back and doing it again restores every field of every object, in
// list order, whatever mix of removals, additions and changes the step made.
#include "scene/scene_change.h"

#include "tests/support/make_objects.h"
#include "tests/support/scene_fields.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

SceneObject styled(SceneObject o, int red, int green, int blue, int width, int dashed, int pinned) {
    o.setColour(red, green, blue);
    o.width = width;
    o.dashed = dashed;
    o.pinned = pinned;
    return o;
}

// Four objects that differ in every attribute.
void fillScene(CTorvaneDoc& doc) {
    doc.insertObject(9, styled(makeCircle(KIND_C, 1, 2, -3), 255, 0, 0, 1, 0, 0));
    doc.insertObject(9, styled(makeLine(KIND_L, 0, 0, 5, 0), 0, 255, 0, 2, 1, 0));
    doc.insertObject(9, styled(makeCircle(KIND_C_PRIME, -7, 8, 0.25), 0, 0, 255, 3, 0, 1));
    doc.insertObject(9, styled(makeLine(KIND_L_PRIME, 1e-9, -1e9, 3, 4), 80, 80, 80, 4, 1, 1));
}

} // namespace

TEST(SceneChange, InsertObjectPlacesAtPositionOrTail) {
    CTorvaneDoc doc;
    doc.insertObject(0, makeCircle(KIND_C, 1, 0, 1));
    doc.insertObject(5, makeCircle(KIND_C, 3, 0, 1)); // past the end: tail
    doc.insertObject(1, makeCircle(KIND_C, 2, 0, 1));
    doc.insertObject(0, makeCircle(KIND_C, 0, 0, 1));
    ASSERT_EQ(doc.objectCount, 4);
    int i = 0;
    for (const SceneObject* o : doc)
        EXPECT_EQ(o->x[0], i++);
    EXPECT_EQ(doc.objectAt(3)->x[0], 3);
    EXPECT_EQ(doc.objectAt(4), nullptr);
    // The tail must follow an insertion at the end, or the next append is lost.
    doc.addObject(KIND_C, 4, 0, 1, 0, 0, 0);
    EXPECT_EQ(doc.objectAt(4)->x[0], 4);
    EXPECT_EQ(doc.objectCount, 5);
}

TEST(SceneChange, MixedStepUndoesAndRedoesEveryField) {
    CTorvaneDoc doc;
    fillScene(doc);
    const std::vector<ObjectFields> before = sceneFields(doc);
    const SceneSnapshot snapshot = takeSnapshot(doc);

    // One step as a merge and a delete would make it: remove the second object, dash and
    // reshape others, append two.
    doc.removeObject(doc.objectAt(1));
    doc.objectAt(0)->dashed = 1;
    doc.objectAt(2)->x[1] = 99.5;
    doc.objectAt(2)->setKind(KIND_C);
    doc.addObject(KIND_C, 10, 20, 30, 255, 0, 0)->pinned = 1;
    doc.addObject(KIND_L, 1, 1, 2, 2, 0, 0, 255);
    const std::vector<ObjectFields> after = sceneFields(doc);

    const SceneChange change = SceneChange::between(snapshot, doc);
    ASSERT_FALSE(change.empty());
    SceneObject* changedObject = doc.objectAt(0);

    change.applyBackward(doc);
    EXPECT_EQ(sceneFields(doc), before);
    EXPECT_EQ(doc.objectCount, 4);
    EXPECT_EQ(doc.objectAt(0), changedObject) << "a changed object keeps its identity";
    change.applyForward(doc);
    EXPECT_EQ(sceneFields(doc), after);
    EXPECT_EQ(doc.objectCount, 5);
    change.applyBackward(doc);
    change.applyForward(doc);
    EXPECT_EQ(sceneFields(doc), after);
}

TEST(SceneChange, RemovalsAtBothEndsAndInsertionsBetweenComeBackInPlace) {
    CTorvaneDoc doc;
    fillScene(doc);
    const std::vector<ObjectFields> before = sceneFields(doc);
    const SceneSnapshot snapshot = takeSnapshot(doc);
    doc.removeObject(doc.objectAt(3));
    doc.removeObject(doc.objectAt(0));
    doc.insertObject(1, makeCircle(KIND_C, 5, 5, 5));
    doc.insertObject(0, makeLine(KIND_L, 6, 6, 7, 7));
    const std::vector<ObjectFields> after = sceneFields(doc);

    const SceneChange change = SceneChange::between(snapshot, doc);
    change.applyBackward(doc);
    EXPECT_EQ(sceneFields(doc), before);
    change.applyForward(doc);
    EXPECT_EQ(sceneFields(doc), after);
}

TEST(SceneChange, NothingChangedIsEmpty) {
    CTorvaneDoc doc;
    fillScene(doc);
    const SceneSnapshot snapshot = takeSnapshot(doc);
    doc.objectAt(0)->pinned = 0; // already 0: unlocking an unlocked object
    EXPECT_TRUE(SceneChange::between(snapshot, doc).empty());
    doc.objectAt(0)->r = -2.9999999999999996; // the smallest change still counts
    EXPECT_FALSE(SceneChange::between(snapshot, doc).empty());
}

TEST(SceneChange, AddressReusedByANewObjectInTheSameStep) {
    // The list was [X, A, B]; X was deleted and a new object C appended, and C happens to
    // live where X lived. By address C looks like X moved to the end.
    CTorvaneDoc doc;
    SceneObject* a = doc.insertObject(0, makeCircle(KIND_C, 1, 0, 1));
    SceneObject* b = doc.insertObject(1, makeCircle(KIND_C, 2, 0, 1));
    SceneObject* c = doc.insertObject(2, makeLine(KIND_L, 3, 0, 4, 0));
    const std::vector<ObjectFields> after = sceneFields(doc);
    const SceneObject x = makeCircle(KIND_C_PRIME, -1, -1, 9);
    SceneSnapshot before;
    before.objects = {{c, x}, {a, *a}, {b, *b}};

    const SceneChange change = SceneChange::between(before, doc);
    change.applyBackward(doc);
    EXPECT_EQ(sceneFields(doc),
              (std::vector<ObjectFields>{fieldsOf(x), fieldsOf(*a), fieldsOf(*b)}));
    change.applyForward(doc);
    EXPECT_EQ(sceneFields(doc), after);
}
