#pragma once

#include <QByteArray>
#include <memory>

namespace platform {

// Startup-notification ids for the programs the launcher starts. On X11 an id carries the time
// of the click or key press in one of our windows that started the program, by which the
// window manager lets the program's first window take the focus. There is none on Wayland,
// where only the compositor makes tokens, nor when our last input was not a moment ago: a
// click in a menu the desktop draws never reaches us, and an old time keeps a window behind.
class StartupIds
{
public:
    StartupIds(); // once the application object exists
    ~StartupIds();
    StartupIds(const StartupIds &) = delete;
    StartupIds &operator=(const StartupIds &) = delete;

    QByteArray next();

private:
    class InputTimes;
    std::unique_ptr<InputTimes> m_inputTimes;
    int m_count = 0;
};

} // namespace platform
