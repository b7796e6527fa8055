#pragma once

#include <QObject>
#include <QPointer>
#include <optional>

namespace platform {

// Keeps the toolkit's screen-reader support in step with the session's accessibility status,
// which a user turns on and off while the program runs (Orca started later, Super+Alt+S).
// Qt reads that status only when the accessibility bus appears, so a program started with it
// off stayed out of a screen reader's reach until restarted. This follows every change, with
// no blocking call. Made right after the application object and before any window, since it
// finds Qt's bridge as Qt makes it. Where Qt answers screen readers by itself (Windows), the
// build has no D-Bus, or the environment forces Qt's bridge on, it does nothing.
class AccessibilityStatus : public QObject
{
    Q_OBJECT

public:
    explicit AccessibilityStatus(QObject *parent = nullptr);

    // Whether the session asks for assistive technologies, as last read.
    bool isOn() const { return m_on.value_or(false); }

signals:
    void changed(bool on);

private:
    void readStatus();
    void apply(bool on);
    void connectBridge();

    QPointer<QObject> m_bridge; // Qt's link to the accessibility bus; none: nothing to follow
    std::optional<bool> m_on;   // none until first read
    quint64 m_reads = 0;        // only the latest read counts
};

} // namespace platform
