#pragma once

#include "platform/messageservice.h"

#include <QString>

class QWidget;

// Message boxes on screen, parented to the given window.
class QMessageBoxService : public MessageService
{
public:
    // The captions of the four buttons, in the program's language: the toolkit has no
    // translation of its own for some languages.
    struct ButtonTexts
    {
        QString yes = QStringLiteral("&Yes");
        QString no = QStringLiteral("&No");
        QString ok = QStringLiteral("OK");
        QString cancel = QStringLiteral("Cancel");
    };

    explicit QMessageBoxService(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    Button show(Kind kind, const QString &text, int buttons) override;

    // Every box of the program shows these captions from now on.
    static void setButtonTexts(const ButtonTexts &texts);
    static ButtonTexts buttonTexts();

private:
    QWidget *m_parent = nullptr;
};
