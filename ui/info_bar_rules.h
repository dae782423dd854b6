// What the object information bar's four edits show for the selected object, and how
// typed text changes it. The toolkit side only copies these results into its widgets.
#pragma once

#include "scene/scene_object.h"

#include <optional>
#include <string>
#include <string_view>

enum class InfoField { X, Y, RadiusOrX2, Y2 };

// The field of an edit's command id, or nothing for another id.
std::optional<InfoField> infoFieldOfEdit(int editId);
int infoEditId(InfoField field);

struct InfoEditUpdate {
    bool untouched = false; // the user is typing here: leave text and state alone
    bool enabled = false;
    std::string text;
};

InfoEditUpdate infoEditUpdate(InfoField field, int currentTool, int editingField,
                              const SceneObject* selected);

// Stores the number typed into the focused edit (editingField) into the selected object.
// Only the first line, at most 49 characters, is read. Returns true when the object
// changed. A number too large for a double is not stored.
bool applyInfoEditText(std::string_view editText, int currentTool, int editingField,
                       SceneObject* selected);
