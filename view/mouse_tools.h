// The mouse tools and view commands without a toolkit: the view forwards its mouse
// messages and commands here, and this decides what the scene and the view state do.
#pragma once

#include "scene/torvane_doc.h"
#include "ui/merge_command.h"
#include "view/view_state.h"

#include <optional>
#include <string>
#include <vector>

// What the tools need from the window around them.
class MouseToolsHost {
  public:
    virtual ~MouseToolsHost() = default;
    virtual void redraw() = 0;
    // The document changed: redraw.
    virtual void documentEdited() = 0;
    // Everything the document goes through from begin to end is one undoable step named
    // name ("Move"); cancel puts the document back as it was at begin.
    virtual void beginSceneEdit(const char* name) = 0;
    virtual void endSceneEdit() = 0;
    virtual void cancelSceneEdit() = 0;
    // The horizontal sizing cursor while over or dragging the splitter, else the arrow.
    virtual void showSizeCursor(bool on) = 0;
    // Four picks in order, clusters 1, 1, 2, 2, merged by the mode (0 shift, 1 turn).
    virtual void quickMerge(const std::vector<MergeSelection>& picks, int mode) = 0;
    // Three picks in order: add a circle that meets all three.
    virtual void circleTouchingThree(const std::vector<SceneObject*>& picks) { (void)picks; }
};

inline constexpr int kLeftButton = 1;

class MouseTools {
  public:
    MouseTools(CTorvaneDoc& doc, ViewState& state, MouseToolsHost& host);

    // Window pixels, my downward; buttons holds kLeftButton while the left button is down.
    void onMouseMove(int buttons, int mx, int my);
    void onLeftButtonDown(int buttons, int mx, int my);
    void onLeftButtonUp(int buttons, int mx, int my);

    void planeMouseMove(int mx, int my);
    void planeButtonDown(int mx, int my);
    void planeButtonUp();
    // Escape: ends a drag in progress and puts back what it changed (the object, or the
    // plane's origin and zoom). False when there is no drag.
    bool cancelDrag();
    void spaceButtonDown();
    void spaceMouseMove(int buttons, int mx, int my);
    // Pane pixels, y upward.
    void hitTest(int mx, int glY);

    // The middle button pans the plane whatever tool is active.
    void onMiddleButtonDown(int mx, int my);
    // False when no middle-button pan is in progress.
    bool onMiddleButtonMove(int mx, int my);
    void onMiddleButtonUp();
    // The wheel zooms the plane about the mouse; steps are notches, positive zooms in.
    void onWheel(int mx, int my, double steps);
    // With the zoom tool a double click in the plane shows the whole scene.
    void onDoubleClick(int mx, int my);
    // Every object inside the plane pane; false when there is nothing to show.
    bool zoomToFit();

    // Tool, kind, reverse, pane and pick-mode commands; false for any other id.
    bool handles(int commandId) const;
    void onCommand(int commandId);
    bool isChecked(int commandId) const;

    // Objects are about to go away: no pick may keep referring to them.
    void forgetObjects();
    // Undo or redo changed the list: a pick sequence that refers to an object no longer
    // listed ends.
    void dropUnlistedPicks();
    // Ends the pick sequence and clears its marks (Escape).
    void cancelPick();
    // What to pick next while a pick mode runs, for the status bar; empty otherwise.
    std::string pickPrompt() const;

    int toolSelect = 1, toolMove = 0, toolZoom = 0, toolRotate = 0;
    int pendingKind = -1;
    int dragging = 0;
    int dragMode = 0; // 0 move, 1 reshape
    int pickMode = 0;
    int pickCount = 0;
    SceneObject* picks[4] = {nullptr, nullptr, nullptr, nullptr};
    int splitterDragging = 0, overSplitter = 0;
    int lastMouseX = -1, lastMouseY = -1;
    int middlePanning = 0;

  private:
    int panLastX = 0, panLastY = 0;
    // The scene point that wheel zooms keep under the mouse, and the view it was taken in:
    // notches at one position zoom about one exact point, so rounding never accumulates.
    struct WheelAnchor {
        int mx, my, originX, originY;
        float zoom;
        Point2 scene;
    };
    std::optional<WheelAnchor> wheelAnchor;
    // The plane's position when a pan or zoom drag began, for Escape.
    int dragStartOriginX = 0, dragStartOriginY = 0;
    float dragStartZoom = 1.0f;

    void chooseTool(int id);
    void chooseKind(int id, int kind);
    void togglePane(int id);
    void choosePickMode(int id);
    void pick(SceneObject* obj);
    void dragSelected(const Point2& p);
    // One-shot edit of the selected object as one named step.
    template <class Change> void editSelected(const char* name, Change change);

    CTorvaneDoc& doc;
    ViewState& state;
    MouseToolsHost& host;
};

// Colour of a new object by how many the document holds: green, then blue, then grey.
void newObjectColour(int objectCount, int& red, int& green, int& blue);
