#pragma once

#include <QString>

// The small window that shows which file and page are being printed.
class PrintStatusView
{
public:
    virtual ~PrintStatusView() = default;

    virtual void open(const QString &topLabel, const QString &fileNameLabel, const QString &currentPageLabel,
                      const QString &fileName) = 0;
    virtual void showPage(int page) = 0;
    virtual void close() = 0;
};
