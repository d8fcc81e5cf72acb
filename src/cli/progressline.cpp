#include "cli/progressline.h"

void ProgressLine::show(int done, int total, const QString &what)
{
    if (!m_terminal)
        return;
    const QString line = QStringLiteral("[%1/%2] %3").arg(done).arg(total).arg(what);
    m_stream << '\r' << line << QString(qMax(0, m_shownWidth - int(line.size())), u' ');
    m_stream.flush();
    m_shownWidth = int(line.size());
}

void ProgressLine::finish()
{
    if (!m_terminal || m_shownWidth == 0)
        return;
    m_stream << '\r' << QString(m_shownWidth, u' ') << '\r';
    m_stream.flush();
    m_shownWidth = 0;
}
