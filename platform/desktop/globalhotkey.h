#pragma once

#include <QByteArray>
#include <QKeySequence>
#include <QObject>
#include <QString>
#include <memory>

namespace platform {

// A key that reaches the program wherever the focus is: a passive grab on X11, the desktop
// portal's global shortcuts on Wayland, RegisterHotKey on Windows. Asking never waits: where
// the desktop answers later (the portal), the state is Pending until it does, and a desktop
// that never answers leaves it there without holding anything up.
class GlobalHotkey : public QObject
{
    Q_OBJECT

public:
    enum class State {
        Off,         // no key asked for
        Pending,     // asked, no answer yet
        Active,      // pressing the key emits pressed
        Taken,       // another program holds this key
        Unavailable, // this desktop offers no way to have one
    };

    // id and description: how the desktop lists the shortcut where it lists them (portal).
    GlobalHotkey(const QString &id, const QString &description, QObject *parent = nullptr);
    ~GlobalHotkey() override;

    // An empty sequence switches the key off. Only the first key combination counts.
    void setKey(const QKeySequence &key);
    QKeySequence key() const { return m_key; }
    State state() const { return m_state; }

    // The mechanisms behind it, one per desktop.
    class Mechanism;

signals:
    // activationToken: what the desktop gave to bring a window to the front, if anything.
    void pressed(const QByteArray &activationToken);
    void stateChanged(platform::GlobalHotkey::State state);

private:
    void setState(State state);
    // The one this desktop has, or nothing where it has none.
    static std::unique_ptr<Mechanism> mechanismFor(GlobalHotkey &owner, const QString &id,
                                                   const QString &description);

    QString m_id;
    QString m_description;
    QKeySequence m_key;
    State m_state = State::Off;
    std::unique_ptr<Mechanism> m_mechanism;
    bool m_mechanismAsked = false;
};

class GlobalHotkey::Mechanism
{
public:
    virtual ~Mechanism() = default;
    // Drops any key held before, then asks for this one (never empty), reporting through
    // report (at once or later) and press.
    virtual void grab(QKeyCombination key) = 0;
    virtual void release() = 0;

protected:
    explicit Mechanism(GlobalHotkey &owner) : m_owner(owner) {}
    void report(State state) { m_owner.setState(state); }
    void press(const QByteArray &token = {}) { emit m_owner.pressed(token); }
    GlobalHotkey &m_owner;
};

} // namespace platform
