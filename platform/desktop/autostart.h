#pragma once

#include <QString>
#include <utility>

namespace platform {

// Starting the program when the user logs in.
class Autostart
{
public:
    virtual ~Autostart() = default;
    virtual bool isEnabled() const = 0;
    // False when the setting could not be written or removed; it is then as it was.
    virtual bool setEnabled(bool enabled) = 0;
};

// What starts at login: the executable, the program's id (the XDG entry's file name and icon)
// and its name (the entry's Name, the Run key's value).
struct AutostartProgram
{
    QString executable;
    QString id;
    QString name;
};

// An XDG autostart entry for this executable in the user's autostart folder; on Windows, the
// user's Run key.
class SystemAutostart : public Autostart
{
public:
    explicit SystemAutostart(AutostartProgram program) : m_program(std::move(program)) {}
    bool isEnabled() const override;
    bool setEnabled(bool enabled) override;

private:
    // The entry's path (XDG) or the value's name (Windows).
    QString entry() const;

    AutostartProgram m_program;
};

} // namespace platform
