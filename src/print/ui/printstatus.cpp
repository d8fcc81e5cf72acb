#include "print/ui/printstatus.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QScreen>

namespace {
QLabel *label(const char *name, const QString &text, QWidget *parent, QRect geometry)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    return l;
}
} // namespace

TPrintStatus::TPrintStatus(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("PrintStatus"));
    setWindowTitle(QStringLiteral("Lumo '97"));
    setFixedSize(303, 92);
    TopLabel = label("TopLabel", QStringLiteral("Printing. Please wait..."), this, QRect(10, 6, 283, 18));
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(8, 30, 287, 54);
    FileNameLabel = label("FileNameLabel", QStringLiteral("FileName:"), Panel1, QRect(8, 6, 100, 18));
    CurrentPageLabel =
        label("CurrentPageLabel", QStringLiteral("Current page:"), Panel1, QRect(8, 28, 100, 18));
    FileNameText = label("FileNameText", QString(), Panel1, QRect(110, 6, 170, 18));
    CurrentPageText = label("CurrentPageText", QString(), Panel1, QRect(110, 28, 170, 18));
}

void TPrintStatus::open(const QString &topLabel, const QString &fileNameLabel,
                        const QString &currentPageLabel, const QString &fileName)
{
    TopLabel->setText(topLabel);
    FileNameLabel->setText(fileNameLabel);
    CurrentPageLabel->setText(currentPageLabel);
    FileNameText->setText(fileName);
    CurrentPageText->clear();
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
    show();
    // Printing holds the event loop; the window must be painted before it starts.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TPrintStatus::showPage(int page)
{
    CurrentPageText->setText(QString::number(page));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TPrintStatus::close()
{
    hide();
}
