#pragma once

// How the core shows that it is busy (the hourglass) without knowing about a GUI. The
// widgets give the real one; tests and tools use none().
class BusyIndicator
{
public:
    virtual ~BusyIndicator() = default;
    virtual void begin() = 0;
    virtual void end() = 0;

    // Shows nothing.
    static BusyIndicator &none();
};

// Busy for the lifetime of the scope, on every path out.
class BusyScope
{
public:
    explicit BusyScope(BusyIndicator &indicator) : m_indicator(indicator) { m_indicator.begin(); }
    ~BusyScope() { m_indicator.end(); }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    BusyIndicator &m_indicator;
};
