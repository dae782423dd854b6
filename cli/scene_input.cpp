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

int reportPictureWrite(PictureWriteResult result, const std::string& scene,
                       const std::string& out) {
    switch (result) {
    case PictureWriteResult::Written:
        return 0;
    case PictureWriteResult::TooLarge:
        std::cerr << "torvane-cli: " << scene << ": " << kEpsTooLarge << '\n';
        break;
    case PictureWriteResult::CannotWrite:
        std::cerr << "torvane-cli: cannot write " << out << '\n';
        break;
    }
    return kExitBadInput;
}
