#include "app/ui/mainform.h"
#include "app/ui/mainformfixture.h"
#include "platform/ui/qmessageboxservice.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

// What the toolkit shows for the program speaks the chosen UI language: the message boxes'
// buttons (from the language file) and its own dialogs (from its translations).
class TestToolkitTexts : public QObject, public MainFormFixture
{
    Q_OBJECT

private slots:
    void init() { setUpFixture(); }
    void cleanup() { folder.reset(); }

    void messageBoxButtonsTakeTheLanguageFilesTexts_data()
    {
        QTest::addColumn<QString>("languageFile");
        QTest::addColumn<QStringList>("captions"); // Yes, No, OK, Cancel
        QTest::newRow("German") << QStringLiteral("deutsch.llf")
                                << QStringList{"&Ja", "&Nein", "OK", "Abbrechen"};
        QTest::newRow("English") << QStringLiteral("english.llf")
                                 << QStringList{"&Yes", "&No", "OK", "Cancel"};
    }

    void messageBoxButtonsTakeTheLanguageFilesTexts()
    {
        QFETCH(QString, languageFile);
        QFETCH(QStringList, captions);
        const auto form = createForm();
        // Another language first: the chosen one replaces its texts.
        form->ApplyLanguageFile(folder->copyFromData(QStringLiteral("deutsch.llf")));
        form->ApplyLanguageFile(folder->copyFromData(languageFile));
        QStringList shown;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            for (QAbstractButton *button : box->buttons())
                shown.append(button->text());
            // The answer is the button clicked, whatever its caption.
            box->button(QMessageBox::No)->click();
        });
        QMessageBoxService boxes(form.get());
        const MessageService::Button answer = boxes.show(
            MessageService::Kind::Confirmation, QStringLiteral("Delete?"),
            MessageService::Yes | MessageService::No | MessageService::Ok | MessageService::Cancel);
        shown.sort();
        captions.sort();
        QCOMPARE(shown, captions);
        QCOMPARE(answer, MessageService::No);
    }

    void toolkitDialogsFollowTheLanguagesLocale()
    {
        const auto form = createForm();
        const QString english = QCoreApplication::translate("QFileDialog", "&Open");
        form->ApplyLanguageFile(folder->copyFromData(QStringLiteral("deutsch.llf")));
        const QString german = QCoreApplication::translate("QFileDialog", "&Open");
        QVERIFY2(german != english, qPrintable(german));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
        // Choosing English again removes the German translation.
        form->ApplyLanguageFile(folder->filePath(QStringLiteral("english.llf")));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "&Open"), english);
        // A file without a locale leaves the toolkit English too.
        form->ApplyLanguageFile(folder->copyFromData(QStringLiteral("deutsch.llf")));
        const QString plain =
            folder->writeText(QStringLiteral("plain.llf"), QStringLiteral("[general]\nDescription=Plain\n"));
        form->ApplyLanguageFile(plain);
        QCOMPARE(QCoreApplication::translate("QFileDialog", "&Open"), english);
    }
};

QTEST_MAIN(TestToolkitTexts)
#include "tst_toolkittexts.moc"
