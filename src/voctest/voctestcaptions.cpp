#include "voctest/voctestcaptions.h"

#include "uilang/translate.h"

VocTestCaptions VocTestCaptions::load(const QString &languageFile, const QString &section)
{
    VocTestCaptions c;
    const auto tr = [&](const char *key, QString &text) {
        text = Translate(languageFile, section, QString::fromLatin1(key), text);
    };
    tr("Caption", c.caption);
    tr("Label1", c.label1);
    tr("Label2", c.label2);
    tr("Label3", c.label3);
    tr("MsgTestAborded", c.msgTestAborded);
    tr("TestFinishedLabel", c.testFinishedLabel);
    tr("ImformationLabel", c.imformationLabel);
    tr("WordCountLabel", c.wordCountLabel);
    tr("MistakeCountLabel", c.mistakeCountLabel);
    tr("RightCountLabel", c.rightCountLabel);
    tr("InstrLabel", c.instrLabel);
    tr("TotalScoreLabel", c.totalScoreLabel);
    tr("OkBtn", c.okButton);
    tr("MistakeReportHint", c.mistakeReportHint);
    return c;
}
