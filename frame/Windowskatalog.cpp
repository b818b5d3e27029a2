#include "frame/Windowskatalog.h"

#include "platform/db/FileRename.h"
#include "platform/system/Dateigrund.h"
#include "platform/system/Dateireste.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <csignal>

namespace frame {

namespace {

const QString Titel = QStringLiteral("Windows-Katalog übernehmen");

// The headline names the file; the cause, the child's own sentence or ours,
// follows once.
QString fehlschlag(const QString& anzeigename, const QString& grund)
{
    return QStringLiteral("Die Datei \"%1\" kann nicht übernommen werden.\n\n%2").arg(anzeigename, grund);
}

// The child's last line on standard error is its cause; what libmdb wrote
// before it is noise for the user.
QString letzteZeile(const QString& ausgabe)
{
    const QStringList zeilen = ausgabe.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (auto z = zeilen.crbegin(); z != zeilen.crend(); ++z) {
        if (!z->trimmed().isEmpty())
            return z->trimmed();
    }
    return {};
}

QString absturz(int signal)
{
    static const std::pair<int, const char*> Namen[] = {
        {SIGSEGV, "Speicherzugriffsfehler"}, {SIGBUS, "Busfehler"},       {SIGABRT, "Programmabbruch"},
        {SIGFPE, "Rechenfehler"},            {SIGILL, "ungültiger Befehl"},
    };
    for (const auto& [nummer, name] : Namen) {
        if (nummer == signal)
            return QStringLiteral("Das Einlesen ist abgestürzt (Signal %1, %2); die Datei ist vermutlich beschädigt.")
                .arg(signal)
                .arg(QString::fromUtf8(name));
    }
    return QStringLiteral("Das Einlesen wurde von außen beendet (Signal %1).").arg(signal);
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
        return absturz(ende.code);
    case Art::Beendet:
    case Art::Abgebrochen: {
        const QString grund = letzteZeile(ende.fehlerausgabe);
        if (!grund.isEmpty())
            return grund;
        if (ende.erfolgreich())
            return QStringLiteral("Das Einlesen endete, ohne die neue Datei zu schreiben.");
        return QStringLiteral("Das Einlesen endete mit dem Status %1.").arg(ende.code);
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

// The file's first `laenge` bytes; fewer for a shorter file, none for one that cannot be read.
QByteArray anfang(const QString& pfad, qsizetype laenge)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.read(laenge) : QByteArray();
}

}  // namespace

bool istJetDatei(const QString& pfad)
{
    const QByteArray kopf = anfang(pfad, 19);
    return kopf == QByteArray("\x00\x01\x00\x00Standard Jet DB", 19)
           || kopf == QByteArray("\x00\x01\x00\x00Standard ACE DB", 19);
}

bool istSqliteDatei(const QString& pfad)
{
    return anfang(pfad, 16) == QByteArray("SQLite format 3\0", 16);
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

void uebernahmeresteEntfernen(const sys::Services& services)
{
    sys::alleResteEntfernen(services.programFolder, sys::ImportRestarten);
}

bool przWindowsKatalog(const sys::Services& services, const QString& dbName, bool* uebernommen)
{
    if (uebernommen)
        *uebernommen = false;
    uebernahmeresteEntfernen(services);
    if (dbName.isEmpty())
        return true;
    const QString name = dbName + QStringLiteral(".mdb");
    const QString jetName = dbName + QStringLiteral(".jet.mdb");
    const QString pfad = services.file(name);
    const QString jetPfad = services.file(jetName);
    // A take-over that was cut off (the program killed meanwhile) left the
    // Windows file under its new name and no catalogue: it is offered again.
    const bool unterbrochen = !QFileInfo::exists(pfad) && istJetDatei(jetPfad);
    if (!unterbrochen && !istJetDatei(pfad))
        return true;
    const int antwort = services.messages->msgBox(
        QStringLiteral("Der Katalog \"%1\" stammt aus der Windows-Fassung. Jetzt übernehmen? Die Windows-Datei bleibt "
                       "unverändert als \"%2\" erhalten.")
            .arg(name, jetName),
        sys::mb::YesNo | sys::mb::Question, sys::programTitle());
    if (antwort != sys::mb::Yes) {
        services.messages->msgBox(
            QStringLiteral("Der Windows-Katalog \"%1\" bleibt, wie er ist. Rondavex kann ihn erst öffnen, wenn er "
                           "übernommen ist; beim nächsten Start fragt Rondavex wieder. Das Programm \"tools\" kann ihn "
                           "auch unter einem anderen Namen übernehmen (\"Windows-Katalog übernehmen…\").\n\n"
                           "Rondavex wird beendet.")
                .arg(unterbrochen ? jetName : name),
            sys::mb::Information, sys::programTitle());
        return false;
    }

    bool geschafft = false;
    if (unterbrochen) {
        geschafft = windowsKatalogUebernehmen(services, jetPfad, pfad, name);
    } else {
        int fehler = 0;
        if (!db::renameNoReplace(pfad, jetPfad, &fehler)) {
            services.messages->msgBox(QStringLiteral("Die Datei \"%1\" kann nicht in \"%2\" umbenannt werden: %3")
                                          .arg(name, jetName, sys::dateigrund(fehler)),
                                      sys::mb::Critical, Titel);
            return false;
        }
        geschafft = windowsKatalogUebernehmen(services, jetPfad, pfad, name);
        // The rename was the only change to the Windows file: it is taken back.
        if (!geschafft && !db::renameNoReplace(jetPfad, pfad, &fehler))
            services.messages->msgBox(QStringLiteral("Die Datei \"%1\" kann nicht zurück in \"%2\" umbenannt werden: %3")
                                          .arg(jetName, name, sys::dateigrund(fehler)),
                                      sys::mb::Critical, Titel);
    }
    if (uebernommen)
        *uebernommen = geschafft;
    return geschafft;
}

}  // namespace frame
