#include "platform/ui/qmessageboxservice.h"

#include <QMessageBox>
#include <QPushButton>

namespace {
// Every box of the program carries its name, whatever window it is shown over.
const QString Title = QStringLiteral("Lumo '97");

QMessageBox::Icon iconOf(MessageService::Kind kind)
{
    switch (kind) {
    case MessageService::Kind::Information: return QMessageBox::Information;
    case MessageService::Kind::Warning: return QMessageBox::Warning;
    case MessageService::Kind::Error: return QMessageBox::Critical;
    case MessageService::Kind::Confirmation: return QMessageBox::Question;
    case MessageService::Kind::Plain: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBoxService::ButtonTexts &shownTexts()
{
    static QMessageBoxService::ButtonTexts texts;
    return texts;
}

QString captionOf(MessageService::Button button)
{
    const QMessageBoxService::ButtonTexts &texts = shownTexts();
    switch (button) {
    case MessageService::Yes: return texts.yes;
    case MessageService::No: return texts.no;
    case MessageService::Ok: return texts.ok;
    case MessageService::Cancel: return texts.cancel;
    case MessageService::NoButton: break;
    }
    return QString();
}
} // namespace

void QMessageBoxService::setButtonTexts(const ButtonTexts &texts)
{
    shownTexts() = texts;
}

QMessageBoxService::ButtonTexts QMessageBoxService::buttonTexts()
{
    return shownTexts();
}

MessageService::Button QMessageBoxService::show(Kind kind, const QString &text, int buttons)
{
    // Windows message texts use "\r\n"; a stray "\r" would show as a box on Linux.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(iconOf(kind), Title, shown, QMessageBox::NoButton, m_parent);
    const struct
    {
        Button ours;
        QMessageBox::StandardButton theirs;
    } map[] = {
        {Yes, QMessageBox::Yes}, {No, QMessageBox::No}, {Ok, QMessageBox::Ok}, {Cancel, QMessageBox::Cancel}};
    if (buttons == NoButton)
        buttons = Ok;
    for (const auto &m : map)
        if (buttons & m.ours)
            box.addButton(m.theirs)->setText(captionOf(m.ours));
    const int answer = box.exec();
    for (const auto &m : map)
        if (answer == m.theirs)
            return m.ours;
    // Escape or the close box: the gentlest button offered.
    return (buttons & Cancel) ? Cancel : (buttons & No) ? No : Ok;
}
