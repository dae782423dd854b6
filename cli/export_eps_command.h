// torvane-cli export-eps FILE.tvn OUT.eps: the desktop program's EPS export, from a file.
#pragma once

namespace CLI {
class App;
}

// Adds the subcommand. It runs while the command line is parsed and ends the parse with
// CLI11's success or runtime-error exception, so the caller's usual exit handling applies.
void registerExportEpsCommand(CLI::App& app);
