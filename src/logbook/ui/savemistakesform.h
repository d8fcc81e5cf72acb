#pragma once

#include "logbook/mistakessaver.h"

#include <QDialog>

class MessageService;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TUpDown;

// Asks for the name and description of a unit that takes the mistaken entries of the unit
// shown on the logbook page, which of them to take and whether their sounds come along. The
// logbook grid hands in Source before showing it; OK does the copying.
class TSaveMistakesForm : public QDialog
{
    Q_OBJECT

public:
    static constexpr int MaxMistakes = 32767;

    TSaveMistakesForm(MessageService &messages, QWidget *parent);

    MistakesSaver::Source Source;

    // Captions from section (the logbook grid's name) of the UI language file.
    void applyLanguageFile(const QString &languageFile, const QString &section);

    // The choice as the controls show it now.
    MistakesSaver::Choice choice() const;

    void AllEntriesRadioBtnClick();
    void SomeEntriesRadioBtnClick();
    void OKBtnClick();

    QLabel *FileNameLabel = nullptr;
    QLineEdit *FileNameEdit = nullptr;
    QLabel *DescriptionLabel = nullptr;
    QLineEdit *DescriptionEdit = nullptr;
    QRadioButton *AllEntriesRadioBtn = nullptr;
    QRadioButton *SomeEntriesRadioBtn = nullptr;
    QLineEdit *MistakesEdit = nullptr;
    TUpDown *MistakesUpDown = nullptr;
    QLabel *SomeEntriesLabel = nullptr;
    QCheckBox *SaveSound = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

private:
    void buildControls();
    void layOut();
    void enableNumber(bool on);

    MessageService &m_messages;
};
