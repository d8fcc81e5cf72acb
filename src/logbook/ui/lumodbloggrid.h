#pragma once

#include <QString>
#include <QTableView>
#include <functional>

class LumoTableModel;
class MessageService;
class SqliteTable;
class TSaveMistakesForm;

// The grid of the logbook page: the entries answered wrongly, with how often, read-only. It
// also knows the unit's logbook facts (title, description, test count, last test) and does
// the page's two logbook commands, emptying the logbook and saving the mistakes as a unit.
class TLumoDBLogGrid : public QTableView
{
    Q_OBJECT
    Q_PROPERTY(QString LanguageFile READ languageFile WRITE setLanguageFile)
    Q_PROPERTY(QString VocabularyFile READ vocabularyFile WRITE setVocabularyFile)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Description READ description)
    Q_PROPERTY(int TestCount READ testCount)
    Q_PROPERTY(QString LastTestDate READ lastTestDate)

public:
    enum Column { NativeColumn = 0, ForeignColumn, MistakesColumn };
    static constexpr int MistakesWidth = 50;
    static constexpr int IndicatorWidth = 11;

    explicit TLumoDBLogGrid(QWidget *parent);

    void setDataSet(SqliteTable *table, MessageService &messages);
    SqliteTable *dataSet() const;
    LumoTableModel *tableModel() const { return m_model; }

    QString languageFile() const { return m_languageFile; }
    void setLanguageFile(const QString &path);
    // Reads the unit's facts, font and column titles from the descriptor; a missing one
    // changes nothing but the path.
    QString vocabularyFile() const { return m_vocabularyFile; }
    void setVocabularyFile(const QString &path);
    QString title() const { return m_title; }
    QString description() const { return m_description; }
    int testCount() const { return m_testCount; }
    QString lastTestDate() const { return m_lastTestDate; }
    int firstLanguage() const { return m_firstLanguage; }
    int secondLanguage() const { return m_secondLanguage; }
    QString fontName() const { return m_fontName; }

    QString Translate(const QString &section, const QString &key, const QString &defaultValue) const;

    // Every "Mistakes" := 0 and the test log emptied; the filter stays on, so the grid is
    // empty afterwards. Throws when the descriptor or the table cannot be written, and then
    // changes nothing.
    void ResetLog();
    // Shows the save-mistakes dialog for the unit; returns its result.
    int SaveMistakes();
    // Shows the dialog modally and gives its result; tests script it.
    void setDialogRunner(std::function<int(TSaveMistakesForm &)> runner) { m_runDialog = std::move(runner); }

    // The width the columns share: inside the frame, without the vertical scroll bar.
    int clientWidth() const;
    void applyColumnWidths();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void applyColumnCaptions();
    LumoTableModel *m_model;
    MessageService *m_messages = nullptr;
    std::function<int(TSaveMistakesForm &)> m_runDialog;
    QString m_languageFile;
    QString m_vocabularyFile;
    QString m_title;
    QString m_description;
    int m_testCount = 0;
    QString m_lastTestDate;
    int m_firstLanguage = 0;
    int m_secondLanguage = 0;
    QString m_fontName;
};
