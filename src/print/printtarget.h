#pragma once

#include <QString>

class QPainter;

// What the print engine needs of a printer: page size and resolution, orientation, and jobs
// of pages. A job's first page is opened by the first painter() call, so a job without pages
// leaves no blank sheet.
class PrintTarget
{
public:
    virtual ~PrintTarget() = default;

    virtual int resolutionX() const = 0; // pixels per inch
    virtual int resolutionY() const = 0;
    virtual void setLandscape(bool landscape) = 0;
    // The printable page in pixels, in the current orientation.
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;

    // False when the job cannot start (the user gave up choosing where it goes); errors
    // travel as exceptions.
    virtual bool beginJob(const QString &title) = 0;
    // The painter on the current page; the first call of a job opens its first page.
    virtual QPainter &painter() = 0;
    virtual void newPage() = 0;
    // Finishes the job; a job that could not be finished throws and leaves nothing behind.
    virtual void endJob() = 0;
};
