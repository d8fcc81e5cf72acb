#pragma once

#include "platform/busyindicator.h"

// The hourglass over the whole application while the core is busy; nested uses stack.
class WaitCursor : public BusyIndicator
{
public:
    void begin() override;
    void end() override;
};
