#include "widgets/speedbutton.h"

#include <QEvent>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
void drawPage(QPainter &p, const QRectF &r)
{
    QPainterPath page;
    page.moveTo(r.left(), r.top());
    page.lineTo(r.right() - 4, r.top());
    page.lineTo(r.right(), r.top() + 4);
    page.lineTo(r.right(), r.bottom());
    page.lineTo(r.left(), r.bottom());
    page.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(page);
}

void drawFolder(QPainter &p, const QRectF &r)
{
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(r.adjusted(0, 3, 0, 0));
    p.drawRect(QRectF(r.left(), r.top() + 1, r.width() / 2.5, 3));
}

void drawStar(QPainter &p, const QPointF &c)
{
    p.save();
    p.setPen(QPen(QColor(200, 140, 0), 1.5));
    p.drawLine(c + QPointF(-3, 0), c + QPointF(3, 0));
    p.drawLine(c + QPointF(0, -3), c + QPointF(0, 3));
    p.drawLine(c + QPointF(-2, -2), c + QPointF(2, 2));
    p.drawLine(c + QPointF(-2, 2), c + QPointF(2, -2));
    p.restore();
}

void drawLines(QPainter &p, qreal x, qreal y, int count, qreal length, qreal step)
{
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(x, y + i * step), QPointF(x + length, y + i * step));
}

void drawSpeaker(QPainter &p)
{
    QPolygonF body({{3, 7}, {6, 7}, {10, 3}, {10, 15}, {6, 11}, {3, 11}});
    p.setBrush(Qt::darkGray);
    p.drawPolygon(body);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(9, 5, 5, 8), -60 * 16, 120 * 16);
    p.drawArc(QRectF(9, 3, 8, 12), -60 * 16, 120 * 16);
}

// The recorder's buttons: black shapes as on a tape deck, a red dot for recording.
void paintMediaGlyph(QPainter &p, SpeedButton::Glyph glyph)
{
    using G = SpeedButton::Glyph;
    const auto triangle = [&p](qreal x, qreal tipX) {
        p.drawPolygon(QPolygonF({{x, 4}, {tipX, 9}, {x, 14}}));
    };
    p.setBrush(Qt::black);
    switch (glyph) {
    case G::MediaPlay: triangle(6, 13); break;
    case G::MediaPause:
        p.drawRect(QRectF(5, 4, 3, 10));
        p.drawRect(QRectF(10, 4, 3, 10));
        break;
    case G::MediaStop: p.drawRect(QRectF(5, 5, 8, 8)); break;
    case G::MediaNext:
        triangle(4, 11);
        p.drawRect(QRectF(12, 4, 2, 10));
        break;
    case G::MediaPrev:
        triangle(14, 7);
        p.drawRect(QRectF(4, 4, 2, 10));
        break;
    case G::MediaStep:
        triangle(3, 9);
        triangle(9, 15);
        break;
    case G::MediaBack:
        triangle(9, 3);
        triangle(15, 9);
        break;
    case G::MediaRecord:
        p.setBrush(QColor(220, 0, 0));
        p.drawEllipse(QRectF(4.5, 4.5, 9, 9));
        break;
    case G::MediaEject:
        p.drawPolygon(QPolygonF({{4, 10}, {9, 4}, {14, 10}}));
        p.drawRect(QRectF(4, 12, 10, 2));
        break;
    default: break;
    }
}

void paintGlyph(QPainter &p, SpeedButton::Glyph glyph)
{
    using G = SpeedButton::Glyph;
    p.setPen(QPen(Qt::black, 1));
    switch (glyph) {
    case G::ShowAll:
        p.setBrush(QColor(180, 180, 180));
        p.drawRect(QRectF(2, 5, 14, 9));
        p.setBrush(Qt::green);
        p.drawRect(QRectF(12, 11, 2, 1));
        break;
    case G::NewFolder:
        drawFolder(p, QRectF(1, 6, 13, 10));
        drawStar(p, QPointF(13, 4));
        break;
    case G::NewFile:
        drawPage(p, QRectF(3, 2, 10, 14));
        drawStar(p, QPointF(13, 4));
        break;
    case G::Delete:
        p.setPen(QPen(Qt::red, 2.5));
        p.drawLine(QPointF(4, 4), QPointF(14, 14));
        p.drawLine(QPointF(14, 4), QPointF(4, 14));
        break;
    case G::LargeIcons:
        p.setBrush(QColor(80, 120, 200));
        p.drawRect(QRectF(2, 2, 6, 6));
        p.drawRect(QRectF(10, 2, 6, 6));
        p.drawRect(QRectF(2, 10, 6, 6));
        p.drawRect(QRectF(10, 10, 6, 6));
        break;
    case G::SmallIcons:
        p.setBrush(QColor(80, 120, 200));
        for (int r = 0; r < 3; ++r) {
            p.drawRect(QRectF(2, 3 + r * 5, 3, 3));
            p.drawRect(QRectF(10, 3 + r * 5, 3, 3));
        }
        break;
    case G::List:
        p.setBrush(QColor(80, 120, 200));
        for (int r = 0; r < 4; ++r)
            p.drawRect(QRectF(2, 2 + r * 4, 2, 2));
        drawLines(p, 6, 3, 4, 10, 4);
        break;
    case G::Details:
        drawLines(p, 2, 3, 4, 14, 4);
        p.drawLine(QPointF(7, 2), QPointF(7, 16));
        break;
    case G::Print:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 2, 8, 6));
        p.setBrush(QColor(180, 180, 180));
        p.drawRect(QRectF(2, 8, 14, 6));
        break;
    case G::SortNot: drawLines(p, 3, 4, 4, 12, 3); break;
    case G::SortLeft:
    case G::SortRight: {
        drawLines(p, glyph == G::SortLeft ? 2 : 9, 4, 4, 7, 3);
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 6, QFont::Bold));
        p.drawText(QRectF(glyph == G::SortLeft ? 10 : 1, 2, 8, 14), Qt::AlignCenter, QStringLiteral("AZ"));
        break;
    }
    case G::TypeColumn:
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 8, QFont::Bold));
        p.drawText(QRectF(0, 0, 18, 18), Qt::AlignCenter, QStringLiteral("T"));
        break;
    case G::InsertRecord:
        drawLines(p, 2, 5, 3, 14, 4);
        drawStar(p, QPointF(13, 13));
        break;
    case G::Find:
        p.setBrush(QColor(200, 230, 255));
        p.drawEllipse(QRectF(3, 3, 8, 8));
        p.setPen(QPen(Qt::black, 2));
        p.drawLine(QPointF(10, 10), QPointF(15, 15));
        break;
    case G::SoundTools:
    case G::Speaker: drawSpeaker(p); break;
    case G::SpeakWord:
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 9, QFont::Bold));
        p.drawText(QRectF(0, 2, 11, 14), Qt::AlignCenter, QStringLiteral("A"));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(8, 5, 5, 8), -60 * 16, 120 * 16);
        p.drawArc(QRectF(8, 3, 8, 12), -60 * 16, 120 * 16);
        break;
    case G::OpenWave: drawFolder(p, QRectF(1, 6, 14, 10)); break;
    case G::DeleteSound:
        drawSpeaker(p);
        p.setPen(QPen(Qt::red, 2));
        p.drawLine(QPointF(3, 3), QPointF(15, 15));
        break;
    case G::Settings:
        p.setBrush(QColor(180, 180, 180));
        p.drawEllipse(QRectF(3, 3, 12, 12));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(7, 7, 4, 4));
        break;
    default: paintMediaGlyph(p, glyph); break;
    }
}
} // namespace

namespace {
const char *glyphName(SpeedButton::Glyph glyph)
{
    using G = SpeedButton::Glyph;
    switch (glyph) {
    case G::ShowAll: return "Show all";
    case G::NewFolder: return "New folder";
    case G::NewFile: return "New vocabulary file";
    case G::Delete: return "Delete";
    case G::LargeIcons: return "Large icons";
    case G::SmallIcons: return "Small icons";
    case G::List: return "List";
    case G::Details: return "Details";
    case G::Print: return "Print";
    case G::SortNot: return "Order of entry";
    case G::SortLeft: return "Sort by native language";
    case G::SortRight: return "Sort by foreign language";
    case G::TypeColumn: return "Word type column";
    case G::InsertRecord: return "Insert entry";
    case G::Find: return "Find";
    case G::SoundTools: return "Sound tools";
    case G::OpenWave: return "Load sound";
    case G::DeleteSound: return "Delete sound";
    case G::Settings: return "Settings";
    case G::Speaker: return "Play";
    case G::SpeakWord: return "Speak word";
    case G::MediaPlay: return "Play";
    case G::MediaPause: return "Pause";
    case G::MediaStop: return "Stop";
    case G::MediaNext: return "Next";
    case G::MediaPrev: return "Previous";
    case G::MediaStep: return "Step";
    case G::MediaBack: return "Back";
    case G::MediaRecord: return "Record";
    case G::MediaEject: return "Eject";
    }
    return "";
}
} // namespace

SpeedButton::SpeedButton(const QString &name, Glyph glyph, QWidget *parent)
    : QToolButton(parent), m_glyph(glyph)
{
    setObjectName(name);
    setAccessibleName(QString::fromLatin1(glyphName(glyph)));
    setAutoRaise(true);
    setFixedSize(25, 25);
    setIconSize(QSize(18, 18));
    setIcon(glyphIcon(glyph));
}

void SpeedButton::setHint(const QString &hint)
{
    setToolTip(hint);
    setStatusTip(hint);
}

bool SpeedButton::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTipChange)
        setAccessibleName(toolTip().isEmpty() ? QString::fromLatin1(glyphName(m_glyph)) : toolTip());
    return QToolButton::event(event);
}

namespace {
// A glyph drawn when it is first shown, at the size and pixel density asked for: the tool bars
// hold many buttons, and drawing them all while the window is built would slow the start.
class GlyphEngine : public QIconEngine
{
public:
    explicit GlyphEngine(SpeedButton::Glyph glyph) : m_glyph(glyph) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        // A button that cannot be pressed shows its glyph faint.
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.35);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 18.0, rect.height() / 18.0);
        paintGlyph(*painter, m_glyph);
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine *clone() const override { return new GlyphEngine(m_glyph); }

private:
    SpeedButton::Glyph m_glyph;
};
} // namespace

QIcon SpeedButton::glyphIcon(Glyph glyph)
{
    return QIcon(new GlyphEngine(glyph));
}
