// The Merge Control lists and the Preview Result lines and picture, without a window.
#include "ui/merge_selection.h"
#include "ui/preview_picture.h"

#include "tests/support/make_objects.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct ThreeObjects {
    CTorvaneDoc doc;
    SceneObject *a, *b, *c;
    ThreeObjects() {
        a = doc.addObject(KIND_C, 1, 2, 3, 0, 0, 0);
        b = doc.addObject(KIND_L, 0, 0, 1, 1, 0, 0, 0);
        c = doc.addObject(KIND_C, 1, 2, 3, 0, 0, 0); // looks exactly like a
    }
};

} // namespace

TEST(MergeSelectionModel, ListsFollowTheNodesAndRefuseAThirdObject) {
    ThreeObjects s;
    MergeSelectionModel m(s.doc);
    EXPECT_EQ(m.method, MERGE_TRANSLATE);
    ASSERT_EQ(m.lines(IDC_OBJECT_LIST).size(), 3u);
    EXPECT_FALSE(m.move(IDC_TO_CLUSTER1, -1)) << "no selection";
    EXPECT_TRUE(m.move(IDC_TO_CLUSTER1, 0));
    EXPECT_TRUE(m.move(IDC_TO_CLUSTER1, 0));
    EXPECT_FALSE(m.move(IDC_TO_CLUSTER1, 0)) << "a cluster takes two objects";
    EXPECT_EQ(m.lines(IDC_CLUSTER1_LIST),
              (std::vector<std::string>{"C(1.0, 2.0, 3.0)", "L(0.0, 0.0, 1.0, 1.0)"}));
    EXPECT_EQ(m.lines(IDC_OBJECT_LIST), (std::vector<std::string>{"C(1.0, 2.0, 3.0)"}));
    EXPECT_TRUE(m.move(IDC_TO_CLUSTER2, 0));
    EXPECT_EQ(m.selection()[2].object, s.c);
    EXPECT_EQ(m.selection()[2].cluster, 2);
}

TEST(MergeSelectionModel, LookAlikesMapByPositionAndReturnToTheirPlace) {
    ThreeObjects s;
    MergeSelectionModel m(s.doc);
    ASSERT_TRUE(m.move(IDC_TO_CLUSTER1, 0)); // a
    ASSERT_TRUE(m.move(IDC_TO_CLUSTER1, 1)); // c: line 1 of what is left
    EXPECT_EQ(m.selection()[0].cluster, 1);
    EXPECT_EQ(m.selection()[1].cluster, 0);
    EXPECT_EQ(m.selection()[2].cluster, 1);
    // The second of the two identical lines is c.
    ASSERT_TRUE(m.move(IDC_FROM_CLUSTER1, 1));
    EXPECT_EQ(m.selection()[2].cluster, 0);
    EXPECT_EQ(m.selection()[0].cluster, 1);
    ASSERT_TRUE(m.move(IDC_FROM_CLUSTER1, 0));
    // Back in document order, not appended.
    const std::vector<std::string> want = {"C(1.0, 2.0, 3.0)", "L(0.0, 0.0, 1.0, 1.0)",
                                           "C(1.0, 2.0, 3.0)"};
    EXPECT_EQ(m.lines(IDC_OBJECT_LIST), want);
    EXPECT_TRUE(m.lines(IDC_CLUSTER1_LIST).empty());
}

namespace {

// A problem whose clusters and candidates are set by hand.
struct Preview {
    SceneObject obj[4];
    MergeProblem p;
    Preview(int mode, const SceneObject& a, const SceneObject& b, const SceneObject& c,
            const SceneObject& d) {
        obj[0] = a, obj[1] = b, obj[2] = c, obj[3] = d;
        for (int i = 0; i < 4; ++i)
            p.addObject(i < 2 ? 1 : 2, &obj[i]);
        p.mode = mode;
    }
};

} // namespace

TEST(PreviewPicture, CandidateLinesInBothModes) {
    Preview v(MERGE_TRANSLATE, makeCircle(KIND_C, 0, 0, 1), makeCircle(KIND_C, 0, 0, 1),
              makeCircle(KIND_C, 0, 0, 1), makeCircle(KIND_C, 0, 0, 1));
    v.p.appendCandidate(KIND_C, 1, 2, -3, 12.3456);
    v.p.appendCandidate(kComplexCandidate, 0.5, -0.25, 0, 0);
    EXPECT_EQ(candidateLine(v.p, 0), "T:12.3456 (1.00, 2.00, -3.00)");
    EXPECT_EQ(candidateLine(v.p, 1), "T:0.5000000 + (-0.2500000)i");
    EXPECT_EQ(complexCandidateText(v.p.solutions[1]), "5.000000e-01 + (-2.500000e-01)i");
    v.p.mode = MERGE_ROTATE;
    v.p.parameter[0] = M_PI / 2;
    EXPECT_EQ(candidateLine(v.p, 0), "R:90.0000 (1.00, 2.00, -3.00)");
    EXPECT_EQ(v.p.parameter[0], M_PI / 2) << "the stored angle stays in radians";
}

TEST(PreviewPicture, LinesCrossTheWholeAreaAndTheCandidateIsRed) {
    // Box: x from 0 to 15, y from -5 to 10 (origin included); h/w = 1 > 0.75, so the
    // scale is 120/15 = 8 pixels per unit.
    Preview v(MERGE_TRANSLATE, makeLine(KIND_L, 0, 0, 0, 1), makeLine(KIND_L, 0, 10, 1, 10),
              makeCircle(KIND_C, 5, 0, 5), makeLine(KIND_L, 2, 0, 3, 0));
    v.obj[0].red = 10;
    v.p.appendCandidate(KIND_C, 3, 5, 2, 5.0);
    const PixelArea area{10, 20, 160, 120};
    const std::vector<PreviewShape> shapes = previewPicture(v.p, 0, area);
    ASSERT_EQ(shapes.size(), 5u);
    // Vertical line x = 0: from the top border to the bottom border.
    const PreviewShape& vertical = shapes[0];
    EXPECT_EQ(vertical.kind, PreviewShape::Line);
    EXPECT_EQ(vertical.red, 10);
    EXPECT_EQ(vertical.x0, 10);
    EXPECT_EQ(vertical.y0, 20);
    EXPECT_EQ(vertical.x1, 10);
    EXPECT_EQ(vertical.y1, 20 + 120);
    // Horizontal line y = 10: from the right border to the left border.
    const PreviewShape& horizontal = shapes[1];
    EXPECT_EQ(horizontal.x0, 10 + 160);
    EXPECT_EQ(horizontal.x1, 10);
    EXPECT_EQ(horizontal.y0, 20);
    EXPECT_EQ(horizontal.y1, 20);
    // The cluster-2 circle moved by 5: centre (10, 0), radius 5 -> pixels (90, 100), 40.
    const PreviewShape& moved = shapes[2];
    EXPECT_EQ(moved.kind, PreviewShape::Ellipse);
    EXPECT_EQ(moved.x0, 50);
    EXPECT_EQ(moved.y0, 60);
    EXPECT_EQ(moved.x1, 130);
    EXPECT_EQ(moved.y1, 140);
    const PreviewShape& candidate = shapes[4];
    EXPECT_EQ(candidate.red, 255);
    EXPECT_EQ(candidate.green + candidate.blue, 0);
}

TEST(PreviewPicture, ComplexCandidateDrawsClustersUnmovedWithoutRedCircle) {
    Preview v(MERGE_TRANSLATE, makeCircle(KIND_C, 1, 1, 1), makeCircle(KIND_C, 2, 2, 1),
              makeCircle(KIND_C, 3, 3, 1), makeCircle(KIND_C, 4, 4, 1));
    v.p.appendCandidate(KIND_C, 0, 0, 100, 50);
    v.p.appendCandidate(kComplexCandidate, 1, 1, 0, 0);
    const std::vector<PreviewShape> real = previewPicture(v.p, 0, {0, 0, 100, 100});
    const std::vector<PreviewShape> complex = previewPicture(v.p, 1, {0, 0, 100, 100});
    EXPECT_EQ(real.size(), 5u);
    ASSERT_EQ(complex.size(), 4u);
    for (const PreviewShape& s : complex)
        EXPECT_EQ(s.red, 0);
}

TEST(PreviewPicture, BoxOfZeroSizeIsNoFault) {
    Preview v(MERGE_TRANSLATE, makeCircle(KIND_C, 0, 0, 0), makeCircle(KIND_C, 0, 0, 0),
              makeCircle(KIND_C, 0, 0, 0), makeCircle(KIND_C, 0, 0, 0));
    v.p.appendCandidate(KIND_C, 0, 0, 0, 0);
    for (const PreviewShape& s : previewPicture(v.p, 0, {5, 5, 100, 80})) {
        EXPECT_EQ(s.x0, 5);
        EXPECT_EQ(s.y0, 85);
    }
    // All on the y axis: zero width, the height sets the scale.
    Preview tall(MERGE_TRANSLATE, makeLine(KIND_L, 0, 0, 0, 10), makeCircle(KIND_C, 0, 5, 0),
                 makeCircle(KIND_C, 0, 0, 0), makeCircle(KIND_C, 0, 0, 0));
    tall.p.appendCandidate(KIND_C, 0, 5, 0, 0);
    const std::vector<PreviewShape> shapes = previewPicture(tall.p, 0, {0, 0, 100, 80});
    ASSERT_EQ(shapes.size(), 5u);
    EXPECT_EQ(shapes[1].y0, 40);
}
