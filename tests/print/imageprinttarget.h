#pragma once

#include "print/printtarget.h"

#include <QImage>
#include <QList>
#include <QPainter>
#include <QStringList>
#include <memory>

// A printer whose pages are images at a fixed resolution (A4, 300 dpi unless told), so that
// tests can look at printed pixels; it keeps the titles of its jobs and the pages of each.
class ImagePrintTarget : public PrintTarget
{
public:
    explicit ImagePrintTarget(int dpi = 300, QSize portraitPage = QSize(2480, 3508))
        : m_dpi(dpi), m_portrait(portraitPage)
    {}
    ~ImagePrintTarget() override { finishPage(); }

    struct Job
    {
        QString title;
        QList<QImage> pages;
        bool ended = false;
    };

    QList<Job> jobs;
    // Jobs refused at their start, as a user cancelling the file dialog does.
    int refuseJobs = 0;

    int resolutionX() const override { return m_dpi; }
    int resolutionY() const override { return m_dpi; }
    void setLandscape(bool landscape) override { m_landscape = landscape; }
    bool landscape() const { return m_landscape; }
    int pageWidth() const override { return m_landscape ? m_portrait.height() : m_portrait.width(); }
    int pageHeight() const override { return m_landscape ? m_portrait.width() : m_portrait.height(); }

    bool beginJob(const QString &title) override
    {
        if (refuseJobs > 0) {
            --refuseJobs;
            return false;
        }
        jobs.append({title, {}, false});
        return true;
    }
    QPainter &painter() override
    {
        if (!m_painter)
            openPage();
        return *m_painter;
    }
    void newPage() override
    {
        finishPage();
        openPage();
    }
    void endJob() override
    {
        finishPage();
        jobs.last().ended = true;
    }

private:
    void openPage()
    {
        QImage page(pageWidth(), pageHeight(), QImage::Format_Grayscale8);
        const int dotsPerMeter = qRound(m_dpi / 0.0254);
        page.setDotsPerMeterX(dotsPerMeter);
        page.setDotsPerMeterY(dotsPerMeter);
        page.fill(Qt::white);
        jobs.last().pages.append(page);
        m_painter = std::make_unique<QPainter>(&jobs.last().pages.last());
    }
    void finishPage() { m_painter.reset(); }

    int m_dpi;
    QSize m_portrait;
    bool m_landscape = false;
    std::unique_ptr<QPainter> m_painter;
};
