#pragma once

#include "platform/messageservice.h"

class QWidget;

// Message boxes on screen, parented to the given window.
class QMessageBoxService : public MessageService
{
public:
    explicit QMessageBoxService(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    Button show(Kind kind, const QString &text, int buttons) override;

private:
    QWidget *m_parent = nullptr;
};
