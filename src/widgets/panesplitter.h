#pragma once

#include <QSplitter>

// A splitter whose first pane keeps its width (or height) when the window is resized; the
// extent is kept even while the splitter is hidden and has not been laid out yet.
class PaneSplitter : public QSplitter
{
    Q_OBJECT

public:
    PaneSplitter(Qt::Orientation orientation, QWidget *parent = nullptr);

    int firstPaneExtent() const { return m_extent; }
    void setFirstPaneExtent(int extent);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void apply();

    int m_extent = 200;
};
