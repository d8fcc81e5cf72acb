#pragma once

#include "platform/lumoerror.h"

// A print job that could not start or could not be finished; the text says why.
class PrintError : public LumoError
{
public:
    using LumoError::LumoError;
};
