#include "units/ui/flagimages.h"

#include "vocfile/vocabularylanguages.h"
#include "widgets/imagelist.h"

#include "platform/programfolder.h"

#include <QFileInfo>
#include <QHash>
#include <QIcon>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include <array>

namespace {
// Greek has no flag of its own and shares the European one with "Other".
constexpr std::array<const char *, LanguageCount> FlagFiles = {
    "eu.svg", "us.svg", "gb.svg", "au.svg", "fr.svg", "be.svg", "de.svg", "ch.svg", "at.svg", "it.svg",
    "es.svg", "eu.svg", "nl.svg", "tr.svg", "br.svg", "dk.svg", "fi.svg", "no.svg", "se.svg"};

// Flags are drawn 4:3 and centred in their square picture, so that a row of pictures lines
// up and each flag keeps its shape; the edge keeps white flags apart from a white background.
const QColor FlagEdge(0, 0, 0, 80);

QRectF FlagArea(int size)
{
    const qreal height = size * 0.75;
    return QRectF(0, (size - height) / 2, size, height);
}

QPixmap RenderFlag(QSvgRenderer &svg, int size, qreal ratio)
{
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = FlagArea(size);
    painter.setClipRect(area);
    svg.render(&painter, area);
    // One device pixel wide, on the flag's own outermost pixels.
    const qreal half = 0.5 / ratio;
    QPen edge(FlagEdge, 0);
    painter.setPen(edge);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(half, half, -half, -half));
    return pixmap;
}

// Stripes and stars that fall between pixels blur at 16 pixels, so a flag may come with a
// drawing of its own for one width in device pixels: "us-16.svg" beside "us.svg".
QString DrawingForWidth(const QString &path, int devicePixels)
{
    return path.chopped(4) + u'-' + QString::number(devicePixels) + QStringLiteral(".svg");
}

// A flag drawn when a screen first asks for it at a pixel density, not before: most flags
// are never shown in a session, and parsing and drawing all of them would slow the start.
class FlagEngine : public QIconEngine
{
public:
    FlagEngine(QString path, int size) : m_path(std::move(path)), m_size(size) {}

    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        // size is in device pixels: the density follows from the picture's own size.
        const qreal ratio = std::max<qreal>(1.0, qreal(std::max(size.width(), size.height())) / m_size);
        const int key = qRound(ratio * 100);
        const auto found = m_rendered.constFind(key);
        if (found != m_rendered.constEnd())
            return found.value();
        const QPixmap picture = render(ratio);
        m_rendered.insert(key, picture);
        return picture;
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        return size.boundedTo(QSize(m_size, m_size) * 4);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {QSize(m_size, m_size)}; }
    QIconEngine *clone() const override { return new FlagEngine(*this); }
    QString key() const override { return QStringLiteral("LumoFlag"); }

private:
    QPixmap render(qreal ratio) const
    {
        const QString own = DrawingForWidth(m_path, qRound(m_size * ratio));
        if (QFileInfo::exists(own)) {
            QSvgRenderer svg(own);
            if (svg.isValid())
                return RenderFlag(svg, m_size, ratio);
        }
        QSvgRenderer svg(m_path);
        if (svg.isValid())
            return RenderFlag(svg, m_size, ratio);
        QPixmap blank(QSize(m_size, m_size) * ratio);
        blank.setDevicePixelRatio(ratio);
        blank.fill(Qt::transparent);
        return blank;
    }

    QString m_path;
    int m_size;
    QHash<int, QPixmap> m_rendered;
};

QIcon FlagPicture(const QString &path, int size)
{
    // A flag whose file is missing has no picture; the views draw a blank square for it.
    if (!QFileInfo(path).isFile())
        return QIcon();
    return QIcon(new FlagEngine(path, size));
}

TImageList *CreateFlags(QObject *parent, const QString &name, int size, const QString &flagFolder)
{
    auto *list = new TImageList(QSize(size, size), parent);
    list->setObjectName(name);
    LoadFlags(*list, flagFolder);
    return list;
}
} // namespace

QString FlagFolder()
{
    return ProgramFolder() + QStringLiteral("flags/");
}

QString FlagFileName(int language)
{
    return IsLanguageNumber(language) ? QString::fromLatin1(FlagFiles[language]) : QString();
}

void LoadFlags(TImageList &list, const QString &flagFolder)
{
    list.Clear();
    const int size = list.imageSize().width();
    QHash<QString, QIcon> drawn; // languages that share a flag share its picture
    for (int language = 0; language < LanguageCount; ++language) {
        const QString path = flagFolder + FlagFileName(language);
        if (!drawn.contains(path))
            drawn.insert(path, FlagPicture(path, size));
        list.Add(drawn.value(path));
    }
}

TImageList *CreateLargeFlags(QObject *parent, const QString &flagFolder)
{
    return CreateFlags(parent, QStringLiteral("LargeFlags"), LargeFlagSize, flagFolder);
}

TImageList *CreateSmallFlags(QObject *parent, const QString &flagFolder)
{
    return CreateFlags(parent, QStringLiteral("SmallFlags"), SmallFlagSize, flagFolder);
}
