#include "app/ui/mainform.h"
#include "app/ui/pagecontrol.h"
#include "mainformfixture.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QTest>

// Every control the keyboard reaches tells a screen reader what it is, in the words of its
// caption or hint, on every page.
class TestAccessibleNames : public QObject, public MainFormFixture
{
    Q_OBJECT

private:
    static QStringList unnamedControls(QWidget &form)
    {
        QStringList unnamed;
        for (QWidget *widget : form.findChildren<QWidget *>()) {
            if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(&form) || widget->isWindow())
                continue;
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
            if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty())
                unnamed.append(widget->objectName().isEmpty()
                                   ? QString::fromLatin1(widget->metaObject()->className())
                                   : widget->objectName());
        }
        return unnamed;
    }

private slots:
    void init() { setUpFixture(); }
    void cleanup() { folder.reset(); }

    void everyReachableControlIsNamed()
    {
        makeUnit(QStringLiteral("animals"), 3);
        const auto form = createForm();
        form->show();
        form->unitPage()->LumoListView1->selectCaption(QStringLiteral("animals"));
        auto *pages = form->findChild<TPageControl *>(QStringLiteral("PageControl"));
        QVERIFY(pages);
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            const QStringList unnamed = unnamedControls(*form);
            QVERIFY2(unnamed.isEmpty(), qPrintable(pages->tabText(page) + QStringLiteral(": ") +
                                                   unnamed.join(QStringLiteral(", "))));
        }
    }

    void iconButtonsAreNamedByTheirTranslatedHint()
    {
        const QString german = folder->copyFromData(QStringLiteral("deutsch.llf"));
        const auto form = createForm();
        form->ApplyLanguageFile(german);
        auto *newFolder = form->findChild<QAbstractButton *>(QStringLiteral("NewFolder"));
        QVERIFY(newFolder);
        QVERIFY(newFolder->text().isEmpty());
        QCOMPARE(QAccessible::queryAccessibleInterface(newFolder)->text(QAccessible::Name),
                 newFolder->toolTip());
        QVERIFY(!newFolder->toolTip().isEmpty());
        QVERIFY(newFolder->toolTip() != QStringLiteral("Create new folder"));
    }
};

QTEST_MAIN(TestAccessibleNames)
#include "tst_accessiblenames.moc"
