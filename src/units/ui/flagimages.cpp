#include "units/ui/flagimages.h"

#include "units/ui/imagelist.h"
#include "units/vocabularylanguages.h"

#include "platform/programfolder.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSvgRenderer>

#include <array>
#include <set>

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

// 1x and 2x always, so that a picture moved to a denser screen stays sharp, and whatever
// the present screens use besides.
std::set<qreal> PixelRatios()
{
    std::set<qreal> ratios = {1.0, 2.0};
    if (qGuiApp) {
        for (const QScreen *screen : QGuiApplication::screens())
            ratios.insert(screen->devicePixelRatio());
    }
    return ratios;
}

// Stripes and stars that fall between pixels blur at 16 pixels, so a flag may come with a
// drawing of its own for one width in device pixels: "us-16.svg" beside "us.svg".
QString DrawingForWidth(const QString &path, int devicePixels)
{
    return path.chopped(4) + u'-' + QString::number(devicePixels) + QStringLiteral(".svg");
}

QIcon FlagPicture(const QString &path, int size, const std::set<qreal> &ratios)
{
    QSvgRenderer svg(path);
    if (!svg.isValid())
        return QIcon(); // the renderer has said why
    QIcon picture;
    for (const qreal ratio : ratios) {
        const QString ownPath = DrawingForWidth(path, qRound(size * ratio));
        if (QFileInfo::exists(ownPath)) {
            QSvgRenderer own(ownPath);
            if (own.isValid()) {
                picture.addPixmap(RenderFlag(own, size, ratio));
                continue;
            }
        }
        picture.addPixmap(RenderFlag(svg, size, ratio));
    }
    return picture;
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
    const std::set<qreal> ratios = PixelRatios();
    QHash<QString, QIcon> drawn; // languages that share a flag share its picture
    for (int language = 0; language < LanguageCount; ++language) {
        const QString path = flagFolder + FlagFileName(language);
        if (!drawn.contains(path))
            drawn.insert(path, FlagPicture(path, size, ratios));
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
