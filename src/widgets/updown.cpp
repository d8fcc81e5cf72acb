#include "widgets/updown.h"

#include <QEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

TUpDown::TUpDown(QLineEdit *associate, int minimum, int maximum, QWidget *parent)
    : QWidget(parent), m_associate(associate), m_minimum(minimum), m_maximum(maximum), m_position(minimum)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_up = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton *button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setFixedSize(16, 11);
        button->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(button);
    }
    connect(m_up, &QToolButton::clicked, this, [this] { setPosition(positionFromField() + 1); });
    connect(m_down, &QToolButton::clicked, this, [this] { setPosition(positionFromField() - 1); });
}

int TUpDown::positionFromField() const
{
    // The arrows take no focus, so a number typed into the field has not been taken over yet:
    // they count on from what the field shows, as long as it is a number.
    bool ok = false;
    const int typed = m_associate->text().trimmed().toInt(&ok);
    return ok ? qBound(m_minimum, typed, m_maximum) : m_position;
}

void TUpDown::setPosition(int position)
{
    m_position = qBound(m_minimum, position, m_maximum);
    m_associate->setText(QString::number(m_position));
}

void TUpDown::changeEvent(QEvent *event)
{
    // Disabled together with its field, as one control.
    if (event->type() == QEvent::EnabledChange)
        m_associate->setEnabled(isEnabled());
    QWidget::changeEvent(event);
}
