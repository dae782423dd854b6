// Every way a merge or a circle touching three can add nothing gets its own reason beneath
// the solver's text: too few objects, three C', a line without direction, centre loci
// that never meet, only complex candidates, and OK on a complex candidate.
#include "ui/merge_reasons.h"
#include "ui/touching_three_command.h"

#include "solver/algebra_engine.h"

#include "tests/support/known_answer.h"
#include "tests/support/make_objects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

class RecordingUser : public MergeInteraction {
  public:
    int choose = 0;
    int chooserCalls = 0;
    std::vector<std::string> infos, reports;
    bool chooseCandidate(const MergeProblem&, int& chosen) override {
        ++chooserCalls;
        chosen = choose;
        return true;
    }
    void showInfo(const std::string& text) override { infos.push_back(text); }
    void showReport(const std::string& text) override { reports.push_back(text); }
    long long wallClockSeconds() override { return 7; }
};

struct Scene {
    CTorvaneDoc doc;
    std::vector<MergeSelection> selection;
    // Objects in cluster order 1, 1, 2, 2 (fewer when clusters is shorter).
    Scene(const std::vector<SceneObject>& objs, const std::vector<int>& clusters) {
        for (std::size_t i = 0; i < objs.size(); ++i) {
            const SceneObject& o = objs[i];
            SceneObject* added =
                isLineKind(o.kind) ? doc.addObject(o.kind, o.x[0], o.y[0], o.x[1], o.y[1], 0, 0, 0)
                                   : doc.addObject(o.kind, o.x[0], o.y[0], o.r, 0, 0, 0);
            selection.push_back({added, clusters[i]});
        }
    }
    std::string failWith(int mode) {
        RecordingUser user;
        const MergeRunResult r = runMerge(doc, selection, mode, user);
        EXPECT_NE(r.outcome, MergeOutcome::Applied);
        EXPECT_EQ(doc.objectCount, static_cast<int>(selection.size())) << "nothing added";
        EXPECT_EQ(user.infos.size(), 1u);
        return user.infos.empty() ? std::string() : user.infos[0];
    }
};

std::string secondLine(const std::string& text) {
    const std::size_t n = text.find('\n');
    return n == std::string::npos ? std::string() : text.substr(n + 1);
}

// An engine that answers every system with the given roots.
class ScriptedEngine final : public AlgebraEngine {
  public:
    explicit ScriptedEngine(EngineResult roots) : roots(std::move(roots)) {}
    bool start() override { return true; }
    void stop() override {}
    std::optional<EngineResult> solve(const EngineSystem&) override { return roots; }

  private:
    EngineResult roots;
};

class ScopedScriptedEngine {
  public:
    explicit ScopedScriptedEngine(const EngineResult& roots)
        : previous(setEngineFactory([roots] { return std::make_unique<ScriptedEngine>(roots); })) {}
    ~ScopedScriptedEngine() { setEngineFactory(std::move(previous)); }

  private:
    EngineFactory previous;
};

EngineRoot complexRoot(double re, double im) {
    EngineRoot root;
    root.kind = RootKind::Complex;
    root.values = {{1, 1}, {2, -1}, {3, 0.5}, {re, im}};
    return root;
}

} // namespace

TEST(MergeReasons, TooFewObjectsNamesTheCounts) {
    Scene s(
        {makeLine(KIND_L, 0, 0, 1, 0), makeLine(KIND_L, 0, 5, 1, 5), makeLine(KIND_L, 0, 9, 1, 9)},
        {1, 2, 2});
    EXPECT_EQ(s.failWith(MERGE_TRANSLATE),
              "Please select four objects.\nPick two objects for each cluster: cluster 1 has 1 "
              "object and cluster 2 has 2 objects.");
}

TEST(MergeReasons, ThreeCentreCirclesAndALineWithoutDirection) {
    Scene centres({makeCircle(KIND_C, 0, 0, 1), makeCircle(KIND_C_PRIME, 5, 0, 2),
                   makeCircle(KIND_C_PRIME, 9, 0, 2), makeCircle(KIND_C_PRIME, 0, 9, 3)},
                  {1, 1, 2, 2});
    const std::string info = centres.failWith(MERGE_TRANSLATE);
    EXPECT_EQ(info.substr(0, info.find('\n')), "There can only be two center constraint objects!");
    EXPECT_EQ(secondLine(info),
              "At most two of the four objects may be C' (centre on a circle); this merge has 3.");

    Scene flat({makeLine(KIND_L, 0, 0, 1, 0), makeLine(KIND_L, 4, 4, 4, 4),
                makeLine(KIND_L, 0, 9, 1, 9), makeLine(KIND_L, 7, 0, 7, 1)},
               {1, 1, 2, 2});
    EXPECT_EQ(secondLine(flat.failWith(MERGE_TRANSLATE)),
              "The line L(4.0, 4.0, 4.0, 4.0) has two equal end points, so it has no direction.");
}

TEST(MergeReasons, CentreLociThatNeverMeetInEitherMode) {
    // Cluster 2's centre circle (radius 5 about the origin) and centre line y = 20 share
    // no point, whatever the motion does to them together.
    for (int mode : {MERGE_TRANSLATE, MERGE_ROTATE}) {
        Scene s({makeLine(KIND_L, 0, 0, 1, 0), makeCircle(KIND_C, 0, 10, 3),
                 makeCircle(KIND_C_PRIME, 0, 0, 5), makeLine(KIND_L_PRIME, 0, 20, 1, 20)},
                {1, 1, 2, 2});
        EXPECT_EQ(secondLine(s.failWith(mode)),
                  "The two centre constraints of cluster 2 (C' and L') do not meet, so no centre "
                  "is possible.")
            << mode;
    }
}

TEST(MergeReasons, OneCentreLineTwiceIsNotCalledApart) {
    // The same centre line, once reversed: the loci coincide, so they do meet.
    SceneObject objs[4] = {makeLine(KIND_L, 0, 0, 1, 0), makeCircle(KIND_C, 0, 10, 3),
                           makeLine(KIND_L_PRIME, 0, 4, 1, 4), makeLine(KIND_L_PRIME, 6, 4, 2, 4)};
    MergeProblem p;
    for (int i = 0; i < 4; ++i)
        p.addObject(i < 2 ? 1 : 2, &objs[i]);
    EXPECT_EQ(failureReason(p),
              "No shift of cluster 2 along x lets one circle meet all four constraints.");
    p.mode = MERGE_ROTATE;
    EXPECT_EQ(failureReason(p),
              "No turn of cluster 2 about the origin lets one circle meet all four constraints.");
}

TEST(MergeReasons, AFamilyOfCirclesIsNamedUnderdetermined) {
    // Two parallel tangency lines per cluster facing each other: every circle (x, 2, 2)
    // touches all four, at every shift.
    Scene s({makeLine(KIND_L, 0, 0, 1, 0), makeLine(KIND_L, 1, 4, 0, 4),
             makeLine(KIND_L, 5, 0, 6, 0), makeLine(KIND_L, 6, 4, 5, 4)},
            {1, 1, 2, 2});
    EXPECT_EQ(s.failWith(MERGE_TRANSLATE),
              std::string(kUnderdeterminedMessage) +
                  "\nThe four constraints leave a whole family of circles, so no single one can "
                  "be added: change one of the objects so that they fix the new circle.");
}

TEST(MergeReasons, OnlyComplexCandidatesGiveNoPreview) {
    // {C, C'} and {L, L} by rotation go to the engine, which finds two complex roots.
    const ScopedScriptedEngine engine({complexRoot(0.5, -2), complexRoot(0.5, 2)});
    Scene s({makeCircle(KIND_C, 0, 0, 3), makeCircle(KIND_C_PRIME, 9, 0, 2),
             makeLine(KIND_L, 0, 9, 1, 9), makeLine(KIND_L, 7, 0, 7, 1)},
            {1, 1, 2, 2});
    RecordingUser user;
    const MergeRunResult r = runMerge(s.doc, s.selection, MERGE_ROTATE, user);
    EXPECT_EQ(user.chooserCalls, 0);
    ASSERT_EQ(user.infos.size(), 1u);
    EXPECT_EQ(user.infos[0], "No result.\nAll 2 candidates are complex: no real circle meets the "
                             "four constraints.");
    EXPECT_EQ(r.reason, secondLine(user.infos[0]));
    EXPECT_EQ(s.doc.objectCount, 4);
}

TEST(MergeReasons, OkOnAComplexCandidateSaysWhyNothingWasAdded) {
    std::mt19937 rng(11);
    const KnownMerge m = makeKnownMerge(kindsFromLetters("CcLL"), MERGE_ROTATE, rng);
    EngineRoot real;
    real.kind = RootKind::Real;
    real.values = {m.answer.x, m.answer.y, m.answer.r, std::tan(m.answer.parameter / 2)};
    const ScopedScriptedEngine engine({real, complexRoot(0.25, 1)});
    Scene s({m.obj[0], m.obj[1], m.obj[2], m.obj[3]}, {1, 1, 2, 2});
    RecordingUser user;
    user.choose = 1;
    const MergeRunResult r = runMerge(s.doc, s.selection, MERGE_ROTATE, user);
    ASSERT_EQ(r.candidates.size(), 2u);
    EXPECT_EQ(r.outcome, MergeOutcome::ComplexChosen);
    ASSERT_EQ(user.infos.size(), 1u);
    EXPECT_EQ(user.infos[0], "The chosen candidate R:0.2500000 + (1.0000000)i is complex: it "
                             "stands for no real circle, so nothing was added.");
    EXPECT_EQ(s.doc.objectCount, 4);
    for (const SceneObject* o : s.doc)
        EXPECT_EQ(o->dashed, 0);
}

TEST(TouchingThreeCommand, AddsTheChosenCircleRedAndPinned) {
    CTorvaneDoc doc;
    std::vector<SceneObject*> picks = {doc.addObject(KIND_L, 0, 0, 4, 0, 0, 0, 0),
                                       doc.addObject(KIND_L, 4, 0, 0, 3, 0, 0, 0),
                                       doc.addObject(KIND_L, 0, 3, 0, 0, 0, 0, 0)};
    RecordingUser user;
    const MergeRunResult r = runTouchingThree(doc, picks, user);
    ASSERT_EQ(r.outcome, MergeOutcome::Applied) << r.message;
    EXPECT_EQ(user.chooserCalls, 1) << "the one circle is shown before it is added";
    ASSERT_EQ(doc.objectCount, 4);
    const SceneObject* circle = nullptr;
    for (const SceneObject* o : doc)
        circle = o; // the last one added
    EXPECT_EQ(circle->kind, KIND_C);
    EXPECT_EQ(circle->red, 255);
    EXPECT_EQ(circle->green + circle->blue, 0);
    EXPECT_EQ(circle->pinned, 1);
    EXPECT_NEAR(circle->r, 1.0, 1e-12);
    ASSERT_EQ(user.reports.size(), 1u);
    EXPECT_EQ(user.reports[0], "New circle: (1.000, 1.000, 1.000), Spent 0 seconds");
    for (const SceneObject* o : picks)
        EXPECT_EQ(o->dashed, 0) << "nothing moves, so nothing is left dashed";
}

TEST(TouchingThreeCommand, EachFailureHasItsReason) {
    struct Case {
        std::vector<SceneObject> objs;
        std::string info;
    };
    const std::vector<Case> cases = {
        {{makeCircle(KIND_C_PRIME, 0, 0, 5), makeCircle(KIND_C_PRIME, 6, 0, 5),
          makeLine(KIND_L_PRIME, 0, 0, 1, 1)},
         "Infinitely many circles meet these three constraints.\nAll three are centre "
         "constraints (C' or L'): they can fix the centre but never the radius, so the new "
         "circle is not fixed."},
        {{makeLine(KIND_L_PRIME, 0, 0, 1, 0), makeCircle(KIND_C_PRIME, 0, 10, 1),
          makeCircle(KIND_C, 0, 0, 1)},
         "No result.\nAll 4 solutions are complex: no real circle meets the three constraints."},
        {{makeCircle(KIND_C, 0, 0, 1), makeCircle(KIND_C, 0, 0, 2), makeCircle(KIND_C, 0, 0, 3)},
         "No result.\nNo circle meets the three constraints."},
    };
    for (const Case& c : cases) {
        CTorvaneDoc doc;
        std::vector<SceneObject*> picks;
        for (const SceneObject& o : c.objs)
            picks.push_back(isLineKind(o.kind)
                                ? doc.addObject(o.kind, o.x[0], o.y[0], o.x[1], o.y[1], 0, 0, 0)
                                : doc.addObject(o.kind, o.x[0], o.y[0], o.r, 0, 0, 0));
        RecordingUser user;
        EXPECT_EQ(runTouchingThree(doc, picks, user).outcome, MergeOutcome::Failed);
        ASSERT_EQ(user.infos.size(), 1u);
        EXPECT_EQ(user.infos[0], c.info);
        EXPECT_EQ(doc.objectCount, 3);
        EXPECT_EQ(user.chooserCalls, 0);
    }
}
