// The Preview Result dialog without a toolkit: the candidate list's lines and the
// picture of one candidate as integer shapes in the dialog's drawing area.
#pragma once

#include "solver/merge_problem.h"

#include <string>
#include <vector>

enum PreviewControlId { IDC_CANDIDATE_LIST = 1007, IDC_PREVIEW_FRAME = 1008 };

// "T:12.3456 (1.00, 2.00, -3.00)", degrees after 'R' in rotate mode, or the complex form.
std::string candidateLine(const MergeProblem& p, int n);
// What the candidate's line does not say: its residual, or that it is complex.
std::string candidateToolTip(const MergeProblem& p, int n);
// The value of a complex candidate as the "Info" box shows it.
std::string complexCandidateText(const SceneObject& candidate);

struct PixelArea {
    int left = 0, top = 0, width = 0, height = 0;
};

struct PreviewShape {
    enum Kind { Ellipse, Line } kind = Ellipse;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0; // ellipse bounding box, or line end points
    int red = 0, green = 0, blue = 0;
};

// What the preview draws for candidate k after filling area white, in drawing order:
// the four objects (cluster 2 moved by the candidate), then the red candidate circle
// for a real candidate. Lines span the whole area; a line without direction is left out.
std::vector<PreviewShape> previewPicture(const MergeProblem& p, int k, const PixelArea& area);
