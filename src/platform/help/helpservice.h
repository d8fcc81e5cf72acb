#pragma once

#include <QString>

// The program's help: contents, keyword search, help on using help and the topics that
// pages and dialogs ask for by their help context number. The help file is the one set at
// start-up or named by the UI language file; the real implementation shows it in a help
// window, tests record what was asked for.
class HelpService
{
public:
    virtual ~HelpService() = default;

    virtual void setHelpFile(const QString &path) = 0;
    virtual QString helpFile() const = 0;

    virtual void showContents() = 0;
    // The keyword search, with an empty search text.
    virtual void showSearch() = 0;
    virtual void showHowToUse() = 0;
    virtual void showTopic(int helpContext) = 0;
};
