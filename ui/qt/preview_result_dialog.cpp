// The Preview Result dialog: candidate lines and the 2-D picture of the selected one,
// painted with pens and ellipses inside the black frame.
#include "ui/qt/preview_result_dialog.h"

#include "ui/preview_picture.h"
#include "ui/qt/dialog_units.h"
#include "ui/qt/user_prompts.h"

#include <QFrame>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

namespace {

// The frame control; its inside less a one-pixel border is the drawing area.
class PreviewFrame : public QFrame {
  public:
    PreviewFrame(const MergeProblem& problem, const int& selected, QWidget* parent)
        : QFrame(parent), problem(problem), selected(selected) {
        setFrameStyle(QFrame::Box | QFrame::Plain);
        QPalette black = palette();
        black.setColor(QPalette::WindowText, Qt::black);
        setPalette(black);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        const QRect inside = contentsRect();
        const PixelArea area{inside.left() + 1, inside.top() + 1, inside.width() - 2,
                             inside.height() - 2};
        QPainter painter(this);
        const QRect areaRect(area.left, area.top, area.width, area.height);
        painter.fillRect(areaRect, Qt::white);
        painter.setClipRect(areaRect);
        for (const PreviewShape& s : previewPicture(problem, selected, area)) {
            painter.setPen(QPen(QColor(s.red, s.green, s.blue), 1, Qt::SolidLine));
            painter.setBrush(Qt::NoBrush);
            if (s.kind == PreviewShape::Ellipse)
                painter.drawEllipse(QRect(s.x0, s.y0, s.x1 - s.x0, s.y1 - s.y0));
            else
                painter.drawLine(s.x0, s.y0, s.x1, s.y1);
        }
    }

  private:
    const MergeProblem& problem;
    const int& selected;
};

} // namespace

CPreviewResultDlg::CPreviewResultDlg(const MergeProblem& problem, UserPrompts& prompts,
                                     QWidget* parent)
    : QDialog(parent), problem(problem), prompts(prompts) {
    setWindowTitle("Preview Result");
    setFixedSize(dialogUnitsRect(*this, 0, 0, 170, 172).size());

    frame = new PreviewFrame(problem, selectedCandidate, this);
    frame->setObjectName(QString::number(IDC_PREVIEW_FRAME));
    placeInDialogUnits(*frame, 5, 5, 160, 120);

    candidates = new QListWidget(this);
    candidates->setObjectName(QString::number(IDC_CANDIDATE_LIST));
    placeInDialogUnits(*candidates, 5, 132, 115, 35);
    candidates->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (int n = 0; n < problem.solutionCount; ++n)
        candidates->addItem(QString::fromStdString(candidateLine(problem, n)));

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("1");
    placeInDialogUnits(*ok, 125, 134, 40, 13);
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("2");
    placeInDialogUnits(*cancel, 125, 154, 40, 13);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    candidates->setCurrentRow(0);
    selectedCandidate = 0;
    connect(candidates, &QListWidget::currentRowChanged, this,
            &CPreviewResultDlg::onSelectionChanged);
}

void CPreviewResultDlg::onSelectionChanged(int row) {
    if (row < 0 || row >= problem.solutionCount)
        return;
    selectedCandidate = row;
    frame->repaint();
    const SceneObject& candidate = problem.solutions[row];
    if (candidate.kind == kComplexCandidate)
        prompts.message(this, "Info", QString::fromStdString(complexCandidateText(candidate)),
                        UserPrompts::Icon::Information);
}
