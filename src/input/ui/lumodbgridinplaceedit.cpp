#include "input/ui/lumodbgridinplaceedit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>

TLumoDBGridInplaceEdit::TLumoDBGridInplaceEdit(QWidget *parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("InplaceEdit"));
    setFrame(false);
    setMaxLength(255);
    setMouseTracking(true);
    updateMargins();
}

void TLumoDBGridInplaceEdit::setPickList(const QStringList &items)
{
    m_items = items;
    m_editStyle = !items.isEmpty() && !isReadOnly() ? EditStyle::PickList : EditStyle::Simple;
    updateMargins();
    update();
}

int TLumoDBGridInplaceEdit::buttonWidth() const
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

QRect TLumoDBGridInplaceEdit::buttonRect() const
{
    if (m_editStyle == EditStyle::Simple)
        return {};
    return QRect(width() - buttonWidth(), 0, buttonWidth(), height());
}

void TLumoDBGridInplaceEdit::updateMargins()
{
    // The text is inset by 2 pixels and ends before the button.
    const int button = m_editStyle == EditStyle::Simple ? 0 : buttonWidth();
    setTextMargins(2, 2, 2 + button, 0);
}

bool TLumoDBGridInplaceEdit::listVisible() const
{
    return m_pickList && m_pickList->isVisible();
}

QPoint TLumoDBGridInplaceEdit::dropDownPosition(const QRect &editor, int listHeight, const QRect &screen)
{
    if (editor.bottom() + 1 + listHeight > screen.bottom() + 1)
        return {editor.left(), editor.top() - listHeight};
    return {editor.left(), editor.bottom() + 1};
}

void TLumoDBGridInplaceEdit::dropDown()
{
    if (m_editStyle != EditStyle::PickList || listVisible())
        return;
    if (!m_pickList) {
        m_pickList = new QListWidget(this);
        m_pickList->setObjectName(QStringLiteral("PickList"));
        // A tool-tip window is never activated, so the window keeps its focus and its editor.
        m_pickList->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
        m_pickList->setAttribute(Qt::WA_ShowWithoutActivating);
        m_pickList->setFocusPolicy(Qt::NoFocus);
        m_pickList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_pickList->viewport()->installEventFilter(this);
    }
    m_pickList->clear();
    m_pickList->addItems(m_items);
    m_pickList->setFont(font());
    m_pickList->setPalette(palette());
    const int itemHeight = std::max(11, fontMetrics().height());
    // As wide as the cell, or as the longest name needs beside the frame, the item's margins
    // and the scroll bar.
    const int padding =
        2 * m_pickList->frameWidth() + 8 +
        (m_items.size() > DropDownRows ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0);
    int listWidth = width();
    for (const QString &item : std::as_const(m_items))
        listWidth = std::max(listWidth, fontMetrics().horizontalAdvance(item) + padding);
    for (int i = 0; i < m_pickList->count(); ++i)
        m_pickList->item(i)->setSizeHint(QSize(listWidth, itemHeight));
    const int height = itemHeight * std::min(int(m_items.size()), DropDownRows) + 4;
    m_pickList->resize(listWidth, height);
    const QRect editor(mapToGlobal(QPoint(0, 0)), size());
    const QScreen *screen = this->screen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1 << 20, 1 << 20);
    m_pickList->move(dropDownPosition(editor, height, area));
    m_pickList->show();
    const int index = m_fieldPosition >= 0 ? m_fieldPosition : m_items.indexOf(m_fieldText);
    if (index >= 0 && index < m_items.size())
        m_pickList->setCurrentRow(index);
    else
        m_pickList->selectionModel()->clear();
    update();
}

void TLumoDBGridInplaceEdit::closeUp(bool accept)
{
    if (!listVisible())
        return;
    const int row = m_pickList->currentRow();
    m_pickList->hide();
    update();
    if (accept && row >= 0 && !isReadOnly()) {
        setText(m_items.at(row));
        emit picked(row);
    }
}

bool TLumoDBGridInplaceEdit::handleListKey(QKeyEvent *event)
{
    const bool alt = event->modifiers() & Qt::AltModifier;
    if (alt && (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up)) {
        if (listVisible())
            closeUp(true);
        else
            dropDown();
        return true;
    }
    if (!listVisible())
        return false;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        closeUp(true);
    else if (event->key() == Qt::Key_Escape)
        closeUp(false);
    else
        moveSelection(event->key());
    return true;
}

void TLumoDBGridInplaceEdit::moveSelection(int key)
{
    // The list's own key handling needs a laid-out, focused list; the moves are simple.
    const int last = m_pickList->count() - 1;
    const int row = m_pickList->currentRow();
    int next = row;
    switch (key) {
    case Qt::Key_Down: next = row + 1; break;
    case Qt::Key_Up: next = row < 0 ? 0 : row - 1; break;
    case Qt::Key_PageDown: next = row + DropDownRows; break;
    case Qt::Key_PageUp: next = row - DropDownRows; break;
    case Qt::Key_Home: next = 0; break;
    case Qt::Key_End: next = last; break;
    default: return;
    }
    m_pickList->setCurrentRow(std::clamp(next, 0, last));
}

bool TLumoDBGridInplaceEdit::event(QEvent *event)
{
    // With the list open, Escape and Enter belong to it, not to shortcuts or the grid.
    if (event->type() == QEvent::ShortcutOverride && listVisible()) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

std::optional<TLumoDBGridInplaceEdit::Command> TLumoDBGridInplaceEdit::commandOf(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = modifiers == Qt::ControlModifier;
    if ((ctrl && event.key() == Qt::Key_Y) ||
        (modifiers == (Qt::ControlModifier | Qt::ShiftModifier) && event.key() == Qt::Key_Z))
        return Command::Redo;
    if (!ctrl)
        return std::nullopt;
    switch (event.key()) {
    case Qt::Key_Z: return Command::Undo;
    case Qt::Key_X: return Command::Cut;
    case Qt::Key_C: return Command::Copy;
    case Qt::Key_V: return Command::Paste;
    default: return std::nullopt;
    }
}

void TLumoDBGridInplaceEdit::keyPressEvent(QKeyEvent *event)
{
    if (m_editStyle == EditStyle::PickList && handleListKey(event))
        return;
    if (const std::optional<Command> edit = commandOf(*event)) {
        emit command(*edit);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TLumoDBGridInplaceEdit::focusOutEvent(QFocusEvent *event)
{
    closeUp(false);
    QLineEdit::focusOutEvent(event);
}

void TLumoDBGridInplaceEdit::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    if (m_editStyle == EditStyle::Simple)
        return;
    QPainter painter(this);
    QStyleOptionButton button;
    button.initFrom(this);
    button.rect = buttonRect();
    button.state |= listVisible() ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButtonBevel, &button, &painter, this);
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = buttonRect().adjusted(3, 3, -3, -3);
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter, this);
}

void TLumoDBGridInplaceEdit::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && buttonRect().contains(event->position().toPoint())) {
        if (listVisible()) {
            closeUp(false);
        } else {
            dropDown();
            m_tracking = listVisible();
            m_listEntered = false;
        }
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void TLumoDBGridInplaceEdit::mouseMoveEvent(QMouseEvent *event)
{
    // The press on the button holds the mouse: moved over the list, it picks there.
    if (m_tracking && listVisible()) {
        m_listEntered = followMouse(event->globalPosition().toPoint()) || m_listEntered;
        return;
    }
    // Over the button the pointer is the arrow, not the text cursor.
    setCursor(buttonRect().contains(event->position().toPoint()) ? Qt::ArrowCursor : Qt::IBeamCursor);
    QLineEdit::mouseMoveEvent(event);
}

void TLumoDBGridInplaceEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_tracking) {
        QLineEdit::mouseReleaseEvent(event);
        return;
    }
    m_tracking = false;
    // Released on the button itself the list stays open for a click on it.
    if (followMouse(event->globalPosition().toPoint()))
        closeUp(true);
    else if (m_listEntered)
        closeUp(false);
}

bool TLumoDBGridInplaceEdit::followMouse(const QPoint &global)
{
    if (!listVisible())
        return false;
    QWidget *area = m_pickList->viewport();
    const QPoint at = area->mapFromGlobal(global);
    if (!area->rect().contains(at))
        return false;
    if (QListWidgetItem *item = m_pickList->itemAt(at))
        m_pickList->setCurrentItem(item);
    return true;
}

bool TLumoDBGridInplaceEdit::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
                       type == QEvent::MouseMove || type == QEvent::MouseButtonRelease;
    if (!m_pickList || watched != m_pickList->viewport() || !mouse)
        return QLineEdit::eventFilter(watched, event);
    const auto *press = static_cast<QMouseEvent *>(event);
    const QPoint global = press->globalPosition().toPoint();
    if (type == QEvent::MouseButtonRelease) {
        m_tracking = false;
        closeUp(followMouse(global));
    } else if (type != QEvent::MouseMove || press->buttons() != Qt::NoButton) {
        // The selection follows the mouse while a button is held.
        followMouse(global);
    }
    return true;
}

void TLumoDBGridInplaceEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (buttonRect().contains(event->position().toPoint()))
        return;
    QLineEdit::mouseDoubleClickEvent(event);
}
