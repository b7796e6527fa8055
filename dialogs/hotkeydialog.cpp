#include "dialogs/hotkeydialog.h"

#include "platform/desktop/globalhotkey.h"
#include "texts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeySequenceEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

HotkeyDialog::HotkeyDialog(platform::GlobalHotkey &hotkey, QWidget *parent)
    : QDialog(parent), m_hotkey(hotkey), m_before(hotkey.key()),
      m_use(new QCheckBox(texts::hotkeyUse)), m_key(new QKeySequenceEdit(hotkey.key())),
      m_state(new QLabel)
{
    setWindowTitle(texts::hotkeyTitle);
    m_use->setChecked(!m_before.isEmpty());
    m_key->setEnabled(!m_before.isEmpty());
    m_state->setWordWrap(true);
    m_state->setMinimumWidth(360);
    m_state->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto *keyRow = new QFormLayout;
    auto *keyLabel = new QLabel(texts::hotkeyKey);
    keyLabel->setBuddy(m_key);
    keyRow->addRow(keyLabel, m_key);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_use);
    layout->addLayout(keyRow);
    layout->addWidget(m_state);
    layout->addWidget(buttons);

    connect(m_use, &QCheckBox::toggled, this, [this](bool on) {
        m_key->setEnabled(on);
        if (on && m_key->keySequence().isEmpty())
            m_key->setKeySequence(usualKey());
        tryKey();
    });
    // One combination is a hotkey: the edit ends with the first.
    connect(m_key, &QKeySequenceEdit::keySequenceChanged, this, [this](const QKeySequence &key) {
        if (key.count() > 1)
            m_key->setKeySequence(QKeySequence(key[0]));
    });
    m_key->installEventFilter(this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(m_key, &QKeySequenceEdit::editingFinished, this, &HotkeyDialog::tryKey);
    connect(&m_hotkey, &platform::GlobalHotkey::stateChanged, this, &HotkeyDialog::showState);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showState();
}

QKeySequence HotkeyDialog::chosenKey() const
{
    if (!m_use->isChecked())
        return {};
    // A field emptied on the way to a new key keeps the key there was.
    return m_key->keySequence().isEmpty() ? m_hotkey.key() : m_key->keySequence();
}

void HotkeyDialog::tryKey()
{
    if (chosenKey() != m_hotkey.key())
        m_hotkey.setKey(chosenKey());
    showState();
}

void HotkeyDialog::showState()
{
    using State = platform::GlobalHotkey::State;
    switch (m_hotkey.state()) {
    case State::Off: m_state->setText(texts::hotkeyOff); break;
    case State::Pending: m_state->setText(texts::hotkeyPending); break;
    case State::Active: m_state->setText(texts::hotkeyActive); break;
    case State::Taken: m_state->setText(texts::hotkeyTaken); break;
    case State::Unavailable: m_state->setText(texts::hotkeyUnavailable); break;
    }
}

bool HotkeyDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Once a key other than a modifier is pressed the combination is complete: the focus moves
    // on, which ends the edit, and Enter then means OK rather than a key.
    if (watched == m_key && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Control && key != Qt::Key_Alt && key != Qt::Key_Shift &&
            key != Qt::Key_Meta && key != Qt::Key_AltGr)
            QTimer::singleShot(0, m_ok, [this] { m_ok->setFocus(); });
    }
    return QDialog::eventFilter(watched, event);
}

void HotkeyDialog::done(int result)
{
    if (result == Accepted)
        tryKey();
    else if (m_hotkey.key() != m_before)
        m_hotkey.setKey(m_before);
    QDialog::done(result);
}
