#include "tests/support/JetKatalog.h"

#include <algorithm>
#include <span>

namespace jettest {

namespace schema = frame::schema;

namespace {

template <typename Satz>
struct Feld {
    const char* spalte;
    Wert Satz::*wert;
};

const Feld<Film> FilmFelder[] = {
    {"Titel", &Film::Titel},     {"Anzahl", &Film::Anzahl}, {"Format", &Film::Format},
    {"Qualität", &Film::Qualität}, {"Mappe", &Film::Mappe},   {"Wer", &Film::Wer},
    {"Info", &Film::Info},       {"Dten", &Film::Dten},     {"Datum", &Film::Datum},
    {"Cat", &Film::Cat},         {"AusDatum", &Film::AusDatum}, {"Cover", &Film::Cover},
    {"Size", &Film::Size},       {"Unterordner", &Film::Unterordner},
};

const Feld<Unterordner> UnterordnerFelder[] = {
    {"Titel", &Unterordner::Titel}, {"Titel2", &Unterordner::Titel2}, {"Anzahl", &Unterordner::Anzahl},
    {"Format", &Unterordner::Format}, {"Qualität", &Unterordner::Qualität}, {"Info", &Unterordner::Info},
    {"Dten", &Unterordner::Dten},   {"Cat", &Unterordner::Cat},       {"Cover", &Unterordner::Cover},
    {"Size", &Unterordner::Size},   {"Mappe", &Unterordner::Mappe},   {"Wer", &Unterordner::Wer},
};

const Feld<Ausleihe> AusleiheFelder[] = {
    {"Titel", &Ausleihe::Titel}, {"Wer", &Ausleihe::Wer}, {"AusDT", &Ausleihe::AusDT}, {"EinDT", &Ausleihe::EinDT},
};

const Feld<Design> DesignFelder[] = {
    {"Bild", &Design::Bild},         {"Laden", &Design::Laden},         {"Label1", &Design::Label1},
    {"Label2", &Design::Label2},     {"Label3", &Design::Label3},       {"Label4", &Design::Label4},
    {"Label5", &Design::Label5},     {"Label6", &Design::Label6},       {"Label7", &Design::Label7},
    {"TextFarbe", &Design::TextFarbe}, {"TextFont", &Design::TextFont}, {"TextBold", &Design::TextBold},
    {"TextSize", &Design::TextSize},
};

Typ jetTyp(schema::Typ t)
{
    switch (t) {
    case schema::Typ::Text: return Typ::Text;
    case schema::Typ::Memo: return Typ::Memo;
    case schema::Typ::Double: return Typ::Double;
    case schema::Typ::Integer: return Typ::Integer;
    case schema::Typ::Long: return Typ::Long;
    case schema::Typ::Datum: return Typ::Datum;
    }
    return Typ::Text;
}

const char* schluesselName(const QString& tabelle)
{
    return tabelle == QLatin1String("Filme") ? "PrimaryKey" : "Titel2";
}

// A row in the table's column order, each value from the member of its column's name.
template <typename Satz>
Zeile zeileAus(const Satz& satz, std::span<const Feld<Satz>> felder, const Tabelle& tabelle)
{
    Zeile z;
    z.reserve(tabelle.spalten.size());
    for (const auto& spalte : tabelle.spalten) {
        if constexpr (std::is_same_v<Satz, Design>) {
            if (spalte.name == QLatin1String("TextFarbe") && spalte.typ == Typ::Long) {
                z.push_back(satz.TextFarbeLong);
                continue;
            }
        }
        auto it = std::find_if(felder.begin(), felder.end(), [&](const Feld<Satz>& f) {
            return spalte.name.compare(QString::fromUtf8(f.spalte), Qt::CaseInsensitive) == 0;
        });
        z.push_back(it == felder.end() ? Wert() : satz.*(it->wert));
    }
    return z;
}

template <typename Satz>
void zeilenLesen(const std::function<bool(Satz&)>& naechste, std::span<const Feld<Satz>> felder, const Tabelle& t,
                 const std::function<void(const Zeile&)>& zeile)
{
    if (!naechste)
        return;
    for (;;) {
        Satz satz;
        if (!naechste(satz))
            return;
        zeile(zeileAus<Satz>(satz, felder, t));
    }
}

// Every table of the catalogue and then the further ones, each row as it comes.
void durchlaufen(const QString& version, const KatalogQuelle& quelle, const KatalogArt& art,
                 const std::function<void(const Tabelle&)>& tabelle, const std::function<void(const Zeile&)>& zeile)
{
    for (const Tabelle& t : katalogTabellen(version, art)) {
        tabelle(t);
        if (t.name == QLatin1String("Filme")) {
            zeilenLesen<Film>(quelle.film, FilmFelder, t, zeile);
        } else if (t.name == QLatin1String("Unterordner")) {
            zeilenLesen<Unterordner>(quelle.unterordner, UnterordnerFelder, t, zeile);
        } else if (t.name == QLatin1String("Ausleihe")) {
            zeilenLesen<Ausleihe>(quelle.ausleihe, AusleiheFelder, t, zeile);
        } else if (t.name == QLatin1String("Design")) {
            zeile(zeileAus<Design>(quelle.design, DesignFelder, t));
        } else if (t.name == QLatin1String("Version") && !quelle.ohneVersionszeile) {
            zeile({quelle.nr ? *quelle.nr : Wert(version)});
        }
    }
    for (const auto& weitere : quelle.weitere) {
        tabelle(weitere.tabelle);
        for (const auto& z : weitere.zeilen)
            zeile(z);
    }
}

template <typename Satz>
std::function<bool(Satz&)> ausListe(const std::vector<Satz>& liste)
{
    return [&liste, i = size_t(0)](Satz& satz) mutable {
        if (i == liste.size())
            return false;
        satz = liste[i++];
        return true;
    };
}

Tabelle statistik(const char* name, std::vector<Spalte> spalten)
{
    return Tabelle{QString::fromUtf8(name), std::move(spalten), {}};
}

}  // namespace

std::vector<Tabelle> katalogTabellen(const QString& version, const KatalogArt& art)
{
    if (schema::versionsIndex(version) < 0)
        throw std::invalid_argument(("keine Katalogversion: " + version).toStdString());
    std::vector<Tabelle> out;
    for (const QString& name : schema::tabellen(version)) {
        std::vector<schema::Spalte> spalten = schema::spalten(name, version);
        if (art.folge == Spaltenfolge::Angehoben) {
            std::stable_sort(spalten.begin(), spalten.end(), [](const schema::Spalte& a, const schema::Spalte& b) {
                return schema::versionsIndex(QString::fromUtf8(a.ab)) < schema::versionsIndex(QString::fromUtf8(b.ab));
            });
        }
        Tabelle t{name, {}, {}};
        for (const auto& s : spalten) {
            QString spaltenname = QString::fromUtf8(s.name);
            if (art.herkunft == schema::Herkunft::Tools && name == QLatin1String("Filme")
                && spaltenname == QLatin1String("AusDatum"))
                spaltenname = QStringLiteral("Ausdatum");
            t.spalten.push_back(Spalte{spaltenname, jetTyp(s.typ), s.breite});
            if (s.schluessel)
                t.indizes.push_back(Index{QString::fromUtf8(schluesselName(name)), {spaltenname}, true, true});
        }
        out.push_back(std::move(t));
    }
    return out;
}

Lageplan katalog(const QString& pfad, const QString& version, const KatalogQuelle& quelle, const KatalogArt& art)
{
    Schreiber s(pfad, art.optionen);
    durchlaufen(
        version, quelle, art, [&](const Tabelle& t) { s.tabelle(t); }, [&](const Zeile& z) { s.zeile(z); });
    s.schliessen();
    return s.lageplan();
}

namespace {

KatalogQuelle quelleAus(const KatalogInhalt& inhalt)
{
    KatalogQuelle q;
    q.film = ausListe(inhalt.filme);
    q.unterordner = ausListe(inhalt.unterordner);
    q.ausleihe = ausListe(inhalt.ausleihe);
    q.design = inhalt.design;
    q.nr = inhalt.nr;
    q.ohneVersionszeile = inhalt.ohneVersionszeile;
    q.weitere = inhalt.weitere;
    return q;
}

}  // namespace

Lageplan katalog(const QString& pfad, const QString& version, const KatalogInhalt& inhalt, const KatalogArt& art)
{
    return katalog(pfad, version, quelleAus(inhalt), art);
}

std::vector<TabelleMitZeilen> katalogDaten(const QString& version, const KatalogInhalt& inhalt, const KatalogArt& art)
{
    std::vector<TabelleMitZeilen> out;
    durchlaufen(
        version, quelleAus(inhalt), art, [&](const Tabelle& t) { out.push_back({t, {}}); },
        [&](const Zeile& z) { out.back().zeilen.push_back(z); });
    return out;
}

std::vector<Tabelle> statistikTabellen()
{
    auto text = [](const char* name, int n) { return Spalte{QString::fromUtf8(name), Typ::Text, n}; };
    const Spalte anzahl{QStringLiteral("Anzahl"), Typ::Long};
    const Spalte summe{QStringLiteral("Size"), Typ::Double};
    return {
        statistik("Format", {text("Format", 10), anzahl}),
        statistik("Cat", {text("Cat", 20), anzahl}),
        statistik("Qualität", {text("Qualität", 4), anzahl}),
        statistik("StatistikMappe", {text("Mappe", 10), anzahl}),
        statistik("CDSize", {summe}),
        statistik("DVDSize", {summe}),
        statistik("Statistik", {text("Format", 10), anzahl}),
        statistik("AusleiheZahlen", {text("Titel", 100), anzahl}),
        statistik("AusleiheWer", {text("Wer", 20), anzahl}),
        statistik("AusleiheMappe", {text("Mappe", 10), anzahl}),
        statistik("StatistikAusleihe", {text("Titel", 100), anzahl}),
    };
}

}  // namespace jettest
