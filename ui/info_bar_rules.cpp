// Information-bar update and text-change rules.
#include "ui/info_bar_rules.h"

#include "ui/number_text.h"
#include "view/command_ids.h"

namespace {

constexpr std::size_t kMaxReadCharacters = 49;

// Works for const and mutable objects alike.
template <class Object> auto* fieldValue(InfoField field, Object& obj) {
    switch (field) {
    case InfoField::X:
        return &obj.x[0];
    case InfoField::Y:
        return &obj.y[0];
    case InfoField::RadiusOrX2:
        return isLineKind(obj.kind) ? &obj.x[1] : &obj.r;
    case InfoField::Y2:
        return &obj.y[1];
    }
    return &obj.x[0];
}

} // namespace

std::optional<InfoField> infoFieldOfEdit(int editId) {
    switch (editId) {
    case cmd::kInfoEditX:
        return InfoField::X;
    case cmd::kInfoEditY:
        return InfoField::Y;
    case cmd::kInfoEditRadiusX2:
        return InfoField::RadiusOrX2;
    case cmd::kInfoEditY2:
        return InfoField::Y2;
    default:
        return std::nullopt;
    }
}

int infoEditId(InfoField field) {
    switch (field) {
    case InfoField::X:
        return cmd::kInfoEditX;
    case InfoField::Y:
        return cmd::kInfoEditY;
    case InfoField::RadiusOrX2:
        return cmd::kInfoEditRadiusX2;
    case InfoField::Y2:
        return cmd::kInfoEditY2;
    }
    return 0;
}

InfoEditUpdate infoEditUpdate(InfoField field, int currentTool, int editingField,
                              const SceneObject* selected) {
    InfoEditUpdate u;
    const bool selectTool = currentTool == cmd::kToolSelect;
    if (selectTool && editingField == infoEditId(field)) {
        u.untouched = true;
        return u;
    }
    if (!selectTool || !selected)
        return u;
    switch (field) {
    case InfoField::X:
    case InfoField::Y:
        u.enabled = !selected->pinned;
        break;
    case InfoField::RadiusOrX2:
        u.enabled = true;
        break;
    case InfoField::Y2:
        u.enabled = isLineKind(selected->kind);
        if (!u.enabled)
            return u;
        break;
    }
    u.text = formatFixed(*fieldValue(field, *selected));
    return u;
}

bool applyInfoEditText(std::string_view editText, int currentTool, int editingField,
                       SceneObject* selected) {
    if (currentTool != cmd::kToolSelect || !selected)
        return false;
    const std::optional<InfoField> field = infoFieldOfEdit(editingField);
    if (!field)
        return false;
    std::string_view line = editText.substr(0, editText.find('\n'));
    line = line.substr(0, kMaxReadCharacters);
    const std::optional<double> value = leadingNumber(line);
    if (!value)
        return false;
    double* target = fieldValue(*field, *selected);
    if (*target == *value)
        return false;
    *target = *value;
    return true;
}
