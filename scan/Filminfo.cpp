#include "scan/Filminfo.h"

#include <QLocale>
#include <QStringList>

namespace scan {

namespace {

QByteArray kodiert(const QString& wert)
{
    return QUrl::toPercentEncoding(wert);
}

}  // namespace

QString suchwort(const QString& titel)
{
    QString wort = titel;
    for (const char* weg : {"DVD", "dvd", "Dvd"})
        wort.remove(QLatin1String(weg), Qt::CaseSensitive);
    return wort.toLower();
}

QUrl suchanfrage(const QString& suchadresse, const QString& wort, const QString& filmSeite)
{
    const QByteArray query = "as_q=+" + kodiert(wort)
                             + "&num=10&hl=de&btnG=Google-Suche&as_epq=&as_oq=&as_eq=&lr=&as_ft=i&as_filetype="
                               "&as_qdr=all&as_occt=any&as_dt=i&as_sitesearch="
                             + kodiert(filmSeite) + "&as_rights=&safe=images&btnI=Auf+gut+Gl%C3%BCck%21&meta=";
    QUrl url(suchadresse + QStringLiteral("/search"));
    // Already encoded: Qt must not encode it again.
    url.setQuery(QString::fromLatin1(query), QUrl::StrictMode);
    return url;
}

QString kandidatPfad(const QString& kandidat)
{
    QString pfad = kandidat;
    if (pfad.startsWith(QLatin1String("../")))
        pfad.remove(0, 2);
    if (pfad.startsWith(QLatin1String("/film")))
        pfad.remove(0, 9);
    return pfad;
}

QUrl bildAdresse(const QString& bildseite, const QString& kandidat)
{
    return QUrl(bildseite + QStringLiteral("/filminfo") + kandidatPfad(kandidat));
}

std::optional<QString> genre(const QString& text)
{
    const qsizetype g = text.indexOf(QLatin1String("GENRE:")) + 1;
    const qsizetype d = text.indexOf(QLatin1String("DARSTELLER:")) + 1;
    if (d >= 2 && (d - 2) - g - 6 >= 0)
        return text.mid(g + 6, d - g - 8);
    return std::nullopt;
}

bool seiteNichtGefunden(const QString& text)
{
    return text.startsWith(QLatin1String("Die Seite "));
}

std::optional<Fehlschlag> fehlschlag(bool geladen, int status, const QString& text)
{
    // An answer other than a page (404, 500) names no film.
    if (!geladen)
        return status >= 300 ? Fehlschlag::KeinTreffer : Fehlschlag::KeineVerbindung;
    if (seiteNichtGefunden(text) || text.trimmed().isEmpty())
        return Fehlschlag::KeinTreffer;
    return std::nullopt;
}

QString fehlschlagMeldung(Fehlschlag fehlschlag, int status, const QString& grund)
{
    if (fehlschlag == Fehlschlag::KeinTreffer)
        return QStringLiteral("Es wurden keine Inhalte gefunden! Versuchen Sie zB. eine andere Film DB URL in den "
                              "Optionen zu hinterlegen!");
    QString meldung = grund.isEmpty() ? QStringLiteral("Die Seite konnte nicht geladen werden.")
                                      : QStringLiteral("Die Seite konnte nicht geladen werden: %1.").arg(grund);
    if (status == 0)
        meldung += QStringLiteral("\nBitte die Verbindung zum Internet prüfen.");
    return meldung;
}

QString infotext(const QString& text)
{
    if (text.size() <= InfoHoechstlaenge)
        return text;
    qsizetype ende = InfoHoechstlaenge;
    // A character outside the first plane is never split in two.
    if (text.at(ende - 1).isHighSurrogate())
        --ende;
    return text.left(ende)
           + QStringLiteral("\r\n\r\n(Die Seite ist sehr lang: der Text wurde nach %1 Zeichen abgeschnitten.)")
                 .arg(QLocale(QLocale::German).toString(InfoHoechstlaenge));
}

}  // namespace scan
