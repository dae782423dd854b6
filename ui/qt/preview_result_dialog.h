// CPreviewResultDlg: lists a solved merge's candidates and draws the selected one.
#pragma once

#include "solver/merge_problem.h"

#include <QDialog>

#include <functional>

class QListWidget;
class UserPrompts;

class CPreviewResultDlg : public QDialog {
    Q_OBJECT

  public:
    CPreviewResultDlg(const MergeProblem& problem, UserPrompts& prompts, QWidget* parent);

    int selectedCandidate = 0;
    // Told the index whenever the selection moves to another candidate.
    std::function<void(int)> candidateShown;
    QListWidget* candidateList() const { return candidates; }
    // The black frame whose inside is the drawing area.
    QWidget* drawingFrame() const { return frame; }

  private:
    void onSelectionChanged(int row);

    const MergeProblem& problem;
    UserPrompts& prompts;
    QListWidget* candidates = nullptr;
    QWidget* frame = nullptr;
};
