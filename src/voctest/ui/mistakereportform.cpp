#include "voctest/ui/mistakereportform.h"

#include "widgets/unitfont.h"

#include "voctest/voctestui.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

TMistakeReportForm::TMistakeReportForm(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("MistakeReportForm"));
    setWindowTitle(QStringLiteral("Mistake"));
    setToolTip(QStringLiteral("Press any key or mouse button to close this window"));
    setMinimumWidth(320);
    auto *layout = new QVBoxLayout(this);
    Label1 = addLabel(QStringLiteral("Label1"), false);
    Label2 = addLabel(QStringLiteral("Label2"), false);
    Question = addLabel(QStringLiteral("Question"), true);
    Label3 = addLabel(QStringLiteral("Label3"), false);
    Answer = addLabel(QStringLiteral("Answer"), true);
    for (QLabel *label : {Label1, Label2, Question, Label3, Answer})
        layout->addWidget(label);
}

QLabel *TMistakeReportForm::addLabel(const QString &name, bool highlighted)
{
    auto *label = new QLabel(this);
    label->setObjectName(name);
    // Clicks on a label reach the window, which closes on any click.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    if (highlighted) {
        label->setWordWrap(true);
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, QColor(0, 0, 128));
        label->setPalette(colours);
    }
    return label;
}

void TMistakeReportForm::setContent(const MistakeReport &report, const VocTestCaptions &captions)
{
    setWindowTitle(captions.caption);
    setToolTip(captions.mistakeReportHint);
    Label1->setText(captions.label1);
    Label2->setText(captions.label2);
    Label3->setText(captions.label3);
    Question->setText(report.question);
    Answer->setText(report.answer);
    for (QLabel *label : {Question, Answer}) {
        label->setFont(UnitFont(*label, report.fontName));
    }
    adjustSize();
}

bool TMistakeReportForm::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::WindowDeactivate: hide(); return true;
    default: return QWidget::event(event);
    }
}

void TMistakeReportForm::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    emit closed();
}
