#pragma once

#include <QString>

// The texts of the test engine's two windows and its abort message, from the UI language
// file (the engine's own section) or in English.
struct VocTestCaptions
{
    QString caption = QStringLiteral("Mistake");
    QString label1 = QStringLiteral("Sorry, the answer you gave was not completely right!");
    QString label2 = QStringLiteral("The correct translation for");
    QString label3 = QStringLiteral("is");
    QString msgTestAborded = QStringLiteral("Test aborded!");
    QString testFinishedLabel = QStringLiteral("Test successfully completet!");
    QString imformationLabel = QStringLiteral("Information:");
    QString wordCountLabel = QStringLiteral("Word count:");
    QString mistakeCountLabel = QStringLiteral("Mistakes:");
    QString rightCountLabel = QStringLiteral("Correct:");
    QString instrLabel = QStringLiteral("See the logbook for further information about this test.");
    QString totalScoreLabel = QStringLiteral("Total Score");
    QString okButton = QStringLiteral("Ok");
    QString mistakeReportHint = QStringLiteral("Press any key or mouse button to close this window");

    // Every text from section of languageFile, the English text where the file or key is missing.
    static VocTestCaptions load(const QString &languageFile, const QString &section);
};
