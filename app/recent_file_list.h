// The recent-file list of the File menu, kept in the settings store.
#pragma once

#include <QObject>
#include <QStringList>

class RecentFileList : public QObject {
    Q_OBJECT

  public:
    explicit RecentFileList(int size, QObject* parent = nullptr);

    const QStringList& entries() const { return files; }
    // Puts path first, dropping an older copy and whatever no longer fits.
    void add(const QString& path);
    void remove(const QString& path);

  Q_SIGNALS:
    void changed();

  private:
    void save();

    int size;
    QStringList files;
};
