#include "tests/support/JetSchaden.h"
#include "tests/support/JetBytes.h"

#include <QFile>

#include <cstring>
#include <stdexcept>

namespace jettest {

namespace {

constexpr int Seite = 4096;
constexpr int Zeilenzahl = 12;  // a data page's row count; its row offsets follow
// In a table definition.
constexpr int DefZeilen = 16;
constexpr int DefSpalten = 45;
constexpr int DefEchteIndizes = 51;
constexpr int DefKarte = 55;
constexpr int DefSpaltenBeginn = 63;
constexpr int IndexEintrag = 12;
constexpr int SpaltenEintrag = 25;

const QString Version = QStringLiteral("1.4.1");
const QString Klappe = QStringLiteral("\U0001F3AC");

quint32 lies32(const quint8* p)
{
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}

void setze32(quint8* p, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = quint8(v >> (8 * i));
}

void setze16(quint8* p, quint16 v)
{
    p[0] = quint8(v);
    p[1] = quint8(v >> 8);
}

int zeilenAnfang(const quint8* seite, int zeile)
{
    return (seite[Zeilenzahl + 2 + 2 * zeile] | (seite[Zeilenzahl + 3 + 2 * zeile] << 8)) & 0x1fff;
}

int zeilenEnde(const quint8* seite, int zeile)
{
    return zeile == 0 ? Seite : zeilenAnfang(seite, zeile - 1);
}

// Replaces the first place of `alt` on the page by `neu` (of the same length).
void ersetzen(quint8* seite, const QString& alt, const QString& neu)
{
    const QByteArray a = utf16le(alt);
    const QByteArray n = utf16le(neu);
    const QByteArray b(reinterpret_cast<const char*>(seite), Seite);
    const qsizetype stelle = b.indexOf(a);
    if (stelle < 0 || a.size() != n.size())
        throw std::logic_error(("nicht auf der Seite: " + alt).toStdString());
    std::memcpy(seite + stelle, n.constData(), size_t(n.size()));
}

using Aendern = std::function<void(const QString& pfad, const Lageplan& plan)>;

Schaden schaden(const char* name, const char* grund, Aendern aendern, KatalogArt art = {},
                std::function<void(KatalogInhalt&)> inhalt = {})
{
    return Schaden{name,
                   [aendern, art, inhalt](const QString& pfad) {
                       KatalogInhalt k = schadensKatalog();
                       if (inhalt)
                           inhalt(k);
                       const Lageplan plan = katalog(pfad, Version, k, art);
                       aendern(pfad, plan);
                   },
                   grund};
}

// Changes the table's definition page.
Aendern definition(const char* tabelle, std::function<void(quint8*)> aendern)
{
    return [tabelle, aendern](const QString& pfad, const Lageplan& plan) {
        seiteAendern(pfad, plan.tabelle(QString::fromUtf8(tabelle)).definition, aendern);
    };
}

// Changes the row that maps the pages of Filme.
Aendern karte(std::function<void(quint8* zeile)> aendern)
{
    return [aendern](const QString& pfad, const Lageplan& plan) {
        const quint32 zeiger = plan.tabelle(QStringLiteral("Filme")).karte;
        seiteAendern(pfad, zeiger >> 8, [&](quint8* p) { aendern(p + zeilenAnfang(p, int(zeiger & 0xff))); });
    };
}

// Changes the first data page of Filme.
Aendern datenseite(std::function<void(quint8*)> aendern)
{
    return [aendern](const QString& pfad, const Lageplan& plan) {
        seiteAendern(pfad, plan.tabelle(QStringLiteral("Filme")).daten.front(), aendern);
    };
}

// The links of a long value chain that fill a page: their one row takes it whole.
std::vector<quint32> kettenglieder(const QString& pfad, const Lageplan& plan)
{
    QFile f(pfad);
    f.open(QIODevice::ReadOnly);
    const QByteArray alles = f.readAll();
    std::vector<quint32> glieder;
    for (quint32 s : plan.langwerte) {
        const auto* p = reinterpret_cast<const quint8*>(alles.constData()) + qint64(s) * Seite;
        if (p[Zeilenzahl] == 1 && zeilenEnde(p, 0) - zeilenAnfang(p, 0) == LvalZeileMax)
            glieder.push_back(s);
    }
    if (glieder.empty())
        throw std::logic_error("keine Kette langer Werte");
    return glieder;
}

}  // namespace

KatalogInhalt schadensKatalog()
{
    KatalogInhalt in;
    in.filme = {
        Film{.Titel = "Matrix", .Anzahl = 1.0, .Format = "DVD", .Info = "kurz " + Klappe},
        Film{.Titel = "Alien", .Info = QString(500, u'a') + Klappe},      // one long value row
        Film{.Titel = "Brazil", .Info = QString(5000, u'b') + Klappe},    // a chain of three pages
        Film{.Titel = "Der Film " + Klappe, .Wer = "Zoë " + Klappe, .Datum = QDate(2003, 4, 5)},
    };
    for (int i = 0; i < 8; ++i)
        in.filme.push_back(Film{.Titel = QStringLiteral("Titel %1").arg(i), .Anzahl = double(i)});
    in.unterordner = {Unterordner{.Titel = "Matrix", .Titel2 = "Matrix CD1"},
                      Unterordner{.Titel = "Brazil", .Titel2 = "Brazil " + Klappe, .Info = QString(300, u'c')}};
    in.ausleihe = {Ausleihe{.Titel = "Alien", .Wer = "Jürgen", .AusDT = "01.02.2003", .EinDT = Wert()}};
    return in;
}

const std::vector<Schaden>& schaeden()
{
    static const std::vector<Schaden> alle = [] {
        std::vector<Schaden> s;
        // The two that crashed libmdb in its catalog.
        s.push_back(schaden("AmEndeEineSeiteAbgeschnitten", "sie hat aber nur",
                            [](const QString& pfad, const Lageplan& plan) { abschneiden(pfad, plan.seiten - 1); }));
        s.push_back(schaden("KartenzeigerDesVerzeichnissesAufKeineZeile",
                            "die Seitenkarte der Tabelle \"MSysObjects\" verweist auf die Zeile 119",
                            definition("MSysObjects", [](quint8* p) { p[DefKarte] = 119; })));
        s.push_back(schaden("KartenzeigerDesVerzeichnisses", "die Seitenkarte der Tabelle \"MSysObjects\" verweist",
                            definition("MSysObjects", [](quint8* p) { setze32(p + DefKarte, 0x12345u << 8); })));
        // The creation day masks the password: one that is no number of days.
        s.push_back(schaden("KopfMitUnmoeglichemAnlagedatum", "kein mögliches Datum ihrer Anlage",
                            [](const QString& pfad, const Lageplan&) {
                                seiteAendern(pfad, 0, [](quint8* p) { p[0x72 + 7] ^= 0x47; });
                            }));
        s.push_back(schaden("AmEndeDreiSeitenAbgeschnitten", "sie hat aber nur",
                            [](const QString& pfad, const Lageplan& plan) { abschneiden(pfad, plan.seiten - 3); }));
        s.push_back(schaden("InDerMitteAbgeschnitten", "sie hat aber nur",
                            [](const QString& pfad, const Lageplan& plan) { abschneiden(pfad, plan.seiten / 2); }));
        s.push_back(schaden("KartenzeigerDerTabelle",
                            "die Seitenkarte der Tabelle \"Filme\" verweist auf die Seite 32767",
                            definition("Filme", [](quint8* p) { setze32(p + DefKarte, 0x7fffu << 8); })));
        s.push_back(schaden("KartenzeigerAufKeineZeile", "verweist auf die Zeile 119 der Seite",
                            definition("Filme", [](quint8* p) { p[DefKarte] = 119; })));
        s.push_back(schaden("KarteUnbekannterArt", "ist von keiner bekannten Art", karte([](quint8* z) { z[0] = 3; })));
        s.push_back(schaden("KarteNenntSeiteHinterDemEnde", "nennt die Seite 1048576",
                            karte([](quint8* z) { setze32(z + 1, 0x100000); })));
        s.push_back(schaden("KarteNenntDieErsteSeite", "nennt die erste Seite", karte([](quint8* z) {
                                setze32(z + 1, 0);
                                z[5] |= 1;
                            })));
        KatalogArt indirekt;
        indirekt.optionen.indirekteKarten = true;
        s.push_back(schaden("IndirekteKarteHinterDemEnde", "verweist auf die Seite 16777215",
                            karte([](quint8* z) { setze32(z + 1, 0xffffff); }), indirekt));
        // Jet keeps no two tables whose names differ in case alone.
        s.push_back(schaden(
            "ZweiTabellenGleichenNamens", "nennt die Tabelle \"FILME\" zweimal",
            [](const QString& pfad, const Lageplan& plan) {
                seiteAendern(pfad, plan.tabelle(QStringLiteral("MSysObjects")).daten.front(), [](quint8* p) {
                    const QByteArray b(reinterpret_cast<const char*>(p), Seite);
                    const qsizetype stelle = b.indexOf("\xFF\xFE" "FILMX");
                    if (stelle < 0)
                        throw std::logic_error("kein Name FILMX");
                    p[stelle + 6] = 'E';
                });
            },
            {}, [](KatalogInhalt& k) {
                k.weitere.push_back({Tabelle{QStringLiteral("FILMX"), {{QStringLiteral("Nr"), Typ::Long}}, {}}, {{1}}});
            }));
        s.push_back(schaden("ZweiTabellenEineDefinition", "für zwei Tabellen dieselbe Definition",
                            [](const QString& pfad, const Lageplan& plan) {
                                // Its fourth row names Version: now with the definition of Filme.
                                const quint32 filme = plan.tabelle(QStringLiteral("Filme")).definition;
                                seiteAendern(pfad, plan.tabelle(QStringLiteral("MSysObjects")).daten.front(),
                                             [&](quint8* p) { setze32(p + zeilenAnfang(p, 3) + 2, filme); });
                            }));
        s.push_back(schaden("DefinitionOhneKennung", "ist keine Tabellendefinition",
                            definition("Filme", [](quint8* p) { p[0] = 0x01; })));
        s.push_back(schaden("VerzeichnisNenntSeiteHinterDemEnde",
                            "die Definition der Tabelle \"Filme\" verweist auf die Seite 1048575",
                            [](const QString& pfad, const Lageplan& plan) {
                                // Its third row (after "Tables" and MSysObjects) names Filme; Id comes first.
                                seiteAendern(pfad, plan.tabelle(QStringLiteral("MSysObjects")).daten.front(),
                                             [](quint8* p) { setze32(p + zeilenAnfang(p, 2) + 2, 0xfffff); });
                            }));
        s.push_back(schaden("VerzeichnisNenntTabelleOhneNamen", "eine Tabelle ohne Namen",
                            [](const QString& pfad, const Lageplan& plan) {
                                // Its third row names Filme; Name is its first variable column: make it empty.
                                seiteAendern(pfad, plan.tabelle(QStringLiteral("MSysObjects")).daten.front(),
                                             [](quint8* p) {
                                                 // From its end: the null mask (one byte), the count
                                                 // of variable columns, their offsets from the first.
                                                 const int name = zeilenEnde(p, 2) - 1 - 1 - 3;
                                                 const int naechste = name - 2;
                                                 setze16(p + name, quint16(p[naechste] | (p[naechste + 1] << 8)));
                                             });
                            }));
        s.push_back(schaden("TabellennameMitSteuerzeichen", "eine Tabelle ohne lesbaren Namen",
                            [](const QString& pfad, const Lageplan& plan) {
                                // The names in the catalog's rows are compressed: one byte a character.
                                seiteAendern(pfad, plan.tabelle(QStringLiteral("MSysObjects")).daten.front(),
                                             [](quint8* p) {
                                                 const QByteArray b(reinterpret_cast<const char*>(p), Seite);
                                                 const qsizetype stelle = b.indexOf("\xFF\xFEVersion");
                                                 if (stelle < 0)
                                                     throw std::logic_error("kein Name Version");
                                                 p[stelle + 2] = 0x01;
                                             });
                            }));
        s.push_back(schaden("SpaltennameMitSteuerzeichen", "keinen lesbaren Namen", definition("Filme", [](quint8* p) {
                                ersetzen(p, QStringLiteral("Format"), QStringLiteral("Form\tt"));
                            })));
        KatalogArt mitEigenschaften;
        mitEigenschaften.optionen.eigenschaften = true;
        s.push_back(schaden("EigenschaftenNichtLesbar", "die Eigenschaften von \"Filme\" sind nicht lesbar",
                            [](const QString& pfad, const Lageplan& plan) {
                                seiteAendern(pfad, plan.tabelle(QStringLiteral("MSysObjects")).daten.front(),
                                             [](quint8* p) {
                                                 // The first block, the names: longer than the properties.
                                                 const QByteArray b(reinterpret_cast<const char*>(p), Seite);
                                                 const qsizetype mr2 = b.lastIndexOf(QByteArray("MR2\0", 4));  // the highest: Filme's
                                                 if (mr2 < 0)
                                                     throw std::logic_error("keine Eigenschaften");
                                                 setze32(p + mr2 + 4, 0x7fff);
                                             });
                            },
                            mitEigenschaften));
        s.push_back(schaden("SpaltenzahlZuGross", "300 Spalten",
                            definition("Filme", [](quint8* p) { setze16(p + DefSpalten, 300); })));
        s.push_back(schaden("IndexzahlVerfaelscht", "Spalte",
                            definition("Filme", [](quint8* p) { setze32(p + DefEchteIndizes, 5); })));
        s.push_back(schaden("SpaltentypUnbekannt", "keinen lesbaren Typ", definition("Filme", [](quint8* p) {
                                p[DefSpaltenBeginn + IndexEintrag] = 0x33;
                            })));
        s.push_back(schaden("DezimalzahlMitUnmoeglicherGenauigkeit", "keine lesbare Genauigkeit",
                            definition("Filme", [](quint8* p) {
                                // Anzahl, the second column, as a decimal of 60 digits.
                                quint8* spalte = p + DefSpaltenBeginn + IndexEintrag + SpaltenEintrag;
                                spalte[0] = 0x10;
                                spalte[12] = 60;
                                setze16(spalte + 23, 17);
                            })));
        s.push_back(schaden("ZweiSpaltenGleichenNamens", "zwei Spalten namens \"Anzahl\"",
                            definition("Filme", [](quint8* p) {
                                ersetzen(p, QStringLiteral("Format"), QStringLiteral("Anzahl"));
                            })));
        s.push_back(schaden("VerzeichnisOhneSpalteName", "fehlt die Spalte \"Name\"",
                            definition("MSysObjects", [](quint8* p) {
                                ersetzen(p, QStringLiteral("Name"), QStringLiteral("Nome"));
                            })));
        s.push_back(schaden("ZeilenzahlUnmoeglich", "soll 50000000 Zeilen haben",
                            definition("Filme", [](quint8* p) { setze32(p + DefZeilen, 50000000); })));
        s.push_back(schaden("ZeilenzahlEineZuViel", "statt der 13 Zeilen der Tabelle \"Filme\" sind 12 lesbar",
                            definition("Filme", [](quint8* p) { setze32(p + DefZeilen, lies32(p + DefZeilen) + 1); })));
        s.push_back(schaden("DatenseiteGeleert", "statt der 12 Zeilen der Tabelle \"Filme\" sind 0 lesbar",
                            datenseite([](quint8* p) { std::memset(p, 0, Seite); })));
        s.push_back(schaden("ZeilenoffsetHinterDerSeite", "liegt nicht in ihrer Seite",
                            datenseite([](quint8* p) { setze16(p + Zeilenzahl + 2, 0x1f00); })));
        s.push_back(schaden("ZeilenzahlDerSeiteZuGross", "mehr als auf sie passen",
                            datenseite([](quint8* p) { setze16(p + Zeilenzahl, 3000); })));
        s.push_back(schaden("ZeileMitZuVielenVariablenSpalten", "ist nicht lesbar", datenseite([](quint8* p) {
                                // The first row ends the page: its null mask of two bytes, then the count.
                                setze16(p + Seite - 2 - 2, 0x7fff);
                            })));
        s.push_back(schaden("LangwertseiteGeleert", "der lange Wert der Spalte",
                            [](const QString& pfad, const Lageplan& plan) {
                                seiteAendern(pfad, plan.langwerte.front(), [](quint8* p) { std::memset(p, 0, Seite); });
                            }));
        s.push_back(schaden("LangwertseiteOhneKennung", "die keine für lange Werte ist",
                            [](const QString& pfad, const Lageplan& plan) {
                                seiteAendern(pfad, plan.langwerte.front(), [](quint8* p) { std::memcpy(p + 4, "XXXX", 4); });
                            }));
        s.push_back(schaden("LangwertKetteImKreis", "führt im Kreis", [](const QString& pfad, const Lageplan& plan) {
            const quint32 glied = kettenglieder(pfad, plan).front();
            seiteAendern(pfad, glied, [&](quint8* p) { setze32(p + zeilenAnfang(p, 0), glied << 8); });
        }));
        s.push_back(schaden("LangwertKetteZuKurz", "ist unvollständig", [](const QString& pfad, const Lageplan& plan) {
            const quint32 glied = kettenglieder(pfad, plan).front();
            seiteAendern(pfad, glied, [&](quint8* p) { setze32(p + zeilenAnfang(p, 0), 0); });
        }));
        s.push_back(schaden(
            "DefinitionImKreis", "führt im Kreis",
            [](const QString& pfad, const Lageplan& plan) {
                const auto& t = plan.tabelle(QStringLiteral("Breit"));
                seiteAendern(pfad, t.definition + 1, [&](quint8* p) { setze32(p + 4, t.definition); });
            },
            {}, [](KatalogInhalt& k) {
                Tabelle breit{QStringLiteral("Breit"), {}, {}};
                Zeile z;
                for (int i = 0; i < 200; ++i) {
                    breit.spalten.push_back({QStringLiteral("Spalte mit einem recht langen Namen %1").arg(i), Typ::Long});
                    z.push_back(i);
                }
                k.weitere.push_back({breit, {z}});
            }));
        return s;
    }();
    return alle;
}

}  // namespace jettest
