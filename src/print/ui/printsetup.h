#pragma once

#include "print/printsettings.h"

#include <QDialog>
#include <functional>

class MessageService;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;
class TUpDown;

// The dialog shown before every print job: orientation, margins, font size, list or cards,
// swapped columns. It edits a copy of the settings; "Print" hands them back.
class TPrintSetup : public QDialog
{
    Q_OBJECT

public:
    static constexpr int HelpContext = 250;

    TPrintSetup(MessageService &messages, QWidget *parent);

    // Runs the dialog on settings; true, with the settings changed, when the user chose
    // "Print"; otherwise the settings stay as they were.
    static bool Setup(PrintSettings &settings, const QString &languageFile, MessageService &messages,
                      QWidget *parent, const std::function<void(int)> &showHelp = {});

    void applyLanguageFile(const QString &languageFile);
    void loadSettings(const PrintSettings &settings);
    // The settings as the dialog's controls hold them.
    PrintSettings chosenSettings() const;

    QGroupBox *OrientationFrame = nullptr;
    QRadioButton *PortraitBtn = nullptr;
    QRadioButton *LandscapeBtn = nullptr;
    QGroupBox *MarginsFrame = nullptr;
    QLabel *LeftLabel = nullptr;
    QLabel *RightLabel = nullptr;
    QLabel *TopLabel = nullptr;
    QLabel *BottomLabel = nullptr;
    QLineEdit *LeftEdit = nullptr;
    QLineEdit *RightEdit = nullptr;
    QLineEdit *TopEdit = nullptr;
    QLineEdit *BottomEdit = nullptr;
    TUpDown *LeftUpDown = nullptr;
    TUpDown *RightUpDown = nullptr;
    TUpDown *TopUpDown = nullptr;
    TUpDown *BottomUpDown = nullptr;
    QLabel *FontSizeLabel = nullptr;
    QLineEdit *FontSizeEdit = nullptr;
    TUpDown *FontSizeUpDown = nullptr;
    QGroupBox *TypeFrame = nullptr;
    QRadioButton *GridType = nullptr;
    QRadioButton *CardsType = nullptr;
    QCheckBox *SwapColsCheckBox = nullptr;
    QWidget *Panel1 = nullptr;
    QLabel *PortraitStandardImage = nullptr;
    QLabel *LandscapeStandardImage = nullptr;
    QLabel *CardsImage = nullptr;
    QPushButton *PrintBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    QPushButton *HelpBtn = nullptr;

    void PortraitBtnClick();
    void LandscapeBtnClick();
    void GridTypeClick();
    void CardsTypeClick();
    void LeftEditExit() { clampField(LeftEdit, LeftUpDown); }
    void RightEditExit() { clampField(RightEdit, RightUpDown); }
    void TopEditExit() { clampField(TopEdit, TopUpDown); }
    void BottomEditExit() { clampField(BottomEdit, BottomUpDown); }
    void FontSizeEditExit() { clampField(FontSizeEdit, FontSizeUpDown); }
    void HelpBtnClick();

signals:
    void helpRequested(int helpContext);

private:
    void fitCaptions();
    void buildControls();
    void buildMargins();
    void buildRightSide();
    void connectHandlers();
    QLineEdit *numberField(const QString &name, int x, int y, int minimum, int maximum, TUpDown **upDown);
    // Keeps the field within its spin button's range; a field that is no number is reported
    // and the spin button keeps its position.
    void clampField(QLineEdit *field, TUpDown *upDown);
    void setMarginsEnabled(bool enabled);

    MessageService &m_messages;
    QString m_languageFile;
};
