// Reading objects with full checks (kind, every coordinate present and finite), and
// writing candidates in candidate order.
#include "cli/problem_json.h"

#include <cmath>
#include <cstdio>

namespace {

using nlohmann::json;

double number(const json& obj, const char* key, const std::string& where) {
    const auto it = obj.find(key);
    if (it == obj.end())
        throw BadProblem(where + ": missing \"" + key + "\"");
    if (!it->is_number())
        throw BadProblem(where + ": \"" + key + "\" is not a number");
    const double v = it->get<double>();
    if (!std::isfinite(v))
        throw BadProblem(where + ": \"" + key + "\" is not finite");
    return v;
}

SceneObject parseObject(const json& obj, const std::string& where) {
    if (!obj.is_object())
        throw BadProblem(where + ": not an object");
    const auto kindIt = obj.find("kind");
    if (kindIt == obj.end() || !kindIt->is_string())
        throw BadProblem(where + ": \"kind\" must be \"C\", \"L\", \"C'\" or \"L'\"");
    const std::string kind = kindIt->get<std::string>();
    SceneObject o;
    const char* kinds[4] = {"C", "L", "C'", "L'"};
    o.kind = -1;
    for (int k = 0; k < 4; ++k)
        if (kind == kinds[k])
            o.kind = k;
    if (o.kind < 0)
        throw BadProblem(where + ": unknown kind \"" + kind + "\"");
    if (isLineKind(o.kind)) {
        o.setPoint(number(obj, "x0", where), number(obj, "y0", where), 0);
        o.setPoint(number(obj, "x1", where), number(obj, "y1", where), 1);
    } else {
        o.setCircle(number(obj, "x", where), number(obj, "y", where), number(obj, "r", where));
    }
    return o;
}

} // namespace

int parseMode(const std::string& name) {
    if (name == "translate")
        return MERGE_TRANSLATE;
    if (name == "rotate")
        return MERGE_ROTATE;
    return -1;
}

ProblemInput parseProblem(const std::string& text) {
    json doc;
    try {
        doc = json::parse(text);
    } catch (const json::parse_error& e) {
        throw BadProblem(std::string("not valid JSON: ") + e.what());
    }
    if (!doc.is_object())
        throw BadProblem("the problem must be a JSON object");
    ProblemInput in;
    const auto modeIt = doc.find("mode");
    if (modeIt == doc.end() || !modeIt->is_string() ||
        (in.mode = parseMode(modeIt->get<std::string>())) < 0)
        throw BadProblem("\"mode\" must be \"translate\" or \"rotate\"");
    for (int c = 0; c < 2; ++c) {
        const std::string name = c == 0 ? "cluster1" : "cluster2";
        const auto it = doc.find(name);
        if (it == doc.end() || !it->is_array())
            throw BadProblem("\"" + name + "\" must be an array of objects");
        if (it->size() > 2)
            throw BadProblem("\"" + name + "\" holds more than two objects");
        for (std::size_t i = 0; i < it->size(); ++i)
            in.clusters[c].push_back(parseObject((*it)[i], name + "[" + std::to_string(i) + "]"));
    }
    return in;
}

int candidatesExitCode(const std::vector<MergeCandidate>& candidates) {
    for (const MergeCandidate& c : candidates)
        if (!c.complex)
            return 0;
    return 1;
}

nlohmann::ordered_json candidatesJson(const std::vector<MergeCandidate>& candidates) {
    nlohmann::ordered_json out = nlohmann::ordered_json::array();
    for (const MergeCandidate& c : candidates) {
        if (c.complex)
            out.push_back({{"complex", true}, {"re", c.re}, {"im", c.im}});
        else
            out.push_back({{"complex", false},
                           {"parameter", c.parameter},
                           {"x", c.x},
                           {"y", c.y},
                           {"r", c.r},
                           {"residual", c.residual}});
    }
    return out;
}

std::string candidatesText(const std::vector<MergeCandidate>& candidates) {
    std::string out;
    char line[256];
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const MergeCandidate& c = candidates[i];
        if (c.complex)
            std::snprintf(line, sizeof line, "%zu: complex parameter %.17g + (%.17g)i\n", i, c.re,
                          c.im);
        else
            std::snprintf(line, sizeof line,
                          "%zu: parameter %.17g circle (%.17g, %.17g, %.17g) residual %.3g\n", i,
                          c.parameter, c.x, c.y, c.r, c.residual);
        out += line;
    }
    return out;
}
