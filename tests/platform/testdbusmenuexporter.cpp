#include "platform/tray/statusnotifier/dbusmenuexporter.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

using platform::DBusMenuExporter;

// What hosts are told as the menu changes: a changed item alone, the layout only when items
// come or go, and one announcement for many changes at once.
class TestDBusMenuExporter : public QObject
{
    Q_OBJECT

private slots:
    void changesAreAnnouncedForWhatChanged()
    {
        QMenu root;
        QAction *a = root.addAction(QStringLiteral("a"));
        QAction *b = root.addAction(QStringLiteral("b"));
        QMenu *sub = root.addMenu(QStringLiteral("s"));
        QAction *c = sub->addAction(QStringLiteral("c"));
        DBusMenuExporter exporter(&root);
        platform::dbus::MenuLayoutItem tree;
        exporter.layout(0, -1, {}, tree); // a host reads the whole menu
        const auto idOf = [&](QAction *action) {
            for (const auto &item : tree.children) {
                if (item.properties.value(QStringLiteral("label")) == action->text())
                    return item.id;
                for (const auto &child : item.children)
                    if (child.properties.value(QStringLiteral("label")) == action->text())
                        return child.id;
            }
            return -1;
        };
        const int aId = idOf(a), bId = idOf(b), cId = idOf(c), subId = idOf(sub->menuAction());
        QSignalSpy properties(&exporter, &DBusMenuExporter::itemsPropertiesUpdated);
        QSignalSpy layouts(&exporter, &DBusMenuExporter::layoutUpdated);
        const auto announced = [&] {
            QCoreApplication::processEvents();
            QList<int> ids;
            for (const QList<QVariant> &signal : std::as_const(properties))
                for (const auto &item : signal.at(0).value<platform::dbus::MenuItemPropertiesList>())
                    ids << item.id;
            properties.clear();
            std::sort(ids.begin(), ids.end());
            return ids;
        };

        a->setText(QStringLiteral("a2"));
        QCOMPARE(announced(), QList<int>{aId});
        QCOMPARE(layouts.size(), 0);

        // Icons arriving together: one announcement.
        QPixmap picture(16, 16);
        picture.fill(Qt::red);
        for (QAction *action : {a, b, c})
            action->setIcon(QIcon(picture));
        QCOMPARE(properties.size(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(properties.size(), 1);
        QCOMPARE(announced(), (QList<int>{aId, bId, cId}));

        // Shown again: "visible" is back to its default.
        b->setVisible(false);
        QCOMPARE(announced(), QList<int>{bId});
        b->setVisible(true);
        QCoreApplication::processEvents();
        const auto removed =
            properties.first().at(1).value<platform::dbus::MenuItemPropertyNamesList>();
        QVERIFY(removed.first().names.contains(QStringLiteral("visible")));
        announced();
        QCOMPARE(layouts.size(), 0);

        // An item added to the submenu: its layout, and nothing else.
        sub->addAction(QStringLiteral("d"));
        QCoreApplication::processEvents();
        QCOMPARE(layouts.size(), 1);
        QCOMPARE(layouts.first().at(1).toInt(), subId);
        QCOMPARE(announced(), QList<int>{});

        // An item that went: asking for it gives an empty answer.
        delete c;
        QCoreApplication::processEvents();
        QCOMPARE(layouts.size(), 2);
        platform::dbus::MenuLayoutItem gone;
        exporter.layout(cId, -1, {}, gone);
        QCOMPARE(gone.id, cId);
        QVERIFY(gone.children.isEmpty() && gone.properties.isEmpty());
    }

    // Plasma reads one level at a time and fills a submenu only as it opens: opened by the
    // keyboard, its first item would not be highlighted. It is offered each submenu it was not
    // sent, once, so that it reads them at once.
    void aHostReadingOneLevelIsOfferedTheSubmenus()
    {
        QMenu root;
        root.addAction(QStringLiteral("a"));
        QMenu *full = root.addMenu(QStringLiteral("full"));
        full->addAction(QStringLiteral("b"))->setVisible(false);
        // It makes its other item as it is about to show, as the launcher's submenus do.
        connect(full, &QMenu::aboutToShow, full, [full] {
            if (full->actions().size() == 1)
                full->addAction(QStringLiteral("c"));
        });
        root.addMenu(QStringLiteral("empty"));
        DBusMenuExporter exporter(&root);
        QSignalSpy layouts(&exporter, &DBusMenuExporter::layoutUpdated);
        platform::dbus::MenuLayoutItem tree;

        // Not made yet, and all its items hidden: offered all the same.
        exporter.layout(0, 1, {}, tree);
        QCoreApplication::processEvents();
        QCOMPARE(layouts.size(), 1);
        const int fullId = tree.children.at(1).id;
        QCOMPARE(layouts.first().at(1).toInt(), fullId);

        exporter.layout(fullId, 1, {}, tree);
        QCOMPARE(tree.children.size(), 2);
        QCoreApplication::processEvents();
        QCOMPARE(layouts.size(), 1); // what it read needs no announcement

        exporter.layout(0, -1, {}, tree);
        QCOMPARE(tree.children.at(1).children.size(), 2);
        QCoreApplication::processEvents();
        QCOMPARE(layouts.size(), 1); // it has them all
    }
};

QTEST_MAIN(TestDBusMenuExporter)
#include "testdbusmenuexporter.moc"
