#pragma once

#include <QLineEdit>
#include <QStringList>
#include <optional>

class QKeyEvent;

class QListWidget;

// The grid's cell editor: a line edit with a button at its right edge that opens a pick
// list below the cell (above it near the bottom of the screen). The list never takes the
// focus; the editor passes it the keys while it is open.
class TLumoDBGridInplaceEdit : public QLineEdit
{
    Q_OBJECT

public:
    enum class EditStyle { Simple, Ellipsis, PickList, DataList };
    // The Edit menu's commands, which reach past the editor's own text (entries, rows).
    enum class Command { Undo, Redo, Cut, Copy, Paste };
    static constexpr int DropDownRows = 7;

    explicit TLumoDBGridInplaceEdit(QWidget *parent);

    // A non-empty list on an editable cell gives the pick-list style; otherwise none.
    void setPickList(const QStringList &items);
    // The field's value as text; the list opens with the entry of that text selected.
    void setFieldText(const QString &text) { m_fieldText = text; }
    // For a field that holds an entry's position (the word type): the list opens on that
    // entry; -1 for none, when the text decides.
    void setFieldPosition(int position) { m_fieldPosition = position; }
    EditStyle editStyle() const { return m_editStyle; }
    int buttonWidth() const;

    bool listVisible() const;
    QListWidget *pickList() const { return m_pickList; }
    void dropDown();
    // Closes the list; accepting with an entry selected emits picked(its position).
    void closeUp(bool accept);

    // Where a list of listHeight opens for an editor at editor (global): directly below, or
    // directly above when it would pass the bottom of screen.
    static QPoint dropDownPosition(const QRect &editor, int listHeight, const QRect &screen);

    // The Edit command a key stands for; none for other keys.
    static std::optional<Command> commandOf(const QKeyEvent &event);

signals:
    void picked(int position);
    // An Edit key: the Edit menu's command decides what it acts on (this text or entries).
    void command(TLumoDBGridInplaceEdit::Command command);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    // The list's own mouse presses, moves and releases.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QRect buttonRect() const;
    void updateMargins();
    bool handleListKey(QKeyEvent *event);
    void moveSelection(int key);
    // The mouse at global over the list: its entry there becomes the selection; true when
    // the point lies on the list.
    bool followMouse(const QPoint &global);

    EditStyle m_editStyle = EditStyle::Simple;
    QStringList m_items;
    QString m_fieldText;
    int m_fieldPosition = -1;
    bool m_tracking = false;           // a press on the button is held
    bool m_listEntered = false;        // ... and has been moved over the list
    QListWidget *m_pickList = nullptr; // made on first use
};
