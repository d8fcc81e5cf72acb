#pragma once

#include <QPointer>
#include <QTableWidget>
#include <functional>

class MessageService;
class QMenu;
class TCustomizeChar;
class TImageList;

// A one-row bar of special characters of one vocabulary language, read from the
// special-character file. Clicking a character types it into the destination control as a
// key press would, and the destination keeps or gets the focus: the bar itself never takes it,
// so a cell editor stays open with its selection.
class TCharGrid : public QTableWidget
{
    Q_OBJECT
    Q_MOC_INCLUDE("widgets/imagelist.h")
    Q_PROPERTY(QString CharFileName READ charFileName WRITE setCharFileName)
    Q_PROPERTY(int Language READ language WRITE setLanguage)
    Q_PROPERTY(QWidget *Destination READ destination WRITE setDestination)
    Q_PROPERTY(TImageList *Images READ images WRITE setImages)
    Q_PROPERTY(QString LanguageFile READ languageFile WRITE setLanguageFile)

public:
    static constexpr int ColumnWidth = 14;
    static constexpr int RowHeight = 18;
    static constexpr int BarHeight = 22;

    TCharGrid(const QString &name, QWidget *parent);

    QString charFileName() const { return m_charFileName; }
    // Loads the characters when the path changes.
    void setCharFileName(const QString &path);
    int language() const { return m_language; }
    // Loads the characters when the number changes.
    void setLanguage(int language);
    QWidget *destination() const { return m_destination; }
    void setDestination(QWidget *destination) { m_destination = destination; }
    TImageList *images() const { return m_images; }
    void setImages(TImageList *images) { m_images = images; }
    QString languageFile() const { return m_languageFile; }
    void setLanguageFile(const QString &path) { m_languageFile = path; }

    void setPopupMenu(QMenu *menu) { m_popup = menu; }
    // Where the customize dialog reports a file it cannot write.
    void setMessageService(MessageService &messages) { m_messages = &messages; }
    // How the customize dialog is shown; exec() unless a test scripts it.
    void setDialogRunner(std::function<int(TCustomizeChar &)> runner) { m_runDialog = std::move(runner); }

    // Shows the language's characters up to its first empty slot; without the file the bar
    // keeps what it shows.
    void LoadCharacters();
    // The characters the bar shows, in order.
    QString characters() const;
    // Types character into the destination as a key press would: into the control inside it
    // that has the focus (a grid's open cell editor), else into the destination itself.
    void TypeCharacter(QChar character);
    // Lets the user edit the sets of all languages; OK shows the language chosen there.
    void Customize();

    // The shape shared by the character grids: rows x columns cells of one size, no headers,
    // no fixed cells, one cell selected at a time, nothing edited in place.
    static void shapeGrid(QTableWidget &grid, int rows, int columns, QSize cell);
    // Puts character into a cell (a null character empties it).
    static void setCellCharacter(QTableWidget &grid, int row, int column, QChar character);
    // The first character of a cell, null when it is empty.
    static QChar cellCharacter(const QTableWidget &grid, int row, int column);

signals:
    void helpRequested(int helpContext);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void focusDestination();

    QString m_charFileName;
    int m_language = 0;
    QPointer<QWidget> m_destination;
    TImageList *m_images = nullptr;
    QString m_languageFile;
    QMenu *m_popup = nullptr;
    MessageService *m_messages = nullptr;
    std::function<int(TCustomizeChar &)> m_runDialog;
};
