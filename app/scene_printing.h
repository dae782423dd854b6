// Print, Print Preview and Print Setup: the plane pane's drawing as vectors, scaled to
// fit the page.
#pragma once

#include "scene/torvane_doc.h"
#include "view/view_state.h"

#include <QPrinter>

class QPainter;
class QWidget;
class UserPrompts;

// Draws what the plane pane shows (without hover and selection halos) into the page
// rectangle, keeping its proportions.
void paintScenePage(QPainter& painter, const QRectF& page, const CTorvaneDoc& doc,
                    const ViewState& view);

class ScenePrinting {
  public:
    ScenePrinting(const CTorvaneDoc& doc, const ViewState& view, UserPrompts& prompts)
        : doc(doc), view(view), prompts(prompts) {}

    void setOwnerWindow(QWidget* window) { owner = window; }
    void print();
    void preview();
    void setup();
    // Straight to the current printer, without a dialog; false when it cannot print.
    bool printDirect();

  private:
    bool printTo(QPrinter& target);

    const CTorvaneDoc& doc;
    const ViewState& view;
    UserPrompts& prompts;
    QWidget* owner = nullptr;
    QPrinter printer{QPrinter::HighResolution};
};
