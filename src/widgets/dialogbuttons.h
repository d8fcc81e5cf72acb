#pragma once

class QDialog;
class QBoxLayout;
class QPushButton;

// The OK, Cancel and Help buttons that close a dialog, at the right end of a row or the top of
// a column. OK is the default button, Cancel rejects the dialog and F1 clicks Help; what OK
// and Help do is the dialog's own.
struct DialogButtons
{
    // Object names and first captions; the language file gives the shown ones later.
    struct Names
    {
        const char *ok = "OKBtn";
        const char *okCaption = "OK";
        const char *helpCaption = "&Help";
    };

    // Made in this order, so that they follow the controls made before them in the tab order.
    DialogButtons(QDialog &dialog, QBoxLayout &row, const Names &names);
    DialogButtons(QDialog &dialog, QBoxLayout &row) : DialogButtons(dialog, row, Names()) {}

    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;
    QPushButton *help = nullptr;
};
