// Reading and writing tvn files on disk. Saving never destroys the previous file:
// the scene goes to a temporary file beside it, which replaces the target only once
// everything has been written and flushed.
#pragma once

#include "scene/torvane_doc.h"

#include <string>

// Reads only regular files, and only as much as the object count announces. Returns
// false with a reason in *error (the path, the byte offset, what was found); the
// document is untouched on failure. What the user should still hear about a file that
// did load (bytes after the last object, values brought into range) goes to *notes.
bool loadSceneFile(const std::string& path, CTorvaneDoc& doc, std::string* error,
                   LoadNotes* notes = nullptr);

// Writes through a symbolic link to the file it names, keeps the file's permissions,
// owner and hard links, and refuses to replace anything but a regular file. A scene
// the loader would refuse (a coordinate that is not finite) is not written. Returns
// false with a reason in *error; the file at path is then as it was before.
bool saveSceneFile(const std::string& path, const CTorvaneDoc& doc, std::string* error);

// The temporary file of a save to target is named target + this + six random
// characters; one left behind by a save that was killed is removed by the next save
// to the same target.
inline constexpr const char* kSaveTemporaryMarker = ".torvane-save-";
