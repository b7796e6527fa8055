#include "dialogs/spokenstatus.h"

#include <QAccessibleWidget>
#include <QLabel>

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
    : m_window(window), m_notice(new SpokenNotice(this)), m_text(new QLabel(m_notice))
{
    static const bool accessibleFactoryInstalled =
        (QAccessible::installFactory(accessibleStatus), true);
    Q_UNUSED(accessibleFactoryInstalled);
}

void SpokenStatus::tell(const QString &text)
{
    if (text == m_text->text())
        return;
    m_text->setText(text);
    if (!m_window.isVisible())
        return;
    // Qt 6.4 sends name changes without the name, which Orca then does not speak; a notification
    // that is shown it speaks whole. Its own name stays empty: Orca would leave out a label
    // that says the same, and braille shows only the label.
    QAccessibleEvent shown(m_notice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

#include "spokenstatus.moc"
