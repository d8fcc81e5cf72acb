#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The find dialog of the vocabulary grid: the text to look for and the columns to look in.
class TFindDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int ClientWidth = 375;
    static constexpr int ClientHeight = 115;

    explicit TFindDlg(QWidget *parent);

    // Captions from the grid's own section and the shared "general" one of a UI language file.
    void setCaptions(const QString &languageFile, const QString &section);

    QLabel *FindWhatLabel = nullptr;
    QLineEdit *FindWhatEdit = nullptr;
    QPushButton *FindBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    QGroupBox *Columns = nullptr;
    QCheckBox *NativeLanguage = nullptr;
    QCheckBox *ForeignLanguage = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fitCaptions();
};
