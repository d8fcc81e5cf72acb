#pragma once

#include "print/printstatusview.h"

#include <QWidget>

class QFrame;
class QLabel;

// The small window on top while a job prints: the file and the page being printed.
class TPrintStatus : public QWidget, public PrintStatusView
{
    Q_OBJECT

public:
    explicit TPrintStatus(QWidget *parent);

    QLabel *TopLabel = nullptr;
    QFrame *Panel1 = nullptr;
    QLabel *FileNameLabel = nullptr;
    QLabel *CurrentPageLabel = nullptr;
    QLabel *FileNameText = nullptr;
    QLabel *CurrentPageText = nullptr;

    void open(const QString &topLabel, const QString &fileNameLabel, const QString &currentPageLabel,
              const QString &fileName) override;
    void showPage(int page) override;
    void close() override;
};
