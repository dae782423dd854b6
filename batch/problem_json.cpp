// Problem reading: known members only, two objects at most per cluster, every
// coordinate present and finite.
#include "batch/problem_json.h"

#include "batch/json_fields.h"
#include "solver/merge_problem.h"
#include "solver/touching_three.h"

struct ProblemReader::Parser {
    simdjson::dom::parser json;
};

ProblemReader::ProblemReader() : parser_(std::make_unique<Parser>()) {}
ProblemReader::~ProblemReader() = default;

int parseMode(std::string_view name) {
    if (name == "translate")
        return MERGE_TRANSLATE;
    if (name == "rotate")
        return MERGE_ROTATE;
    return -1;
}

namespace {

// {"mode":"none","objects":[A,B,C]}: three objects that stay where they are. The first two
// fill cluster 1 and the third cluster 2, as the solver of circles touching three reads them.
ProblemInput readNoMotion(const JsonFields& top) {
    if (top.has("cluster1") || top.has("cluster2"))
        top.fail("mode \"none\" takes \"objects\", not clusters");
    if (!top.has("objects"))
        top.fail("\"objects\" must be an array of three objects");
    const simdjson::dom::array objects = top.array("objects");
    if (objects.size() != 3)
        top.fail("\"objects\" must be an array of three objects");
    ProblemInput in;
    in.mode = kNoMotion;
    int i = 0;
    for (const simdjson::dom::element e : objects) {
        const JsonFields f(e, "objects[" + std::to_string(i) + "]",
                           {"kind", "x", "y", "r", "x0", "y0", "x1", "y1"});
        in.clusters[i++ < 2 ? 0 : 1].push_back(objectGeometry(f));
    }
    return in;
}

} // namespace

ProblemInput ProblemReader::read(std::string_view text) {
    const JsonFields top(parseJson(parser_->json, text), "",
                         {"schema", "mode", "cluster1", "cluster2", "objects"});
    if (top.has("schema"))
        top.integer("schema", 1, 1);
    ProblemInput in;
    if (top.has("mode") && top.string("mode") == "none")
        return readNoMotion(top);
    if (!top.has("mode") || (in.mode = parseMode(top.string("mode"))) < 0)
        top.fail("\"mode\" must be \"translate\", \"rotate\" or \"none\"");
    if (top.has("objects"))
        top.fail("\"objects\" belongs to mode \"none\"");
    for (int c = 0; c < 2; ++c) {
        const std::string name = c == 0 ? "cluster1" : "cluster2";
        if (!top.has(name))
            top.fail("\"" + name + "\" must be an array of objects");
        const simdjson::dom::array objects = top.array(name);
        if (objects.size() > 2)
            top.fail("\"" + name + "\" holds more than two objects");
        int i = 0;
        for (const simdjson::dom::element e : objects) {
            const JsonFields f(e, name + "[" + std::to_string(i++) + "]",
                               {"kind", "x", "y", "r", "x0", "y0", "x1", "y1"});
            in.clusters[c].push_back(objectGeometry(f));
        }
    }
    return in;
}
