#pragma once

#include <QRect>

class QWidget;
class SettingsList;

// The main window's state, place and size, kept with the settings: read at start and applied
// once the last of them is in, written from the window at closing.
class WindowPlacement
{
public:
    explicit WindowPlacement(QWidget &window) : m_window(window) {}
    void declareSettings(SettingsList &list);

private:
    void apply();
    // 0 normal, 1 minimized, 2 maximized, as the store has always kept it.
    int storedState() const;

    QWidget &m_window;
    int m_state = 0;
    QRect m_bounds;
};
