// The Edit menu of the input page: undo and redo of the entries' changes, and cut, copy and
// paste of the cell editor's text or of whole entries as tab-separated lines.
#include "app/ui/mainform.h"
#include "app/ui/mainmenubar.h"
#include "exchange/entryclipboard.h"
#include "exchange/exchangetexts.h"
#include "input/entryhistory.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "platform/errorboundary.h"
#include "platform/messageservice.h"
#include "uilang/translate.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitfields.h"
#include "widgets/lumotablemodel.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>

void TMainForm::connectEdit()
{
    const MainMenuActions &menu = m_mainMenu->actions();
    connect(menu.EditUndoItem, &QAction::triggered, this, &TMainForm::EditUndoClick);
    connect(menu.EditRedoItem, &QAction::triggered, this, &TMainForm::EditRedoClick);
    connect(menu.EditCutItem, &QAction::triggered, this, &TMainForm::EditCutClick);
    connect(menu.EditCopyItem, &QAction::triggered, this, &TMainForm::EditCopyClick);
    connect(menu.EditPasteItem, &QAction::triggered, this, &TMainForm::EditPasteClick);
    using Command = TLumoDBGridInplaceEdit::Command;
    connect(m_inputPage->LumoDBGrid1, &TLumoDBGrid::editCommand, this, [this](Command command) {
        switch (command) {
        case Command::Undo: EditUndoClick(); break;
        case Command::Redo: EditRedoClick(); break;
        case Command::Cut: EditCutClick(); break;
        case Command::Copy: EditCopyClick(); break;
        case Command::Paste: EditPasteClick(); break;
        }
    });
}

void TMainForm::enableEdit(bool on)
{
    const MainMenuActions &menu = m_mainMenu->actions();
    for (QAction *item :
         {menu.EditUndoItem, menu.EditRedoItem, menu.EditCutItem, menu.EditCopyItem, menu.EditPasteItem})
        item->setEnabled(on);
    // Only the input page's changes are steps; a test's Mistakes are not the user's edits.
    m_entryHistory->setRecording(on);
}

void TMainForm::EditUndoClick()
{
    if (TLumoDBGridInplaceEdit *editor = m_inputPage->LumoDBGrid1->activeEditor();
        editor && editor->isUndoAvailable()) {
        editor->undo();
        return;
    }
    takeEntryStep(true);
}

void TMainForm::EditRedoClick()
{
    if (TLumoDBGridInplaceEdit *editor = m_inputPage->LumoDBGrid1->activeEditor();
        editor && editor->isRedoAvailable()) {
        editor->redo();
        return;
    }
    takeEntryStep(false);
}

void TMainForm::takeEntryStep(bool back)
{
    TLumoDBGrid *grid = m_inputPage->LumoDBGrid1;
    if (!m_entryHistory->recording() || !m_lumoTable1->active())
        return;
    // What is typed into the row becomes a step of its own first, so Undo takes it back.
    grid->PostPending();
    if (m_lumoTable1->state() != SqliteTable::State::Browse)
        return;
    EntryHistory::Outcome outcome = EntryHistory::Outcome::Nothing;
    if (!Guarded(m_messages, [&] { outcome = back ? m_entryHistory->undo() : m_entryHistory->redo(); }))
        return;
    if (outcome == EntryHistory::Outcome::Stale)
        m_messages.information(Translate(
            grid->languageFile(), grid->objectName(), QStringLiteral("MsgStepNoLongerApplies"),
            QStringLiteral("The entry has been changed since (by a test, for instance), so this step can "
                           "no longer be applied. It has been skipped.")));
    grid->setFocus();
}

void TMainForm::EditCutClick()
{
    // Cut takes the editor's text only: rows go with the delete commands, which ask first.
    if (TLumoDBGridInplaceEdit *editor = m_inputPage->LumoDBGrid1->activeEditor())
        editor->cut();
}

void TMainForm::EditCopyClick()
{
    TLumoDBGrid *grid = m_inputPage->LumoDBGrid1;
    const QList<int> rows = grid->selectedRowNumbers();
    if (rows.isEmpty() || !m_lumoTable1->active()) {
        if (TLumoDBGridInplaceEdit *editor = grid->activeEditor())
            editor->copy();
        return;
    }
    Guarded(m_messages, [&] {
        using F = TLumoTable::Field;
        const UnitFields fields =
            UnitFields::required(*m_lumoTable1, {F::NativeLanguage, F::ForeignLanguage, F::Type});
        QList<WordPair> pairs;
        for (int row : rows) {
            const QVariant type = m_lumoTable1->valueAt(row, fields[F::Type]);
            pairs.append({m_lumoTable1->valueAt(row, fields[F::NativeLanguage]).toString(),
                          m_lumoTable1->valueAt(row, fields[F::ForeignLanguage]).toString(),
                          type.isNull() ? 0 : type.toInt()});
        }
        QGuiApplication::clipboard()->setText(EntryClipboard::text(pairs));
    });
}

void TMainForm::EditPasteClick()
{
    TLumoDBGrid *grid = m_inputPage->LumoDBGrid1;
    const QString text = QGuiApplication::clipboard()->text();
    if (!EntryClipboard::holdsEntries(text)) {
        if (TLumoDBGridInplaceEdit *editor = grid->activeEditor())
            editor->paste();
        return;
    }
    if (!m_entryHistory->recording() || !m_lumoTable1->active())
        return;
    grid->PostPending();
    if (m_lumoTable1->state() != SqliteTable::State::Browse)
        return;
    const bool intoForeign = grid->currentIndex()
                                 .data(LumoTableModel::FieldNameRole)
                                 .toString()
                                 .compare(QStringLiteral("ForeignLanguage"), Qt::CaseInsensitive) == 0;
    // All the pasted entries are one step.
    m_entryHistory->beginGroup();
    ImportResult result;
    const bool pasted = Guarded(m_messages, [&] {
        const QList<WordPair> pairs = EntryClipboard::pairsOf(text, intoForeign, result);
        if (!pairs.isEmpty())
            EntryClipboard::append(*m_lumoTable1, pairs);
        result.imported = int(pairs.size());
    });
    if (pasted)
        m_entryHistory->endGroup();
    else
        m_entryHistory->discardGroup();
    // As after an import of a word list: what was left out or changed is said, never lost silently.
    if (pasted && (result.imported == 0 || result.skipped > 0 || result.cut > 0 || result.unknownTypes > 0))
        m_messages.information(
            ExchangeTexts::importSummary(m_unitPage->LumoListView1->languageFile(), result));
    grid->setFocus();
}
