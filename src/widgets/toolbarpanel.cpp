#include "widgets/toolbarpanel.h"

#include <QFrame>
#include <QHBoxLayout>

ToolBarPanel::ToolBarPanel(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
    setFixedHeight(29);
    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(2, 2, 2, 2);
    m_layout->setSpacing(0);
}

SpeedButton *ToolBarPanel::addButton(const QString &name, SpeedButton::Glyph glyph)
{
    auto *button = new SpeedButton(name, glyph, this);
    m_layout->addWidget(button);
    return button;
}

void ToolBarPanel::addGap()
{
    m_layout->addSpacing(6);
}

void ToolBarPanel::finish()
{
    m_layout->addStretch(1);
}

QFrame *ToolBarPanel::namedPlace(const QString &name, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    return frame;
}
