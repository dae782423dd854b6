// The Preview Result dialog: the 2-D picture of the selected candidate above, painted with
// pens and ellipses inside the black frame, and the candidate lines with OK and Cancel
// below. The dialog can be resized; the picture takes the room it gets.
#include "ui/qt/preview_result_dialog.h"

#include "ui/preview_picture.h"
#include "ui/qt/dialog_units.h"
#include "ui/qt/list_box_fit.h"
#include "ui/qt/user_prompts.h"

#include <QFrame>
#include <QGridLayout>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The frame control; everything inside its black border is the drawing area.
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
        const PixelArea area{inside.left(), inside.top(), inside.width(), inside.height()};
        QPainter painter(this);
        painter.fillRect(inside, Qt::white);
        painter.setClipRect(inside);
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

QSize dialogUnitsSize(const QWidget& dialog, int w, int h) {
    return dialogUnitsRect(dialog, 0, 0, w, h).size();
}

} // namespace

CPreviewResultDlg::CPreviewResultDlg(const MergeProblem& problem, UserPrompts& prompts,
                                     QWidget* parent)
    : QDialog(parent), problem(problem), prompts(prompts) {
    setWindowTitle("Preview Result");

    frame = new PreviewFrame(problem, selectedCandidate, this);
    frame->setObjectName(QString::number(IDC_PREVIEW_FRAME));
    frame->setMinimumSize(dialogUnitsSize(*this, 160, 120));
    frame->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    candidates = new QListWidget(this);
    candidates->setObjectName(QString::number(IDC_CANDIDATE_LIST));
    candidates->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QStringList lines;
    for (int n = 0; n < problem.solutionCount; ++n) {
        lines << QString::fromStdString(candidateLine(problem, n));
        candidates->addItem(lines.back());
        candidates->item(n)->setToolTip(QString::fromStdString(candidateToolTip(problem, n)));
    }
    // The lines set the list's least width; extra room goes to the picture above it.
    const QSize listSize = listBoxSizeFor(*candidates, lines, 1, dialogUnitsSize(*this, 115, 35));
    candidates->setMinimumWidth(listSize.width());
    candidates->setFixedHeight(listSize.height());
    candidates->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("1");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("2");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto* grid = new QGridLayout(this);
    grid->addWidget(frame, 0, 0, 1, 2);
    grid->addWidget(candidates, 1, 0);
    grid->addLayout(buttons, 1, 1);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(0, 1);
    // The picture spans the dialog's width; the candidate lines set that width.
    frame->setMinimumWidth(
        std::max(frame->minimumWidth(),
                 candidates->minimumWidth() + grid->horizontalSpacing() + ok->sizeHint().width()));

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
    if (candidateShown)
        candidateShown(row);
    const SceneObject& candidate = problem.solutions[row];
    if (candidate.kind == kComplexCandidate)
        prompts.message(this, "Info", QString::fromStdString(complexCandidateText(candidate)),
                        UserPrompts::Icon::Information);
}
