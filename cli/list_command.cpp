// `list FILE.tvn`: one line per object in its textual form.
#include "cli/commands.h"

#include <iostream>
#include <memory>

void addListCommand(CLI::App& app, int& exitCode) {
    auto path = std::make_shared<std::string>();
    CLI::App* list = app.add_subcommand("list", "Print one line per object of a scene");
    list->add_option("file", *path, "scene file (.tvn)")->required();
    list->callback([path, &exitCode] {
        CTorvaneDoc doc;
        if (!loadSceneReporting(*path, doc)) {
            exitCode = kExitBadInput;
            return;
        }
        for (const SceneObject* o : doc)
            std::cout << o->toString() << '\n';
        // A listing that did not reach its reader (a full disk, a closed pipe) is no success.
        if (!std::cout.flush()) {
            std::cerr << "torvane-cli: cannot write the listing of " << *path << '\n';
            exitCode = kExitBadInput;
            return;
        }
        exitCode = 0;
    });
}
