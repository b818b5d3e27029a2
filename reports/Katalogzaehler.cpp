#include "reports/Katalogzaehler.h"

#include "platform/db/Database.h"
#include "platform/vb/VbRuntime.h"

#include <exception>

namespace reports {

namespace {

struct Anfrage {
    Zähler zähler;
    const char* sql;  // ?1 is the language code
    QString Sprachcodes::*code;
};

// "LIKE" reaches the catalogue's own like(), with its wildcards.
const Anfrage Anfragen[] = {
    {Zähler::Aus, "SELECT COUNT(*) AS Zähler FROM Filme WHERE Wer NOT LIKE '-'", nullptr},
    {Zähler::DVD, "SELECT COUNT(Format) AS Zähler FROM Filme WHERE Format LIKE 'DVD*'", nullptr},
    {Zähler::CDs, "SELECT SUM(Anzahl) AS Zähler FROM Filme WHERE NOT Format LIKE 'DVD*'", nullptr},
    {Zähler::DeuEngl, "SELECT COUNT(*) AS Zähler FROM Filme WHERE Dten LIKE ?1", &Sprachcodes::deuEngl},
    {Zähler::Engl, "SELECT COUNT(*) AS Zähler FROM Filme WHERE Dten LIKE ?1", &Sprachcodes::englisch},
    {Zähler::Deu, "SELECT COUNT(*) AS Zähler FROM Filme WHERE Dten LIKE ?1", &Sprachcodes::deutsch},
    {Zähler::OhneSP, "SELECT COUNT(*) AS Zähler FROM Filme WHERE Dten LIKE '-'", nullptr},
    {Zähler::OhneCover, "SELECT COUNT(*) AS Zähler FROM Filme WHERE Cover LIKE '-'", nullptr},
    {Zähler::OhneInfo, "SELECT COUNT(*) AS Zähler FROM Filme WHERE Info LIKE '-'", nullptr},
    {Zähler::OhneSize, "SELECT COUNT(*) AS Zähler FROM Filme WHERE Size LIKE '0'", nullptr},
    {Zähler::OrgDVD, "SELECT COUNT(*) AS Zähler FROM Filme WHERE Format = 'DVD' AND Size > '4500'", nullptr},
    {Zähler::KopDVD, "SELECT COUNT(*) AS Zähler FROM Filme WHERE Format = 'DVD' AND Size < '4500'", nullptr},
};

// dscount as the statistics use it: a failure counts 0.
long long zählenOderNull(db::Database& datenbank, const QString& sql, const QVariantList& werte = {})
{
    try {
        return db::dscount(datenbank, sql, werte);
    } catch (const std::exception&) {
        return 0;
    }
}

// Rebuilds a one-value table of summed megabytes and reads its value; when the
// file takes no table (read only) the same sum is read directly.
QString summe(db::Database& datenbank, const QString& tabelle, const QString& bedingung)
{
    const QString select = QStringLiteral("SELECT sum(denum(Size)) AS Size FROM Filme WHERE ") + bedingung;
    datenbank.tryExecute(QStringLiteral("DROP TABLE IF EXISTS ") + tabelle);
    const bool angelegt = datenbank.tryExecute(QStringLiteral("CREATE TABLE ") + tabelle + QStringLiteral(" AS ") + select).ok;
    QVariant wert;
    try {
        wert = angelegt ? datenbank.scalar(QStringLiteral("SELECT Size FROM ") + tabelle +
                                           QStringLiteral(" ORDER BY rowid LIMIT 1"))
                        : datenbank.scalar(select);
    } catch (const std::exception&) {
        return QStringLiteral("0");
    }
    if (wert.isNull())
        return QStringLiteral("0");
    if (wert.typeId() == QMetaType::Double || wert.typeId() == QMetaType::LongLong)
        return vb::cstr(wert.toDouble());
    const QString text = wert.toString();
    return text.isEmpty() ? QStringLiteral("0") : text;
}

double zahl(const QString& text)
{
    return vb::cdbl(text).value_or(0.0);
}

}  // namespace

const std::vector<Zählerzeile>& zählerzeilen()
{
    static const std::vector<Zählerzeile> zeilen = {
        {Zähler::Gesamt, QStringLiteral("lbGesamt"), QStringLiteral("Anzahl Titel Gesamt:")},
        {Zähler::Aus, QStringLiteral("lbAus"), QStringLiteral("Anzahl Titel verliehen:")},
        {Zähler::DVD, QStringLiteral("lbDVD"), QStringLiteral("Gesamtanzahl DVDs:")},
        {Zähler::CDs, QStringLiteral("lbCDs"), QStringLiteral("Gesamtanzahl CDs:")},
        {Zähler::DeuEngl, QStringLiteral("lbdeuengl"), QStringLiteral("Anzahl Deu./Engl.:")},
        {Zähler::Engl, QStringLiteral("lbengl"), QStringLiteral("Anzahl Engl.:")},
        {Zähler::Deu, QStringLiteral("lbdeu"), QStringLiteral("Anzahl Deut.:")},
        {Zähler::OhneSP, QStringLiteral("lbohneSP"), QStringLiteral("Anzahl ohne:")},
        {Zähler::OhneCover, QStringLiteral("lbohneCover"), QStringLiteral("DS ohne Cover:")},
        {Zähler::OhneInfo, QStringLiteral("lbohneInfo"), QStringLiteral("DS ohne Info:")},
        {Zähler::OhneSize, QStringLiteral("lbohneSize"), QStringLiteral("DS ohne Size:")},
        {Zähler::OrgDVD, QStringLiteral("lborgDVD"), QStringLiteral("orginal DVDs:")},
        {Zähler::KopDVD, QStringLiteral("lbkopDVD"), QStringLiteral("kopierte DVD:")},
    };
    return zeilen;
}

long long zählen(db::Database& datenbank, Zähler zähler, const Sprachcodes& codes)
{
    if (zähler == Zähler::Gesamt)
        return datenbank.scalar(QStringLiteral("SELECT count(*) FROM Filme")).toLongLong();
    for (const Anfrage& a : Anfragen)
        if (a.zähler == zähler)
            return zählenOderNull(datenbank, QString::fromUtf8(a.sql),
                                  a.code ? QVariantList{codes.*a.code} : QVariantList{});
    return 0;
}

Datenvolumen datenvolumenRechnen(const QString& cdAnzahl, const QString& dvdAnzahl, const QString& cdSize,
                                 const QString& dvdSize)
{
    Datenvolumen v{cdAnzahl, dvdAnzahl, cdSize, dvdSize, {}, {}, {}};
    v.lbByte = vb::cstr(zahl(cdAnzahl) * 0.7 + zahl(cdSize) / 1024.0);
    v.lbDVDs = vb::cstr(zahl(dvdAnzahl) * 4.6 + zahl(dvdSize) / 1024.0);
    const long long gesamt =
        vb::roundHalfEven(zahl(v.lbByte)).value_or(0) + vb::roundHalfEven(zahl(v.lbDVDs)).value_or(0);
    v.lbByteges = QString::number(gesamt);
    return v;
}

Datenvolumen przDatenvolumen(db::Database& datenbank)
{
    const QString dvdSize = summe(datenbank, QStringLiteral("DVDSize"), QStringLiteral("Format LIKE 'DVD*'"));
    const long long dvdAnzahl = zählenOderNull(
        datenbank, QStringLiteral("SELECT COUNT(Size) AS Zähler FROM Filme WHERE Format LIKE 'DVD*' AND Size = '0'"));
    const QString cdSize =
        summe(datenbank, QStringLiteral("CDSize"), QStringLiteral("NOT Format LIKE 'DVD*' AND Size > '0'"));
    const long long cdAnzahl = zählenOderNull(
        datenbank, QStringLiteral("SELECT SUM(Anzahl) AS Zähler FROM Filme WHERE NOT Format LIKE 'DVD*' AND Size = '0'"));
    return datenvolumenRechnen(QString::number(cdAnzahl), QString::number(dvdAnzahl), cdSize, dvdSize);
}

}  // namespace reports
