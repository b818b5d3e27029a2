#include "frame/Fensterplatz.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace frame {

namespace {

const QString Links = QStringLiteral("Links");
const QString Oben = QStringLiteral("Oben");
const QString Breite = QStringLiteral("Breite");
const QString Hoehe = QStringLiteral("Hoehe");
const QString Maximiert = QStringLiteral("Maximiert");

std::optional<int> zahl(const sys::UserStore& store, const QString& abschnitt, const QString& schluessel)
{
    bool ok = false;
    const int wert = store.getSetting(abschnitt, schluessel, {}).trimmed().toInt(&ok);
    return ok ? std::optional<int>(wert) : std::nullopt;
}

// The screen that shows the window's top edge, enough of it to take hold of.
const QScreen* zeigendeAnzeige(const QRect& platz)
{
    constexpr int Griff = 40;
    const QRect oben(platz.left(), platz.top(), platz.width(), std::min(platz.height(), Griff));
    for (const QScreen* anzeige : QGuiApplication::screens()) {
        const QRect sichtbar = anzeige->availableGeometry().intersected(oben);
        if (sichtbar.width() >= std::min(platz.width(), Griff) && !sichtbar.isEmpty())
            return anzeige;
    }
    return nullptr;
}

}  // namespace

bool fensterplatzLaden(QWidget* fenster, const sys::UserStore* store, const QString& abschnitt)
{
    if (!fenster || !store)
        return false;
    const auto links = zahl(*store, abschnitt, Links);
    const auto oben = zahl(*store, abschnitt, Oben);
    const auto breite = zahl(*store, abschnitt, Breite);
    const auto hoehe = zahl(*store, abschnitt, Hoehe);
    if (!links || !oben || !breite || !hoehe || *breite <= 0 || *hoehe <= 0)
        return false;
    const QRect platz(*links, *oben, *breite, *hoehe);
    const QScreen* anzeige = zeigendeAnzeige(platz);
    if (!anzeige)
        return false;
    const QSize raum = anzeige->availableGeometry().size();
    const QSize groesse =
        platz.size().boundedTo(raum).expandedTo(fenster->minimumSizeHint().expandedTo(fenster->minimumSize()));
    fenster->setGeometry(QRect(platz.topLeft(), groesse));
    if (store->getSetting(abschnitt, Maximiert, {}) == QLatin1String("1"))
        fenster->setWindowState(fenster->windowState() | Qt::WindowMaximized);
    return true;
}

void fensterplatzSichern(const QWidget* fenster, sys::UserStore* store, const QString& abschnitt)
{
    if (!fenster || !store || !fenster->isVisible())
        return;
    const QRect platz = fenster->normalGeometry().isValid() ? fenster->normalGeometry() : fenster->geometry();
    store->saveSetting(abschnitt, Links, QString::number(platz.x()));
    store->saveSetting(abschnitt, Oben, QString::number(platz.y()));
    store->saveSetting(abschnitt, Breite, QString::number(platz.width()));
    store->saveSetting(abschnitt, Hoehe, QString::number(platz.height()));
    store->saveSetting(abschnitt, Maximiert, fenster->isMaximized() ? QStringLiteral("1") : QStringLiteral("0"));
}

}  // namespace frame
