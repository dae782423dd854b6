// torvane-cli: the headless batch tool over the core library.
#include "cli/export_eps_command.h"
#include "scene/tvn_file.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

namespace {

constexpr int kExitBadInput = 2;

int listScene(const std::string& path) {
    CTorvaneDoc doc;
    std::string error;
    if (!loadSceneFile(path, doc, &error)) {
        std::cerr << "torvane-cli: " << error << '\n';
        return kExitBadInput;
    }
    for (const SceneObject* o : doc)
        std::cout << o->toString() << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Torvane batch tool: scenes and merges without the desktop program"};
    app.require_subcommand(1);

    std::string listPath;
    CLI::App* list = app.add_subcommand("list", "Print one line per object of a scene");
    list->add_option("file", listPath, "scene file (.tvn)")->required();
    registerExportEpsCommand(app);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : kExitBadInput;
    }
    if (*list)
        return listScene(listPath);
    return kExitBadInput;
}
