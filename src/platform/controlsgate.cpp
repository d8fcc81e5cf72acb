#include "platform/controlsgate.h"

#include <utility>

int ControlsGate::enable()
{
    if (m_disabled == 0 || --m_disabled > 0)
        return 0;
    return std::exchange(m_held, 0);
}

bool ControlsGate::pass(Notice notice)
{
    if (m_disabled == 0)
        return true;
    m_held |= notice;
    return false;
}
