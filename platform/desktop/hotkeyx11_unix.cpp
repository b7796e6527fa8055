#include "platform/desktop/hotkeymechanisms_unix.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QList>
#include <xcb/xcb.h>

namespace platform {
namespace {

// The X keysym of a key, for the keys a hotkey is made of.
xcb_keysym_t keysymOf(Qt::Key key)
{
    if ((key >= Qt::Key_A && key <= Qt::Key_Z))
        return xcb_keysym_t(key - Qt::Key_A + 'a');
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Space)
        return xcb_keysym_t(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return xcb_keysym_t(0xffbe + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Return:
        return 0xff0d;
    case Qt::Key_Tab:
        return 0xff09;
    case Qt::Key_Insert:
        return 0xff63;
    case Qt::Key_Delete:
        return 0xffff;
    case Qt::Key_Home:
        return 0xff50;
    case Qt::Key_End:
        return 0xff57;
    case Qt::Key_PageUp:
        return 0xff55;
    case Qt::Key_PageDown:
        return 0xff56;
    case Qt::Key_Left:
        return 0xff51;
    case Qt::Key_Up:
        return 0xff52;
    case Qt::Key_Right:
        return 0xff53;
    case Qt::Key_Down:
        return 0xff54;
    case Qt::Key_Pause:
        return 0xff13;
    case Qt::Key_Print:
        return 0xff61;
    case Qt::Key_Comma:
        return ',';
    case Qt::Key_Period:
        return '.';
    case Qt::Key_Slash:
        return '/';
    case Qt::Key_Semicolon:
        return ';';
    case Qt::Key_Minus:
        return '-';
    default:
        return 0;
    }
}

uint16_t modifiersOf(Qt::KeyboardModifiers modifiers)
{
    uint16_t mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & Qt::AltModifier)
        mask |= XCB_MOD_MASK_1;
    if (modifiers & Qt::MetaModifier)
        mask |= XCB_MOD_MASK_4;
    return mask;
}

// CapsLock and NumLock change the state a key arrives with: the key is grabbed with every
// combination of them.
constexpr uint16_t lockVariants[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                     XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

class X11Hotkey : public GlobalHotkey::Mechanism, public QAbstractNativeEventFilter
{
public:
    X11Hotkey(GlobalHotkey &owner, xcb_connection_t *connection)
        : Mechanism(owner), m_connection(connection),
          m_root(xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root)
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    ~X11Hotkey() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    void grab(QKeyCombination key) override
    {
        m_keycode = keycodeOf(keysymOf(key.key()));
        m_modifiers = modifiersOf(key.keyboardModifiers());
        if (m_keycode == 0) {
            report(GlobalHotkey::State::Unavailable);
            return;
        }
        QList<xcb_void_cookie_t> cookies;
        for (uint16_t variant : lockVariants) {
            cookies << xcb_grab_key_checked(m_connection, 0, m_root, m_modifiers | variant,
                                            m_keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        }
        // Another client's grab of the same key is refused with BadAccess. Every press comes
        // to the root window, also while one of our own windows has the focus.
        bool refused = false;
        for (const xcb_void_cookie_t &cookie : cookies) {
            if (xcb_generic_error_t *error = xcb_request_check(m_connection, cookie)) {
                refused = true;
                free(error);
            }
        }
        if (refused) {
            release();
            report(GlobalHotkey::State::Taken);
            return;
        }
        report(GlobalHotkey::State::Active);
    }

    void release() override
    {
        if (m_keycode == 0)
            return;
        for (uint16_t variant : lockVariants)
            xcb_ungrab_key(m_connection, m_keycode, m_root, m_modifiers | variant);
        xcb_flush(m_connection);
        m_keycode = 0;
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (m_keycode == 0 || type != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
            return false;
        const auto *key = static_cast<const xcb_key_press_event_t *>(message);
        const uint16_t relevant =
            XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;
        if (key->event == m_root && key->detail == m_keycode &&
            (key->state & relevant) == m_modifiers)
            press();
        // Qt still sees the press, which brings its clock up to this moment: the window the
        // press opens may then take the focus.
        return false;
    }

private:
    xcb_keycode_t keycodeOf(xcb_keysym_t keysym) const
    {
        if (keysym == 0)
            return 0;
        const xcb_setup_t *setup = xcb_get_setup(m_connection);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t *mapping = xcb_get_keyboard_mapping_reply(
            m_connection,
            xcb_get_keyboard_mapping(m_connection, setup->min_keycode, uint8_t(count)), nullptr);
        if (!mapping)
            return 0;
        const xcb_keysym_t *keysyms = xcb_get_keyboard_mapping_keysyms(mapping);
        const int perKeycode = mapping->keysyms_per_keycode;
        xcb_keycode_t found = 0;
        for (int i = 0; i < count && found == 0; ++i) {
            // The unshifted and shifted symbols of each key.
            for (int column = 0; column < std::min(perKeycode, 2); ++column) {
                if (keysyms[i * perKeycode + column] == keysym) {
                    found = xcb_keycode_t(setup->min_keycode + i);
                    break;
                }
            }
        }
        free(mapping);
        return found;
    }

    xcb_connection_t *m_connection;
    xcb_window_t m_root;
    xcb_keycode_t m_keycode = 0;
    uint16_t m_modifiers = 0;
};

} // namespace

std::unique_ptr<GlobalHotkey::Mechanism> x11HotkeyMechanism(GlobalHotkey &owner)
{
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return nullptr;
    return std::make_unique<X11Hotkey>(owner, x11->connection());
}

} // namespace platform
