#include "logbook/ui/lumodbloggrid.h"

#include "logbook/logbookstore.h"
#include "logbook/ui/savemistakesform.h"
#include "platform/table/sqlitetable.h"
#include "uilang/translate.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/unitfiles.h"
#include "vocfile/unittestlog.h"
#include "vocfile/vocabularylanguages.h"
#include "widgets/datagridlook.h"
#include "widgets/lumotablemodel.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

namespace {
const QString MistakesField = QStringLiteral("Mistakes");
} // namespace

TLumoDBLogGrid::TLumoDBLogGrid(QWidget *parent) : QTableView(parent), m_model(new LumoTableModel(this))
{
    setObjectName(QStringLiteral("LumoDBLogGrid1"));
    m_model->setColumns({{QStringLiteral("NativeLanguage"), QString()},
                         {QStringLiteral("ForeignLanguage"), QString()},
                         {MistakesField, QString()}});
    for (int column = 0; column < m_model->columnCount(); ++column)
        m_model->setReadOnly(column, true);
    m_model->setAlignment(MistakesColumn, Qt::AlignRight | Qt::AlignVCenter); // a count, as numbers are
    m_model->setCaption(NativeColumn, QString());
    m_model->setCaption(ForeignColumn, QString());
    m_model->setCaption(MistakesColumn, MistakesField);
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    ApplyDataGridLook(*this, IndicatorWidth);
    m_runDialog = [](TSaveMistakesForm &dialog) { return dialog.exec(); };
}

void TLumoDBLogGrid::setDataSet(SqliteTable *table, MessageService &messages)
{
    m_messages = &messages;
    m_model->setDataSet(table);
}

SqliteTable *TLumoDBLogGrid::dataSet() const
{
    return m_model->dataSet();
}

QString TLumoDBLogGrid::Translate(const QString &section, const QString &key,
                                  const QString &defaultValue) const
{
    return ::Translate(m_languageFile, section, key, defaultValue);
}

void TLumoDBLogGrid::setLanguageFile(const QString &path)
{
    m_languageFile = path;
    // The column titles follow another language at once, not only when the unit is opened again.
    if (QFileInfo(m_vocabularyFile).isFile())
        applyColumnCaptions();
    viewport()->update();
}

void TLumoDBLogGrid::applyColumnCaptions()
{
    m_model->setCaption(NativeColumn, ShownLanguageName(m_languageFile, m_firstLanguage));
    m_model->setCaption(ForeignColumn, ShownLanguageName(m_languageFile, m_secondLanguage));
    m_model->setCaption(MistakesColumn, Translate(objectName(), MistakesField, MistakesField));
}

void TLumoDBLogGrid::setVocabularyFile(const QString &path)
{
    m_vocabularyFile = path;
    if (!QFileInfo(path).isFile())
        return;
    const UnitDescriptor unit(path);
    const UnitTestLog log(path);
    const QString fileName = QFileInfo(path).fileName();
    m_title = fileName.left(fileName.size() - 4);
    m_firstLanguage = unit.firstLanguage();
    m_secondLanguage = unit.secondLanguage();
    m_testCount = log.testCount();
    m_lastTestDate = log.lastTestDate();
    m_description = unit.description();
    m_fontName = unit.font();
    ApplyUnitFont(*this, m_fontName);
    applyColumnCaptions();
}

int TLumoDBLogGrid::clientWidth() const
{
    const QScrollBar *bar = verticalScrollBar();
    return contentsRect().width() - (bar->isVisible() ? bar->width() : 0);
}

void TLumoDBLogGrid::applyColumnWidths()
{
    const int columns = m_model->columnCount();
    if (columns < 2)
        return;
    const int shared = (clientWidth() - 65) / (columns - 1);
    // The count needs little room; the words share the rest.
    const int mistakes = m_model->columnOfField(MistakesField);
    for (int column = 0; column < columns; ++column)
        setColumnWidth(column, column == mistakes ? MistakesWidth : std::max(shared, 0));
}

void TLumoDBLogGrid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    applyColumnWidths();
}

void TLumoDBLogGrid::ResetLog()
{
    SqliteTable *table = dataSet();
    if (!table)
        return;
    LogbookStore::resetLog(*table, m_vocabularyFile);
    table->setFiltered(true);
    m_lastTestDate.clear();
    m_testCount = 0;
}

int TLumoDBLogGrid::SaveMistakes()
{
    if (!m_messages)
        return QDialog::Rejected;
    TSaveMistakesForm dialog(*m_messages, window());
    MistakesSaver::Source &source = dialog.Source;
    source.table = dataSet();
    source.descriptorPath = m_vocabularyFile;
    source.folder = UnitFiles(m_vocabularyFile).folder();
    source.extension = UnitFiles::descriptorExtension().mid(1);
    source.firstLanguage = m_firstLanguage;
    source.secondLanguage = m_secondLanguage;
    source.fontName = m_fontName;
    source.msgFileExists = Translate(objectName(), QStringLiteral("MsgFileExists"), source.msgFileExists);
    source.msgCreationFailed =
        Translate(objectName(), QStringLiteral("MsgCreationFailed"), source.msgCreationFailed);
    source.msgSameUnit = Translate(objectName(), QStringLiteral("MsgSameUnit"), source.msgSameUnit);
    source.msgUnitExists = Translate(objectName(), QStringLiteral("MsgUnitExists"), source.msgUnitExists);
    source.msgNameTooLong = Translate(objectName(), QStringLiteral("MsgNameTooLong"), source.msgNameTooLong);
    dialog.applyLanguageFile(m_languageFile, objectName());
    return m_runDialog(dialog);
}
