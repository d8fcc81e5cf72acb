#pragma once

#include "platform/lumoerror.h"

// The command line was not understood: the tool prints its usage and ends with exit code 2.
// Every other LumoError is bad input and ends with exit code 1.
class UsageError : public LumoError
{
public:
    using LumoError::LumoError;
};
