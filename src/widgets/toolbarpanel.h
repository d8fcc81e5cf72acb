#pragma once

#include "widgets/speedbutton.h"

#include <QWidget>

class QHBoxLayout;
class QFrame;

// A 29-pixel panel of speed buttons, as the pages carry at their top.
class ToolBarPanel : public QWidget
{
    Q_OBJECT

public:
    ToolBarPanel(const QString &name, QWidget *parent);

    SpeedButton *addButton(const QString &name, SpeedButton::Glyph glyph);
    void addGap();
    void finish();

    // An empty, sunken place kept under a component's name until the component is built.
    static QFrame *namedPlace(const QString &name, QWidget *parent);

private:
    QHBoxLayout *m_layout = nullptr;
};
