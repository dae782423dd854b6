// The plane's merge layers: pick marks under the objects, and over them the selected
// candidate of an open preview, the others faintly, and the turn about the origin.
#pragma once

#include "view/plane_drawing.h"

// Colour of a pick mark by cluster (1, 2, or 0 for the three picks of a touching circle).
void pickMarkColour(int cluster, int& red, int& green, int& blue);

// Halos in the pick colours, drawn before everything else so the objects show on top.
void drawPickHalos(PlaneCanvas& canvas, const ViewState& view);
// The final pass, stacked at level (above everything else): pick numbers and the merge
// preview.
void drawPlaneOverlays(PlaneCanvas& canvas, const ViewState& view, int level);
