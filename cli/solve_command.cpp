// `solve [--json]`: one merge problem as JSON on stdin, its candidates on stdout.
#include "cli/commands.h"
#include "cli/problem_json.h"

#include <chrono>
#include <iostream>
#include <iterator>
#include <memory>

void addSolveCommand(CLI::App& app, int& exitCode) {
    auto json = std::make_shared<bool>(false);
    CLI::App* solve =
        app.add_subcommand("solve", "Solve one merge problem read as JSON from stdin");
    solve->add_flag("--json", *json, "print the result as JSON");
    solve->callback([json, &exitCode] {
        const std::string text{std::istreambuf_iterator<char>(std::cin),
                               std::istreambuf_iterator<char>()};
        ProblemInput in;
        try {
            in = parseProblem(text);
        } catch (const BadProblem& e) {
            std::cerr << "torvane-cli: stdin: " << e.what() << '\n';
            exitCode = kExitBadInput;
            return;
        }
        MergeProblem problem;
        for (int c = 0; c < 2; ++c)
            for (SceneObject& o : in.clusters[c])
                problem.addObject(c + 1, &o);
        const auto start = std::chrono::steady_clock::now();
        const bool ok = problem.solve(in.mode) != 0;
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const std::vector<MergeCandidate> candidates = candidatesOf(problem);
        const std::string message = ok ? "" : problem.message;
        if (*json) {
            const nlohmann::ordered_json out = {{"ok", ok},
                                                {"solver", problem.solverName},
                                                {"message", message},
                                                {"candidates", candidatesJson(candidates)},
                                                {"seconds", seconds}};
            std::cout << out.dump() << '\n';
        } else if (ok) {
            std::cout << problem.solverName << ": " << candidates.size() << " candidate"
                      << (candidates.size() == 1 ? "" : "s") << '\n'
                      << candidatesText(candidates);
        } else {
            std::cout << problem.solverName << (problem.solverName[0] ? ": " : "") << message
                      << '\n';
        }
        exitCode = candidatesExitCode(candidates);
    });
}
