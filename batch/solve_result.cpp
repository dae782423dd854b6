// One problem solved and reported.
#include "batch/solve_result.h"

#include "solver/touching_three.h"

#include <chrono>

std::vector<Certificate> certifyCandidates(const SceneObject* const slots[2][2], int mode,
                                           const std::vector<MergeCandidate>& candidates) {
    std::vector<Certificate> out;
    for (const MergeCandidate& c : candidates)
        out.push_back(c.complex ? Certificate{}
                                : certifyCandidate(slots, mode, c.parameter, c.x, c.y, c.r));
    return out;
}

SolveOutcome solveProblem(ProblemInput in, const SolveOptions& options) {
    MergeProblem problem;
    for (int c = 0; c < 2; ++c)
        for (SceneObject& o : in.clusters[c])
            problem.addObject(c + 1, &o);
    SolveOutcome out;
    const auto start = std::chrono::steady_clock::now();
    out.ok = in.mode == kNoMotion ? solveTouchingThree(problem) == TouchingThreeOutcome::Found
                                  : problem.solve(in.mode) != 0;
    out.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    out.solver = problem.solverName;
    out.underdetermined = problem.underdetermined;
    if (!out.ok)
        out.message = problem.message;
    out.candidates = candidatesOf(problem);
    if (options.certify && problem.slotCount[0] + problem.slotCount[1] == 4)
        out.certificates = certifyCandidates(problem.slots, problem.mode, out.candidates);
    return out;
}

int candidatesExitCode(const std::vector<MergeCandidate>& candidates) {
    for (const MergeCandidate& c : candidates)
        if (!c.complex)
            return kExitFound;
    return kExitNothingFound;
}

void writeCandidates(JsonWriter& w, const std::vector<MergeCandidate>& candidates,
                     const std::vector<Certificate>& certificates) {
    w.beginArray();
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const MergeCandidate& c = candidates[i];
        w.beginObject();
        w.member("complex", c.complex);
        if (c.complex) {
            w.member("re", c.re);
            w.member("im", c.im);
        } else {
            w.member("parameter", c.parameter);
            w.member("x", c.x);
            w.member("y", c.y);
            w.member("r", c.r);
            w.member("residual", c.residual);
            if (i < certificates.size()) {
                w.member("certified", certificates[i].certified);
                if (certificates[i].certified)
                    w.member("radius", certificates[i].radius);
            }
        }
        w.endObject();
    }
    w.endArray();
}

void writeSolveMembers(JsonWriter& w, const SolveOutcome& outcome) {
    w.member("ok", outcome.ok);
    w.member("solver", outcome.solver);
    w.member("message", outcome.message);
    w.member("underdetermined", outcome.underdetermined);
    w.key("candidates");
    writeCandidates(w, outcome.candidates, outcome.certificates);
    w.member("seconds", outcome.seconds);
}

std::string solveResultJson(const SolveOutcome& outcome) {
    std::string out;
    JsonWriter w(out);
    w.beginObject();
    w.member("schema", kSchemaVersion);
    writeSolveMembers(w, outcome);
    w.endObject();
    return out;
}
