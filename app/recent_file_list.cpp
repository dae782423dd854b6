// Entries File1..FileN under "Recent File List" in the application's settings.
#include "app/recent_file_list.h"

#include <QFileInfo>
#include <QSettings>

namespace {
const char* kGroup = "Recent File List";
}

RecentFileList::RecentFileList(int n, QObject* parent) : QObject(parent), size(n) {
    QSettings settings;
    settings.beginGroup(kGroup);
    for (int i = 1; i <= size; ++i) {
        const QString f = settings.value(QString("File%1").arg(i)).toString();
        if (!f.isEmpty())
            files << f;
    }
}

void RecentFileList::add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > size)
        files.removeLast();
    save();
}

void RecentFileList::remove(const QString& path) {
    if (files.removeAll(QFileInfo(path).absoluteFilePath()) > 0)
        save();
}

void RecentFileList::save() {
    QSettings settings;
    settings.beginGroup(kGroup);
    for (int i = 1; i <= size; ++i) {
        const QString key = QString("File%1").arg(i);
        if (i <= files.size())
            settings.setValue(key, files[i - 1]);
        else
            settings.remove(key);
    }
    Q_EMIT changed();
}
