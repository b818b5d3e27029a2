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
