#pragma once

#include "platform/messageservice.h"

#include <cstdio>

// Message boxes of a benchmark: told on stderr, answered with OK, so that a run never waits.
class SilentMessages : public MessageService
{
public:
    Button show(Kind, const QString &text, int) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return Ok;
    }
};
