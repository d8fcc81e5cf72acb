#include "platform/ui/helpwindowtexts.h"

HelpWindowTexts HelpWindowTexts::translated(const Lookup &lookup)
{
    HelpWindowTexts texts;
    const struct
    {
        const char *key;
        QString HelpWindowTexts::*text;
    } keys[] = {
        {"HelpWindowCaption", &HelpWindowTexts::caption},
        {"HelpContentsBtn", &HelpWindowTexts::contentsButton},
        {"HelpBackBtn", &HelpWindowTexts::backButton},
        {"HelpForwardBtn", &HelpWindowTexts::forwardButton},
        {"HelpSearchBtn", &HelpWindowTexts::searchButton},
        {"HelpSearchLabel", &HelpWindowTexts::searchLabel},
        {"HelpDisplayBtn", &HelpWindowTexts::displayButton},
        {"MsgHelpFileMissing", &HelpWindowTexts::msgHelpFileMissing},
        {"MsgHelpTopicMissing", &HelpWindowTexts::msgHelpTopicMissing},
        {"MsgHelpPageInEnglish", &HelpWindowTexts::msgHelpPageInEnglish},
    };
    for (const auto &entry : keys)
        texts.*entry.text = lookup(QString::fromLatin1(entry.key), texts.*entry.text);
    return texts;
}
