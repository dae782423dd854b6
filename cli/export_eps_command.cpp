// `export-eps FILE.tvn OUT.eps`: the desktop program's EPS export, from a file.
#include "cli/commands.h"

#include "ui/eps_writer.h"

#include <iostream>
#include <memory>

namespace {

struct ExportPaths {
    std::string scene;
    std::string eps;
};

} // namespace

void addExportEpsCommand(CLI::App& app, int& exitCode) {
    auto paths = std::make_shared<ExportPaths>();
    CLI::App* sub = app.add_subcommand("export-eps", "Write a scene's geometry as EPS");
    sub->add_option("file", paths->scene, "scene file (.tvn)")->required();
    sub->add_option("out", paths->eps, "EPS file to write")->required();
    sub->callback([paths, &exitCode] {
        CTorvaneDoc doc;
        if (!loadSceneReporting(paths->scene, doc)) {
            exitCode = kExitBadInput;
            return;
        }
        exitCode = reportPictureWrite(writeEpsFile(paths->eps, doc), paths->scene, paths->eps);
    });
}
