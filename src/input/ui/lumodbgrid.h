#pragma once

#include "input/ui/lumodbgridinplaceedit.h"

#include <QHash>
#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <QTableView>
#include <functional>

class LumoTableModel;
class TFindDlg;
class MessageService;
class SqliteTable;

// The word-pair grid of the input page: one row per entry of the unit's table, edited in
// place as a data-aware grid does (post when the row is left, Escape cancels, a new row
// after the last), with word types picked by name and a picture on sides with a sound.
class TLumoDBGrid : public QTableView
{
    Q_OBJECT
    Q_PROPERTY(QString VocabularyFile READ vocabularyFile WRITE setVocabularyFile)
    Q_PROPERTY(QString LanguageFile READ languageFile WRITE setLanguageFile)
    Q_PROPERTY(bool ShowSoundGlyph READ showSoundGlyph WRITE setShowSoundGlyph)

public:
    static constexpr int WordWidth = 258;
    static constexpr int TypeWidth = 80;
    static constexpr int IndicatorWidth = 11;
    static constexpr int TypeCount = 11;

    // Errors and questions go through messages, which outlive the grid.
    TLumoDBGrid(MessageService &messages, QWidget *parent);

    // The table the grid edits.
    void setDataSet(SqliteTable *table);
    SqliteTable *dataSet() const;
    LumoTableModel *tableModel() const { return m_model; }

    QString vocabularyFile() const { return m_vocabularyFile; }
    // Captions and cell font from the unit descriptor; a missing file changes nothing.
    void setVocabularyFile(const QString &path);
    QString languageFile() const { return m_languageFile; }
    void setLanguageFile(const QString &path);
    QString Translate(const QString &section, const QString &key, const QString &defaultValue) const;

    const QPixmap &soundGlyph() const { return m_soundGlyph; }
    void setSoundGlyph(const QPixmap &glyph) { m_soundGlyph = glyph; }
    bool showSoundGlyph() const { return m_showSoundGlyph; }
    void setShowSoundGlyph(bool on);

    // Kept between searches.
    QString FindText;
    bool FindInNative = true;
    bool FindInForeign = true;
    // Find asks with the find dialog, FindAgain uses the kept values. The search starts after
    // the current entry in the current order, wraps round from the last entry to the first and
    // ends on the match or where it began, without a message. Each side is searched under the
    // case rules of its vocabulary language.
    void Find();
    void FindAgain();
    // Shows the find dialog modally and gives its result; tests script it.
    void setFindDialogRunner(std::function<int(TFindDlg &)> runner) { m_runFindDialog = std::move(runner); }
    // The field the column at a place on the screen shows (0: the first), as the columns were
    // dragged; empty past the last.
    QString fieldAtPlace(int place) const;

    // The names of the pick list, position = value, with English defaults.
    QStringList typeNames() const;
    // The name a type cell shows: no English default, so without a language file or key it
    // is empty.
    QString cellTypeName(const QVariant &value) const;

    // Hidden: width 0 and read-only. Column widths are computed again.
    void setTypeColumnShown(bool shown);
    bool typeColumnShown() const;
    // The width the columns share: inside the frame, without the vertical scroll bar.
    int clientWidth() const;
    void applyColumnWidths();

    // Editing, each guarded: an error of the table is reported and the grid stays usable.
    void storeText(const QModelIndex &index, const QString &text);
    void storeType(const QModelIndex &index, int position);
    void editorOpened(TLumoDBGridInplaceEdit *editor, const QModelIndex &index);
    TLumoDBGridInplaceEdit *activeEditor() const { return m_editor; }
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }
    // Writes what the open editor holds into the record; false when the text was refused.
    bool commitEditor();
    // Writes the editor and posts the entry being edited; an untouched new row is dropped.
    void PostPending();
    // The grid's own delete key: asks "Delete record?" first.
    void deleteWithQuestion();
    // Runs work on the table through the error boundary; false when it failed.
    bool guarded(const std::function<void()> &work);
    // The rows selected as a whole (by their indicator), in order.
    QList<int> selectedRowNumbers() const;

signals:
    // An Edit key typed into the cell editor, or into the grid.
    void editCommand(TLumoDBGridInplaceEdit::Command command);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void commitData(QWidget *editor) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void tableCurrentChanged(int position);
    void openCurrentEditor();
    // While the grid is shown and the focus is in it or on its page.
    bool editorWanted() const;
    void restoreRejected();
    bool insertRowUntouched() const;

    LumoTableModel *m_model;
    MessageService &m_messages;
    QString m_vocabularyFile;
    // Of the native and the foreign side, from the unit's descriptor; empty before a unit.
    QList<int> m_languages;
    QList<QLocale> m_findCaseRules;
    QString m_languageFile;
    QPixmap m_soundGlyph;
    bool m_showSoundGlyph = true;
    QStringList m_typeNames;
    mutable QHash<QString, QString> m_cellTypeNames;
    QPointer<TLumoDBGridInplaceEdit> m_editor;
    bool m_syncing = false;
    int m_column = 0; // kept across a reset of the rows
    // A type text the field refused: the cell is edited again with it.
    bool m_rejected = false;
    QPersistentModelIndex m_rejectedIndex;
    QString m_rejectedText;
    std::function<int(TFindDlg &)> m_runFindDialog;
};
