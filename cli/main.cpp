// torvane-cli: the headless batch tool over the core library.
#include "cli/commands.h"

int main(int argc, char** argv) {
    CLI::App app{"Torvane batch tool: scenes and merges without the desktop program"};
    app.set_version_flag("--version", std::string("torvane-cli ") + TORVANE_VERSION);
    app.require_subcommand(1);
    int exitCode = kExitBadInput;
    addListCommand(app, exitCode);
    addSolveCommand(app, exitCode);
    addMergeCommand(app, exitCode);
    addExportEpsCommand(app, exitCode);
    addExportCommand(app, exitCode);
    addSceneJsonCommands(app, exitCode);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : kExitBadInput;
    }
    return exitCode;
}
