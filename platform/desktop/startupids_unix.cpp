#include "platform/desktop/startupids.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <xcb/xcb.h>

namespace platform {
namespace {
// A launch follows its click or key press at once; anything older did not start it.
constexpr qint64 momentMs = 2000;
} // namespace

class StartupIds::InputTimes : public QAbstractNativeEventFilter
{
public:
    InputTimes() { QCoreApplication::instance()->installNativeEventFilter(this); }
    ~InputTimes() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        switch (event->response_type & 0x7f) {
        case XCB_KEY_PRESS:
        case XCB_KEY_RELEASE:
        case XCB_BUTTON_PRESS:
        case XCB_BUTTON_RELEASE:
            // Key and button events share their layout up to the time.
            lastTime = static_cast<const xcb_key_press_event_t *>(message)->time;
            sinceLast.start();
            break;
        default:
            break;
        }
        return false;
    }

    xcb_timestamp_t lastTime = 0;
    QElapsedTimer sinceLast;
};

StartupIds::StartupIds()
{
    if (QGuiApplication::platformName() == u"xcb")
        m_inputTimes = std::make_unique<InputTimes>();
}

StartupIds::~StartupIds() = default;

QByteArray StartupIds::next()
{
    // The time and its timer are set together.
    if (!m_inputTimes || m_inputTimes->lastTime == 0 ||
        m_inputTimes->sinceLast.elapsed() > momentMs)
        return {};
    return QCoreApplication::applicationName().toLatin1() + '-' +
           QByteArray::number(QCoreApplication::applicationPid()) + '-' +
           QByteArray::number(++m_count) + "_TIME" + QByteArray::number(m_inputTimes->lastTime);
}

} // namespace platform
