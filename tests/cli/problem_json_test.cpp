// The batch tool's JSON problem reader: every bad input becomes one short error line,
// never a crash, and whatever it accepts is a problem the solvers can take.
#include "batch/bad_input.h"
#include "batch/problem_json.h"
#include "solver/merge_problem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

const std::string kGoodProblem =
    R"({"mode":"translate",)"
    R"("cluster1":[{"kind":"L","x0":0,"y0":0,"x1":10,"y1":0},{"kind":"C","x":5,"y":15,"r":-5}],)"
    R"("cluster2":[{"kind":"C'","x":30,"y":10,"r":5},{"kind":"L'","x0":40,"y0":0,"x1":40,"y1":10}]})";

ProblemInput parseProblem(const std::string& text) {
    ProblemReader reader;
    return reader.read(text);
}

// The error text of a problem that must be refused.
std::string refusal(const std::string& text) {
    try {
        parseProblem(text);
    } catch (const BadInput& e) {
        return e.what();
    }
    ADD_FAILURE() << "accepted: " << text.substr(0, 200);
    return {};
}

// What an error line may be: one line, the input quoted only in part.
void expectShortOneLine(const std::string& error) {
    EXPECT_EQ(error.find('\n'), std::string::npos) << error.substr(0, 200);
    EXPECT_LE(error.size(), 400u) << error.substr(0, 200);
}

} // namespace

TEST(ProblemJson, OutOfRangeNumberLiteralIsBadInputNotACrash) {
    for (const char* literal : {"1e999", "-1e999", "1e400", "-2e308"}) {
        SCOPED_TRACE(literal);
        std::string text = kGoodProblem;
        text.replace(text.find("\"r\":-5"), 6, std::string("\"r\":") + literal);
        const std::string error = refusal(text);
        expectShortOneLine(error);
        EXPECT_NE(error.find("not valid JSON"), std::string::npos) << error;
    }
    // 400 digits as an integer literal overflows the same way.
    std::string text = kGoodProblem;
    text.replace(text.find("\"y\":15"), 6, "\"y\":" + std::string(400, '9'));
    expectShortOneLine(refusal(text));
    // A literal that only underflows is an ordinary zero.
    std::string tiny = kGoodProblem;
    tiny.replace(tiny.find("\"r\":-5"), 6, "\"r\":1e-999");
    EXPECT_EQ(parseProblem(tiny).clusters[0][1].r, 0.0);
}

TEST(ProblemJson, ErrorLinesQuoteOnlyPartOfALongInputAndStayOneLine) {
    std::string longKind = kGoodProblem;
    longKind.replace(longKind.find("\"C'\""), 4, "\"" + std::string(500000, 'K') + "\"");
    std::string error = refusal(longKind);
    expectShortOneLine(error);
    EXPECT_NE(error.find("unknown kind \"KKKK"), std::string::npos) << error;
    EXPECT_NE(error.find("...\""), std::string::npos) << error;

    std::string longField = kGoodProblem;
    longField.replace(longField.find("\"x1\""), 4, "\"" + std::string(100000, 'f') + "\"");
    expectShortOneLine(refusal(longField));

    // A string that never ends.
    expectShortOneLine(refusal(R"({"mode":")" + std::string(500000, 'm')));

    // Escaped control characters in a kind or a field name must not break the line.
    for (const char* escaped : {"\\n", "\\r", "\\u0000", "\\u001b[2J"}) {
        SCOPED_TRACE(escaped);
        std::string kind = kGoodProblem;
        kind.replace(kind.find("\"C'\""), 4, std::string("\"C") + escaped + "\"");
        error = refusal(kind);
        expectShortOneLine(error);
        EXPECT_EQ(error.find('\r'), std::string::npos);
        EXPECT_EQ(error.find('\x1b'), std::string::npos);
        EXPECT_EQ(error.find('\0'), std::string::npos);
        std::string field = kGoodProblem;
        field.replace(field.find("\"x1\""), 4, std::string("\"x") + escaped + "\"");
        expectShortOneLine(refusal(field));
    }
}

// A mutation fuzz loop over the reader: random edits of valid problems, spliced with
// the tokens that broke readers before (out-of-range literals, huge strings, deep
// nesting). Every input must give a usable problem or a BadInput with a short,
// one-line message; anything else (an escaping exception, a crash, a sanitizer report)
// fails the test.
TEST(ProblemJsonFuzz, MutatedProblemsGiveAProblemOrOneShortErrorLine) {
    ProblemReader reader; // one reader for every input, as a stream of problems uses it
    const std::vector<std::string> seeds = {
        kGoodProblem,
        R"({"schema":1,"mode":"rotate","cluster1":[{"kind":"C","x":0,"y":0,"r":1}],"cluster2":[]})",
        R"({"mode":"translate","cluster1":[{"kind":"L'","x0":-1e308,"y0":1e-320,"x1":0,"y1":0}],)"
        R"("cluster2":[{"kind":"C","x":1,"y":2,"r":3},{"kind":"C","x":1,"y":2,"r":3}]})",
    };
    const std::vector<std::string> tokens = {
        "1e999",
        "-1e999",
        "1e-999",
        "-0",
        "18446744073709551616",
        "9223372036854775808",
        "NaN",
        "Infinity",
        "null",
        "true",
        "{",
        "}",
        "[",
        "]",
        ",",
        ":",
        "\"",
        "\\u0000",
        "\\ud800",
        "\\n",
        "\\u001b",
        "\"kind\"",
        "\"schema\"",
        "\"C'\"",
        "\"L'\"",
        "\"x0\"",
        "\"r\"",
        "\"mode\"",
        "\"rotate\"",
        std::string(5000, '['),
        std::string(3000, '9'),
        "\"" + std::string(20000, 'x') + "\"",
        "\xff\xfe",
        "\xc3",
        "\n",
        "0.",
        ".5",
        "1e",
        "+1",
        "01",
    };
    std::mt19937 rng(20261208);
    const auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    int accepted = 0;
    for (int round = 0; round < 40000; ++round) {
        std::string text = seeds[pick(seeds.size())];
        const int edits = 1 + static_cast<int>(pick(4));
        for (int e = 0; e < edits && !text.empty(); ++e) {
            const std::size_t at = pick(text.size() + 1);
            switch (pick(5)) {
            case 0: // overwrite a byte
                if (at < text.size())
                    text[at] = static_cast<char>(rng());
                break;
            case 1: // delete a span
                text.erase(at, pick(16));
                break;
            case 2: // insert a token
                text.insert(at, tokens[pick(tokens.size())]);
                break;
            case 3: // replace a number's digits with a token
                if (const std::size_t digit = text.find_first_of("0123456789", at);
                    digit != std::string::npos)
                    text.replace(digit, 1, tokens[pick(tokens.size())]);
                break;
            default: // duplicate a span
                text.insert(at, text.substr(pick(text.size()), pick(64)));
                break;
            }
        }
        try {
            const ProblemInput in = reader.read(text);
            ++accepted;
            ASSERT_TRUE(in.mode == MERGE_TRANSLATE || in.mode == MERGE_ROTATE);
            for (const auto& cluster : in.clusters) {
                ASSERT_LE(cluster.size(), 2u);
                for (const SceneObject& o : cluster) {
                    ASSERT_TRUE(isValidKind(o.kind));
                    const double values[] = {o.x[0], o.y[0], o.x[1], o.y[1], o.r};
                    for (double v : values)
                        ASSERT_TRUE(std::isfinite(v)) << text.substr(0, 200);
                }
            }
        } catch (const BadInput& e) {
            const std::string error = e.what();
            ASSERT_EQ(error.find('\n'), std::string::npos) << error.substr(0, 300);
            ASSERT_LE(error.size(), 400u) << error.substr(0, 300);
        }
    }
    // The loop reaches the checks past the syntax, not only the parser's errors.
    EXPECT_GT(accepted, 100);
}
