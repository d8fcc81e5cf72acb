#include "app/ui/windowplacement.h"

#include "platform/ini/settingslist.h"

#include <QWidget>

using namespace SettingOrder;

void WindowPlacement::declareSettings(SettingsList &list)
{
    QWidget &w = m_window;
    list.addInteger(
        QStringLiteral("WindowState"), 0, {ReadWindowState, WriteWindowState},
        [this] { return storedState(); }, [this](int state) { m_state = state; });
    list.addInteger(
        QStringLiteral("Left"), 100, {ReadLeft, WriteLeft}, [&w] { return w.x(); },
        [this](int left) { m_bounds.moveLeft(left); });
    list.addInteger(
        QStringLiteral("Top"), 100, {ReadTop, WriteTop}, [&w] { return w.y(); },
        [this](int top) { m_bounds.moveTop(top); });
    list.addInteger(
        QStringLiteral("Width"), 600, {ReadWidth, WriteWidth}, [&w] { return w.width(); },
        [this](int width) { m_bounds.setWidth(width); });
    list.addInteger(
        QStringLiteral("Height"), 460, {ReadHeight, WriteHeight}, [&w] { return w.height(); },
        [this](int height) {
            m_bounds.setHeight(height);
            apply();
        });
}

void WindowPlacement::apply()
{
    m_window.move(m_bounds.topLeft());
    m_window.resize(m_bounds.size());
    if (m_state == 2)
        m_window.setWindowState(Qt::WindowMaximized);
    else if (m_state == 1)
        m_window.setWindowState(Qt::WindowMinimized);
    else
        m_window.setWindowState(Qt::WindowNoState);
}

int WindowPlacement::storedState() const
{
    if (m_window.windowState() & Qt::WindowMinimized)
        return 1;
    if (m_window.windowState() & Qt::WindowMaximized)
        return 2;
    return 0;
}
