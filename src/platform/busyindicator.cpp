#include "platform/busyindicator.h"

namespace {
class NoIndicator : public BusyIndicator
{
public:
    void begin() override {}
    void end() override {}
};
} // namespace

BusyIndicator &BusyIndicator::none()
{
    static NoIndicator indicator;
    return indicator;
}
