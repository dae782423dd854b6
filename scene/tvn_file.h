// Reading and writing tvn files on disk. Saving never destroys the previous file:
// the scene goes to a temporary file beside it, which replaces the target only once
// everything has been written and flushed.
#pragma once

#include "scene/torvane_doc.h"

#include <string>

// Returns false with a reason in *error; the document is untouched on failure.
bool loadSceneFile(const std::string& path, CTorvaneDoc& doc, std::string* error);
// Returns false with a reason in *error; the file at path is then as it was before.
bool saveSceneFile(const std::string& path, const CTorvaneDoc& doc, std::string* error);
