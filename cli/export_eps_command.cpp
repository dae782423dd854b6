// The export-eps subcommand over the core's scene loader and EPS writer.
#include "cli/export_eps_command.h"

#include "scene/tvn_file.h"
#include "ui/eps_writer.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

namespace {

constexpr int kExitBadInput = 2;

struct ExportPaths {
    std::string scene;
    std::string eps;
};

} // namespace

void registerExportEpsCommand(CLI::App& app) {
    auto paths = std::make_shared<ExportPaths>();
    CLI::App* sub = app.add_subcommand("export-eps", "Write a scene's geometry as EPS");
    sub->add_option("file", paths->scene, "scene file (.tvn)")->required();
    sub->add_option("out", paths->eps, "EPS file to write")->required();
    sub->callback([paths] {
        CTorvaneDoc doc;
        std::string error;
        if (!loadSceneFile(paths->scene, doc, &error)) {
            std::cerr << "torvane-cli: " << error << '\n';
            throw CLI::RuntimeError(kExitBadInput);
        }
        if (!writeEpsFile(paths->eps, doc)) {
            std::cerr << "torvane-cli: cannot write " << paths->eps << '\n';
            throw CLI::RuntimeError(kExitBadInput);
        }
        throw CLI::Success();
    });
}
