#include "platform/tray/statusnotifier/dbusmenuexporter.h"

#include <QAction>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusServer>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
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
                for (const auto &item :
                     signal.at(0).value<platform::dbus::MenuItemPropertiesList>())
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

        QCOMPARE(exporter.aboutToShow(fullId), std::optional(true)); // as Plasma asks first
        exporter.layout(fullId, 1, {}, tree);
        QCOMPARE(tree.children.size(), 2);
        QCoreApplication::processEvents();
        QCOMPARE(layouts.size(), 1); // what it read needs no announcement

        exporter.layout(0, -1, {}, tree);
        QCOMPARE(tree.children.at(1).children.size(), 2);
        QCoreApplication::processEvents();
        QCOMPARE(layouts.size(), 1); // it has them all
    }

    // A menu that makes its items as it is about to show is made when the host says it will
    // show it, not when the host reads the layout; ids that name nothing are refused.
    void aMenuIsMadeWhenTheHostIsAboutToShowIt()
    {
        QMenu root;
        QMenu *lazy = root.addMenu(QStringLiteral("lazy"));
        connect(lazy, &QMenu::aboutToShow, lazy, [lazy] {
            if (lazy->isEmpty())
                lazy->addAction(QStringLiteral("made"));
        });
        root.addAction(QStringLiteral("plain"));
        DBusMenuExporter exporter(&root);
        platform::dbus::MenuLayoutItem tree;
        exporter.layout(0, -1, {}, tree);
        QVERIFY(lazy->isEmpty());
        const int lazyId = tree.children.at(0).id, plainId = tree.children.at(1).id;

        QCOMPARE(exporter.aboutToShow(lazyId), std::optional(true));
        exporter.layout(lazyId, -1, {}, tree);
        QCOMPARE(tree.children.size(), 1);
        QCOMPARE(tree.children.first().properties.value(QStringLiteral("label")), u"made"_qs);
        QCOMPARE(exporter.aboutToShow(lazyId), std::optional(false)); // it has them now
        QCOMPARE(exporter.aboutToShow(plainId), std::optional(false));

        // The list changes between the host's reads: what went is gone from the tree, and its
        // id names nothing any more.
        delete root.actions().at(1);
        exporter.layout(0, -1, {}, tree);
        QCOMPARE(tree.children.size(), 1);
        QCOMPARE(exporter.aboutToShow(plainId), std::nullopt);

        // Over the bus: an id that names nothing, or no longer, is an error, not a crash.
        delete lazy;
        QTemporaryDir folder;
        QDBusServer server(QStringLiteral("unix:dir=") + folder.path());
        connect(&server, &QDBusServer::newConnection, this, [&](const QDBusConnection &peer) {
            QDBusConnection(peer).registerObject(QLatin1String(DBusMenuExporter::ObjectPath),
                                                 &exporter, QDBusConnection::ExportAdaptors);
        });
        QDBusConnection host = QDBusConnection::connectToPeer(server.address(), u"host"_qs);
        QTRY_VERIFY(host.isConnected());
        const auto call = [&](const QString &method, const QVariantList &arguments) {
            QDBusMessage message =
                QDBusMessage::createMethodCall({}, QLatin1String(DBusMenuExporter::ObjectPath),
                                               u"com.canonical.dbusmenu"_qs, method);
            message.setArguments(arguments);
            // Answered by this thread's event loop, so not waited for in a blocking call.
            QDBusPendingCall pending = host.asyncCall(message);
            [&] {
                QTRY_VERIFY(pending.isFinished());
            }();
            return pending.reply();
        };
        const QDBusMessage refused = call(u"AboutToShow"_qs, {lazyId});
        QCOMPARE(refused.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(refused.errorName(), u"org.freedesktop.DBus.Error.InvalidArgs"_qs);
        const QDBusMessage group =
            call(u"AboutToShowGroup"_qs, {QVariant::fromValue(QList<int>{0, lazyId, 77})});
        QCOMPARE(group.type(), QDBusMessage::ReplyMessage);
        QCOMPARE(qdbus_cast<QList<int>>(group.arguments().at(1)), (QList<int>{lazyId, 77}));
        // A removed submenu read, or said opened, is answered with nothing in it.
        call(u"Event"_qs, {lazyId, u"opened"_qs, QVariant::fromValue(QDBusVariant(0)), 0u});
        const QDBusMessage gone = call(u"GetLayout"_qs, {lazyId, -1, QStringList()});
        QCOMPARE(gone.type(), QDBusMessage::ReplyMessage);
        QVERIFY(
            qdbus_cast<platform::dbus::MenuLayoutItem>(gone.arguments().at(1)).children.isEmpty());
        QDBusConnection::disconnectFromPeer(u"host"_qs);
    }
};

QTEST_MAIN(TestDBusMenuExporter)
#include "testdbusmenuexporter.moc"
