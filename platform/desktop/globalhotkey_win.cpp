#include "platform/desktop/globalhotkey.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <windows.h>

namespace platform {
namespace {

UINT virtualKeyOf(Qt::Key key)
{
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return UINT(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return VK_F1 + UINT(key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_Return:
        return VK_RETURN;
    case Qt::Key_Tab:
        return VK_TAB;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Pause:
        return VK_PAUSE;
    default:
        return 0;
    }
}

// RegisterHotKey on the thread's own queue: WM_HOTKEY arrives without a window.
class WindowsHotkey : public GlobalHotkey::Mechanism, public QAbstractNativeEventFilter
{
public:
    explicit WindowsHotkey(GlobalHotkey &owner) : Mechanism(owner)
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~WindowsHotkey() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    void grab(QKeyCombination key) override
    {
        const UINT virtualKey = virtualKeyOf(key.key());
        if (virtualKey == 0) {
            report(GlobalHotkey::State::Unavailable);
            return;
        }
        UINT modifiers = MOD_NOREPEAT;
        const Qt::KeyboardModifiers qtModifiers = key.keyboardModifiers();
        if (qtModifiers & Qt::ShiftModifier)
            modifiers |= MOD_SHIFT;
        if (qtModifiers & Qt::ControlModifier)
            modifiers |= MOD_CONTROL;
        if (qtModifiers & Qt::AltModifier)
            modifiers |= MOD_ALT;
        if (qtModifiers & Qt::MetaModifier)
            modifiers |= MOD_WIN;
        m_registered = RegisterHotKey(nullptr, hotkeyId, modifiers, virtualKey) != 0;
        report(m_registered ? GlobalHotkey::State::Active : GlobalHotkey::State::Taken);
    }

    void release() override
    {
        if (m_registered)
            UnregisterHotKey(nullptr, hotkeyId);
        m_registered = false;
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        const auto *msg = static_cast<const MSG *>(message);
        if (m_registered && type == "windows_generic_MSG" && msg->message == WM_HOTKEY &&
            msg->wParam == hotkeyId) {
            press();
            return true;
        }
        return false;
    }

private:
    static constexpr int hotkeyId = 1;
    bool m_registered = false;
};

} // namespace

std::unique_ptr<GlobalHotkey::Mechanism>
GlobalHotkey::mechanismFor(GlobalHotkey &owner, const QString &, const QString &)
{
    return std::make_unique<WindowsHotkey>(owner);
}

} // namespace platform
