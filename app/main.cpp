// torvane: the desktop program.
#include "app/torvane_app.h"
#include "solver/engine_trace.h"
#include "ui/qt/user_prompts.h"
#include "view/qt/torvane_view.h"

#include <QApplication>
#include <QSurfaceFormat>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    // Answered before Qt starts, so that it works without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("torvane %s\n", TORVANE_VERSION);
        return 0;
    }
    QSurfaceFormat::setDefaultFormat(CTorvaneView::requestedFormat());
    QApplication application(argc, argv);
    // The engine solvers' reading trace goes to standard output, as the desktop program's log.
    setEngineTraceSink(standardOutputTrace());
    DialogPrompts prompts;
    CTorvaneApp app(prompts);
    switch (app.initInstance(QApplication::arguments())) {
    case CTorvaneApp::StartResult::Failed:
        return 1;
    case CTorvaneApp::StartResult::Finished:
        return 0;
    case CTorvaneApp::StartResult::Running:
        break;
    }
    return QApplication::exec();
}
