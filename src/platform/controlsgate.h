#pragma once

// Holds back a data set's change notices while its bound controls are disabled, and says
// which kinds were held back when the last disabling ends.
class ControlsGate
{
public:
    enum Notice { Data = 1, Current = 2, State = 4 };

    void disable() { ++m_disabled; }
    // The notices held back (an OR of Notice) when this ends the last disabling, else 0.
    int enable();
    bool disabled() const { return m_disabled > 0; }
    // True when the notice may go out now; otherwise it is remembered.
    bool pass(Notice notice);

private:
    int m_disabled = 0;
    int m_held = 0;
};
