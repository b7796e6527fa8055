#include "dialogs/hotkeydialog.h"

#include "platform/desktop/globalhotkey.h"
#include "texts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QVBoxLayout>

namespace {
// Offered when the hotkey is switched on again with no key.
const QKeySequence usualKey(Qt::CTRL | Qt::ALT | Qt::Key_Space);
} // namespace

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
            m_key->setKeySequence(usualKey);
        tryKey();
    });
    // One combination is a hotkey: the edit is ended after the first.
    connect(m_key, &QKeySequenceEdit::keySequenceChanged, this, [this](const QKeySequence &key) {
        if (key.count() > 1)
            m_key->setKeySequence(QKeySequence(key[0]));
    });
    connect(m_key, &QKeySequenceEdit::editingFinished, this, &HotkeyDialog::tryKey);
    connect(&m_hotkey, &platform::GlobalHotkey::stateChanged, this, &HotkeyDialog::showState);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showState();
}

QKeySequence HotkeyDialog::chosenKey() const
{
    return m_use->isChecked() ? m_key->keySequence() : QKeySequence();
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

void HotkeyDialog::done(int result)
{
    if (result == Accepted)
        tryKey();
    else if (m_hotkey.key() != m_before)
        m_hotkey.setKey(m_before);
    QDialog::done(result);
}
