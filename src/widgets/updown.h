#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// A pair of small arrow buttons bound to the edit field beside it: a position within a range
// that the arrows change and that is written into the field as decimal text.
class TUpDown : public QWidget
{
    Q_OBJECT

public:
    TUpDown(QLineEdit *associate, int minimum, int maximum, QWidget *parent);

    int position() const { return m_position; }
    // Kept within the range; the field shows the new position.
    void setPosition(int position);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }

protected:
    void changeEvent(QEvent *event) override;

private:
    int positionFromField() const;

    QLineEdit *m_associate;
    QToolButton *m_up;
    QToolButton *m_down;
    int m_minimum;
    int m_maximum;
    int m_position;
};
