// The view's state shared by drawing, tools and bars: window size, pane layout, plane
// mapping and circle-space camera, hover and selection. No toolkit types.
#pragma once

#include "view/command_ids.h"
#include "view/merge_overlay.h"

#include <optional>
#include <vector>

struct Point2 {
    double x = 0.0;
    double y = 0.0;
};

struct ViewState {
    int clientWidth = 0;
    int clientHeight = 0;
    int spacePaneWidth = 0; // the circle-space pane sits at the right edge
    int showPlane = 1;
    int showSpace = 0;
    int spaceActive = 0;
    int planeOriginX = 200; // pixels, y counted upward from the bottom edge
    int planeOriginY = 200;
    float planeZoom = 1.0f; // pixels per scene unit
    float spaceShiftX = 0.0f;
    float spaceShiftY = 0.0f;
    float spaceDistance = 1.0f;
    float spaceTiltX = 30.0f; // degrees
    float spaceTiltY = 0.0f;
    unsigned fontListBase = 0;
    SceneObject* hoverObject = nullptr; // not owned
    SceneObject* selectedObject = nullptr;
    int currentTool = cmd::kToolSelect;
    int editingField = 0;                     // id of the information-bar edit with the focus, or 0
    std::vector<PickMark> pickMarks;          // until the pick sequence or its merge ends
    std::optional<MergeOverlay> mergeOverlay; // while the preview of a merge is open

    // x of the boundary between the panes (the plane pane's width).
    int splitX() const { return clientWidth - spacePaneWidth; }
    bool onSplitter(int mx) const;
    void onSize(int cx, int cy);

    // Scene point to pane pixel, y upward.
    Point2 planePixel(double x, double y) const;
    // The pane pixel row (y upward) of a mouse position counted downward from the top.
    int paneRowOfMouse(int my) const;
    // Mouse position (y downward from the top of the window) to the scene point,
    // each coordinate truncated toward zero.
    Point2 sceneOfMouse(int mx, int my) const;

    // The view holds objects only while they are listed.
    void forgetAllObjects();

    // Field by field, so that a field added later takes part by itself.
    bool operator==(const ViewState&) const = default;
};
