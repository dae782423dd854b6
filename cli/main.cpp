// torvane-cli: the headless batch tool over the core library.
#include "cli/commands.h"

#include <iostream>
#include <string>

namespace {

// Every error is one line on stderr, whatever the parser's own message looks like.
std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r')
            c = ' ';
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

} // namespace

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
    } catch (const CLI::Success& e) { // --help, --version: on stdout, exit 0
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "torvane-cli: " << oneLine(e.what()) << '\n';
        return kExitBadInput;
    }
    return exitCode;
}
