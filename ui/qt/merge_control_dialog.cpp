// The Merge Control dialog laid out from its dialog-unit rectangles; every list shows
// the model's lines, which are the selection list's nodes of that cluster in order.
#include "ui/qt/merge_control_dialog.h"

#include "ui/qt/dialog_units.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

namespace {

QString idName(int id) {
    return QString::number(id);
}

} // namespace

CMergeControlDlg::CMergeControlDlg(const CTorvaneDoc& doc, QWidget* parent)
    : QDialog(parent), selectionModel(doc) {
    setWindowTitle("Merge Control");
    setFixedSize(dialogUnitsRect(*this, 0, 0, 294, 92).size());

    // Group boxes first, so that the controls inside them lie on top.
    struct Group {
        const char* title;
        int x, y, w, h;
    };
    for (const Group& g : {Group{"Cluster 1", 110, 0, 125, 40},
                           Group{"Cluster 2", 110, 45, 125, 40}, Group{"Method", 242, 0, 48, 40}}) {
        auto* box = new QGroupBox(g.title, this);
        placeInDialogUnits(*box, g.x, g.y, g.w, g.h);
    }
    struct ListBox {
        int id, x, y, w, h;
    };
    for (const ListBox& l :
         {ListBox{IDC_OBJECT_LIST, 5, 5, 100, 80}, ListBox{IDC_CLUSTER1_LIST, 130, 15, 100, 18},
          ListBox{IDC_CLUSTER2_LIST, 130, 60, 100, 18},
          ListBox{IDC_METHOD_LIST, 245, 15, 40, 18}}) {
        auto* list = new QListWidget(this);
        list->setObjectName(idName(l.id));
        placeInDialogUnits(*list, l.x, l.y, l.w, l.h);
        if (l.id == IDC_OBJECT_LIST)
            list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
    struct Button {
        int id;
        const char* text;
        int x, y, w, h;
    };
    for (const Button& b :
         {Button{QDialog::Accepted, "Merge", 255, 55, 30, 12}, Button{2, "Cancel", 255, 70, 30, 12},
          Button{IDC_TO_CLUSTER1, ">", 115, 15, 10, 8},
          Button{IDC_FROM_CLUSTER1, "<", 115, 25, 10, 8},
          Button{IDC_TO_CLUSTER2, ">", 115, 60, 10, 8},
          Button{IDC_FROM_CLUSTER2, "<", 115, 70, 10, 8}}) {
        auto* button = new QPushButton(b.text, this);
        button->setObjectName(idName(b.id));
        placeInDialogUnits(*button, b.x, b.y, b.w, b.h);
    }
    QPushButton* merge = button(QDialog::Accepted);
    merge->setDefault(true);
    connect(merge, &QPushButton::clicked, this, &QDialog::accept);
    connect(button(2), &QPushButton::clicked, this, &QDialog::reject);
    connect(button(IDC_TO_CLUSTER1), &QPushButton::clicked, this,
            [this] { moveSelected(IDC_TO_CLUSTER1, IDC_OBJECT_LIST, IDC_CLUSTER1_LIST); });
    connect(button(IDC_TO_CLUSTER2), &QPushButton::clicked, this,
            [this] { moveSelected(IDC_TO_CLUSTER2, IDC_OBJECT_LIST, IDC_CLUSTER2_LIST); });
    connect(button(IDC_FROM_CLUSTER1), &QPushButton::clicked, this,
            [this] { moveSelected(IDC_FROM_CLUSTER1, IDC_CLUSTER1_LIST, IDC_OBJECT_LIST); });
    connect(button(IDC_FROM_CLUSTER2), &QPushButton::clicked, this,
            [this] { moveSelected(IDC_FROM_CLUSTER2, IDC_CLUSTER2_LIST, IDC_OBJECT_LIST); });

    refill(IDC_OBJECT_LIST);
    QListWidget* method = list(IDC_METHOD_LIST);
    method->addItems({"Translate", "Rotate"});
    method->setCurrentRow(0);
    connect(method, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            selectionModel.method = row;
    });
}

QListWidget* CMergeControlDlg::list(int id) const {
    return findChild<QListWidget*>(idName(id));
}

QPushButton* CMergeControlDlg::button(int id) const {
    return findChild<QPushButton*>(idName(id));
}

void CMergeControlDlg::moveSelected(int buttonId, int sourceList, int targetList) {
    QListWidget* source = list(sourceList);
    const int selected = source->selectedItems().isEmpty() ? -1 : source->currentRow();
    if (!selectionModel.move(buttonId, selected))
        return;
    refill(sourceList);
    refill(targetList);
}

void CMergeControlDlg::refill(int listId) {
    QListWidget* l = list(listId);
    l->clear();
    for (const std::string& line : selectionModel.lines(listId))
        l->addItem(QString::fromStdString(line));
}
