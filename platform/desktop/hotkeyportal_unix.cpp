#include "platform/desktop/hotkeymechanisms_unix.h"

#include "platform/system/dbusstructure.h"
#include <QCoreApplication>

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>
#include <QUuid>

namespace platform {
namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
// A portal that has not answered by then is taken to be unable to.
constexpr std::chrono::seconds answerTime{30};

struct Shortcut
{
    QString id;
    QVariantMap properties;

    static auto members(auto &self) { return std::tie(self.id, self.properties); }
};
using dbus::operator<<;
using dbus::operator>>;

} // namespace
} // namespace platform

Q_DECLARE_METATYPE(platform::Shortcut)

namespace platform {
namespace {

// The shortcut as the portal wants it described: CTRL+ALT+space.
QString triggerOf(QKeyCombination key)
{
    QStringList parts;
    const Qt::KeyboardModifiers modifiers = key.keyboardModifiers();
    if (modifiers & Qt::ShiftModifier)
        parts << QStringLiteral("SHIFT");
    if (modifiers & Qt::ControlModifier)
        parts << QStringLiteral("CTRL");
    if (modifiers & Qt::AltModifier)
        parts << QStringLiteral("ALT");
    if (modifiers & Qt::MetaModifier)
        parts << QStringLiteral("LOGO");
    const QString name = QKeySequence(key.key()).toString(QKeySequence::PortableText);
    parts << (name.size() == 1 || name == QLatin1String("Space") ? name.toLower() : name);
    return parts.join(u'+');
}

// The session's name: the same at every start, because a desktop that has no app id for a
// program started outside its launcher (xdg-desktop-portal 1.16 takes one from a systemd unit
// only) files the binding under it, and keeps what the user changed there from run to run.
QString sessionToken()
{
    QString token;
    for (const QChar ch : QCoreApplication::applicationName()) {
        if (ch.unicode() < 0x80 && ch.isLetterOrNumber())
            token += ch;
    }
    return token.isEmpty() ? QStringLiteral("hotkey") : token;
}

// The desktop portal's global shortcuts: a session, one shortcut bound in it, and its
// Activated signal. Every call is asynchronous: the portal may show the user a dialog first.
// KDE Plasma 5.27 binds the shortcuts named when the session is made and answers with them;
// asked to bind afterwards, it opens its shortcut settings instead, so it is not asked when
// the session already has the shortcut.
class PortalHotkey : public QObject, public GlobalHotkey::Mechanism
{
    Q_OBJECT

public:
    PortalHotkey(GlobalHotkey &owner, const QString &id, const QString &description)
        : Mechanism(owner), m_bus(QDBusConnection::sessionBus()), m_id(id),
          m_description(description)
    {
        qDBusRegisterMetaType<Shortcut>();
        qDBusRegisterMetaType<QList<Shortcut>>();
        m_bus.connect(portalService, QString(), QStringLiteral("org.freedesktop.portal.Request"),
                      QStringLiteral("Response"), this, SLOT(responded(QDBusMessage)));
        m_bus.connect(portalService, portalPath, shortcutsInterface, QStringLiteral("Activated"),
                      this, SLOT(activated(QDBusMessage)));
        // The user may change or clear the key in the desktop's settings.
        m_bus.connect(portalService, portalPath, shortcutsInterface,
                      QStringLiteral("ShortcutsChanged"), this, SLOT(changed(QDBusMessage)));
        m_giveUp.setSingleShot(true);
        connect(&m_giveUp, &QTimer::timeout, this, [this] { fail(); });
    }

    ~PortalHotkey() override { release(); }

    void grab(QKeyCombination key) override
    {
        m_trigger = triggerOf(key);
        report(GlobalHotkey::State::Pending);
        m_giveUp.start(answerTime);
        const QString handle = newToken();
        QVariantMap options{{QStringLiteral("handle_token"), handle},
                            {QStringLiteral("session_handle_token"), sessionToken()},
                            {QStringLiteral("shortcuts"), QVariant::fromValue(shortcuts())}};
        call(QStringLiteral("CreateSession"), {options}, Step::CreateSession, handle);
    }

    void release() override
    {
        m_giveUp.stop();
        m_waitingFor.clear();
        if (m_session.isEmpty())
            return;
        m_bus.asyncCall(QDBusMessage::createMethodCall(
            portalService, m_session, QStringLiteral("org.freedesktop.portal.Session"),
            QStringLiteral("Close")));
        m_session.clear();
    }

private slots:
    void responded(const QDBusMessage &message)
    {
        if (message.path() != m_waitingFor || message.arguments().size() < 2)
            return;
        m_waitingFor.clear();
        const uint response = message.arguments().at(0).toUInt();
        const QVariantMap results =
            qdbus_cast<QVariantMap>(message.arguments().at(1).value<QDBusArgument>());
        if (response != 0)
            return fail();
        if (m_step == Step::CreateSession) {
            const QVariant session = results.value(QStringLiteral("session_handle"));
            m_session = session.canConvert<QDBusObjectPath>()
                            ? session.value<QDBusObjectPath>().path()
                            : session.toString();
            if (m_session.isEmpty())
                return fail();
            if (!boundIn(results.value(QStringLiteral("shortcuts")))) {
                const QString handle = newToken();
                call(QStringLiteral("BindShortcuts"),
                     {QVariant::fromValue(QDBusObjectPath(m_session)),
                      QVariant::fromValue(shortcuts()), QString(),
                      QVariantMap{{QStringLiteral("handle_token"), handle}}},
                     Step::BindShortcuts, handle);
                return;
            }
        }
        m_giveUp.stop();
        // The user may have been shown a dialog and left the shortcut out.
        reportWhetherBound(results.value(QStringLiteral("shortcuts")));
    }

    void changed(const QDBusMessage &message)
    {
        const QList<QVariant> arguments = message.arguments();
        if (arguments.size() < 2 || m_session.isEmpty() || !m_waitingFor.isEmpty() ||
            arguments.at(0).value<QDBusObjectPath>().path() != m_session)
            return;
        reportWhetherBound(arguments.at(1));
    }

    void activated(const QDBusMessage &message)
    {
        const QList<QVariant> arguments = message.arguments();
        if (arguments.size() < 2 || m_session.isEmpty() ||
            arguments.at(0).value<QDBusObjectPath>().path() != m_session ||
            arguments.at(1).toString() != m_id)
            return;
        QVariantMap options;
        if (arguments.size() >= 4)
            options = qdbus_cast<QVariantMap>(arguments.at(3).value<QDBusArgument>());
        press(options.value(QStringLiteral("activation_token")).toString().toUtf8());
    }

private:
    enum class Step { CreateSession, BindShortcuts };

    QList<Shortcut> shortcuts() const
    {
        return {{m_id,
                 {{QStringLiteral("description"), m_description},
                  {QStringLiteral("preferred_trigger"), m_trigger}}}};
    }

    // Whether the portal's list of shortcuts has ours with a key: one the user cleared in the
    // desktop's settings is listed with an empty trigger.
    bool boundIn(const QVariant &shortcuts) const
    {
        if (!shortcuts.canConvert<QDBusArgument>())
            return false;
        const auto bound = qdbus_cast<QList<Shortcut>>(shortcuts.value<QDBusArgument>());
        return std::any_of(bound.begin(), bound.end(), [this](const Shortcut &s) {
            const QVariant trigger = s.properties.value(QStringLiteral("trigger_description"));
            return s.id == m_id && (!trigger.isValid() || !trigger.toString().isEmpty());
        });
    }

    void reportWhetherBound(const QVariant &shortcuts)
    {
        report(boundIn(shortcuts) ? GlobalHotkey::State::Active : GlobalHotkey::State::Unavailable);
    }

    static QString newToken()
    {
        return sessionToken() + QUuid::createUuid().toString(QUuid::Id128);
    }

    // handle: the handle_token given in the call, which names the request its answer comes
    // from; that answer may arrive before the call's own reply.
    void call(const QString &method, const QList<QVariant> &arguments, Step step,
              const QString &handle)
    {
        QDBusMessage message =
            QDBusMessage::createMethodCall(portalService, portalPath, shortcutsInterface, method);
        message.setArguments(arguments);
        m_step = step;
        QString sender = m_bus.baseService().mid(1);
        sender.replace(u'.', u'_');
        m_waitingFor =
            QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, handle);
        auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [this, expected = m_waitingFor](QDBusPendingCallWatcher *finished) {
                    finished->deleteLater();
                    const QDBusPendingReply<QDBusObjectPath> reply = *finished;
                    // No portal, or one without global shortcuts (older GNOME, sway).
                    if (reply.isError())
                        return fail();
                    // A portal older than handle tokens answers from the path it returns.
                    if (m_waitingFor == expected)
                        m_waitingFor = reply.value().path();
                });
    }

    void fail()
    {
        release();
        report(GlobalHotkey::State::Unavailable);
    }

    QDBusConnection m_bus;
    QString m_id;
    QString m_description;
    QString m_trigger;
    QString m_session;
    QString m_waitingFor; // the request whose Response comes next
    Step m_step = Step::CreateSession;
    QTimer m_giveUp;
};

} // namespace

std::unique_ptr<GlobalHotkey::Mechanism>
portalHotkeyMechanism(GlobalHotkey &owner, const QString &id, const QString &description)
{
    if (!QDBusConnection::sessionBus().isConnected())
        return nullptr;
    return std::make_unique<PortalHotkey>(owner, id, description);
}

} // namespace platform

#include "hotkeyportal_unix.moc"
