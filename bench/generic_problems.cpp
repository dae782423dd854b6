// Writes N generic merge problems as JSON lines to stdout, the input of the --jsonl
// throughput figures: tangency merges (C and L objects) in general position, built
// from a known answer, spread evenly over the closed-form families of both modes.
#include "batch/scene_json.h"
#include "tests/support/known_answer.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const long long count = argc > 1 ? std::atoll(argv[1]) : 1000000;
    const struct {
        const char* kinds;
        int mode;
    } families[] = {{"LLLL", MERGE_TRANSLATE}, {"LLLC", MERGE_TRANSLATE}, {"CCLL", MERGE_TRANSLATE},
                    {"LCLC", MERGE_TRANSLATE}, {"CCLC", MERGE_TRANSLATE}, {"CCCC", MERGE_TRANSLATE},
                    {"LLLL", MERGE_ROTATE},    {"CCLL", MERGE_ROTATE},    {"CLCL", MERGE_ROTATE},
                    {"CCCC", MERGE_ROTATE}};
    std::mt19937 rng(20261208);
    std::string out;
    for (long long i = 0; i < count; ++i) {
        const auto& f = families[i % std::size(families)];
        const KnownMerge m = makeKnownMerge(kindsFromLetters(f.kinds), f.mode, rng);
        JsonWriter w(out);
        w.beginObject();
        w.member("mode", f.mode == MERGE_ROTATE ? "rotate" : "translate");
        for (int c = 0; c < 2; ++c) {
            w.key(c == 0 ? "cluster1" : "cluster2");
            w.beginArray();
            for (int s = 0; s < 2; ++s) {
                w.beginObject();
                writeObjectGeometry(w, m.obj[2 * c + s]);
                w.endObject();
            }
            w.endArray();
        }
        w.endObject();
        out += '\n';
        if (out.size() > (1 << 20)) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}
