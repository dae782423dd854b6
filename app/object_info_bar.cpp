// Slots 0..12 of the bar: label, edit, separator, three times over, then the last
// label and edit, a separator and the plain button.
#include "app/object_info_bar.h"

#include "view/command_ids.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int kEditWidth = 100;
constexpr const char* kEditPrompt = "Set object property";

std::size_t indexOf(InfoField f) {
    return static_cast<std::size_t>(f);
}

} // namespace

CObjectInfoBar::CObjectInfoBar(QWidget* parent) : QToolBar("Object Propertys", parent) {
    setObjectName("ObjectInfoBar");
    setProperty("commandId", cmd::kInfoBar);
    setContentsMargins(3, 3, 3, 3);
    addLabelled("X", cmd::kInfoLabelX, 17, InfoField::X);
    addSeparator();
    addLabelled("Y", cmd::kInfoLabelY, 17, InfoField::Y);
    addSeparator();
    addLabelled("Radius / X2", cmd::kInfoLabelRadiusX2, 80, InfoField::RadiusOrX2);
    addSeparator();
    addLabelled("Y2", cmd::kInfoLabelY2, 26, InfoField::Y2);
    addSeparator();
    button = addAction(QString());
    button->setData(cmd::kInfoBarButton);
    button->setEnabled(false);
}

void CObjectInfoBar::addLabelled(const char* labelText, int labelId, int labelWidth,
                                 InfoField field) {
    auto* label = new QLabel(labelText, this);
    label->setAlignment(Qt::AlignCenter);
    label->setFixedWidth(labelWidth);
    label->setProperty("commandId", labelId);
    addWidget(label);

    auto* e = new QLineEdit(this);
    e->setFixedWidth(kEditWidth);
    e->setProperty("commandId", infoEditId(field));
    e->setStatusTip(kEditPrompt);
    e->setEnabled(false);
    e->installEventFilter(this);
    const int id = infoEditId(field);
    connect(e, &QLineEdit::textChanged, this, [this, id] { Q_EMIT editTextChanged(id); });
    addWidget(e);
    edits[indexOf(field)] = e;
}

QLineEdit* CObjectInfoBar::edit(InfoField field) const {
    return edits[indexOf(field)];
}

QString CObjectInfoBar::editText(int editId) const {
    const std::optional<InfoField> field = infoFieldOfEdit(editId);
    if (!field)
        return QString();
    return edit(*field)->text().section('\n', 0, 0);
}

void CObjectInfoBar::showEdit(InfoField field, bool enabled, const QString& text) {
    QLineEdit* e = edit(field);
    if (e->isEnabled() != enabled)
        e->setEnabled(enabled);
    if (e->text() != text)
        e->setText(text);
}

bool CObjectInfoBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        const int id = watched->property("commandId").toInt();
        Q_EMIT editFocusChanged(id, event->type() == QEvent::FocusIn);
    }
    return QToolBar::eventFilter(watched, event);
}
