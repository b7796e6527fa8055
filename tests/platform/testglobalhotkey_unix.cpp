#include "platform/desktop/globalhotkey.h"
#include "platform/desktop/hotkeymechanisms_unix.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <xcb/xcb.h>

using State = platform::GlobalHotkey::State;

// Run on a private X server and session bus (in-session.sh).
class TestGlobalHotkey : public QObject
{
    Q_OBJECT

    const QKeySequence ctrlAltSpace{Qt::CTRL | Qt::ALT | Qt::Key_Space};

    // The desktop portal stand-in, answering or not, for as long as it is held.
    struct Portal : QProcess
    {
        ~Portal() override
        {
            kill();
            waitForFinished();
        }
    };
    std::unique_ptr<Portal> startPortal(const QStringList &arguments = {})
    {
        auto portal = std::make_unique<Portal>();
        portal->start(QStringLiteral(QUORVEL_E2E "/fake-portal.py"), arguments);
        const auto registered = [] {
            return QDBusConnection::sessionBus().interface()->isServiceRegistered(
                QStringLiteral("org.freedesktop.portal.Desktop"));
        };
        if (!QTest::qWaitFor(registered, 10000))
            qFatal("the portal stand-in did not start");
        return portal;
    }

private slots:
    void aKeyAnotherProgramHoldsIsReportedTaken()
    {
        // Another client grabs Ctrl+Alt+Space first, as another launcher would.
        xcb_connection_t *other = xcb_connect(nullptr, nullptr);
        const xcb_setup_t *setup = xcb_get_setup(other);
        const xcb_window_t root = xcb_setup_roots_iterator(setup).data->root;
        for (xcb_keycode_t code = setup->min_keycode; code < setup->max_keycode; ++code)
            xcb_grab_key(other, 0, root, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1, code,
                         XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        // A round trip: the grabs are in place before ours is asked for.
        free(xcb_get_input_focus_reply(other, xcb_get_input_focus(other), nullptr));

        platform::GlobalHotkey hotkey(QStringLiteral("search"), QStringLiteral("search"));
        hotkey.setKey(ctrlAltSpace);
        QCOMPARE(hotkey.state(), State::Taken);
        xcb_ungrab_key(other, XCB_GRAB_ANY, root, XCB_MOD_MASK_ANY);
        free(xcb_get_input_focus_reply(other, xcb_get_input_focus(other), nullptr));
        xcb_disconnect(other);

        // Free again: taken, and pressing it reaches the program.
        hotkey.setKey(ctrlAltSpace);
        QCOMPARE(hotkey.state(), State::Active);
        QSignalSpy presses(&hotkey, &platform::GlobalHotkey::pressed);
        QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"),
                                                      QStringLiteral("ctrl+alt+space")});
        QVERIFY(presses.wait(5000));
        hotkey.setKey({});
        QCOMPARE(hotkey.state(), State::Off);
    }

    void thePortalBindsTheKeyAndActivatedPressesIt()
    {
        const auto portal = startPortal();
        platform::GlobalHotkey owner(QStringLiteral("search"), QStringLiteral("search"));
        const auto mechanism = platform::portalHotkeyMechanism(owner, QStringLiteral("search"),
                                                               QStringLiteral("検索"));
        QVERIFY(mechanism);
        QSignalSpy presses(&owner, &platform::GlobalHotkey::pressed);
        mechanism->grab(ctrlAltSpace[0]);
        QCOMPARE(owner.state(), State::Pending);
        QTRY_COMPARE(owner.state(), State::Active);

        QDBusInterface test(QStringLiteral("org.freedesktop.portal.Desktop"),
                            QStringLiteral("/org/freedesktop/portal/desktop"),
                            QStringLiteral("org.quorvel.TestPortal"));
        QCOMPARE(test.call(QStringLiteral("Bound")).arguments().value(0).toString(),
                 QStringLiteral("TestGlobalHotkey:search=CTRL+ALT+space"));
        test.call(QStringLiteral("Activate"), QStringLiteral("other"), QStringLiteral("t0"));
        test.call(QStringLiteral("Activate"), QStringLiteral("search"), QStringLiteral("t1"));
        QVERIFY(presses.wait(5000));
        QCOMPARE(presses.size(), 1);
        QCOMPARE(presses.first().first().toByteArray(), QByteArray("t1"));
    }

    void aPortalThatNeverAnswersHoldsNothingUp()
    {
        const auto portal = startPortal({QStringLiteral("silent")});
        platform::GlobalHotkey owner(QStringLiteral("search"), QStringLiteral("search"));
        const auto mechanism = platform::portalHotkeyMechanism(owner, QStringLiteral("search"),
                                                               QStringLiteral("検索"));
        mechanism->grab(ctrlAltSpace[0]);
        QTest::qWait(500);
        QCOMPARE(owner.state(), State::Pending);
    }

    void noPortalIsUnavailable()
    {
        platform::GlobalHotkey owner(QStringLiteral("search"), QStringLiteral("search"));
        const auto mechanism = platform::portalHotkeyMechanism(owner, QStringLiteral("search"),
                                                               QStringLiteral("検索"));
        mechanism->grab(ctrlAltSpace[0]);
        QTRY_COMPARE(owner.state(), State::Unavailable);
    }
};

QTEST_MAIN(TestGlobalHotkey)
#include "testglobalhotkey_unix.moc"
