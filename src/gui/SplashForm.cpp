#include "SplashForm.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

namespace quorvex {

TSplashForm::TSplashForm() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("SplashForm");
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(350, 254);
    MessageLabel = new QLabel(QStringLiteral("Initializing..."), this);
    MessageLabel->setGeometry(10, 220, 330, 24);
    MessageLabel->setAlignment(Qt::AlignCenter);
    MessageLabel->setStyleSheet("color: white;");
    if (QScreen* s = QApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
    Timer = new QTimer(this);
    Timer->setInterval(3500);
    connect(Timer, &QTimer::timeout, this, [this] {
        if (MessageLabel->text() == "Done.") close();
    });
    Timer->start();
}

void TSplashForm::SetMessage(const QString& text)
{
    MessageLabel->setText(text);
    MessageLabel->repaint();
}

void TSplashForm::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(30, 50, 120));
    sky.setColorAt(1, QColor(70, 110, 190));
    p.fillRect(rect(), sky);
    // A stack of discs with a catalog card: the logo.
    for (int i = 0; i < 3; ++i) {
        const QRectF disc(60 + i * 14, 40 + i * 10, 110, 110);
        QRadialGradient g(disc.center(), 55);
        g.setColorAt(0, QColor(235, 240, 250));
        g.setColorAt(0.2, QColor(170, 180, 200));
        g.setColorAt(1, QColor(120, 135, 170));
        p.setPen(QPen(QColor(20, 30, 70), 1.5));
        p.setBrush(g);
        p.drawEllipse(disc);
        p.setBrush(QColor(30, 50, 120));
        p.drawEllipse(disc.center(), 9, 9);
    }
    p.setPen(QPen(QColor(20, 30, 70), 1.5));
    p.setBrush(QColor(250, 215, 90));
    p.drawRoundedRect(QRectF(190, 70, 110, 75), 6, 6);
    p.setPen(QPen(QColor(120, 90, 20), 2));
    for (int y = 88; y < 140; y += 14) p.drawLine(200, y, 290, y);
    QFont f = font();
    f.setPixelSize(34);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 165, width(), 44), Qt::AlignCenter, QStringLiteral("Quorvex"));
    p.fillRect(QRect(0, 216, width(), 32), QColor(20, 30, 80, 160)); // behind the message
}

void TSplashForm::mousePressEvent(QMouseEvent*) { Timer->setInterval(1); }

} // namespace quorvex
