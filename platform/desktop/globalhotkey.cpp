#include "platform/desktop/globalhotkey.h"

namespace platform {

GlobalHotkey::GlobalHotkey(const QString &id, const QString &description, QObject *parent)
    : QObject(parent), m_id(id), m_description(description)
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
    // Made with the first key asked for, which is off the start-up path.
    if (!m_mechanism && !m_key.isEmpty() && !m_mechanismAsked) {
        m_mechanism = mechanismFor(*this, m_id, m_description);
        m_mechanismAsked = true;
    }
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
