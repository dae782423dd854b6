// Loading a scene file for a subcommand: the error, or the loader's warnings, on stderr.
#include "cli/commands.h"

#include "scene/tvn_file.h"

#include <iostream>

bool loadSceneReporting(const std::string& path, CTorvaneDoc& doc) {
    std::string error;
    LoadNotes notes;
    if (!loadSceneFile(path, doc, &error, &notes)) {
        std::cerr << "torvane-cli: " << error << '\n';
        return false;
    }
    for (const std::string& sentence : notes.sentences())
        std::cerr << "torvane-cli: warning: " << path << ": " << sentence << '\n';
    return true;
}
