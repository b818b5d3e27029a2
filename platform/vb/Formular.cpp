#include "platform/vb/Formular.h"

#include "platform/vb/VbControls.h"
#include "platform/vb/VbRuntime.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace vb {

namespace {

constexpr double EntwurfDpi = 96.0;

}  // namespace

double buchstabenbreite(const QFont& schrift)
{
    static const QString buchstaben = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return QFontMetricsF(schrift).horizontalAdvance(buchstaben) / double(buchstaben.size());
}

double massstab(const QFont& schrift)
{
    const double breite = buchstabenbreite(schrift) / EntwurfBuchstabenbreite;
    const double hoehe = QFontMetricsF(schrift).height() / EntwurfZeilenhoehe;
    return std::max({1.0, breite, hoehe});
}

double massstab()
{
    // Asked for every place of every form: measured once for each font. Forms
    // live on the GUI thread only.
    static QFont gemessen;
    static double wert = 0.0;
    const QFont schrift = QApplication::font();
    if (wert == 0.0 || !(schrift == gemessen)) {
        wert = massstab(schrift);
        gemessen = schrift;
    }
    return wert;
}

int pixel(int twips)
{
    return twipsToPixels(twips, EntwurfDpi * massstab());
}

int skaliert(int pixel)
{
    return int(std::lround(pixel * massstab()));
}

double twips(double pixel)
{
    return pixel * 1440.0 / (EntwurfDpi * massstab());
}

QRect rechteck(const Platz& p)
{
    const int links = pixel(p.left);
    const int oben = pixel(p.top);
    return {links, oben, pixel(p.left + p.width) - links, pixel(p.top + p.height) - oben};
}

void platzieren(QWidget* w, const Platz& p)
{
    w->setGeometry(rechteck(p));
}

namespace detail {

void einrichten(QWidget* w, const char* name, const Platz& platz, const char* text, const char* tip,
                unsigned merkmale)
{
    w->setObjectName(QString::fromUtf8(name));
    if (!platz.leer())
        platzieren(w, platz);
    const QString beschriftung = QString::fromUtf8(text);
    if (!beschriftung.isEmpty()) {
        if (auto* l = qobject_cast<QLabel*>(w))
            l->setText(beschriftung);
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            b->setText(beschriftung);
        else if (auto* e = qobject_cast<QLineEdit*>(w))
            e->setText(beschriftung);
    }
    if (*tip)
        w->setToolTip(QString::fromUtf8(tip));
    if (auto* e = qobject_cast<QLineEdit*>(w))
        keepSingleLine(e);
    if (merkmale & editierbar) {
        if (auto* k = qobject_cast<ComboBox*>(w))
            k->setEditable(true);
    }
    if (merkmale & enter) {
        if (auto* k = qobject_cast<QPushButton*>(w))
            k->setAutoDefault(true);
    }
    if (merkmale & fett) {
        QFont f = w->font();
        f.setBold(true);
        w->setFont(f);
    }
    if (merkmale & versteckt)
        w->setVisible(false);
}

}  // namespace detail

}  // namespace vb
