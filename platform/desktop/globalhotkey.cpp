#include "platform/desktop/globalhotkey.h"

namespace platform {

GlobalHotkey::GlobalHotkey(const QString &id, const QString &description, QObject *parent)
    : QObject(parent), m_mechanism(mechanismFor(*this, id, description))
{
}

GlobalHotkey::~GlobalHotkey()
{
    if (m_mechanism)
        m_mechanism->release();
}

void GlobalHotkey::setKey(const QKeySequence &key)
{
    m_key = key.isEmpty() ? QKeySequence() : QKeySequence(key[0]);
    if (m_mechanism)
        m_mechanism->release();
    if (m_key.isEmpty())
        setState(State::Off);
    else if (!m_mechanism)
        setState(State::Unavailable);
    else
        m_mechanism->grab(m_key[0]);
}

void GlobalHotkey::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged(state);
}

} // namespace platform
