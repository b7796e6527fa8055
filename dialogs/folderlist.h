#pragma once

#include <QListWidget>

// A classic folder list: the chain of folders from the drive root down to the current one,
// then the current folder's subfolders. A double click opens a folder.
class FolderList : public QListWidget
{
    Q_OBJECT

public:
    explicit FolderList(QWidget *parent = nullptr);

    // The current folder in the platform's notation: a root keeps its separator, any other
    // folder has none at the end.
    QString path() const { return m_path; }
    void setPath(const QString &path);

signals:
    void pathChanged();

private:
    void refresh();

    QString m_path;
};
