#pragma once

class QAbstractButton;
class QWidget;

// F1 in a dialog does what its Help button does, as long as the button can be clicked.
class HelpKey
{
public:
    static void bind(QWidget &dialog, QAbstractButton &helpButton);
};
