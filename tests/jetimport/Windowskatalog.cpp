#include "tests/jetimport/Windowskatalog.h"

#include "frame/Katalogschema.h"
#include "platform/db/Identifier.h"
#include "tests/support/RohSqlite.h"

namespace jetimporttest {

using namespace jettest;

namespace {

template <typename Satz>
using Felder = std::vector<std::pair<const char*, Wert Satz::*>>;

const Felder<Film> FilmFelder = {
    {"Titel", &Film::Titel}, {"Anzahl", &Film::Anzahl}, {"Format", &Film::Format}, {"Qualität", &Film::Qualität},
    {"Mappe", &Film::Mappe}, {"Wer", &Film::Wer}, {"Info", &Film::Info}, {"Dten", &Film::Dten},
    {"Datum", &Film::Datum}, {"Cat", &Film::Cat}, {"AusDatum", &Film::AusDatum}, {"Cover", &Film::Cover},
    {"Size", &Film::Size}, {"Unterordner", &Film::Unterordner}};
const Felder<Unterordner> UnterordnerFelder = {
    {"Titel", &Unterordner::Titel}, {"Titel2", &Unterordner::Titel2}, {"Anzahl", &Unterordner::Anzahl},
    {"Format", &Unterordner::Format}, {"Qualität", &Unterordner::Qualität}, {"Info", &Unterordner::Info},
    {"Dten", &Unterordner::Dten}, {"Cat", &Unterordner::Cat}, {"Cover", &Unterordner::Cover},
    {"Size", &Unterordner::Size}, {"Mappe", &Unterordner::Mappe}, {"Wer", &Unterordner::Wer}};
const Felder<Ausleihe> AusleiheFelder = {
    {"Titel", &Ausleihe::Titel}, {"Wer", &Ausleihe::Wer}, {"AusDT", &Ausleihe::AusDT}, {"EinDT", &Ausleihe::EinDT}};
const Felder<Design> DesignFelder = {
    {"Bild", &Design::Bild}, {"Laden", &Design::Laden}, {"Label1", &Design::Label1}, {"Label2", &Design::Label2},
    {"Label3", &Design::Label3}, {"Label4", &Design::Label4}, {"Label5", &Design::Label5},
    {"Label6", &Design::Label6}, {"Label7", &Design::Label7}, {"TextFont", &Design::TextFont},
    {"TextBold", &Design::TextBold}, {"TextSize", &Design::TextSize}};

const jettest::Tabelle& fixtureTabelle(const QString& tabelle, const QString& version, const KatalogArt& art)
{
    static thread_local std::vector<jettest::Tabelle> tabellen;
    tabellen = katalogTabellen(version, art);
    for (const auto& t : tabellen) {
        if (t.name == tabelle)
            return t;
    }
    throw std::invalid_argument("keine solche Tabelle");
}

// A double with every digit: SQLite's printf with "!" gives more than
// strtod needs to find the same bits again.
QString zahl(double d)
{
    return QString::number(d, 'e', 20);
}

QString text(const Wert& w, jettest::Typ typ)
{
    switch (w.art()) {
    case Wert::Art::Null: return QStringLiteral("<null>");
    case Wert::Art::Bool: return w.alsBool() ? QStringLiteral("1") : QStringLiteral("0");
    case Wert::Art::Ganzzahl:
        return typ == jettest::Typ::Double ? zahl(double(w.alsGanzzahl())) : QString::number(w.alsGanzzahl());
    case Wert::Art::Zahl: return zahl(w.alsZahl());
    case Wert::Art::Datum: return ausJetTage(w.alsJetTage()).date().toString(QStringLiteral("yyyy-MM-dd"));
    case Wert::Art::Text: return w.alsText();
    case Wert::Art::Bytes: break;  // stored bytes no fixture of a catalogue holds
    }
    return {};
}

template <typename Satz>
std::vector<QStringList> zeilenVon(const std::vector<Satz>& saetze, const Felder<Satz>& felder,
                                   const jettest::Tabelle& t, const std::vector<std::pair<QString, QString>>& umbenannt,
                                   const QStringList& umbenannteSpalten)
{
    std::vector<QStringList> out;
    for (const Satz& s : saetze) {
        QStringList zeile;
        for (const auto& spalte : t.spalten) {
            Wert w;
            for (const auto& [name, feld] : felder) {
                if (spalte.name.compare(QString::fromUtf8(name), Qt::CaseInsensitive) == 0)
                    w = s.*feld;
            }
            if (spalte.name == QLatin1String("TextFarbe"))
                w = spalte.typ == jettest::Typ::Long ? Design{}.TextFarbeLong : Design{}.TextFarbe;
            QString wert = text(w, spalte.typ);
            if (umbenannteSpalten.contains(spalte.name)) {
                for (const auto& [alt, neu] : umbenannt) {
                    if (wert == alt)
                        wert = neu;
                }
            }
            zeile << wert;
        }
        out.push_back(zeile);
    }
    return out;
}

}  // namespace

QString memo(int n)
{
    QString s;
    for (int i = 0; s.size() < n; ++i)
        s += QStringLiteral("%1. Eintrag: Bär, Öl, Größe, \"Zitat\", 'Apostroph'\r\n").arg(i);
    s.truncate(n);
    return s;
}

KatalogInhalt reicherInhalt(const QString&)
{
    KatalogInhalt in;
    const QString lang = QStringLiteral("Der Herr der Ringe - Die zwei Türme (Extended 123)");  // 50 characters
    in.filme = {
        Film{.Titel = "Müller", .Anzahl = 2.0, .Format = "DVD", .Qualität = "1a", .Mappe = "A1", .Wer = "Jürgen",
             .Info = memo(100 * 1024), .Dten = "de", .Datum = QDate(2003, 4, 5), .Cat = "Komödie",
             .AusDatum = "01.03.2003", .Cover = "müller.jpg", .Size = "4700", .Unterordner = "1"},
        Film{.Titel = "Muller", .Anzahl = 0.1},
        Film{.Titel = "Straße", .Info = "Er sagte: \"Hallo\" und 'tschüß'",
             .Datum = QDateTime(QDate(2004, 1, 1), QTime(13, 14, 15))},
        Film{.Titel = "Strasse", .Format = Wert(), .Wer = Wert(), .Info = Wert(), .Datum = Wert(), .Cover = Wert()},
        Film{.Titel = "Ärger", .Anzahl = 1.0 / 3, .Datum = QDate(1850, 1, 1), .Unterordner = "1"},
        Film{.Titel = "ärger", .Anzahl = -1.0e-3, .Info = "", .Datum = QDate(1899, 12, 30), .Size = "0"},
        Film{.Titel = lang, .Anzahl = 7.0, .Format = "0"},
        Film{.Titel = lang.toUpper(), .Anzahl = 8.0, .Qualität = "", .Unterordner = "1"},
    };
    in.unterordner = {
        Unterordner{.Titel = "Müller", .Titel2 = "Müller CD1", .Anzahl = 1, .Info = memo(70000)},
        Unterordner{.Titel = "ärger", .Titel2 = "Ärger CD1", .Anzahl = Wert(), .Wer = "Jürgen"},
        Unterordner{.Titel = "ärger", .Titel2 = "ärger CD1", .Anzahl = -32768, .Size = "700"},
        Unterordner{.Titel = "Ärger", .Titel2 = "Ärger CD2"},
        Unterordner{.Titel = lang.toUpper(), .Titel2 = "Teil 1", .Anzahl = 32767, .Format = Wert()},
    };
    in.ausleihe = {
        Ausleihe{.Titel = "Müller", .Wer = "Jürgen", .AusDT = "01.02.2003", .EinDT = "15.02.2003"},
        Ausleihe{.Titel = "ärger", .Wer = "Zoë", .AusDT = "01.03.2003", .EinDT = Wert()},
        Ausleihe{.Titel = lang.toUpper(), .Wer = "Ömer", .AusDT = "24.12.2003", .EinDT = ""},
    };
    return in;
}

std::vector<QStringList> erwarteteZeilen(const QString& tabelle, const QString& version, const KatalogInhalt& inhalt,
                                         const std::vector<std::pair<QString, QString>>& umbenannt,
                                         const KatalogArt& art)
{
    const jettest::Tabelle& t = fixtureTabelle(tabelle, version, art);
    if (tabelle == QLatin1String("Filme"))
        return zeilenVon(inhalt.filme, FilmFelder, t, umbenannt, {QStringLiteral("Titel")});
    if (tabelle == QLatin1String("Unterordner"))
        return zeilenVon(inhalt.unterordner, UnterordnerFelder, t, umbenannt,
                         {QStringLiteral("Titel"), QStringLiteral("Titel2")});
    if (tabelle == QLatin1String("Ausleihe"))
        return zeilenVon(inhalt.ausleihe, AusleiheFelder, t, umbenannt, {QStringLiteral("Titel")});
    if (tabelle == QLatin1String("Design"))
        return zeilenVon(std::vector<Design>{inhalt.design}, DesignFelder, t, {}, {});
    if (tabelle == QLatin1String("Version"))
        return {{!inhalt.nr ? version : inhalt.nr->istNull() ? QStringLiteral("<null>") : inhalt.nr->alsText()}};
    return {};
}

std::vector<QStringList> werte(const QString& datei, const QString& tabelle, const QString& version,
                               const KatalogArt& art)
{
    QStringList spalten;
    for (const auto& s : fixtureTabelle(tabelle, version, art).spalten) {
        const QString q = db::quoteIdentifier(s.name);
        spalten << QStringLiteral("CASE typeof(%1) WHEN 'real' THEN printf('%!.20e', %1) ELSE %1 END").arg(q);
    }
    auto zeilen = testing_support::roh(datei, QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                                                  .arg(spalten.join(QStringLiteral(", ")), db::quoteIdentifier(tabelle)));
    // Doubles as the same digits on both sides: parsed and written again.
    for (auto& zeile : zeilen) {
        for (auto& w : zeile) {
            if (w.contains(QLatin1Char('e')) && !w.contains(QLatin1Char(' '))) {
                bool ok = false;
                const double d = w.toDouble(&ok);
                if (ok)
                    w = zahl(d);
            }
        }
    }
    return zeilen;
}

}  // namespace jetimporttest
