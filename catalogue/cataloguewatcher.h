#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

class CatalogueEditor;
class CatalogueFile;

// Follows the catalogue file while the program runs: an edit made in a text editor, a backup
// restored or a file synced from elsewhere is taken in through the editor, one step to undo.
// Editors that write a new file and rename it over the old one are followed through the
// folder. The file is read at most a few times a second, however often it changes.
class CatalogueWatcher : public QObject
{
    Q_OBJECT

public:
    CatalogueWatcher(CatalogueFile &file, CatalogueEditor &editor, QObject *parent = nullptr);

    void start();

private:
    void watchFile();
    void changed();
    void check();

    CatalogueFile &m_file;
    CatalogueEditor &m_editor;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};
