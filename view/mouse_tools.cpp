// Dispatch by position around the splitter, the plane pane's press/move/release per
// tool, the rim/centre/point hit rules, and the tool, kind, pane and pick commands.
#include "view/mouse_tools.h"

#include "view/plane_navigation.h"

#include <algorithm>
#include <cmath>

namespace {

bool isCreationTool(int tool) {
    return tool == cmd::kKindC || tool == cmd::kKindCPrime || tool == cmd::kKindL ||
           tool == cmd::kKindLPrime;
}

int kindOfCommand(int id) {
    switch (id) {
    case cmd::kKindC:
        return KIND_C;
    case cmd::kKindCPrime:
        return KIND_C_PRIME;
    case cmd::kKindL:
        return KIND_L;
    case cmd::kKindLPrime:
        return KIND_L_PRIME;
    default:
        return -1;
    }
}

bool withinSquare(double dx, double dy) {
    return std::abs(std::trunc(dx)) < 5 && std::abs(std::trunc(dy)) < 5;
}

} // namespace

void newObjectColour(int objectCount, int& red, int& green, int& blue) {
    if (objectCount < 2)
        red = 0, green = 255, blue = 0;
    else if (objectCount < 4)
        red = 0, green = 0, blue = 255;
    else
        red = green = blue = 80;
}

MouseTools::MouseTools(CTorvaneDoc& d, ViewState& s, MouseToolsHost& h)
    : doc(d), state(s), host(h) {}

void MouseTools::onMouseMove(int buttons, int mx, int my) {
    if (splitterDragging) {
        host.showSizeCursor(true);
        // The window keeps sending moves while the button is held outside it; a pane
        // wider than the window or of negative width would leave no splitter to grab.
        state.spacePaneWidth = state.clientWidth - std::clamp(mx, 0, state.clientWidth);
        host.redraw();
        return;
    }
    overSplitter = 0;
    const int s = state.splitX();
    if (mx < s - 2) {
        host.showSizeCursor(false);
        planeMouseMove(mx, my);
    } else if (mx > s + 4) {
        host.showSizeCursor(false);
        spaceMouseMove(buttons, mx, my);
    } else if (state.showPlane && state.showSpace) {
        overSplitter = 1;
        host.showSizeCursor(true);
    }
}

void MouseTools::onLeftButtonDown(int, int mx, int my) {
    const int s = state.splitX();
    if (mx < s - 2) {
        planeButtonDown(mx, my);
    } else if (mx > s + 4) {
        spaceButtonDown();
    } else {
        splitterDragging = 1;
        host.showSizeCursor(true);
    }
}

void MouseTools::onLeftButtonUp(int, int mx, int) {
    splitterDragging = 0;
    // A drag ends wherever the button comes up; one ending over the other pane would
    // otherwise leave the object following the mouse with no button held.
    if (mx < state.splitX() - 2 || dragging)
        planeButtonUp();
}

void MouseTools::spaceButtonDown() {
    if (state.spaceActive)
        return;
    toolMove = toolZoom = toolSelect = 0;
    toolRotate = 1;
    state.spaceActive = 1;
    state.selectedObject = nullptr;
    pickMode = 0;
    state.pickMarks.clear();
    host.redraw();
}

void MouseTools::planeButtonUp() {
    if (dragging) {
        host.endSceneEdit();
        host.redraw();
    }
    dragging = 0;
}

bool MouseTools::cancelDrag() {
    if (!dragging)
        return false;
    dragging = 0;
    if (state.currentTool == cmd::kToolMove || state.currentTool == cmd::kToolZoom) {
        state.planeOriginX = dragStartOriginX;
        state.planeOriginY = dragStartOriginY;
        state.planeZoom = dragStartZoom;
    } else {
        host.cancelSceneEdit();
    }
    host.redraw();
    return true;
}

void MouseTools::planeButtonDown(int mx, int my) {
    if (state.spaceActive) {
        state.spaceActive = 0;
        toolRotate = toolMove = toolZoom = 0;
        toolSelect = 1;
        state.currentTool = cmd::kToolSelect;
        host.redraw();
        return;
    }
    const Point2 p = state.sceneOfMouse(mx, my);
    const int tool = state.currentTool;
    if (tool == cmd::kToolSelect) {
        state.selectedObject = state.hoverObject;
        if (state.selectedObject) {
            if (pickMode != 0)
                pick(state.selectedObject);
            if (state.selectedObject) {
                dragging = 1;
                host.beginSceneEdit(dragMode == 0 ? "Move" : "Reshape");
            }
        }
        host.redraw();
    } else if (tool == cmd::kToolMove || tool == cmd::kToolZoom) {
        dragging = 1;
        pickMode = 0;
        dragStartOriginX = state.planeOriginX;
        dragStartOriginY = state.planeOriginY;
        dragStartZoom = state.planeZoom;
        state.pickMarks.clear();
    } else if (isCreationTool(tool)) {
        int red, green, blue;
        newObjectColour(doc.objectCount, red, green, blue);
        const int kind = kindOfCommand(tool);
        // The new object and the drag that shapes it are one step.
        host.beginSceneEdit(isLineKind(kind) ? "Add Line" : "Add Circle");
        SceneObject* created = isLineKind(kind)
                                   ? doc.addObject(kind, p.x, p.y, p.x, p.y, red, green, blue)
                                   : doc.addObject(kind, p.x, p.y, 0.0, red, green, blue);
        state.selectedObject = created;
        dragging = 1;
        dragMode = 1;
        pickMode = 0;
        state.pickMarks.clear();
        host.documentEdited();
    }
    lastMouseX = mx;
    lastMouseY = my;
}

void MouseTools::pick(SceneObject* obj) {
    picks[pickCount++] = obj;
    const bool three = pickMode == cmd::kPickThree;
    state.pickMarks.push_back({obj, three ? 0 : (pickCount <= 2 ? 1 : 2)});
    const int needed = three ? 3 : 4;
    if (pickCount < needed)
        return;
    const int mode = pickMode == cmd::kPickRotate ? MERGE_ROTATE : MERGE_TRANSLATE;
    pickMode = 0;
    pickCount = 0;
    state.selectedObject = nullptr;
    // A pick deleted since it was made ends the sequence without a merge.
    bool allListed = true;
    for (int i = 0; i < needed; ++i)
        allListed = allListed && doc.contains(picks[i]);
    if (allListed && three) {
        host.circleTouchingThree({picks[0], picks[1], picks[2]});
    } else if (allListed) {
        std::vector<MergeSelection> selection;
        for (int i = 0; i < 4; ++i)
            selection.push_back({picks[i], i < 2 ? 1 : 2});
        host.quickMerge(selection, mode);
    }
    // The marks stay while the merge shows its preview and end with it.
    state.pickMarks.clear();
}

void MouseTools::dragSelected(const Point2& p) {
    SceneObject* o = state.selectedObject;
    if (!o)
        return;
    if (dragMode == 0) {
        if (o->pinned)
            return;
        if (isLineKind(o->kind)) {
            o->x[1] += p.x - o->x[0];
            o->y[1] += p.y - o->y[0];
        }
        o->x[0] = p.x;
        o->y[0] = p.y;
    } else if (isLineKind(o->kind)) {
        o->x[1] = p.x;
        o->y[1] = p.y;
    } else {
        const double r = std::hypot(p.x - o->x[0], p.y - o->y[0]);
        o->r = o->r < 0 ? -r : r;
    }
    host.documentEdited();
}

void MouseTools::planeMouseMove(int mx, int my) {
    if (state.spaceActive)
        return;
    const int tool = state.currentTool;
    if (tool == cmd::kToolSelect || isCreationTool(tool)) {
        if (dragging && (mx != lastMouseX || my != lastMouseY))
            dragSelected(state.sceneOfMouse(mx, my));
        SceneObject* before = state.hoverObject;
        state.hoverObject = nullptr;
        hitTest(mx, state.paneRowOfMouse(my));
        if (state.hoverObject != before)
            host.redraw();
    } else if (tool == cmd::kToolMove) {
        if (!dragging)
            return;
        state.planeOriginX += mx - lastMouseX;
        state.planeOriginY += lastMouseY - my;
        host.redraw();
    } else if (tool == cmd::kToolZoom) {
        if (!dragging)
            return;
        state.planeZoom += static_cast<float>((mx - lastMouseX) * 0.01);
        if (state.planeZoom < kMinPlaneZoom)
            state.planeZoom = kMinPlaneZoom;
        host.redraw();
    }
    lastMouseX = mx;
    lastMouseY = my;
}

void MouseTools::hitTest(int mx, int glY) {
    if (dragging) {
        state.hoverObject = state.selectedObject;
        return;
    }
    for (SceneObject* o : doc) {
        if (!isLineKind(o->kind)) {
            const Point2 c = state.planePixel(o->x[0], o->y[0]);
            const double R = std::fabs(state.planeZoom * o->r);
            const double d2 = (mx - c.x) * (mx - c.x) + (glY - c.y) * (glY - c.y);
            if ((R - 3) * (R - 3) < d2 && d2 < (R + 3) * (R + 3)) {
                state.hoverObject = o;
                dragMode = 1;
            } else if (withinSquare(mx - c.x, glY - c.y)) {
                state.hoverObject = o;
                dragMode = 0;
            }
        } else {
            const Point2 p1 = state.planePixel(o->x[1], o->y[1]);
            const Point2 p0 = state.planePixel(o->x[0], o->y[0]);
            if (withinSquare(mx - p1.x, glY - p1.y)) {
                state.hoverObject = o;
                dragMode = 1;
            } else if (withinSquare(mx - p0.x, glY - p0.y)) {
                state.hoverObject = o;
                dragMode = 0;
            }
        }
        if (state.hoverObject && state.hoverObject != state.selectedObject)
            return;
    }
}

void MouseTools::onMiddleButtonDown(int mx, int my) {
    if (!state.showPlane || mx >= state.splitX() - 2)
        return;
    middlePanning = 1;
    panLastX = mx;
    panLastY = my;
}

bool MouseTools::onMiddleButtonMove(int mx, int my) {
    if (!middlePanning)
        return false;
    state.planeOriginX += mx - panLastX;
    state.planeOriginY += panLastY - my;
    panLastX = mx;
    panLastY = my;
    host.redraw();
    return true;
}

void MouseTools::onMiddleButtonUp() {
    middlePanning = 0;
}

void MouseTools::onWheel(int mx, int my, double steps) {
    if (!state.showPlane || mx >= state.splitX() - 2)
        return;
    constexpr double kZoomPerNotch = 1.25;
    const WheelAnchor* a = wheelAnchor ? &*wheelAnchor : nullptr;
    if (!a || a->mx != mx || a->my != my || a->originX != state.planeOriginX ||
        a->originY != state.planeOriginY || a->zoom != state.planeZoom)
        wheelAnchor = WheelAnchor{mx, my, 0, 0, 0.0f, scenePointAt(state, mx, my)};
    if (!zoomPlaneAbout(state, mx, my, std::pow(kZoomPerNotch, steps), wheelAnchor->scene))
        return;
    wheelAnchor->originX = state.planeOriginX;
    wheelAnchor->originY = state.planeOriginY;
    wheelAnchor->zoom = state.planeZoom;
    host.redraw();
}

void MouseTools::onDoubleClick(int mx, int) {
    if (state.currentTool == cmd::kToolZoom && !state.spaceActive && mx < state.splitX() - 2)
        zoomToFit();
}

bool MouseTools::zoomToFit() {
    if (!state.showPlane || !zoomPlaneToFit(state, doc))
        return false;
    host.redraw();
    return true;
}

void MouseTools::spaceMouseMove(int buttons, int mx, int my) {
    if (!(buttons & kLeftButton)) {
        lastMouseX = lastMouseY = -1;
        return;
    }
    if (toolZoom) {
        if (lastMouseY != -1) {
            state.spaceDistance += static_cast<float>((my - lastMouseY) * 10);
            host.redraw();
        }
        lastMouseY = my;
    } else if (toolMove) {
        if (lastMouseX != -1) {
            state.spaceShiftX += static_cast<float>((mx - lastMouseX) * 5);
            state.spaceShiftY += static_cast<float>((my - lastMouseY) * 5);
            host.redraw();
        }
        lastMouseX = mx;
        lastMouseY = my;
    } else if (toolRotate) {
        if (lastMouseX != -1) {
            // Truncated to whole degrees; the remainder keeps the dividend's sign.
            state.spaceTiltX = static_cast<float>(
                static_cast<int>(std::trunc((my - lastMouseY) + state.spaceTiltX)) % 360);
            state.spaceTiltY = static_cast<float>(
                static_cast<int>(std::trunc((mx - lastMouseX) + state.spaceTiltY)) % 360);
            host.redraw();
        }
        lastMouseX = mx;
        lastMouseY = my;
    }
}

bool MouseTools::handles(int id) const {
    switch (id) {
    case cmd::kToolSelect:
    case cmd::kToolMove:
    case cmd::kToolZoom:
    case cmd::kToolRotate:
    case cmd::kKindC:
    case cmd::kKindCPrime:
    case cmd::kKindL:
    case cmd::kKindLPrime:
    case cmd::kReverse:
    case cmd::kShowPlane:
    case cmd::kShowSpace:
    case cmd::kPickThree:
    case cmd::kPickTranslate:
    case cmd::kPickRotate:
    case cmd::kCancelPick:
        return true;
    default:
        return false;
    }
}

void MouseTools::onCommand(int id) {
    switch (id) {
    case cmd::kToolSelect:
    case cmd::kToolMove:
    case cmd::kToolZoom:
    case cmd::kToolRotate:
        chooseTool(id);
        break;
    case cmd::kKindC:
    case cmd::kKindCPrime:
    case cmd::kKindL:
    case cmd::kKindLPrime:
        chooseKind(id, kindOfCommand(id));
        break;
    case cmd::kReverse:
        editSelected("Reverse", [](SceneObject& o) { o.reverse(); });
        break;
    case cmd::kShowPlane:
    case cmd::kShowSpace:
        togglePane(id);
        break;
    case cmd::kPickThree:
    case cmd::kPickTranslate:
    case cmd::kPickRotate:
        choosePickMode(id);
        break;
    case cmd::kCancelPick:
        cancelPick();
        break;
    default:
        break;
    }
}

void MouseTools::chooseTool(int id) {
    state.currentTool = 0;
    state.selectedObject = nullptr;
    const int ids[4] = {cmd::kToolSelect, cmd::kToolMove, cmd::kToolZoom, cmd::kToolRotate};
    int* flags[4] = {&toolSelect, &toolMove, &toolZoom, &toolRotate};
    for (int i = 0; i < 4; ++i) {
        if (ids[i] == id && *flags[i] == 0) {
            *flags[i] = 1;
            state.currentTool = id;
        } else {
            *flags[i] = 0;
        }
    }
    pendingKind = -1;
    host.redraw();
}

template <class Change> void MouseTools::editSelected(const char* name, Change change) {
    if (!state.selectedObject)
        return;
    host.beginSceneEdit(name);
    change(*state.selectedObject);
    host.endSceneEdit();
    host.documentEdited();
}

void MouseTools::chooseKind(int id, int kind) {
    if (state.currentTool == cmd::kToolSelect && state.selectedObject) {
        editSelected("Change Kind", [kind](SceneObject& o) { o.setKind(kind); });
        return;
    }
    state.currentTool = id;
    pendingKind = kind;
    toolSelect = 0;
}

void MouseTools::togglePane(int id) {
    if (id == cmd::kShowPlane) {
        if (!state.showSpace)
            return;
        state.showPlane = !state.showPlane;
        state.spacePaneWidth = state.showPlane ? state.clientWidth / 2 : state.clientWidth;
    } else {
        if (!state.showPlane)
            return;
        state.showSpace = !state.showSpace;
        state.spacePaneWidth = state.showSpace ? state.clientWidth / 2 : 0;
    }
    host.redraw();
}

void MouseTools::choosePickMode(int id) {
    state.pickMarks.clear();
    if (pickMode == id) {
        pickMode = 0;
    } else {
        pickMode = id;
        pickCount = 0;
    }
    host.redraw();
}

void MouseTools::cancelPick() {
    if (pickMode == 0 && state.pickMarks.empty())
        return;
    pickMode = 0;
    pickCount = 0;
    state.pickMarks.clear();
    host.redraw();
}

std::string MouseTools::pickPrompt() const {
    if (pickMode == 0)
        return {};
    const int next = pickCount + 1;
    if (pickMode == cmd::kPickThree)
        return "Pick object " + std::to_string(next) +
               " of 3 for the circle touching three. Esc cancels.";
    return "Pick object " + std::to_string(next) + " of 4: cluster " +
           std::to_string(next <= 2 ? 1 : 2) + ". Esc cancels.";
}

bool MouseTools::isChecked(int id) const {
    switch (id) {
    case cmd::kToolSelect:
        return toolSelect;
    case cmd::kToolMove:
        return toolMove;
    case cmd::kToolZoom:
        return toolZoom;
    case cmd::kToolRotate:
        return toolRotate;
    case cmd::kKindC:
    case cmd::kKindCPrime:
    case cmd::kKindL:
    case cmd::kKindLPrime: {
        const int kind = kindOfCommand(id);
        return (state.currentTool == cmd::kToolSelect && state.selectedObject &&
                state.selectedObject->kind == kind) ||
               pendingKind == kind;
    }
    case cmd::kShowPlane:
        return state.showPlane;
    case cmd::kShowSpace:
        return state.showSpace;
    case cmd::kPickThree:
    case cmd::kPickTranslate:
    case cmd::kPickRotate:
        return pickMode == id;
    default:
        return false;
    }
}

void MouseTools::forgetObjects() {
    pickMode = 0;
    pickCount = 0;
    dragging = 0;
    state.pickMarks.clear();
    for (SceneObject*& p : picks)
        p = nullptr;
}

void MouseTools::dropUnlistedPicks() {
    for (int i = 0; i < pickCount && i < 4; ++i) {
        if (!doc.contains(picks[i])) {
            pickMode = 0;
            pickCount = 0;
            state.pickMarks.clear();
            return;
        }
    }
}
