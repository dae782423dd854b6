// Scenes as JSON: {"schema":1,"objects":[...]}, each object with every field the tvn
// file stores, numbers that read back as the same doubles.
#pragma once

#include "batch/json_writer.h"
#include "scene/torvane_doc.h"

#include <string>
#include <string_view>

// The members "kind" and the geometry (x, y, r or x0, y0, x1, y1), as a problem has them.
void writeObjectGeometry(JsonWriter& w, const SceneObject& o);
void writeSceneObject(JsonWriter& w, const SceneObject& o);
// One object of a scene alone, as the desktop's clipboard carries it, and back. Reading
// throws BadInput naming the field.
std::string sceneObjectJson(const SceneObject& o);
SceneObject readSceneObjectJson(std::string_view text);
std::string sceneJson(const CTorvaneDoc& doc);
// Replaces doc's objects with those of text. Throws BadInput naming the object index
// and field; doc then holds only part of the scene and is to be discarded.
void readSceneJson(std::string_view text, CTorvaneDoc& doc);
