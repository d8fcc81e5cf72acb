#include "app/ui/splashscreen.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
const QColor Navy(0, 0, 128);

// The logo: an open book with a speech bubble, drawn rather than loaded so it stays sharp.
void paintLogo(QPainter &p, const QRectF &box)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = box.center();
    const qreal w = box.width() / 2 - 4, h = box.height() * 0.55;
    QPainterPath left, right;
    left.moveTo(c.x(), c.y() - h / 2 + 6);
    left.cubicTo(c.x() - w * 0.5, c.y() - h / 2 - 6, c.x() - w * 0.8, c.y() - h / 2, c.x() - w,
                 c.y() - h / 2 + 4);
    left.lineTo(c.x() - w, c.y() + h / 2);
    left.cubicTo(c.x() - w * 0.7, c.y() + h / 2 - 6, c.x() - w * 0.4, c.y() + h / 2 - 4, c.x(),
                 c.y() + h / 2 + 6);
    left.closeSubpath();
    QTransform mirror;
    mirror.translate(2 * c.x(), 0);
    mirror.scale(-1, 1);
    right = mirror.map(left);
    p.setPen(QPen(Navy, 2));
    p.setBrush(QColor(255, 250, 235));
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(QPen(QColor(120, 120, 160), 1));
    for (int i = 1; i <= 4; ++i) {
        const qreal y = c.y() - h / 2 + 6 + i * h / 6;
        p.drawLine(QPointF(c.x() - w + 8, y), QPointF(c.x() - 8, y + 3));
        p.drawLine(QPointF(c.x() + 8, y + 3), QPointF(c.x() + w - 8, y));
    }
    const QRectF bubble(box.right() - box.width() * 0.42, box.top(), box.width() * 0.42, box.height() * 0.3);
    p.setPen(QPen(QColor(0, 128, 0), 2));
    p.setBrush(QColor(220, 255, 220));
    p.drawEllipse(bubble);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 9, QFont::Bold));
    p.setPen(QColor(0, 100, 0));
    p.drawText(bubble, Qt::AlignCenter, QStringLiteral("A-Z"));
    p.restore();
}

void paintName(QPainter &p, const QRectF &box)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(int(box.height() * 0.62));
    font.setBold(true);
    font.setItalic(true);
    QPainterPath text;
    text.addText(0, 0, font, QStringLiteral("Lumo '97"));
    // Shrink the name until it fits the box, whatever font the system substitutes.
    const qreal scale = qMin<qreal>(1.0, (box.width() - 6) / text.boundingRect().width());
    text = QTransform::fromScale(scale, scale).map(text);
    const QRectF r = text.boundingRect();
    p.translate(box.left() + (box.width() - r.width()) / 2 - r.left(), box.center().y() - r.center().y());
    p.fillPath(text.translated(2, 2), QColor(160, 160, 160));
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(40, 40, 200));
    g.setColorAt(1, Navy);
    p.fillPath(text, g);
    p.restore();
}
} // namespace

TSplashScreen::TSplashScreen(Mode mode, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SplashScreen"));
    setWindowTitle(QStringLiteral("Lumo '97"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setFixedSize(FormWidth, FormHeight);

    auto *version = new QLabel(QStringLiteral("for Windows '95 - V97.1.1"), this);
    version->setObjectName(QStringLiteral("VersionLabel"));
    version->setGeometry(150, 118, 200, 20);

    m_bottomPanel = new QFrame(this);
    m_bottomPanel->setObjectName(QStringLiteral("BottomPanel"));
    m_bottomPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_bottomPanel->setGeometry(6, FormHeight - 30, FormWidth - 12, 24);
    auto *loading = new QLabel(QStringLiteral(" Loading Lumo '97 - Please wait..."), m_bottomPanel);
    loading->setGeometry(2, 2, FormWidth - 16, 20);

    m_okButton = new QPushButton(QStringLiteral("Ok"), this);
    m_okButton->setObjectName(QStringLiteral("OkBtn"));
    m_okButton->setGeometry(FormWidth - 91, FormHeight - 36, 80, 26);
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);

    const bool about = mode == Mode::About;
    m_bottomPanel->setVisible(!about);
    m_okButton->setVisible(about);
    centreOnScreen();
}

void TSplashScreen::showAbout(QWidget *parent)
{
    TSplashScreen about(Mode::About, parent);
    about.exec();
}

void TSplashScreen::centreOnScreen()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TSplashScreen::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QLinearGradient bg(0, 0, 0, height());
    bg.setColorAt(0, QColor(255, 255, 255));
    bg.setColorAt(1, QColor(214, 222, 240));
    p.fillRect(rect(), bg);
    p.setPen(QPen(QColor(128, 128, 128), 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    paintLogo(p, QRectF(14, 18, 120, 110));
    paintName(p, QRectF(140, 30, 215, 80));
}
