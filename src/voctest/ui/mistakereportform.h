#pragma once

#include <QWidget>

class QLabel;
struct MistakeReport;
struct VocTestCaptions;

// The small window that shows the right answer after a wrong one. Any key, any click on it
// or its loss of activation closes it.
class TMistakeReportForm : public QWidget
{
    Q_OBJECT

public:
    explicit TMistakeReportForm(QWidget *parent = nullptr);

    void setContent(const MistakeReport &report, const VocTestCaptions &captions);

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Question = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Answer = nullptr;

signals:
    void closed();

protected:
    bool event(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QLabel *addLabel(const QString &name, bool highlighted);
};
