#pragma once

#include "app/ui/mainformfixture.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/dbmediaplayer.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "widgets/lumotablemodel.h"

#include <QCoreApplication>
#include <QTest>
#include <functional>

// The main window on its input page, showing a unit of two entries in the given languages, as
// the tests of the sound tools drive it.
class InputPageFixture : protected MainFormFixture
{
protected:
    static constexpr int InputPageIndex = 2;

    std::unique_ptr<TMainForm> form;

    InputPage *page() const { return form->inputPage(); }
    TLumoDBGrid *grid() const { return page()->LumoDBGrid1; }
    TDBMediaPlayer *player() const { return page()->DBMediaPlayer1; }

    // prepare runs on the new window before the unit is chosen (to script its dialogs).
    void openInputPage(int native, int foreign, const std::function<void()> &prepare = {})
    {
        makeUnit(QStringLiteral("unit"), 2, native, foreign);
        form = createForm();
        if (prepare)
            prepare();
        form->unitPage()->LumoListView1->selectCaption(QStringLiteral("unit"));
        QVERIFY(form->PageControl()->requestPage(InputPageIndex));
        form->resize(640, 400);
        // The grid follows the table once the rows are in.
        QCoreApplication::processEvents();
        goToColumn(LumoTableModel::NativeColumn);
    }

    void goToColumn(int column, int row = 0) { grid()->setCurrentIndex(grid()->model()->index(row, column)); }

    QByteArray sound(int field) { return form->LumoTable1()->blobValue(field); }

    // A sound given to the foreign side of the row's entry is posted and shown there, the
    // native side has none, and nothing was reported or left to pack.
    void storedOnTheForeignSideOnly(int row)
    {
        QVERIFY(sound(TLumoTable::NativeSound).isEmpty());
        QCOMPARE(form->LumoTable1()->state(), SqliteTable::State::Browse);
        QVERIFY(!form->inputPage()->TableNeedsPacking());
        QVERIFY(messages.shown().isEmpty());
        QVERIFY(grid()
                    ->model()
                    ->index(row, LumoTableModel::ForeignColumn)
                    .data(LumoTableModel::HasSoundRole)
                    .toBool());
    }
};
