// The logbook page of the main window: what entering it prepares, and its two buttons.
#include "app/ui/mainform.h"
#include "app/ui/pagecontrol.h"
#include "logbook/logbookstore.h"
#include "logbook/ui/logbookpage.h"
#include "logbook/ui/loggraph.h"
#include "logbook/ui/lumodbloggrid.h"
#include "platform/busyindicator.h"
#include "platform/errorboundary.h"
#include "repetition/duewords.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "vocfile/lumotable.h"

#include <QLabel>
#include <QPushButton>

namespace {
constexpr int LogbookPageHelp = 380;
} // namespace

QString TMainForm::LumoTable1FilterRecord()
{
    return LogbookStore::mistakesCondition();
}

void TMainForm::connectLogbook()
{
    m_lumoTable1->setFilterCondition(LumoTable1FilterRecord());
    m_logbookPage->LumoDBLogGrid1->setDataSet(m_lumoTable1, m_messages);
    connect(m_logbookPage->ResetLogBtn, &QPushButton::clicked, this, &TMainForm::ResetLogBtnClick);
    connect(m_logbookPage->SaveMistakesBtn, &QPushButton::clicked, this, &TMainForm::SaveMistakesBtnClick);
}

void TMainForm::enterLogbookPage()
{
    m_pageControl->setHelpContext(LogbookPageHelp);
    openUnitTable(true);
    TLumoDBLogGrid *grid = m_logbookPage->LumoDBLogGrid1;
    grid->setVocabularyFile(m_unit.descriptor);
    // The chart reads its axis texts and the unit's results as it is given them.
    m_logbookPage->LogGraph1->setLanguageFile(m_unitPage->LumoListView1->languageFile());
    m_logbookPage->LogGraph1->setVocabularyFile(m_unit.descriptor);
    m_logbookPage->FileNameLabel2->setText(grid->title());
    m_logbookPage->LastTestDate->setText(grid->lastTestDate());
    m_logbookPage->DescriptionLabel2->setText(grid->description());
    m_logbookPage->TestCount->setText(QString::number(grid->testCount()));
    showDueCounts();
}

void TMainForm::showDueCounts()
{
    // A unit that cannot tell its reviews shows no counts; the logbook itself is unaffected.
    m_logbookPage->DueToday->clear();
    m_logbookPage->DueWeek->clear();
    Guarded(m_messages, [this] {
        const ReviewStore::DueCounts due = DueWords::counts(*m_lumoTable1, QDateTime::currentDateTime());
        m_logbookPage->DueToday->setText(QString::number(due.today));
        m_logbookPage->DueWeek->setText(QString::number(due.nextWeek));
    });
}

void TMainForm::ResetLogBtnClick()
{
    Guarded(m_messages, [this] {
        const BusyScope busy(m_waitCursor);
        TLumoDBLogGrid *grid = m_logbookPage->LumoDBLogGrid1;
        grid->ResetLog();
        m_logbookPage->LogGraph1->setVocabularyFile(m_unit.descriptor);
        m_logbookPage->LastTestDate->setText(grid->lastTestDate());
        m_logbookPage->TestCount->setText(QString::number(grid->testCount()));
    });
}

void TMainForm::SaveMistakesBtnClick()
{
    Guarded(m_messages, [this] { m_logbookPage->LumoDBLogGrid1->SaveMistakes(); });
    // A new unit shows in the list at once; the unit being worked on stays selected.
    TLumoListView *list = m_unitPage->LumoListView1;
    const QString selected = list->selectedCaption();
    Guarded(m_messages, [&] {
        list->setPath(list->path());
        if (!selected.isEmpty())
            list->selectCaption(selected);
    });
}
