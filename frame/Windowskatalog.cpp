#include "frame/Windowskatalog.h"

#include "platform/db/FileRename.h"
#include "platform/system/Dateigrund.h"
#include "platform/system/Dateireste.h"

#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QRegularExpression>

#include <cstring>

namespace frame {

namespace {

const QString Titel = QStringLiteral("Windows-Katalog übernehmen");

QString fehlschlag(const QString& anzeigename, const QString& grund)
{
    return QStringLiteral("Die Datei \"%1\" ist beschädigt oder kein Katalog: %2").arg(anzeigename, grund);
}

// The child's last line on standard error is its cause; what libmdb wrote
// before it is noise for the user.
QString letzteZeile(const QString& ausgabe)
{
    const QStringList zeilen = ausgabe.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return zeilen.isEmpty() ? QString() : zeilen.last().trimmed();
}

QString grundVon(const sys::Programmende& ende)
{
    using Art = sys::Programmende::Art;
    switch (ende.art) {
    case Art::NichtGestartet:
        return QStringLiteral("Das Programm \"%1\" kann nicht gestartet werden (%2).").arg(JetimportProgramm, ende.fehler);
    case Art::Zeitlimit:
        return QStringLiteral("Das Einlesen hängt und wurde beendet.");
    case Art::Signal:
        return QStringLiteral("Das Einlesen ist abgestürzt (Signal %1, %2).")
            .arg(ende.code)
            .arg(QString::fromLocal8Bit(strsignal(ende.code)));
    case Art::Beendet:
    case Art::Abgebrochen: {
        const QString grund = letzteZeile(ende.fehlerausgabe);
        return grund.isEmpty() ? QStringLiteral("Das Einlesen endete mit dem Status %1.").arg(ende.code) : grund;
    }
    }
    return {};
}

QString berichtVon(const QString& ziel)
{
    QFile bericht(sys::importBericht(ziel));
    if (!bericht.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(bericht.readAll());
}

}  // namespace

bool istJetDatei(const QString& pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        return false;
    const QByteArray anfang = datei.read(19);
    return anfang == QByteArray("\x00\x01\x00\x00Standard Jet DB", 19)
           || anfang == QByteArray("\x00\x01\x00\x00Standard ACE DB", 19);
}

bool windowsKatalogUebernehmen(const sys::Services& services, const QString& quelle, const QString& ziel,
                               const QString& anzeigename)
{
    auto anzeige = services.fortschritt->zeigen(Titel, QStringLiteral("\"%1\" wird gelesen …").arg(anzeigename));
    sys::Programmlauf lauf;
    lauf.programm = services.executable(JetimportProgramm);
    lauf.argumente = {quelle, ziel};
    static const QRegularExpression zeilen(QStringLiteral("^Zeilen (\\d+) von (\\d+)$"));
    lauf.zeile = [&](const QString& zeile) {
        const auto treffer = zeilen.match(zeile);
        if (treffer.hasMatch())
            anzeige->setzen(zeile, treffer.captured(1).toLongLong(), treffer.captured(2).toLongLong());
    };
    lauf.abbrechen = [&] { return anzeige->abgebrochen(); };
    const sys::Programmende ende = services.prozesse->ausfuehren(lauf);
    anzeige.reset();

    if (ende.erfolgreich() && QFileInfo(ziel).isFile()) {
        const QString bericht = berichtVon(ziel);
        services.messages->msgBox(bericht.isEmpty() ? QStringLiteral("\"%1\" wurde übernommen.").arg(anzeigename)
                                                    : bericht,
                                  sys::mb::Information, Titel);
        return true;
    }
    // What a child that was ended left beside the target.
    sys::resteEntfernen(ziel, sys::ImportRestarten);
    if (ende.art == sys::Programmende::Art::Abgebrochen) {
        services.messages->msgBox(
            QStringLiteral("Die Übernahme von \"%1\" wurde abgebrochen. Es wurde nichts geschrieben.").arg(anzeigename),
            sys::mb::Information, Titel);
        return false;
    }
    services.messages->msgBox(fehlschlag(anzeigename, grundVon(ende)), sys::mb::Critical, Titel);
    return false;
}

bool przWindowsKatalog(const sys::Services& services, const QString& dbName)
{
    if (dbName.isEmpty())
        return true;
    const QString name = dbName + QStringLiteral(".mdb");
    const QString pfad = services.file(name);
    const QString jetPfad = services.file(dbName + QStringLiteral(".jet.mdb"));
    // A take-over that was cut off (the program killed meanwhile) left the
    // Windows file under its new name and no catalogue: it is offered again.
    const bool unterbrochen = !QFileInfo::exists(pfad) && istJetDatei(jetPfad);
    if (!unterbrochen && !istJetDatei(pfad))
        return true;
    const int antwort = services.messages->msgBox(
        QStringLiteral("Der Katalog \"%1\" stammt aus der Windows-Fassung. Jetzt übernehmen? Die Windows-Datei bleibt "
                       "unverändert als \"%2\" erhalten.")
            .arg(name, dbName + QStringLiteral(".jet.mdb")),
        sys::mb::YesNo | sys::mb::Question, sys::programTitle());
    if (antwort != sys::mb::Yes)
        return true;

    if (unterbrochen)
        return windowsKatalogUebernehmen(services, jetPfad, pfad, name);
    int fehler = 0;
    if (!db::renameNoReplace(pfad, jetPfad, &fehler)) {
        services.messages->msgBox(QStringLiteral("Die Datei \"%1\" kann nicht in \"%2\" umbenannt werden: %3")
                                      .arg(name, dbName + QStringLiteral(".jet.mdb"), sys::dateigrund(fehler)),
                                  sys::mb::Critical, Titel);
        return false;
    }
    if (windowsKatalogUebernehmen(services, jetPfad, pfad, name))
        return true;
    // The rename was the only change to the Windows file: it is taken back.
    if (!db::renameNoReplace(jetPfad, pfad, &fehler))
        services.messages->msgBox(QStringLiteral("Die Datei \"%1\" kann nicht zurück in \"%2\" umbenannt werden: %3")
                                      .arg(dbName + QStringLiteral(".jet.mdb"), name, sys::dateigrund(fehler)),
                                  sys::mb::Critical, Titel);
    return false;
}

}  // namespace frame
