// CPropertiesDlg: an object's type, line width and colour, with sliders, one-step arrows
// and a live colour swatch.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QScrollBar;
class QSlider;

class CPropertiesDlg : public QDialog {
    Q_OBJECT

  public:
    CPropertiesDlg(int red, int green, int blue, int kind, int width, QWidget* parent);

    // OK: the type is read back from its list, then the dialog closes.
    void accept() override;

    int red = 0, green = 0, blue = 0, width = 1, kind = 0;

    QComboBox* typeList = nullptr;
    QSlider* widthSlider = nullptr;
    QSlider* colourSlider[3] = {};
    QScrollBar* colourArrows[3] = {};
    QLineEdit* widthEdit = nullptr;
    QLineEdit* colourEdit[3] = {};
    QWidget* swatch = nullptr;

  private:
    void fromSliders();
    void fromArrows();
    void refresh();
    bool refreshing = false;
};
