// `to-json FILE.tvn` and `from-json IN.json OUT.tvn`: a scene as JSON and back, every
// stored field at full precision.
#include "cli/commands.h"

#include "batch/bad_input.h"
#include "batch/scene_json.h"
#include "scene/tvn_file.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>

namespace {

int badInput(const std::string& what) {
    std::cerr << "torvane-cli: " << what << '\n';
    return kExitBadInput;
}

int toJson(const std::string& path) {
    CTorvaneDoc doc;
    if (!loadSceneReporting(path, doc))
        return kExitBadInput;
    std::cout << sceneJson(doc) << '\n';
    return 0;
}

int fromJson(const std::string& in, const std::string& out) {
    // A device or FIFO could be endless: read regular files only, as every scene read.
    std::error_code ignored;
    if (std::filesystem::exists(in, ignored) && !std::filesystem::is_regular_file(in, ignored))
        return badInput(in + " is not a regular file");
    std::ifstream file(in, std::ios::binary);
    if (!file)
        return badInput("cannot open " + in);
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad())
        return badInput("cannot read " + in);
    CTorvaneDoc doc;
    try {
        readSceneJson(text.str(), doc);
    } catch (const BadInput& e) {
        return badInput(in + ": " + e.what());
    }
    std::string error;
    if (!saveSceneFile(out, doc, &error))
        return badInput(error);
    return 0;
}

} // namespace

void addSceneJsonCommands(CLI::App& app, int& exitCode) {
    auto path = std::make_shared<std::string>();
    CLI::App* to = app.add_subcommand("to-json", "Print a scene as JSON, every field in full");
    to->add_option("file", *path, "scene file (.tvn)")->required();
    to->callback([path, &exitCode] { exitCode = toJson(*path); });

    auto paths = std::make_shared<std::pair<std::string, std::string>>();
    CLI::App* from = app.add_subcommand("from-json", "Write a scene file from its JSON");
    from->add_option("in", paths->first, "scene JSON file")->required();
    from->add_option("out", paths->second, "scene file to write (.tvn)")->required();
    from->callback([paths, &exitCode] { exitCode = fromJson(paths->first, paths->second); });
}
