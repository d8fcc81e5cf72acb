// The test settings dialog's buttons for the memory model of the unit being tested: a fit to
// the unit's own reviews, with progress and Cancel, and the defaults put back.
#include "platform/errorboundary.h"
#include "platform/lumoerror.h"
#include "platform/messageservice.h"
#include "platform/table/sqlitetable.h"
#include "repetition/weightsfit.h"
#include "voctest/ui/testparamsdlg.h"

#include <QDateTime>
#include <QProgressDialog>
#include <QPushButton>

void TTestParamsDlg::setUnitTable(SqliteTable *table)
{
    m_unitTable = table;
    // A pending edit would be lost if the change had to be taken back.
    const bool usable = table && table->active() && table->state() == SqliteTable::State::Browse;
    FitBtn->setEnabled(usable);
    ResetWeightsBtn->setEnabled(usable);
}

void TTestParamsDlg::FitBtnClick()
{
    changeWeights([this] { return fitReport(); });
}

void TTestParamsDlg::ResetWeightsBtnClick()
{
    changeWeights([this] { return resetReport(); });
}

void TTestParamsDlg::changeWeights(const std::function<QString()> &change)
{
    if (!m_unitTable || !m_unitTable->active())
        return;
    QString report;
    // A table's error gets the dialog's own words; anything else the program's boundary, so
    // nothing leaves the click handler.
    const bool done = Guarded(m_messages, [&] {
        try {
            report = change();
        } catch (const LumoError &error) {
            m_messages.error(text(QStringLiteral("MsgWeightsUnchanged")) + QStringLiteral("\r\n") +
                             error.message());
            report.clear();
        }
    });
    if (done && !report.isEmpty())
        m_messages.information(report);
}

QString TTestParamsDlg::fitReport()
{
    QProgressDialog progress(text(QStringLiteral("MsgFitting")), CancelBtn->text(), 0, 1, this);
    progress.setObjectName(QStringLiteral("FitProgress"));
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    // Each step of the fit lets the dialog paint and take a click on Cancel; being modal, it
    // lets nothing else reach the unit meanwhile.
    const WeightsFit::Outcome outcome =
        WeightsFit(*m_unitTable).fit(QDateTime::currentSecsSinceEpoch(), [&](int done, int total) {
            if (progress.wasCanceled())
                return false;
            if (!progress.isVisible())
                progress.show();
            progress.setMaximum(total);
            progress.setValue(done);
            return !progress.wasCanceled();
        });
    progress.hide();
    const QString space = QStringLiteral(" ");
    if (!outcome.enough)
        return text(QStringLiteral("MsgNotEnoughReviews")) + space + QString::number(outcome.fit.reviews);
    if (outcome.fit.cancelled)
        return QString();
    return text(outcome.fit.fitted ? QStringLiteral("MsgFitted") : QStringLiteral("MsgFitNoGain")) + space +
           QString::number(outcome.recomputed);
}

QString TTestParamsDlg::resetReport()
{
    const int recomputed = WeightsFit(*m_unitTable).reset();
    return text(QStringLiteral("MsgWeightsReset")) + QStringLiteral(" ") + QString::number(recomputed);
}
