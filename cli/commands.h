// The batch tool's subcommands; each registers itself and reports its exit status
// through exitCode (batch/exit_status.h).
#pragma once

#include "batch/exit_status.h"
#include "scene/torvane_doc.h"
#include "solver/engine_trace.h"
#include "ui/eps_writer.h"

#include <CLI/CLI.hpp>

#include <string>

void addListCommand(CLI::App& app, int& exitCode);
void addSolveCommand(CLI::App& app, int& exitCode);
void addMergeCommand(CLI::App& app, int& exitCode);
void addExportEpsCommand(CLI::App& app, int& exitCode);
void addExportCommand(CLI::App& app, int& exitCode);
void addSceneJsonCommands(CLI::App& app, int& exitCode);

// A trace sink that writes each statement whole on its own line of stderr, even when
// several solves trace at once.
EngineTraceSink standardErrorTrace();

// Loads a scene; on failure prints the reason (file, byte offset, what was found) and
// returns false, on success prints any warning of the loader (ignored bytes, changed
// values). Everything goes to stderr.
bool loadSceneReporting(const std::string& path, CTorvaneDoc& doc);

// Says on stderr why a picture of SCENE could not be written to OUT; returns the exit status.
int reportPictureWrite(PictureWriteResult result, const std::string& scene, const std::string& out);
