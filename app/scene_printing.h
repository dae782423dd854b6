// Print, Print Preview and Print Setup: the plane drawing as vectors, scaled to fit the
// page, whichever panes the window shows.
#pragma once

#include "scene/torvane_doc.h"
#include "view/view_state.h"

#include <QFont>
#include <QPrinter>

class QPainter;
class QWidget;
class UserPrompts;

// Draws the plane into the page rectangle, keeping its proportions, without hover and
// selection halos: the plane pane as it shows, or the whole scene when it is hidden.
// Text keeps its on-screen size (screenFont) relative to the drawing.
void paintScenePage(QPainter& painter, const QRectF& page, const CTorvaneDoc& doc,
                    const ViewState& view, const QFont& screenFont);

class ScenePrinting {
  public:
    ScenePrinting(const CTorvaneDoc& doc, const ViewState& view, UserPrompts& prompts)
        : doc(doc), view(view), prompts(prompts) {}

    void setOwnerWindow(QWidget* window) { owner = window; }
    // The font of the view's text.
    void setScreenFont(const QFont& font) { screenFont = font; }
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
    QFont screenFont;
    QPrinter printer{QPrinter::HighResolution};
};
