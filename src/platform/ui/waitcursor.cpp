#include "platform/ui/waitcursor.h"

#include <QCursor>
#include <QGuiApplication>

void WaitCursor::begin()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void WaitCursor::end()
{
    QGuiApplication::restoreOverrideCursor();
}
