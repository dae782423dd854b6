// Circle-space drawing: every object as the surface it stands for, where the oriented
// circle (x, y, r) is a point and the radius axis points up on the screen.
#pragma once

#include "scene/torvane_doc.h"
#include "view/view_state.h"

// The whole pane; the perspective projection and the circle-space GL state are set.
void drawSpace(const CTorvaneDoc& doc, const ViewState& view);
void drawSurface(const SceneObject& obj);
void drawGroundOutline(const SceneObject& obj);
