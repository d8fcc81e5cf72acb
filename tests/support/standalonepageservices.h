#pragma once

#include "platform/busyindicator.h"
#include "widgets/pageservices.h"

// The services of a page shown without the main window: the caller's messages and table, no
// unit chosen, no texts kept from a language file, no help and no file dialog.
struct StandalonePageServices
{
    StandalonePageServices(MessageService &messages, TLumoTable &table)
        : services{messages,
                   BusyIndicator::none(),
                   table,
                   unit,
                   [](const QString &) { return QString(); },
                   [] { return nullptr; },
                   [](int) {},
                   [] { return QString(); }}
    {}
    // The page keeps a reference to the services.
    StandalonePageServices(const StandalonePageServices &) = delete;
    StandalonePageServices &operator=(const StandalonePageServices &) = delete;

    OpenUnit unit;
    PageServices services;
};
