#include "scan/Coverpfad.h"

#include "platform/system/Dateigrund.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace scan {

namespace {

bool vollerPfad(const QString& coverNormal)
{
    return coverNormal == QLatin1String("1");
}

// "Bild.jpg", "Bild (2).jpg", "Bild (3).jpg", ...
QString kandidat(const QFileInfo& quelle, int nummer)
{
    if (nummer == 1)
        return quelle.fileName();
    const QString nummerText = QStringLiteral(" (%1)").arg(nummer);
    const QString endung = quelle.suffix();
    return endung.isEmpty() ? quelle.fileName() + nummerText : quelle.completeBaseName() + nummerText + u'.' + endung;
}

// Copies into a file that did not exist before (created exclusively); a copy
// that fails on the way leaves no part of itself.
enum class Kopie { Fertig, Vergeben, Fehler };
Kopie kopieren(QFile& quelle, const QString& ziel, QString* fehler)
{
    QFile neu(ziel);
    if (!neu.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        // A link holds its name too, also one that leads nowhere.
        const QFileInfo da(ziel);
        if (da.exists() || da.isSymLink())
            return Kopie::Vergeben;
        *fehler = sys::dateigrund(neu);
        return Kopie::Fehler;
    }
    quelle.seek(0);
    while (!quelle.atEnd()) {
        const QByteArray stück = quelle.read(1 << 16);
        if (stück.isEmpty() && quelle.error() != QFileDevice::NoError) {
            *fehler = sys::dateigrund(quelle);
            neu.remove();
            return Kopie::Fehler;
        }
        if (neu.write(stück) != stück.size()) {
            *fehler = sys::dateigrund(neu);
            neu.remove();
            return Kopie::Fehler;
        }
    }
    if (!neu.flush()) {
        *fehler = sys::dateigrund(neu);
        neu.remove();
        return Kopie::Fehler;
    }
    return Kopie::Fertig;
}

}  // namespace

QString coverDatei(const QString& referenz, const QString& coverNormal, const QString& programmordner)
{
    if (referenz.isEmpty() || referenz == QLatin1String("-"))
        return {};
    if (vollerPfad(coverNormal))
        return referenz;
    return programmordner + QStringLiteral("/covers/") + referenz;
}

QString coverReferenz(const QString& datei, const QString& coverNormal)
{
    return vollerPfad(coverNormal) ? datei : QFileInfo(datei).fileName();
}

std::optional<QString> coverAblegen(const QString& datei, const QString& coversOrdner, QString* fehler)
{
    QString grund;
    const auto fehlgeschlagen = [&](const QString& warum) -> std::optional<QString> {
        if (fehler)
            *fehler = warum;
        return std::nullopt;
    };
    const QFileInfo info(datei);
    if (!QDir().mkpath(coversOrdner))
        return fehlgeschlagen(QStringLiteral("Der Ordner \"%1\" kann nicht angelegt werden.").arg(coversOrdner));
    if (info.absoluteDir().canonicalPath() == QDir(coversOrdner).canonicalPath() && info.isFile())
        return info.absoluteFilePath();
    QFile quelle(datei);
    if (!quelle.open(QIODevice::ReadOnly))
        return fehlgeschlagen(sys::dateigrund(quelle));
    for (int nummer = 1; nummer <= 100000; ++nummer) {
        const QString ziel = coversOrdner + u'/' + kandidat(info, nummer);
        switch (kopieren(quelle, ziel, &grund)) {
        case Kopie::Fertig: return ziel;
        case Kopie::Vergeben: break;
        case Kopie::Fehler: return fehlgeschlagen(grund);
        }
    }
    return fehlgeschlagen(QStringLiteral("Im Ordner \"%1\" ist kein freier Name.").arg(coversOrdner));
}

}  // namespace scan
