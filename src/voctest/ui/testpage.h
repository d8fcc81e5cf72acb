#pragma once

#include <QWidget>

class QComboBox;
class QFrame;
class QPushButton;

// The "Vocabulary Test" page. The variant list is live; the test area, the gauges and the
// character bar are still to come and keep their places under their names.
class TestPage : public QWidget
{
    Q_OBJECT

public:
    explicit TestPage(QWidget *parent = nullptr);

    QWidget *Panel1 = nullptr;
    QComboBox *TestVariants = nullptr;
    QPushButton *ConfigureTestBtn = nullptr;
    QPushButton *SpellIt = nullptr;
    QFrame *InfoPanel = nullptr;
    QFrame *MainPanel = nullptr;
    QFrame *Panel3 = nullptr;
    QFrame *CharGrid2 = nullptr;
};
