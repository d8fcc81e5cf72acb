#pragma once

#include <QString>

// Cases without any sound device: the current test executable started again, with the name
// of the current test function, pointed at a sound server that does not exist. The function
// does the work when inChild() is true and starts the child otherwise. A child that does not
// end in time counts as hanging and fails the case.
class WithoutSoundDevice
{
public:
    struct Result
    {
        bool passed = false;
        QString report; // the child's output, or why it failed
    };

    static bool inChild();
    static Result run();
};

#define VERIFY_WITHOUT_SOUND_DEVICE()                                                                        \
    do {                                                                                                     \
        const WithoutSoundDevice::Result childResult_ = WithoutSoundDevice::run();                           \
        QVERIFY2(childResult_.passed, qPrintable(childResult_.report));                                      \
    } while (false)
