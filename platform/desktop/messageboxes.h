#pragma once

#include <QString>

namespace platform {

// Message boxes with an OK button only and no icon. Lines in the prompt are joined by CR LF.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    virtual void show(const QString &prompt, const QString &title) = 0;
};

class QtMessageBoxes : public MessageBoxes
{
public:
    void show(const QString &prompt, const QString &title) override;
};

} // namespace platform
