#include "dialogs/spokenstatus.h"

#include <QAccessibleWidget>

namespace {

// Of a class of its own only so that it can be given a role of its own.
class SpokenNotice : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;
};

QAccessibleInterface *accessibleStatus(const QString &className, QObject *object)
{
    if (className == QLatin1String("SpokenStatus"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::StatusBar);
    if (className == QLatin1String("SpokenNotice"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
    return nullptr;
}

} // namespace

SpokenStatus::SpokenStatus(const QWidget &window)
    : m_window(window), m_notice(new SpokenNotice(this))
{
    static const bool accessibleFactoryInstalled =
        (QAccessible::installFactory(accessibleStatus), true);
    Q_UNUSED(accessibleFactoryInstalled);
}

void SpokenStatus::tell(const QString &text)
{
    if (text == m_notice->accessibleName())
        return;
    m_notice->setAccessibleName(text);
    if (!m_window.isVisible())
        return;
    // Qt 6.4 sends name changes without the name, which Orca then does not speak; a notification
    // that is shown it speaks whole.
    QAccessibleEvent shown(m_notice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

#include "spokenstatus.moc"
