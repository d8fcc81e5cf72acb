#include "input/ui/lumodbgrid.h"

#include "input/ui/lumodbgriddelegate.h"
#include "input/ui/lumodbgridinplaceedit.h"
#include "platform/errorboundary.h"
#include "platform/messageservice.h"
#include "platform/table/sqlitetable.h"
#include "uilang/translate.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/vocabularylanguages.h"
#include "widgets/datagridlook.h"
#include "widgets/lumotablemodel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTimer>

namespace {
const char *const EnglishTypeNames[TLumoDBGrid::TypeCount] = {
    "none",    "noun",    "verb",        "pronoun",     "adverb",     "adjective",
    "article", "numeral", "preposition", "conjunction", "exclamation"};
} // namespace

TLumoDBGrid::TLumoDBGrid(MessageService &messages, QWidget *parent)
    : QTableView(parent), m_model(new LumoTableModel(this)), m_messages(messages)
{
    setObjectName(QStringLiteral("LumoDBGrid1"));
    m_model->setColumns(LumoTableModel::vocabularyColumns());
    setModel(m_model);
    // While the rows are rebuilt the view picks a current cell of its own; the table's
    // record is what counts, and it is set again when the table reports it.
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { m_syncing = true; });
    connect(m_model, &QAbstractItemModel::modelReset, this,
            [this] { QTimer::singleShot(0, this, [this] { m_syncing = false; }); });
    setItemDelegate(new LumoDBGridDelegate(this));
    // Whole rows are picked by their indicators, several with Shift or Ctrl, to be copied.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    ApplyDataGridLook(*this, IndicatorWidth);
    // The user may swap the columns by dragging their titles.
    horizontalHeader()->setSectionsMovable(true);
    setColumnWidth(LumoTableModel::NativeColumn, WordWidth);
    setColumnWidth(LumoTableModel::ForeignColumn, WordWidth);
    setColumnWidth(LumoTableModel::TypeColumn, TypeWidth);
    m_model->setCaption(LumoTableModel::TypeColumn, QStringLiteral("Type"));
    setLanguageFile(QString());
}

void TLumoDBGrid::setDataSet(SqliteTable *table)
{
    if (SqliteTable *old = m_model->dataSet())
        disconnect(old, nullptr, this, nullptr);
    m_model->setDataSet(table);
    if (table)
        connect(table, &SqliteTable::currentChanged, this, &TLumoDBGrid::tableCurrentChanged);
}

SqliteTable *TLumoDBGrid::dataSet() const
{
    return m_model->dataSet();
}

QString TLumoDBGrid::Translate(const QString &section, const QString &key, const QString &defaultValue) const
{
    return ::Translate(m_languageFile, section, key, defaultValue);
}

void TLumoDBGrid::setVocabularyFile(const QString &path)
{
    m_vocabularyFile = path;
    m_findCaseRules.clear();
    const UnitDescriptor unit(path);
    if (!unit.exists())
        return;
    m_languages = {unit.firstLanguage(), unit.secondLanguage()};
    m_findCaseRules = {LanguageCaseRules(unit.firstLanguage()), LanguageCaseRules(unit.secondLanguage())};
    ApplyUnitFont(*this, unit.font());
    setLanguageFile(m_languageFile);
}

void TLumoDBGrid::setLanguageFile(const QString &path)
{
    m_languageFile = path;
    m_typeNames.clear();
    for (int value = 0; value < TypeCount; ++value)
        m_typeNames.append(Translate(objectName(), QStringLiteral("type%1").arg(value),
                                     QString::fromLatin1(EnglishTypeNames[value])));
    // Cells look their names up while drawing; the file is read once per name, not per cell.
    m_cellTypeNames.clear();
    // The column titles follow another language at once, not only when the unit is opened again.
    if (!m_languages.isEmpty()) {
        m_model->setCaption(LumoTableModel::NativeColumn,
                            ShownLanguageName(m_languageFile, m_languages.at(0)));
        m_model->setCaption(LumoTableModel::ForeignColumn,
                            ShownLanguageName(m_languageFile, m_languages.at(1)));
        m_model->setCaption(LumoTableModel::TypeColumn,
                            Translate(objectName(), QStringLiteral("Type"), QStringLiteral("Type")));
    }
    viewport()->update();
}

QStringList TLumoDBGrid::typeNames() const
{
    return m_typeNames;
}

QString TLumoDBGrid::cellTypeName(const QVariant &value) const
{
    const QString text = value.isNull() ? QString() : value.toString();
    const QString key = QStringLiteral("type") + (text.isEmpty() ? QStringLiteral("0") : text);
    auto found = m_cellTypeNames.constFind(key);
    if (found == m_cellTypeNames.constEnd())
        found = m_cellTypeNames.insert(key, Translate(objectName(), key, QString()));
    return found.value();
}

void TLumoDBGrid::setShowSoundGlyph(bool on)
{
    m_showSoundGlyph = on;
    viewport()->update();
}

void TLumoDBGrid::setTypeColumnShown(bool shown)
{
    m_model->setReadOnly(LumoTableModel::TypeColumn, !shown);
    setColumnHidden(LumoTableModel::TypeColumn, !shown);
    if (shown)
        setColumnWidth(LumoTableModel::TypeColumn, TypeWidth);
    applyColumnWidths();
}

bool TLumoDBGrid::typeColumnShown() const
{
    return !isColumnHidden(LumoTableModel::TypeColumn);
}

int TLumoDBGrid::clientWidth() const
{
    const QScrollBar *bar = verticalScrollBar();
    return contentsRect().width() - (bar->isVisible() ? bar->width() : 0);
}

void TLumoDBGrid::applyColumnWidths()
{
    const int type = LumoTableModel::TypeColumn;
    const int typeWidth = typeColumnShown() && columnWidth(type) != 0 ? TypeWidth : 0;
    if (typeWidth != 0)
        setColumnWidth(type, typeWidth);
    const int shared = (clientWidth() - typeWidth - 15) / (m_model->columnCount() - 1);
    for (int column = 0; column < m_model->columnCount(); ++column)
        if (column != type)
            setColumnWidth(column, std::max(shared, 0));
    // The open editor follows its cell at once, not at the next layout pass.
    updateEditorGeometries();
}

void TLumoDBGrid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    applyColumnWidths();
}

bool TLumoDBGrid::guarded(const std::function<void()> &work)
{
    return Guarded(m_messages, work);
}

void TLumoDBGrid::storeText(const QModelIndex &index, const QString &text)
{
    QVariant value = text;
    if (index.column() == LumoTableModel::TypeColumn) {
        // Typed text is the field's text: digits store that number, anything else is refused
        // and the row stays in edit mode.
        bool number = false;
        const int typed = text.trimmed().toInt(&number);
        if (!text.trimmed().isEmpty() && !number) {
            QString message = QStringLiteral("'%s' is not a valid integer value for field '%s'");
            message.replace(message.indexOf(QLatin1String("%s")), 2, text);
            message.replace(message.lastIndexOf(QLatin1String("%s")), 2, QStringLiteral("Type"));
            m_messages.error(message);
            m_rejected = true;
            m_rejectedIndex = index;
            m_rejectedText = text;
            return;
        }
        value = text.trimmed().isEmpty() ? QVariant() : QVariant(typed);
    }
    guarded([&] { m_model->setData(index, value); });
}

void TLumoDBGrid::storeType(const QModelIndex &index, int position)
{
    guarded([&] { m_model->setData(index, position); });
}

void TLumoDBGrid::editorOpened(TLumoDBGridInplaceEdit *editor, const QModelIndex &)
{
    m_editor = editor;
    connect(editor, &TLumoDBGridInplaceEdit::command, this, &TLumoDBGrid::editCommand);
}

QList<int> TLumoDBGrid::selectedRowNumbers() const
{
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool TLumoDBGrid::commitEditor()
{
    // Written straight from the editor, which stays open: the table may be asked to move
    // next, and what was typed must be in the record by then.
    if (m_editor && m_editor->isModified() && currentIndex().isValid()) {
        storeText(currentIndex(), m_editor->text());
        if (!m_rejected)
            m_editor->setModified(false);
    }
    if (m_rejected) {
        m_rejected = false;
        guarded([&] {
            if (SqliteTable *table = dataSet(); table && table->state() == SqliteTable::State::Browse)
                table->edit();
        });
        return false;
    }
    return true;
}

bool TLumoDBGrid::insertRowUntouched() const
{
    const SqliteTable *table = dataSet();
    if (!table || table->state() != SqliteTable::State::Insert)
        return false;
    const int row = table->recNo();
    for (int column = 0; column < m_model->columnCount(); ++column)
        if (!m_model->index(row, column).data().toString().isEmpty())
            return false;
    return true;
}

void TLumoDBGrid::PostPending()
{
    SqliteTable *table = dataSet();
    if (!table || !table->active() || !commitEditor())
        return;
    guarded([&] {
        if (insertRowUntouched())
            table->cancel();
        else if (table->state() != SqliteTable::State::Browse)
            table->post();
    });
}

void TLumoDBGrid::deleteWithQuestion()
{
    SqliteTable *table = dataSet();
    if (!table || !table->active() || table->isEmpty())
        return;
    const MessageService::Button answer = m_messages.show(
        MessageService::Kind::Confirmation,
        Translate(objectName(), QStringLiteral("MsgDeleteRecord"), QStringLiteral("Delete record?")),
        MessageService::Ok | MessageService::Cancel);
    if (answer == MessageService::Cancel)
        return;
    guarded([&] { table->deleteRecord(); });
}

void TLumoDBGrid::keyPressEvent(QKeyEvent *event)
{
    SqliteTable *table = dataSet();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (event->key() == Qt::Key_Delete && ctrl) {
        deleteWithQuestion();
        return;
    }
    if (const auto edit = TLumoDBGridInplaceEdit::commandOf(*event)) {
        emit editCommand(*edit);
        return;
    }
    if (table && table->active() && event->key() == Qt::Key_Escape) {
        guarded([&] { table->cancel(); });
        return;
    }
    const bool onLastRow = currentIndex().row() == m_model->rowCount() - 1;
    if (table && table->active() && event->key() == Qt::Key_Down && (onLastRow || table->isEmpty())) {
        // A new row after the last, unless the last is a new row nothing was typed into.
        if (!commitEditor() || insertRowUntouched())
            return;
        guarded([&] { table->append(); });
        return;
    }
    QTableView::keyPressEvent(event);
}

void TLumoDBGrid::commitData(QWidget *editor)
{
    QTableView::commitData(editor);
    if (m_rejected)
        guarded([&] {
            if (SqliteTable *table = dataSet(); table && table->state() == SqliteTable::State::Browse)
                table->edit();
        });
}

void TLumoDBGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (editor == m_editor)
        m_editor = nullptr;
    QTableView::closeEditor(editor, hint);
    if (m_rejected) {
        QTimer::singleShot(0, this, &TLumoDBGrid::restoreRejected);
        return;
    }
    if (hint == QAbstractItemDelegate::RevertModelCache)
        if (SqliteTable *table = dataSet(); table && table->active())
            guarded([&] { table->cancel(); });
    if (hasFocus())
        QTimer::singleShot(0, this, &TLumoDBGrid::openCurrentEditor);
}

void TLumoDBGrid::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    // An empty unit offers a new row to type into, as the rows of a data-aware grid do.
    if (SqliteTable *table = dataSet(); table && table->active() && table->isEmpty())
        guarded([&] { table->append(); });
    // The editor is always shown while the grid has the focus.
    QTimer::singleShot(0, this, &TLumoDBGrid::openCurrentEditor);
}

void TLumoDBGrid::restoreRejected()
{
    if (!m_rejected)
        return;
    m_rejected = false;
    if (!m_rejectedIndex.isValid())
        return;
    setCurrentIndex(m_rejectedIndex);
    edit(m_rejectedIndex);
    if (m_editor) {
        m_editor->setText(m_rejectedText);
        m_editor->setModified(true);
    }
}

void TLumoDBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid())
        m_column = current.column();
    if (m_syncing || m_rejected || !current.isValid())
        return;
    SqliteTable *table = dataSet();
    if (table && table->active() && current.row() != table->recNo())
        guarded([&] { table->setRecNo(current.row()); });
    // The editor is always shown on the current cell.
    QTimer::singleShot(0, this, &TLumoDBGrid::openCurrentEditor);
}

void TLumoDBGrid::tableCurrentChanged(int position)
{
    if (position < 0 || position >= m_model->rowCount())
        return;
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.row() == position && !m_syncing)
        return;
    m_syncing = true;
    setCurrentIndex(m_model->index(position, current.isValid() ? current.column() : m_column));
    m_syncing = false;
    QTimer::singleShot(0, this, &TLumoDBGrid::openCurrentEditor);
}

bool TLumoDBGrid::editorWanted() const
{
    // The table also moves for the other pages (a test walks through it): an editor opened
    // on a hidden grid would take the keys typed there and store them into the entries.
    if (!isVisible())
        return false;
    const QWidget *focus = window()->focusWidget();
    const QWidget *page = parentWidget();
    return focus && (focus == this || isAncestorOf(focus) || (page && page->isAncestorOf(focus)));
}

void TLumoDBGrid::openCurrentEditor()
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && state() != QAbstractItemView::EditingState && !m_rejected && editorWanted())
        edit(current);
}
