// The one table of command texts.
#include "app/command_texts.h"

#include "view/command_ids.h"

#include <iterator>

namespace {

const CommandText kTexts[] = {
    {cmd::kFileNew, "&New\tCtrl+N", "Create a new document\nNew"},
    {cmd::kFileOpen, "&Open...\tCtrl+O", "Open an existing document\nOpen"},
    {cmd::kFileSave, "&Save\tCtrl+S", "Save the active document\nSave"},
    {cmd::kFileSaveAs, "Save &As...", "Save the active document with a new name\nSave As"},
    {cmd::kFileExport, "Export", "Export to a eps file\nExport"},
    {cmd::kFilePrint, "&Print...\tCtrl+P", "Print the active document\nPrint"},
    {cmd::kFilePrintPreview, "Print Pre&view", "Display full pages\nPrint Preview"},
    {cmd::kFilePrintSetup, "P&rint Setup...",
     "Change the printer and printing options\nPrint Setup"},
    {cmd::kFileMruFirst, "Recent File", "Open this document"},
    {cmd::kAppExit, "E&xit", "Quit the application; prompts to save documents\nExit"},
    {cmd::kEditUndo, "&Undo\tCtrl+Z", "Undo the last action\nUndo"},
    {cmd::kEditRedo, "&Redo\tCtrl+Y", "Redo the previously undone action\nRedo"},
    {cmd::kEditCut, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard\nCut"},
    {cmd::kEditCopy, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard\nCopy"},
    {cmd::kEditPaste, "&Paste\tCtrl+V", "Insert Clipboard contents\nPaste"},
    {cmd::kMergeTranslate, "Merge by Translating",
     "Merge two clusters by sliding cluster 2 along x\nMerge by Translating"},
    {cmd::kMergeRotate, "Merge by Rotating",
     "Merge two clusters by turning cluster 2 about the origin\nMerge by Rotating"},
    {cmd::kViewToolbar, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar"},
    {cmd::kViewStatusBar, "&Status Bar", "Show or hide the status bar\nToggle StatusBar"},
    {cmd::kViewZoomToFit, "&Zoom to Fit\tCtrl+0", "Show every object of the scene\nZoom to Fit"},
    {cmd::kAppAbout, "&About Torvane...",
     "Display program information, version number and copyright\nAbout"},
    {cmd::kNextPane, nullptr, "Switch to the next window pane\nNext Pane"},
    {cmd::kPrevPane, nullptr, "Switch back to the previous window pane\nPrevious Pane"},
    {cmd::kToolSelect, nullptr, "Select Object\nSelect Object"},
    {cmd::kToolMove, nullptr, "Move\nMove"},
    {cmd::kToolRotate, nullptr, nullptr},
    {cmd::kToolZoom, nullptr, "Zoom\nZoom"},
    {cmd::kKindC, nullptr, "Change to be a circle"},
    {cmd::kKindCPrime, nullptr, nullptr},
    {cmd::kKindL, nullptr, "Change to be a ray"},
    {cmd::kKindLPrime, nullptr, nullptr},
    {cmd::kReverse, nullptr, " "},
    {cmd::kShowPlane, nullptr, nullptr},
    {cmd::kShowSpace, nullptr, nullptr},
    {cmd::kPickThree, nullptr,
     "Pick three objects to find the circles that touch all three\nCircle touching three"},
    {cmd::kPickTranslate, nullptr,
     "Pick four objects, two per cluster, and merge by sliding cluster 2 along x\nMerge by "
     "Translating (pick four objects)"},
    {cmd::kPickRotate, nullptr,
     "Pick four objects, two per cluster, and merge by turning cluster 2 about the "
     "origin\nMerge by Rotating (pick four objects)"},
    {cmd::kCancelPick, nullptr, nullptr},
    {cmd::kInfoBarButton, nullptr, nullptr},
};

} // namespace

const CommandText* commandText(int id) {
    for (const CommandText& t : kTexts)
        if (t.id == id)
            return &t;
    return nullptr;
}
