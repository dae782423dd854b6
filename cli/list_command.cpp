// `list FILE.tvn`: one line per object in its textual form.
#include "cli/commands.h"

#include "scene/tvn_file.h"

#include <iostream>
#include <memory>

void addListCommand(CLI::App& app, int& exitCode) {
    auto path = std::make_shared<std::string>();
    CLI::App* list = app.add_subcommand("list", "Print one line per object of a scene");
    list->add_option("file", *path, "scene file (.tvn)")->required();
    list->callback([path, &exitCode] {
        CTorvaneDoc doc;
        std::string error;
        if (!loadSceneFile(*path, doc, &error)) {
            std::cerr << "torvane-cli: " << error << '\n';
            exitCode = kExitBadInput;
            return;
        }
        for (const SceneObject* o : doc)
            std::cout << o->toString() << '\n';
        exitCode = 0;
    });
}
