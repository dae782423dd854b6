// The Merge Control dialog: the object list on the left, the two cluster boxes with their
// arrow buttons in the middle, the method and the buttons on the right. Each list is
// sized from the lines it can hold, so every line shows whole at the dialog's font.
#include "ui/qt/merge_control_dialog.h"

#include "ui/qt/dialog_units.h"
#include "ui/qt/list_box_fit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString idName(int id) {
    return QString::number(id);
}

QSize dialogUnitsSize(const QWidget& dialog, int w, int h) {
    return dialogUnitsRect(dialog, 0, 0, w, h).size();
}

} // namespace

CMergeControlDlg::CMergeControlDlg(const CTorvaneDoc& doc, QWidget* parent, int method)
    : QDialog(parent), selectionModel(doc) {
    setWindowTitle("Merge Control");
    QStringList objectLines;
    for (const std::string& line : selectionModel.lines(IDC_OBJECT_LIST))
        objectLines << QString::fromStdString(line);
    const QStringList methods{"Translate", "Rotate"};

    const auto makeList = [this](int id) {
        auto* list = new QListWidget(this);
        list->setObjectName(idName(id));
        return list;
    };
    QListWidget* objects = makeList(IDC_OBJECT_LIST);
    objects->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const auto makeClusterBox = [&](const char* title, int listId, int toId, int fromId) {
        auto* box = new QGroupBox(title, this);
        auto* row = new QHBoxLayout(box);
        auto* arrows = new QVBoxLayout;
        const QSize arrowSize = dialogUnitsSize(*this, 10, 8)
                                    .expandedTo(QSize(fontMetrics().horizontalAdvance(">") + 12,
                                                      fontMetrics().height() + 4));
        for (const auto& [id, text] : {std::pair{toId, ">"}, std::pair{fromId, "<"}}) {
            auto* arrow = new QPushButton(text, box);
            arrow->setObjectName(idName(id));
            arrow->setFixedSize(arrowSize);
            arrows->addWidget(arrow);
        }
        arrows->addStretch();
        row->addLayout(arrows);
        QListWidget* list = makeList(listId);
        // A cluster list holds two of the document's objects: any two must show whole.
        list->setFixedSize(listBoxSizeFor(*list, objectLines, 2, dialogUnitsSize(*this, 100, 18)));
        row->addWidget(list, 0, Qt::AlignTop);
        return box;
    };
    QGroupBox* cluster1 =
        makeClusterBox("Cluster 1", IDC_CLUSTER1_LIST, IDC_TO_CLUSTER1, IDC_FROM_CLUSTER1);
    QGroupBox* cluster2 =
        makeClusterBox("Cluster 2", IDC_CLUSTER2_LIST, IDC_TO_CLUSTER2, IDC_FROM_CLUSTER2);

    auto* methodBox = new QGroupBox("Method", this);
    auto* methodLayout = new QVBoxLayout(methodBox);
    QListWidget* methodList = makeList(IDC_METHOD_LIST);
    methodList->addItems(methods);
    methodList->setFixedSize(
        listBoxSizeFor(*methodList, methods, 2, dialogUnitsSize(*this, 40, 18)));
    methodLayout->addWidget(methodList);
    methodLayout->addStretch();

    auto* buttons = new QVBoxLayout;
    for (const auto& [id, text] :
         {std::pair{int(QDialog::Accepted), "Merge"}, std::pair{2, "Cancel"}}) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(idName(id));
        buttons->addWidget(button);
    }
    buttons->addStretch();

    auto* grid = new QGridLayout(this);
    grid->addWidget(objects, 0, 0, 2, 1);
    grid->addWidget(cluster1, 0, 1);
    grid->addWidget(cluster2, 1, 1);
    grid->addWidget(methodBox, 0, 2);
    grid->addLayout(buttons, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    // The object list runs the height of both cluster boxes and shows its lines whole.
    const int clustersHeight =
        cluster1->sizeHint().height() + grid->verticalSpacing() + cluster2->sizeHint().height();
    objects->setFixedSize(
        listBoxSizeFor(*objects, objectLines, 1,
                       dialogUnitsSize(*this, 100, 80).expandedTo(QSize(0, clustersHeight))));

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
    const int chosen = method == MERGE_ROTATE ? MERGE_ROTATE : MERGE_TRANSLATE;
    selectionModel.method = chosen;
    methodList->setCurrentRow(chosen);
    connect(methodList, &QListWidget::currentRowChanged, this, [this](int row) {
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
