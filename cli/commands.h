// The batch tool's subcommands; each registers itself and reports its exit status
// through exitCode: 0 success, 1 the merge found nothing, 2 bad input.
#pragma once

#include <CLI/CLI.hpp>

inline constexpr int kExitNothingFound = 1;
inline constexpr int kExitBadInput = 2;

void addListCommand(CLI::App& app, int& exitCode);
void addSolveCommand(CLI::App& app, int& exitCode);
void addMergeCommand(CLI::App& app, int& exitCode);
void addExportEpsCommand(CLI::App& app, int& exitCode);
void addExportCommand(CLI::App& app, int& exitCode);
