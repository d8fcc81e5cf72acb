#include "widgets/chargrid.h"

#include "uilang/translate.h"
#include "vocfile/specialcharacterfile.h"
#include "widgets/customizechar.h"
#include "widgets/imagelist.h"
#include "widgets/languagecombobox.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>

TCharGrid::TCharGrid(const QString &name, QWidget *parent) : QTableWidget(parent)
{
    setObjectName(name);
    shapeGrid(*this, 1, SpecialCharacterFile::SlotCount, QSize(ColumnWidth, RowHeight));
    setFixedHeight(BarHeight);
    // The focus stays where the characters go.
    setFocusPolicy(Qt::NoFocus);
    m_runDialog = [](TCustomizeChar &dialog) { return dialog.exec(); };
}

void TCharGrid::shapeGrid(QTableWidget &grid, int rows, int columns, QSize cell)
{
    grid.setRowCount(rows);
    grid.setColumnCount(columns);
    grid.horizontalHeader()->hide();
    grid.verticalHeader()->hide();
    grid.horizontalHeader()->setMinimumSectionSize(1);
    grid.verticalHeader()->setMinimumSectionSize(1);
    grid.horizontalHeader()->setDefaultSectionSize(cell.width());
    grid.verticalHeader()->setDefaultSectionSize(cell.height());
    grid.horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid.setSelectionMode(QAbstractItemView::SingleSelection);
    grid.setSelectionBehavior(QAbstractItemView::SelectItems);
    grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid.setTabKeyNavigation(false);
}

void TCharGrid::setCellCharacter(QTableWidget &grid, int row, int column, QChar character)
{
    const QString text = character.isNull() ? QString() : QString(character);
    if (QTableWidgetItem *item = grid.item(row, column)) {
        item->setText(text);
        return;
    }
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    grid.setItem(row, column, item);
}

QChar TCharGrid::cellCharacter(const QTableWidget &grid, int row, int column)
{
    const QTableWidgetItem *item = grid.item(row, column);
    return item && !item->text().isEmpty() ? item->text().front() : QChar();
}

void TCharGrid::setCharFileName(const QString &path)
{
    if (path == m_charFileName)
        return;
    m_charFileName = path;
    LoadCharacters();
}

void TCharGrid::setLanguage(int language)
{
    if (language == m_language)
        return;
    m_language = language;
    LoadCharacters();
}

void TCharGrid::LoadCharacters()
{
    const SpecialCharacterFile file(m_charFileName);
    if (!file.exists())
        return;
    const QString characters = file.leadingCharacters(m_language);
    clearContents();
    setColumnCount(int(characters.size()));
    for (int column = 0; column < characters.size(); ++column)
        setCellCharacter(*this, 0, column, characters.at(column));
}

QString TCharGrid::characters() const
{
    QString shown;
    for (int column = 0; column < columnCount(); ++column)
        if (const QChar character = cellCharacter(*this, 0, column); !character.isNull())
            shown.append(character);
    return shown;
}

void TCharGrid::TypeCharacter(QChar character)
{
    if (!m_destination)
        return;
    QWidget *target = m_destination;
    if (QWidget *focus = QApplication::focusWidget(); focus && m_destination->isAncestorOf(focus))
        target = focus;
    const QString text(character);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
    // A grid opens its cell editor for the key; the release belongs to whoever has it now.
    if (QWidget *focus = QApplication::focusWidget(); focus && m_destination->isAncestorOf(focus))
        target = focus;
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &release);
}

void TCharGrid::focusDestination()
{
    if (!m_destination)
        return;
    // Focusing the grid itself would close its open cell editor.
    QWidget *focus = QApplication::focusWidget();
    if (focus != m_destination && !(focus && m_destination->isAncestorOf(focus)))
        m_destination->setFocus(Qt::OtherFocusReason);
}

void TCharGrid::mousePressEvent(QMouseEvent *event)
{
    QTableWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && currentIndex().isValid())
        if (const QChar character = cellCharacter(*this, 0, currentColumn()); !character.isNull())
            TypeCharacter(character);
    focusDestination();
}

void TCharGrid::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_popup)
        m_popup->popup(event->globalPos());
}

void TCharGrid::Customize()
{
    TCustomizeChar dialog(m_messages, window());
    dialog.setCharFileName(m_charFileName);
    {
        // Filling and preselecting the list is no change of language yet.
        const QSignalBlocker quiet(dialog.LanguageComboBox);
        FillLanguagePicker(*dialog.LanguageComboBox, m_languageFile, m_images);
        const int count = dialog.LanguageComboBox->count();
        dialog.LanguageComboBox->setCurrentIndex(m_language >= 0 && m_language < count ? m_language : 0);
    }
    const auto general = [this](const char *key, const char *english) {
        return Translate(m_languageFile, QStringLiteral("general"), QString::fromLatin1(key),
                         QString::fromLatin1(english));
    };
    dialog.setWindowTitle(Translate(m_languageFile, objectName(), QStringLiteral("Caption"),
                                    QStringLiteral("Customize Character Bar")));
    dialog.OKBtn->setText(general("OKBtn", "OK"));
    dialog.CancelBtn->setText(general("CancelBtn", "Cancel"));
    dialog.HelpBtn->setText(general("HelpBtn", "Help"));
    dialog.setSaveFailedText(
        Translate(m_languageFile, objectName(), QStringLiteral("MsgCannotSaveCharacters"),
                  QStringLiteral("The special characters could not be saved in this file:")));
    connect(&dialog, &TCustomizeChar::helpRequested, this, &TCharGrid::helpRequested);
    dialog.setLanguage(dialog.LanguageComboBox->currentIndex());
    if (m_runDialog(dialog) != QDialog::Accepted)
        return;
    m_language = dialog.LanguageComboBox->currentIndex();
    LoadCharacters();
}
