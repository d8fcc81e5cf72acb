#include "uilang/ui/languagedlg.h"

#include "platform/ui/helpkey.h"
#include "uilang/translate.h"
#include "uilang/uilanguagelist.h"

#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TLanguageSelect::TLanguageSelect(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("LanguageSelect"));
    setWindowTitle(QStringLiteral("Language Selection"));
    auto *bevel = new QFrame(this);
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Label1 = new QLabel(QStringLiteral("Select a program language:"), bevel);
    Label1->setObjectName(QStringLiteral("Label1"));
    LanguageComboBox = new QComboBox(bevel);
    LanguageComboBox->setObjectName(QStringLiteral("LanguageComboBox"));
    Label1->setBuddy(LanguageComboBox);
    Label2 = new QLabel(QStringLiteral("This language will be used in all menus and dialog boxes of Lumo."),
                        bevel);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);
    Label2->setFixedWidth(277);
    auto *inside = new QVBoxLayout(bevel);
    inside->setContentsMargins(7, 6, 7, 6);
    inside->addWidget(Label1);
    inside->addWidget(LanguageComboBox);
    inside->addWidget(Label2);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    HelpBtn = new QPushButton(QStringLiteral("&Help"), this);
    HelpBtn->setObjectName(QStringLiteral("HelpBtn"));
    FileNameList = new QListWidget(this);
    FileNameList->setObjectName(QStringLiteral("FileNameList"));
    FileNameList->hide();

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);
    auto *all = new QVBoxLayout(this);
    all->setContentsMargins(8, 8, 8, 8);
    all->addWidget(bevel);
    all->addLayout(buttons);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { emit helpRequested(HelpContext); });
    HelpKey::bind(*this, *HelpBtn);
    // OK means nothing while no language is chosen.
    connect(LanguageComboBox, &QComboBox::currentIndexChanged, this, &TLanguageSelect::updateOk);
    updateOk();
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void TLanguageSelect::showEvent(QShowEvent *event)
{
    // A fixed border around the client size, unless the texts of a language need more.
    setFixedSize(QSize(ClientWidth, ClientHeight).expandedTo(minimumSizeHint()));
    QDialog::showEvent(event);
    if (const QScreen *screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TLanguageSelect::updateOk()
{
    OKBtn->setEnabled(LanguageComboBox->currentIndex() >= 0);
}

TLanguageDlg::TLanguageDlg(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("LanguageDlg"));
    m_path = QDir::homePath();
    m_run = [](TLanguageSelect &form) { return form.exec(); };
}

void TLanguageDlg::prepare(TLanguageSelect &form)
{
    const QString section = QStringLiteral("LanguageDlg");
    const QString general = QStringLiteral("general");
    form.Label1->setText(Translate(m_languageFile, section, QStringLiteral("Label1"),
                                   QStringLiteral("Select a program language:")));
    form.Label2->setText(
        Translate(m_languageFile, section, QStringLiteral("Label2"),
                  QStringLiteral("This language will be used in all menus and dialog boxes of Lumo.")));
    form.setWindowTitle(
        Translate(m_languageFile, section, QStringLiteral("Caption"), QStringLiteral("Language Selection")));
    form.OKBtn->setText(Translate(m_languageFile, general, QStringLiteral("OKBtn"), QStringLiteral("OK")));
    form.CancelBtn->setText(
        Translate(m_languageFile, general, QStringLiteral("CancelBtn"), QStringLiteral("Cancel")));
    form.HelpBtn->setText(
        Translate(m_languageFile, general, QStringLiteral("HelpBtn"), QStringLiteral("&Help")));

    if (!m_path.endsWith(u'/'))
        m_path += u'/';
    // A combo box selects its first entry by itself; only the current file is preselected.
    int current = -1;
    for (const UiLanguage &language : ListUiLanguages(m_path, m_extension)) {
        form.LanguageComboBox->addItem(language.description);
        form.FileNameList->addItem(language.fileName);
        if (QString::compare(language.fileName, m_languageFile, Qt::CaseInsensitive) == 0)
            current = form.LanguageComboBox->count() - 1;
    }
    form.LanguageComboBox->setCurrentIndex(current);
}

bool TLanguageDlg::Execute(QWidget *parent)
{
    TLanguageSelect form(parent);
    connect(&form, &TLanguageSelect::helpRequested, this, &TLanguageDlg::helpRequested);
    prepare(form);
    if (m_run(form) != QDialog::Accepted)
        return false;
    const int index = form.LanguageComboBox->currentIndex();
    if (index < 0 || index >= form.FileNameList->count())
        return false;
    m_languageFile = form.FileNameList->item(index)->text();
    return true;
}
