#pragma once
// The small pictures that the main window draws for itself (buttons, menus).
#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace katalog {

// A picture drawn by `malen` in `seite` x `seite` units, also at two to
// `stufen` times the pixels, so that a larger font or a finer screen shows it
// sharp.
template <class Malen>
QIcon bildchen(int seite, int stufen, Malen malen)
{
    QIcon bild;
    for (int faktor = 1; faktor <= stufen; ++faktor) {
        QPixmap stufe(seite * faktor, seite * faktor);
        stufe.fill(Qt::transparent);
        QPainter p(&stufe);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(faktor, faktor);
        malen(p);
        p.end();
        bild.addPixmap(stufe);
    }
    return bild;
}

}  // namespace katalog
