#include "input/ui/inputeditcommands.h"

#include "exchange/entryclipboard.h"
#include "exchange/exchangetexts.h"
#include "input/entryhistory.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "platform/errorboundary.h"
#include "platform/messageservice.h"
#include "uilang/translate.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitfields.h"
#include "widgets/lumotablemodel.h"
#include "widgets/pageservices.h"

#include <QClipboard>
#include <QGuiApplication>

InputEditCommands::InputEditCommands(InputPage &page, const PageServices &services)
    : QObject(&page), m_page(page), m_services(services),
      m_history(std::make_unique<EntryHistory>(services.table))
{
    using Command = TLumoDBGridInplaceEdit::Command;
    connect(page.LumoDBGrid1, &TLumoDBGrid::editCommand, this, [this](Command command) {
        switch (command) {
        case Command::Undo: EditUndoClick(); break;
        case Command::Redo: EditRedoClick(); break;
        case Command::Cut: EditCutClick(); break;
        case Command::Copy: EditCopyClick(); break;
        case Command::Paste: EditPasteClick(); break;
        }
    });
}

InputEditCommands::~InputEditCommands() = default;

void InputEditCommands::setRecording(bool on)
{
    m_history->setRecording(on);
}

void InputEditCommands::EditUndoClick()
{
    if (TLumoDBGridInplaceEdit *editor = m_page.LumoDBGrid1->activeEditor();
        editor && editor->isUndoAvailable()) {
        editor->undo();
        return;
    }
    takeEntryStep(true);
}

void InputEditCommands::EditRedoClick()
{
    if (TLumoDBGridInplaceEdit *editor = m_page.LumoDBGrid1->activeEditor();
        editor && editor->isRedoAvailable()) {
        editor->redo();
        return;
    }
    takeEntryStep(false);
}

void InputEditCommands::takeEntryStep(bool back)
{
    TLumoDBGrid *grid = m_page.LumoDBGrid1;
    TLumoTable &table = m_services.table;
    if (!m_history->recording() || !table.active())
        return;
    // What is typed into the row becomes a step of its own first, so Undo takes it back.
    grid->PostPending();
    if (table.state() != SqliteTable::State::Browse)
        return;
    EntryHistory::Outcome outcome = EntryHistory::Outcome::Nothing;
    if (!Guarded(m_services.messages, [&] { outcome = back ? m_history->undo() : m_history->redo(); }))
        return;
    if (outcome == EntryHistory::Outcome::Stale)
        m_services.messages.information(Translate(
            grid->languageFile(), grid->objectName(), QStringLiteral("MsgStepNoLongerApplies"),
            QStringLiteral("The entry has been changed since (by a test, for instance), so this step can "
                           "no longer be applied. It has been skipped.")));
    grid->setFocus();
}

void InputEditCommands::EditCutClick()
{
    // Cut takes the editor's text only: rows go with the delete commands, which ask first.
    if (TLumoDBGridInplaceEdit *editor = m_page.LumoDBGrid1->activeEditor())
        editor->cut();
}

void InputEditCommands::EditCopyClick()
{
    TLumoDBGrid *grid = m_page.LumoDBGrid1;
    TLumoTable &table = m_services.table;
    const QList<int> rows = grid->selectedRowNumbers();
    if (rows.isEmpty() || !table.active()) {
        if (TLumoDBGridInplaceEdit *editor = grid->activeEditor())
            editor->copy();
        return;
    }
    Guarded(m_services.messages, [&] {
        using F = TLumoTable::Field;
        const UnitFields fields =
            UnitFields::required(table, {F::NativeLanguage, F::ForeignLanguage, F::Type});
        QList<WordPair> pairs;
        for (int row : rows) {
            const QVariant type = table.valueAt(row, fields[F::Type]);
            pairs.append({table.valueAt(row, fields[F::NativeLanguage]).toString(),
                          table.valueAt(row, fields[F::ForeignLanguage]).toString(),
                          type.isNull() ? 0 : type.toInt()});
        }
        QGuiApplication::clipboard()->setText(EntryClipboard::text(pairs));
    });
}

void InputEditCommands::EditPasteClick()
{
    TLumoDBGrid *grid = m_page.LumoDBGrid1;
    TLumoTable &table = m_services.table;
    const QString text = QGuiApplication::clipboard()->text();
    if (!EntryClipboard::holdsEntries(text)) {
        if (TLumoDBGridInplaceEdit *editor = grid->activeEditor())
            editor->paste();
        return;
    }
    if (!m_history->recording() || !table.active())
        return;
    grid->PostPending();
    if (table.state() != SqliteTable::State::Browse)
        return;
    const bool intoForeign = grid->currentIndex()
                                 .data(LumoTableModel::FieldNameRole)
                                 .toString()
                                 .compare(QStringLiteral("ForeignLanguage"), Qt::CaseInsensitive) == 0;
    // All the pasted entries are one step.
    m_history->beginGroup();
    ImportResult result;
    const bool pasted = Guarded(m_services.messages, [&] {
        const QList<WordPair> pairs = EntryClipboard::pairsOf(text, intoForeign, result);
        if (!pairs.isEmpty())
            EntryClipboard::append(table, pairs);
        result.imported = int(pairs.size());
    });
    if (pasted)
        m_history->endGroup();
    else
        m_history->discardGroup();
    // As after an import of a word list: what was left out or changed is said, never lost silently.
    if (pasted && (result.imported == 0 || result.skipped > 0 || result.cut > 0 || result.unknownTypes > 0))
        m_services.messages.information(ExchangeTexts::importSummary(m_services.languageFile(), result));
    grid->setFocus();
}
