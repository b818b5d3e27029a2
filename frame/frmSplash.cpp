#include "frame/frmSplash.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// The splash picture: the program's name on a night-blue gradient, drawn in
// the screen's own pixels, so that a finer screen shows it sharp.
QPixmap splashBild()
{
    const QSize groesse(420, 220);
    const qreal dpr = qApp->devicePixelRatio();
    QPixmap bild(groesse * dpr);
    bild.setDevicePixelRatio(dpr);
    QPainter p(&bild);
    QLinearGradient verlauf(0, 0, 0, groesse.height());
    verlauf.setColorAt(0, QColor(18, 32, 70));
    verlauf.setColorAt(1, QColor(52, 86, 150));
    p.fillRect(QRect(QPoint(), groesse), verlauf);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255, 60), 2));
    for (int r = 40; r <= 120; r += 20)
        p.drawEllipse(QPoint(340, 110), r, r);
    p.setBrush(QColor(230, 236, 248));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPoint(340, 110), 28, 28);
    p.setBrush(QColor(52, 86, 150));
    p.drawEllipse(QPoint(340, 110), 7, 7);
    p.setPen(Qt::white);
    QFont titel = p.font();
    titel.setPointSize(26);
    titel.setBold(true);
    p.setFont(titel);
    p.drawText(QRect(24, 60, 280, 50), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Rondavex"));
    QFont klein = p.font();
    klein.setPointSize(10);
    klein.setBold(false);
    p.setFont(klein);
    p.drawText(QRect(26, 110, 280, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("CD- und DVD-Katalog  ·  Version %1").arg(QCoreApplication::applicationVersion()));
    return bild;
}

}  // namespace

frmSplash::frmSplash(QWidget* hauptfenster, std::function<bool()> ladeHauptfenster, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_hauptfenster(hauptfenster),
      m_lade(std::move(ladeHauptfenster))
{
    setObjectName(QStringLiteral("frmSplash"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    layout->addWidget(Image1);
    tmrSplash = new QTimer(this);
    tmrSplash->setObjectName(QStringLiteral("tmrSplash"));
    tmrSplash->setInterval(2000);
    tmrSplash->setSingleShot(true);
    connect(tmrSplash, &QTimer::timeout, this, &frmSplash::tmrSplash_Timer);
}

bool frmSplash::Form_Load()
{
    if (!m_lade())
        return false;
    Image1->setPixmap(splashBild());
    adjustSize();
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    show();
    tmrSplash->start();
    return true;
}

void frmSplash::tmrSplash_Timer()
{
    m_hauptfenster->show();
    close();
}
