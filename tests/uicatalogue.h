#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/cataloguefile.h"
#include "fakeplatform.h"
#include "platform/system/codec.h"
#include "settings/categorybox.h"
#include "settings/entrylist.h"
#include "settings/form1.h"
#include "shell/popupmenu.h"
#include "shell/trayapplication.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

// A launcher started on a prepared launch.cfg in a folder of its own, with fake outside effects,
// and checks that the list, the combo box and the popup menu mirror the catalogue.

struct Line
{
    int category;
    QString name;
    QString program = QStringLiteral("/bin/true");
    QString folder = {};
};

inline QByteArray catalogueFile(const QList<Line> &lines, const QStringList &names = {})
{
    QString text = QStringLiteral("\"Format Ver.1.0\"\r\n");
    for (int i = 1; i <= 7; ++i)
        text += u'"' + (names.size() >= i ? names[i - 1] : Catalogue::defaultCategoryName(i)) +
                QStringLiteral("\"\r\n");
    for (const Line &line : lines)
        text += QStringLiteral("%1,\"%2\",\"%3\",\"%4\"\r\n")
                    .arg(line.category)
                    .arg(line.name, line.program, line.folder);
    return *platform::encodeCp932(text);
}

struct Launcher
{
    QTemporaryDir dir;
    FakePlatform fake;
    std::unique_ptr<TrayApplication> app;

    explicit Launcher(const QByteArray &file = {})
    {
        if (!file.isNull()) {
            QFile cfg(dir.filePath(QStringLiteral("launch.cfg")));
            cfg.open(QIODevice::WriteOnly);
            cfg.write(file);
        }
        // The readings' cache, like the catalogue, stays in the test's folder, and the installed
        // applications are the test's own.
        qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath(QStringLiteral("cache"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(QStringLiteral("data"))));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(dir.filePath(QStringLiteral("none"))));
        app = std::make_unique<TrayApplication>(dir.filePath(QStringLiteral("quorvel")),
                                                fake.platform);
    }

    TrayApplication::StartResult start() { return app->Form_Load(); }
    Form1 &form() { return app->form1(); }
    const Form1Controls &ui() { return app->form1().controls(); }
    PopupMenu &popup() { return app->popup(); }
    const Catalogue &catalogue() { return app->catalogue(); }
    CatalogueEditor &editor() { return app->editor(); }
    QString cfgPath() const { return dir.filePath(QStringLiteral("launch.cfg")); }

    // An installed application, as a desktop entry in the user's own applications folder.
    void install(const QString &id, const QByteArray &lines)
    {
        QDir().mkpath(dir.filePath(QStringLiteral("data/applications")));
        QFile entry(dir.filePath(QStringLiteral("data/applications/") + id));
        entry.open(QIODevice::WriteOnly);
        entry.write("[Desktop Entry]\nType=Application\n" + lines);
    }

    QByteArray fileBytes() const
    {
        QFile cfg(cfgPath());
        return cfg.open(QIODevice::ReadOnly) ? cfg.readAll() : QByteArray();
    }

    void chooseCategory(int c)
    {
        ui().Combo1->setCurrentIndex(c);
        form().Combo1_Click();
    }
    void selectRow(int r) { ui().List1->setCurrentRow(r); }
    void setFields(const QString &name, const QString &program, const QString &folder = {})
    {
        ui().Text1->setText(name);
        ui().Text2->setText(program);
        ui().Text4->setText(folder);
    }
    QStringList listRows() const
    {
        QStringList rows;
        for (int r = 0; r < app->form1().controls().List1->count(); ++r)
            rows.append(app->form1().controls().List1->item(r)->text());
        return rows;
    }
};

// The texts of the visible items of a menu, separators as "-".
// What a menu shows as it opens: a submenu makes its entries as it is about to show.
inline QStringList visibleItems(QMenu *menu)
{
    emit menu->aboutToShow();
    QStringList items;
    for (const QAction *action : menu->actions()) {
        if (action->isVisible())
            items.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return items;
}

// The popup once each of its menus has opened.
inline PopupMenu &opened(PopupMenu &popup)
{
    emit popup.mnuPoP()->aboutToShow();
    for (int c = 1; c < Catalogue::CategoryCount; ++c)
        emit popup.header(c)->menu()->aboutToShow();
    return popup;
}

// Empty when list, combo box and popup menu mirror the catalogue; otherwise the first mismatch.
inline QString mirrorMismatch(Launcher &launcher)
{
    const Catalogue &catalogue = launcher.catalogue();
    const PopupMenu &popup = opened(launcher.popup());
    for (int c = 0; c < Catalogue::CategoryCount; ++c) {
        const int n = catalogue.EntryCount(c);
        if (popup.elementCount(c) != n + 1)
            return QStringLiteral("category %1: %2 elements for %3 entries")
                .arg(c)
                .arg(popup.elementCount(c))
                .arg(n);
        const QAction *placeholder = popup.item(c, 0);
        if (placeholder->isEnabled() || placeholder->text() != QStringLiteral("（無し）"))
            return QStringLiteral("category %1: placeholder").arg(c);
        if (placeholder->isVisible() != (c != 0 && n == 0))
            return QStringLiteral("category %1: placeholder visibility").arg(c);
        for (int k = 1; k <= n; ++k) {
            const QAction *item = popup.item(c, k);
            if (item->text() != catalogue.entry(c, k).EntryName || !item->isVisible() ||
                !item->isEnabled())
                return QStringLiteral("category %1: element %2").arg(c).arg(k);
        }
        if (c > 0) {
            if (popup.header(c)->isVisible() != (n > 0))
                return QStringLiteral("category %1: header visibility").arg(c);
            if (popup.header(c)->text() != catalogue.CategoryName(c))
                return QStringLiteral("category %1: header caption").arg(c);
            if (launcher.ui().Combo1->itemText(c) != catalogue.CategoryName(c))
                return QStringLiteral("category %1: combo line").arg(c);
        }
    }
    if (launcher.ui().Combo1->count() != 8 ||
        launcher.ui().Combo1->itemText(0) != QStringLiteral("ｶﾃｺﾞﾘ外ﾒﾆｭｰ"))
        return QStringLiteral("combo box lines");
    QStringList names;
    const int current = launcher.form().CurrentCategory();
    for (int k = 1; k <= catalogue.EntryCount(current); ++k)
        names.append(catalogue.entry(current, k).EntryName);
    if (launcher.listRows() != names)
        return QStringLiteral("list rows of category %1").arg(current);
    return {};
}

// The file holds exactly what memory holds.
inline bool fileMatchesMemory(Launcher &launcher)
{
    return launcher.fileBytes() == serializeCatalogue(launcher.catalogue());
}
