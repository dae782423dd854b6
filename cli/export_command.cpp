// `export FILE.tvn OUT`: the scene as EPS, SVG, PDF or PNG by OUT's extension. Without a
// window the picture shows the whole scene; it needs Qt's GUI module for the painter
// and its fonts, on the offscreen platform unless the user chose another one.
#include "cli/commands.h"

#include "view/picture_area.h"
#include "view/qt/picture_files.h"

#include <QGuiApplication>

#include <iostream>
#include <memory>

namespace {

struct ExportPaths {
    std::string scene;
    std::string out;
};

// Qt's GUI module wants a platform; a batch run has no display to give it.
void chooseOffscreenPlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace

void addExportCommand(CLI::App& app, int& exitCode) {
    auto paths = std::make_shared<ExportPaths>();
    CLI::App* sub = app.add_subcommand(
        "export", "Write a scene as a picture: EPS, SVG, PDF or PNG by OUT's extension");
    sub->add_option("file", paths->scene, "scene file (.tvn)")->required();
    sub->add_option("out", paths->out, "picture to write (.eps, .svg, .pdf or .png)")->required();
    sub->callback([paths, &exitCode] {
        exitCode = kExitBadInput;
        const QString out = QString::fromStdString(paths->out);
        const std::optional<PictureFormat> format = pictureFormatOfPath(out);
        if (!format) {
            std::cerr << "torvane-cli: " << paths->out
                      << ": unknown picture type (use .eps, .svg, .pdf or .png)\n";
            return;
        }
        CTorvaneDoc doc;
        if (!loadSceneReporting(paths->scene, doc))
            return;
        // The painter's fonts need an application object for the length of the export.
        chooseOffscreenPlatform();
        int argc = 1;
        char name[] = "torvane-cli";
        char* argv[] = {name, nullptr};
        const QGuiApplication application(argc, argv);
        const PlaneArea area = sceneArea(doc, kScenePictureSide, kScenePictureSide);
        exitCode =
            reportPictureWrite(writePictureFile(out, *format, doc, area, QGuiApplication::font()),
                               paths->scene, paths->out);
    });
}
