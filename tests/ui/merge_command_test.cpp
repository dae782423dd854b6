// The merge command core with a scripted user: what reaches the document, the
// messages and the report, for applied, failed and cancelled merges.
#include "ui/merge_command.h"

#include "tests/support/known_answer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

class ScriptedUser : public MergeInteraction {
  public:
    // Picks the candidate whose parameter is nearest to wantParameter; cancels when
    // cancel is set.
    double wantParameter = 0;
    bool cancel = false;
    int chooserCalls = 0, waits = 0;
    bool activeDuringChoice = false;
    const MergeProblem* active = nullptr;
    std::vector<std::string> infos, reports;

    bool chooseCandidate(const MergeProblem& p, int& chosen) override {
        ++chooserCalls;
        activeDuringChoice = active == &p;
        chosen = 0;
        for (int n = 1; n < p.solutionCount; ++n)
            if (std::fabs(p.parameter[n] - wantParameter) <
                std::fabs(p.parameter[chosen] - wantParameter))
                chosen = n;
        return !cancel;
    }
    void showInfo(const std::string& text) override { infos.push_back(text); }
    void showReport(const std::string& text) override { reports.push_back(text); }
    void beginWait() override { ++waits; }
    void endWait() override { --waits; }
    void setActiveProblem(const MergeProblem* p) override { active = p; }
    long long wallClockSeconds() override { return 1000; }
};

// The four objects of a known merge in a document, in cluster order 1, 1, 2, 2.
struct SceneWithMerge {
    CTorvaneDoc doc;
    std::vector<MergeSelection> selection;
    explicit SceneWithMerge(const KnownMerge& m) {
        for (int i = 0; i < 4; ++i) {
            const SceneObject& o = m.obj[i];
            SceneObject* added =
                isLineKind(o.kind)
                    ? doc.addObject(o.kind, o.x[0], o.y[0], o.x[1], o.y[1], 10 * i, 20, 30)
                    : doc.addObject(o.kind, o.x[0], o.y[0], o.r, 10 * i, 20, 30);
            selection.push_back({added, i < 2 ? 1 : 2});
        }
    }
    std::vector<SceneObject*> objects() const { return {doc.begin(), doc.end()}; }
};

} // namespace

TEST(MergeCommand, TooFewObjectsShowsInfoAndChangesNothing) {
    std::mt19937 rng(1);
    SceneWithMerge s(makeKnownMerge(kindsFromLetters("LLLL"), MERGE_TRANSLATE, rng));
    s.selection[1].cluster = 0;
    ScriptedUser user;
    const MergeRunResult r = runMerge(s.doc, s.selection, MERGE_TRANSLATE, user);
    EXPECT_EQ(r.outcome, MergeOutcome::Failed);
    ASSERT_EQ(user.infos.size(), 1u);
    EXPECT_EQ(user.infos[0].substr(0, user.infos[0].find('\n')), "Please select four objects.");
    EXPECT_EQ(s.doc.objectCount, 4);
    for (const SceneObject* o : s.doc)
        EXPECT_EQ(o->dashed, 0);
    EXPECT_EQ(user.active, nullptr);
    EXPECT_EQ(user.waits, 0);
}

TEST(MergeCommand, SingleCandidateIsAppliedWithoutAChoice) {
    // Four lines: exactly one shift. Cluster 2's first line is (0,0)-(1,1) and the
    // shift is 2.5, so its copy runs from (2.5, 0) to (3.5, 1).
    std::mt19937 rng(2);
    KnownMerge m = makeKnownMerge(kindsFromLetters("LLLL"), MERGE_TRANSLATE, rng);
    m.answer.parameter = 2.5;
    m.answer.r = (1 * (m.answer.y - 0) - 1 * (m.answer.x - 2.5)) / std::sqrt(2.0);
    m.obj[2] = makeLineThrough(0, 0, 1, 1);
    for (int i : {0, 1, 3}) {
        SceneObject o = objectMeeting(KIND_L, m.answer.x, m.answer.y, m.answer.r, rng);
        m.obj[i] = i < 2 ? o : movedBack(o, MERGE_TRANSLATE, 2.5);
    }
    SceneWithMerge s(m);
    ScriptedUser user;
    const MergeRunResult r = runMerge(s.doc, s.selection, MERGE_TRANSLATE, user);
    ASSERT_EQ(r.outcome, MergeOutcome::Applied) << r.message;
    EXPECT_EQ(user.chooserCalls, 0);
    const std::vector<SceneObject*> objs = s.objects();
    ASSERT_EQ(objs.size(), 7u);
    EXPECT_EQ(objs[0]->dashed + objs[1]->dashed, 0);
    EXPECT_EQ(objs[2]->dashed, 1);
    EXPECT_EQ(objs[3]->dashed, 1);
    EXPECT_EQ(objs[2]->x[0], 0.0) << "the original stays in place";
    const SceneObject& copy = *objs[4];
    EXPECT_EQ(copy.kind, KIND_L);
    EXPECT_NEAR(copy.x[0], 2.5, 1e-9);
    EXPECT_NEAR(copy.y[0], 0.0, 1e-12);
    EXPECT_NEAR(copy.x[1], 3.5, 1e-9);
    EXPECT_NEAR(copy.y[1], 1.0, 1e-12);
    EXPECT_EQ(copy.red, 20);
    EXPECT_EQ(copy.dashed, 0);
    EXPECT_EQ(copy.pinned, 0);
    EXPECT_NEAR(objs[5]->x[0], m.obj[3].x[0] + 2.5, 1e-9);
    const SceneObject& circle = *objs[6];
    EXPECT_EQ(circle.kind, KIND_C);
    EXPECT_EQ(circle.pinned, 1);
    EXPECT_EQ(circle.red, 255);
    EXPECT_EQ(circle.green + circle.blue, 0);
    EXPECT_NEAR(circle.r, m.answer.r, 1e-9);
    ASSERT_EQ(user.reports.size(), 1u);
    char want[200];
    std::snprintf(want, sizeof want,
                  "Translate: 2.5000, New circle: (%.3f, %.3f, %.3f), Spent 0 seconds", circle.x[0],
                  circle.y[0], circle.r);
    EXPECT_EQ(user.reports[0], want);
    EXPECT_EQ(user.active, nullptr);
    EXPECT_EQ(user.waits, 0);
}

TEST(MergeCommand, QuarterTurnCopiesAndReportsDegrees) {
    // Cluster 2's circle at (10, 0) turns a quarter to about (0, 10).
    const double quarter = 1.5707963;
    std::mt19937 rng(3);
    KnownMerge m = makeKnownMerge(kindsFromLetters("LLCL"), MERGE_ROTATE, rng);
    m.answer = {quarter, 0.0, 20.0, 5.0};
    for (int i = 0; i < 4; ++i) {
        SceneObject o = objectMeeting(m.obj[i].kind, 0, 20, 5, rng);
        m.obj[i] = i < 2 ? o : movedBack(o, MERGE_ROTATE, quarter);
    }
    m.obj[2] = makeCircleAt(10, 0, 15); // the final (0, 10) is 10 from (0, 20): |5 - 15|
    SceneWithMerge s(m);
    ScriptedUser user;
    user.wantParameter = quarter;
    const MergeRunResult r = runMerge(s.doc, s.selection, MERGE_ROTATE, user);
    ASSERT_EQ(r.outcome, MergeOutcome::Applied) << r.message;
    if (r.candidates.size() >= 2) {
        EXPECT_EQ(user.chooserCalls, 1);
        EXPECT_TRUE(user.activeDuringChoice);
    }
    ASSERT_EQ(user.reports.size(), 1u);
    EXPECT_EQ(user.reports[0].rfind("Rotate: 90.0000, New circle: (", 0), 0u) << user.reports[0];
    const std::vector<SceneObject*> objs = s.objects();
    ASSERT_EQ(objs.size(), 7u);
    EXPECT_NEAR(objs[4]->x[0], 0.0, 1e-5);
    EXPECT_NEAR(objs[4]->y[0], 10.0, 1e-5);
    EXPECT_EQ(objs[4]->r, 15.0);
}

TEST(MergeCommand, CancelledChoiceLeavesTheDocumentAlone) {
    std::mt19937 rng(4);
    SceneWithMerge s(makeKnownMerge(kindsFromLetters("LCLC"), MERGE_TRANSLATE, rng));
    ScriptedUser user;
    user.cancel = true;
    const MergeRunResult r = runMerge(s.doc, s.selection, MERGE_TRANSLATE, user);
    ASSERT_GE(r.candidates.size(), 2u);
    EXPECT_EQ(r.outcome, MergeOutcome::Cancelled);
    EXPECT_EQ(s.doc.objectCount, 4);
    for (const SceneObject* o : s.doc)
        EXPECT_EQ(o->dashed, 0);
    EXPECT_TRUE(user.reports.empty());
    EXPECT_TRUE(user.infos.empty());
}

TEST(MergeCommand, OnlyTheFirstTwoClusterTwoNodesMove) {
    std::mt19937 rng(5);
    SceneWithMerge s(makeKnownMerge(kindsFromLetters("LLLL"), MERGE_TRANSLATE, rng));
    SceneObject* extra = s.doc.addObject(KIND_C, 0, 0, 1, 0, 0, 0);
    s.selection.push_back({extra, 2});
    ScriptedUser user;
    ASSERT_EQ(runMerge(s.doc, s.selection, MERGE_TRANSLATE, user).outcome, MergeOutcome::Applied);
    EXPECT_EQ(extra->dashed, 0);
    EXPECT_EQ(s.doc.objectCount, 8);
}

TEST(MergeReport, FormatsBothModes) {
    EXPECT_EQ(mergeReport(MERGE_TRANSLATE, -10, 5, 5, 5, 3),
              "Translate: -10.0000, New circle: (5.000, 5.000, 5.000), Spent 3 seconds");
    EXPECT_EQ(mergeReport(MERGE_ROTATE, M_PI, 1.23456, -2, -0.5, 0),
              "Rotate: 180.0000, New circle: (1.235, -2.000, -0.500), Spent 0 seconds");
}
