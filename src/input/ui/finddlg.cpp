#include "input/ui/finddlg.h"

#include "uilang/translate.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

TFindDlg::TFindDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FindDlg"));
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(ClientWidth, ClientHeight);

    FindWhatLabel = new QLabel(this);
    FindWhatLabel->setObjectName(QStringLiteral("FindWhatLabel"));
    FindWhatLabel->setGeometry(8, 12, 76, 16);
    FindWhatEdit = new QLineEdit(this);
    FindWhatEdit->setObjectName(QStringLiteral("FindWhatEdit"));
    FindWhatEdit->setGeometry(88, 9, 185, 22);
    FindWhatLabel->setBuddy(FindWhatEdit);

    Columns = new QGroupBox(this);
    Columns->setObjectName(QStringLiteral("Columns"));
    Columns->setGeometry(8, 40, 265, 66);
    NativeLanguage = new QCheckBox(Columns);
    NativeLanguage->setObjectName(QStringLiteral("NativeLanguage"));
    NativeLanguage->setGeometry(10, 20, 250, 18);
    NativeLanguage->setChecked(true);
    ForeignLanguage = new QCheckBox(Columns);
    ForeignLanguage->setObjectName(QStringLiteral("ForeignLanguage"));
    ForeignLanguage->setGeometry(10, 42, 250, 18);
    ForeignLanguage->setChecked(true);

    FindBtn = new QPushButton(this);
    FindBtn->setObjectName(QStringLiteral("FindBtn"));
    FindBtn->setGeometry(287, 8, 80, 25);
    FindBtn->setDefault(true);
    CancelBtn = new QPushButton(this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(287, 40, 80, 25);
    connect(FindBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    setCaptions(QString(), QStringLiteral("LumoDBGrid1"));
}

void TFindDlg::setCaptions(const QString &languageFile, const QString &section)
{
    const auto text = [&](const QString &inSection, const char *key, const char *english) {
        return Translate(languageFile, inSection, QLatin1String(key), QLatin1String(english));
    };
    const QString general = QStringLiteral("general");
    setWindowTitle(text(section, "Caption", "Find"));
    FindWhatLabel->setText(text(section, "FindWhatLabel", "Find what:"));
    Columns->setTitle(text(section, "Columns", "Columns "));
    NativeLanguage->setText(text(section, "NativeLanguage", "&Native Language"));
    ForeignLanguage->setText(text(section, "ForeignLanguage", "&Foreign Language"));
    CancelBtn->setText(text(general, "CancelBtn", "Cancel"));
    FindBtn->setText(text(general, "FindBtn", "Find"));
    fitCaptions();
}

void TFindDlg::fitCaptions()
{
    // A longer caption pushes the field right, which keeps its right edge; longer button
    // captions widen the buttons and the dialog.
    const int labelWidth = std::max(76, FindWhatLabel->sizeHint().width());
    FindWhatLabel->setGeometry(8, 12, labelWidth, 16);
    const int editLeft = std::max(88, 8 + labelWidth + 4);
    FindWhatEdit->setGeometry(editLeft, 9, 273 - editLeft, 22);
    int buttonWidth = 80;
    for (const QPushButton *button : {FindBtn, CancelBtn})
        buttonWidth = std::max(
            buttonWidth, button->fontMetrics().horizontalAdvance(QString(button->text()).remove(u'&')) + 8);
    FindBtn->resize(buttonWidth, FindBtn->height());
    CancelBtn->resize(buttonWidth, CancelBtn->height());
    setFixedSize(std::max(int(ClientWidth), 287 + buttonWidth + 8), ClientHeight);
}

void TFindDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Centred on the window it belongs to, or on the screen without one.
    const QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect area = owner && owner->isVisible() ? owner->frameGeometry()
                                                   : (screen() ? screen()->availableGeometry() : QRect());
    if (area.isValid()) {
        QRect frame = frameGeometry();
        frame.moveCenter(area.center());
        move(frame.topLeft());
    }
    FindWhatEdit->setFocus();
    FindWhatEdit->selectAll();
}
