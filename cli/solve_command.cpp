// `solve [--json | --jsonl [--threads N]] [--certify] [--trace]`: merge problems as
// JSON on stdin, their candidates on stdout.
#include "cli/commands.h"

#include "batch/bad_input.h"
#include "batch/jsonl_stream.h"
#include "batch/solve_result.h"
#include "solver/engine_trace.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <memory>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace {

struct SolveFlags {
    bool json = false, jsonl = false, certify = false, trace = false;
    int threads = 0; // 0: every core
};

// One line per candidate, numbers with every digit.
std::string candidatesText(const SolveOutcome& outcome) {
    std::string out;
    char line[512];
    for (std::size_t i = 0; i < outcome.candidates.size(); ++i) {
        const MergeCandidate& c = outcome.candidates[i];
        if (c.complex) {
            std::snprintf(line, sizeof line, "%zu: complex parameter %.17g + (%.17g)i\n", i, c.re,
                          c.im);
        } else {
            int n = std::snprintf(line, sizeof line,
                                  "%zu: parameter %.17g circle (%.17g, %.17g, %.17g) residual %.3g",
                                  i, c.parameter, c.x, c.y, c.r, c.residual);
            if (i < outcome.certificates.size() && n > 0 && n < static_cast<int>(sizeof line))
                std::snprintf(line + n, sizeof line - n,
                              outcome.certificates[i].certified ? " certified within %.3g"
                                                                : " not certified",
                              outcome.certificates[i].radius);
            std::strcat(line, "\n");
        }
        out += line;
    }
    return out;
}

int solveOne(const SolveFlags& flags) {
    const std::string text{std::istreambuf_iterator<char>(std::cin),
                           std::istreambuf_iterator<char>()};
    ProblemReader reader;
    SolveOutcome outcome;
    try {
        outcome = solveProblem(reader.read(text), {flags.certify});
    } catch (const BadInput& e) {
        std::cerr << "torvane-cli: stdin: " << e.what() << '\n';
        return kExitBadInput;
    }
    if (flags.json)
        std::cout << solveResultJson(outcome) << '\n';
    else if (outcome.ok)
        std::cout << outcome.solver << ": " << outcome.candidates.size() << " candidate"
                  << (outcome.candidates.size() == 1 ? "" : "s") << '\n'
                  << candidatesText(outcome);
    else
        std::cout << outcome.solver << (outcome.solver.empty() ? "" : ": ") << outcome.message
                  << '\n';
    return candidatesExitCode(outcome.candidates);
}

int solveLines(const SolveFlags& flags) {
    const int threads = flags.threads > 0
                            ? flags.threads
                            : std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    const StreamSummary summary = solveStream(STDIN_FILENO, stdout, threads, {flags.certify});
    if (summary.badLines > 0) {
        std::cerr << "torvane-cli: stdin: " << summary.badLines << " of " << summary.lines
                  << " lines were not valid problems\n";
        return kExitBadInput;
    }
    return 0;
}

} // namespace

EngineTraceSink standardErrorTrace() {
    auto mutex = std::make_shared<std::mutex>();
    return [mutex](const std::string& statement) {
        std::lock_guard lock(*mutex);
        std::fputs(statement.c_str(), stderr);
        std::fputc('\n', stderr);
    };
}

void addSolveCommand(CLI::App& app, int& exitCode) {
    auto flags = std::make_shared<SolveFlags>();
    CLI::App* solve = app.add_subcommand("solve", "Solve merge problems read as JSON from stdin");
    CLI::Option* json = solve->add_flag("--json", flags->json, "print the result as JSON");
    CLI::Option* jsonl = solve->add_flag(
        "--jsonl", flags->jsonl, "one problem per input line, one JSON result per output line");
    json->excludes(jsonl);
    solve->add_option("--threads", flags->threads, "threads for --jsonl (default: every core)")
        ->check(CLI::Range(1, 1024))
        ->needs(jsonl);
    solve->add_flag("--certify", flags->certify,
                    "prove each real candidate with interval arithmetic");
    solve->add_flag("--trace", flags->trace, "write the exact engine's statements to stderr");
    solve->callback([flags, &exitCode] {
        if (flags->trace)
            setEngineTraceSink(standardErrorTrace());
        exitCode = flags->jsonl ? solveLines(*flags) : solveOne(*flags);
    });
}
