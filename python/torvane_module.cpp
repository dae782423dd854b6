// The Python module `torvane`: the batch tool's operations on dicts and lists, with
// the very JSON reading and writing the tool uses (through Python's json module), so
// that a dict here means what the same JSON means to torvane-cli.
#include "batch/bad_input.h"
#include "batch/jsonl_stream.h"
#include "batch/merge_scene.h"
#include "batch/problem_json.h"
#include "batch/scene_json.h"
#include "batch/solve_result.h"
#include "scene/tvn_file.h"

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <thread>

namespace py = pybind11;

namespace {

std::string toJson(py::handle value) {
    return py::module_::import("json")
        .attr("dumps")(value, py::arg("allow_nan") = false)
        .cast<std::string>();
}

py::object fromJson(const std::string& text) {
    return py::module_::import("json").attr("loads")(text);
}

py::dict solve(py::handle problem, bool certify) {
    const std::string text = toJson(problem);
    SolveOutcome outcome;
    try {
        py::gil_scoped_release unlocked;
        ProblemReader reader;
        outcome = solveProblem(reader.read(text), {certify});
    } catch (const BadInput& e) {
        throw py::value_error(e.what());
    }
    return fromJson(solveResultJson(outcome));
}

py::list solveMany(py::iterable problems, std::optional<int> threads, bool certify) {
    std::vector<std::string> texts;
    for (py::handle p : problems)
        texts.push_back(toJson(p));
    const int workers =
        threads ? *threads : std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    if (workers < 1)
        throw py::value_error("threads must be 1 or more");
    std::vector<ProblemResult> results;
    {
        py::gil_scoped_release unlocked;
        results = solveAll(texts, workers, {certify});
    }
    py::list out;
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (results[i].bad)
            throw py::value_error("problem " + std::to_string(i) + ": " + results[i].text);
        out.append(fromJson(results[i].text));
    }
    return out;
}

py::object objectsOf(const CTorvaneDoc& doc) {
    return fromJson(sceneJson(doc))["objects"];
}

void readObjects(py::handle objects, CTorvaneDoc& doc) {
    py::dict scene;
    scene["objects"] = objects;
    try {
        readSceneJson(toJson(scene), doc);
    } catch (const BadInput& e) {
        throw py::value_error(e.what());
    }
}

py::object load(const std::string& path) {
    CTorvaneDoc doc;
    std::string error;
    if (!loadSceneFile(path, doc, &error))
        throw py::value_error(error);
    return objectsOf(doc);
}

void save(const std::string& path, py::handle objects) {
    CTorvaneDoc doc;
    readObjects(objects, doc);
    std::string error;
    if (!saveSceneFile(path, doc, &error))
        throw py::value_error(error);
}

py::tuple merge(py::handle objects, std::vector<int> cluster1, std::vector<int> cluster2,
                const std::string& mode, int pick, bool certify) {
    CTorvaneDoc doc;
    readObjects(objects, doc);
    MergeRequest request{std::move(cluster1), std::move(cluster2), parseMode(mode), pick, certify};
    if (request.mode < 0)
        throw py::value_error("mode must be \"translate\" or \"rotate\", not \"" + mode + "\"");
    MergeResult result;
    try {
        py::gil_scoped_release unlocked;
        result = mergeScene(doc, request);
    } catch (const BadInput& e) {
        throw py::value_error(e.what());
    }
    return py::make_tuple(objectsOf(doc), fromJson(result.json));
}

} // namespace

PYBIND11_MODULE(torvane, m) {
    m.doc() = "Torvane merges of oriented circles and lines, as the batch tool torvane-cli runs "
              "them. Problems, results and scene objects are the tool's JSON as dicts.";
    m.attr("__version__") = TORVANE_VERSION;
    m.attr("SCHEMA") = kSchemaVersion;
    m.def("solve", &solve, py::arg("problem"), py::arg("certify") = false,
          "Solve one merge problem; returns the result dict of `torvane-cli solve --json`.");
    m.def("solve_many", &solveMany, py::arg("problems"), py::arg("threads") = py::none(),
          py::arg("certify") = false,
          "Solve many problems on several threads (default: every core); results in order. "
          "A bad problem raises ValueError naming its index.");
    m.def("load", &load, py::arg("path"),
          "The objects of a .tvn scene as dicts, every field at full precision.");
    m.def("save", &save, py::arg("path"), py::arg("objects"),
          "Write objects (dicts as load returns them) as a .tvn scene, atomically.");
    m.def("merge", &merge, py::arg("objects"), py::arg("cluster1"), py::arg("cluster2"),
          py::arg("mode") = "translate", py::arg("pick") = 0, py::arg("certify") = false,
          "Merge as `torvane-cli merge` does; returns (objects after the merge, report dict).");
}
