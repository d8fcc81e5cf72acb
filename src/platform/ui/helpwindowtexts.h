#pragma once

#include <QString>

#include <functional>

// The texts of the help window and of its messages, English unless the UI language file
// gives others. Messages are joined with a line break and the path concerned.
struct HelpWindowTexts
{
    QString caption = QStringLiteral("Lumo '97 Help");
    QString contentsButton = QStringLiteral("&Contents");
    QString backButton = QStringLiteral("&Back");
    QString forwardButton = QStringLiteral("&Forward");
    QString searchButton = QStringLiteral("&Search");
    QString searchLabel = QStringLiteral("Type the word you are looking for:");
    QString displayButton = QStringLiteral("&Display");
    QString msgHelpFileMissing = QStringLiteral("The help file could not be found:");
    QString msgHelpTopicMissing = QStringLiteral("This help topic could not be found:");
    QString msgHelpPageInEnglish =
        QStringLiteral("This page has not been translated yet, so it is shown in English.");

    // Looks every text up under its key ("HelpWindowCaption", ..., "MsgHelpFileMissing",
    // "MsgHelpTopicMissing", "MsgHelpPageInEnglish"), with the English text as the default.
    using Lookup = std::function<QString(const QString &key, const QString &english)>;
    static HelpWindowTexts translated(const Lookup &lookup);
};
