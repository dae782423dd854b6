// The Properties dialog laid out from its dialog-unit rectangles. The arrows beside the
// colour sliders run the other way (top = 255), so the upper arrow raises a value by one.
#include "ui/qt/properties_dialog.h"

#include "ui/qt/dialog_units.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>

namespace {

class Swatch : public QWidget {
  public:
    Swatch(const CPropertiesDlg& dialog, QWidget* parent) : QWidget(parent), dialog(dialog) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(Qt::black);
        p.setBrush(QColor(dialog.red, dialog.green, dialog.blue));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }

  private:
    const CPropertiesDlg& dialog;
};

QLineEdit* readOnlyEdit(QWidget* parent, int x, int y, int w, int h) {
    auto* e = new QLineEdit(parent);
    e->setReadOnly(true);
    placeInDialogUnits(*e, x, y, w, h);
    return e;
}

} // namespace

CPropertiesDlg::CPropertiesDlg(int r, int g, int b, int k, int w, QWidget* parent)
    : QDialog(parent), red(r), green(g), blue(b), width(w), kind(k) {
    setWindowTitle("Properties");
    setFixedSize(dialogUnitsRect(*this, 0, 0, 189, 155).size());
    for (auto [title, y, wd, h] : {std::tuple{"Type", 5, 130, 35}, std::tuple{"Width", 45, 130, 35},
                                   std::tuple{"Color", 85, 140, 65}})
        placeInDialogUnits(*new QGroupBox(title, this), 5, y, wd, h);

    typeList = new QComboBox(this);
    typeList->addItems({"C-Circle (Tangent to)", "L-Line (Tangent to)", "C'-Circle (Center on)",
                        "L'-Line (Center on)"});
    placeInDialogUnits(*typeList, 15, 20, 92, 12);
    // Every type name shows whole, in the closed list and in its popup, whatever the font.
    const int wholeNames = typeList->sizeHint().width();
    if (typeList->width() < wholeNames)
        typeList->resize(wholeNames, typeList->height());
    typeList->view()->setMinimumWidth(wholeNames);
    typeList->setCurrentIndex(kind >= 0 && kind < 4 ? kind : 0);

    widthSlider = new QSlider(Qt::Horizontal, this);
    widthSlider->setRange(1, 10);
    placeInDialogUnits(*widthSlider, 15, 60, 70, 10);
    widthEdit = readOnlyEdit(this, 90, 60, 30, 12);

    swatch = new Swatch(*this, this);
    placeInDialogUnits(*swatch, 10, 110, 20, 20);
    const char* letters[3] = {"R", "G", "B"};
    for (int i = 0; i < 3; ++i) {
        const int y = 100 + 15 * i;
        colourSlider[i] = new QSlider(Qt::Horizontal, this);
        colourSlider[i]->setRange(0, 255);
        placeInDialogUnits(*colourSlider[i], 35, y, 65, 10);
        colourArrows[i] = new QScrollBar(Qt::Vertical, this);
        colourArrows[i]->setRange(0, 255);
        colourArrows[i]->setSingleStep(1);
        colourArrows[i]->setPageStep(0); // only the arrows step
        placeInDialogUnits(*colourArrows[i], 100, y, 8, 10);
        placeInDialogUnits(*new QLabel(letters[i], this), 110, y, 8, 8);
        colourEdit[i] = readOnlyEdit(this, 120, y, 20, 12);
        connect(colourSlider[i], &QSlider::valueChanged, this, [this] { fromSliders(); });
        connect(colourArrows[i], &QScrollBar::valueChanged, this, [this] { fromArrows(); });
    }
    connect(widthSlider, &QSlider::valueChanged, this, [this] { fromSliders(); });

    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    placeInDialogUnits(*ok, 140, 10, 40, 15);
    auto* cancel = new QPushButton("Cancel", this);
    placeInDialogUnits(*cancel, 140, 30, 40, 15);
    connect(ok, &QPushButton::clicked, this, &CPropertiesDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    refresh();
}

void CPropertiesDlg::fromSliders() {
    if (refreshing)
        return;
    red = colourSlider[0]->value();
    green = colourSlider[1]->value();
    blue = colourSlider[2]->value();
    width = widthSlider->value();
    refresh();
}

void CPropertiesDlg::fromArrows() {
    if (refreshing)
        return;
    red = 255 - colourArrows[0]->value();
    green = 255 - colourArrows[1]->value();
    blue = 255 - colourArrows[2]->value();
    refresh();
}

void CPropertiesDlg::refresh() {
    refreshing = true;
    const int values[3] = {red, green, blue};
    for (int i = 0; i < 3; ++i) {
        colourSlider[i]->setValue(values[i]);
        colourArrows[i]->setValue(255 - values[i]);
        colourEdit[i]->setText(QString::number(values[i]));
    }
    widthSlider->setValue(width);
    widthEdit->setText(QString::number(width));
    swatch->update();
    refreshing = false;
}

void CPropertiesDlg::accept() {
    kind = typeList->currentIndex();
    QDialog::accept();
}
