#include "platform/jet/JetAufbau.h"

#include "platform/jet/JetText.h"
#include "platform/system/Dateigrund.h"

#include <QSet>

#include <algorithm>
#include <array>
#include <cstring>

namespace jet::aufbau {

namespace {

constexpr int OffsetMaske = 0x1fff;
constexpr int Geloescht = 0x4000;
constexpr int ZeilenJeSeiteMax = 1000;  // libmdb looks at no row beyond
constexpr int LangwertKopf = 12;
constexpr int NameMax = 64;  // characters of an object's or a column's name
constexpr quint32 Verzeichnisseite = 2;

constexpr quint8 SeiteDaten = 0x01;
constexpr quint8 SeiteDefinition = 0x02;

const Format Jet3{true, 2048, 8, 12, 23, 25, 27, 31, 35, 39, 43, 8, 18, 1, 3, 13, 14, 16};
const Format Jet4{};

quint16 u16(const unsigned char* p)
{
    return quint16(p[0] | (p[1] << 8));
}

quint32 u32(const unsigned char* p)
{
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}

const unsigned char* roh(const QByteArray& b)
{
    return reinterpret_cast<const unsigned char*>(b.constData());
}

QString zeigerText(quint32 zeiger)
{
    return QStringLiteral("Zeile %1 der Seite %2").arg(zeiger & 0xff).arg(zeiger >> 8);
}

// The engine allows no control character in the name of a table or column,
// and libmdb's C strings end at the first 0.
bool lesbarerName(const QString& name)
{
    return std::none_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
}

bool bekannterTyp(int typ)
{
    return typ >= 0x01 && typ <= 0x12 && typ != 0x0d && typ != 0x0e;
}

// A table definition's bytes as libmdb reads them: the first page whole, each
// page it continues on (named at offset 4 of the one before) from offset 8.
class Definitionsbytes {
public:
    Definitionsbytes(Seiten& seiten, quint32 seite, const QString& tabelle) : m_seiten(seiten), m_tabelle(tabelle)
    {
        m_daten = m_seiten.lesen(seite, wessen());
        if (quint8(m_daten[0]) != SeiteDefinition)
            beschaedigt(QStringLiteral("die Seite %1, die die Tabelle \"%2\" definieren soll, ist keine "
                                       "Tabellendefinition.")
                            .arg(seite)
                            .arg(tabelle));
        m_besucht.insert(seite);
        m_naechste = u32(roh(m_daten) + 4);
    }

    // `anzahl` bytes from `stelle` on, as far as the definition's pages hold them.
    const unsigned char* bytes(qint64 stelle, qint64 anzahl)
    {
        while (stelle + anzahl > m_daten.size())
            weiter();
        return roh(m_daten) + stelle;
    }

private:
    QString wessen() const { return QStringLiteral("die Definition der Tabelle \"%1\"").arg(m_tabelle); }

    void weiter()
    {
        if (m_naechste == 0)
            beschaedigt(QStringLiteral("die Definition der Tabelle \"%1\" endet vor ihren Spalten.").arg(m_tabelle));
        if (m_besucht.contains(m_naechste))
            beschaedigt(QStringLiteral("die Definition der Tabelle \"%1\" führt im Kreis.").arg(m_tabelle));
        const QByteArray seite = m_seiten.lesen(m_naechste, wessen());
        if (quint8(seite[0]) != SeiteDefinition)
            beschaedigt(QStringLiteral("die Definition der Tabelle \"%1\" setzt sich auf der Seite %2 fort, die "
                                       "keine Tabellendefinition ist.")
                            .arg(m_tabelle)
                            .arg(m_naechste));
        m_besucht.insert(m_naechste);
        m_naechste = u32(roh(seite) + 4);
        m_daten.append(seite.constData() + 8, seite.size() - 8);
    }

    Seiten& m_seiten;
    QString m_tabelle;
    QByteArray m_daten;
    QSet<quint32> m_besucht;
    quint32 m_naechste = 0;
};

}  // namespace

const Format& format(int fassung)
{
    return fassung == 0 ? Jet3 : Jet4;
}

int festeGroesse(int typ)
{
    switch (typ) {
    case int(Typ::Byte): return 1;
    case int(Typ::Integer): return 2;
    case int(Typ::Long): return 4;
    case int(Typ::Money): return 8;
    case int(Typ::Single): return 4;
    case int(Typ::Double): return 8;
    case int(Typ::DatumZeit): return 8;
    case int(Typ::GUID): return 16;
    case int(Typ::Numeric): return 17;
    case 0x12: return 4;  // a complex column's id
    default: return 0;
    }
}

void beschaedigt(const QString& warum)
{
    throw JetFehler(JetFehler::Grund::Beschaedigt, QStringLiteral("Sie ist beschädigt: %1").arg(warum));
}

Seiten::Seiten(const QString& pfad, int fassung) : m_datei(pfad), m_format(&aufbau::format(fassung))
{
    if (!m_datei.open(QIODevice::ReadOnly))
        throw JetFehler(JetFehler::Grund::NichtLesbar,
                        QStringLiteral("Sie kann nicht gelesen werden: %1").arg(sys::dateigrund(m_datei)));
    m_anzahl = quint32(m_datei.size() / m_format->seite);
}

QByteArray Seiten::lesen(quint32 seite, const QString& wozu)
{
    if (seite >= m_anzahl)
        beschaedigt(QStringLiteral("%1 verweist auf die Seite %2, sie hat aber nur %3 Seiten.")
                        .arg(wozu)
                        .arg(seite)
                        .arg(m_anzahl));
    QByteArray b;
    if (m_datei.seek(qint64(seite) * m_format->seite))
        b = m_datei.read(m_format->seite);
    if (b.size() != m_format->seite)
        throw JetFehler(JetFehler::Grund::NichtLesbar,
                        QStringLiteral("Sie kann nicht gelesen werden: %1").arg(sys::dateigrund(m_datei)));
    return b;
}

namespace {

// The row that a pointer (page << 8 | row) names, as libmdb finds it; damage
// when the page or the row is not there. `wozu` names the pointer's owner.
QByteArray zeigerZeile(Seiten& seiten, quint32 zeiger, const QString& wozu, QByteArray* seiteHier = nullptr)
{
    const Format& f = seiten.format();
    const QByteArray seite = seiten.lesen(zeiger >> 8, wozu);
    const unsigned char* p = roh(seite);
    const int zeile = int(zeiger & 0xff);
    const int zeilen = u16(p + f.zeilenzahl);
    int anfang = 0;
    int laenge = 0;
    if (zeile >= zeilen || f.zeilenzahl + 2 + 2 * zeilen > f.seite || !zeileFinden(f, p, zeile, anfang, laenge))
        beschaedigt(QStringLiteral("%1 verweist auf die %2, die es nicht gibt.").arg(wozu, zeigerText(zeiger)));
    if (seiteHier)
        *seiteHier = seite;
    return seite.mid(anfang, laenge);
}

}  // namespace

bool zeileFinden(const Format& f, const unsigned char* seite, int zeile, int& anfang, int& laenge)
{
    if (zeile > ZeilenJeSeiteMax)
        return false;
    const int roh = u16(seite + f.zeilenzahl + 2 + 2 * zeile);
    const int start = roh & OffsetMaske;
    const int naechste = zeile == 0 ? f.seite : (u16(seite + f.zeilenzahl + 2 * zeile) & OffsetMaske);
    if (start >= f.seite || start > naechste || naechste > f.seite)
        return false;
    anfang = start;
    laenge = naechste - start;
    return laenge > 0 && !(roh & Geloescht);
}

void datenseitePruefen(const Format& f, const unsigned char* seite, quint32 nummer, const QString& tabelle)
{
    const int zeilen = u16(seite + f.zeilenzahl);
    const int tabellenende = f.zeilenzahl + 2 + 2 * zeilen;
    if (zeilen > ZeilenJeSeiteMax || tabellenende > f.seite)
        beschaedigt(QStringLiteral("die Seite %1 der Tabelle \"%2\" nennt %3 Zeilen, mehr als auf sie passen.")
                        .arg(nummer)
                        .arg(tabelle)
                        .arg(zeilen));
    int davor = f.seite;
    for (int i = 0; i < zeilen; ++i) {
        const int roh = u16(seite + f.zeilenzahl + 2 + 2 * i);
        const int start = roh & OffsetMaske;
        if (!(roh & Geloescht) && (start < tabellenende || start > davor))
            beschaedigt(QStringLiteral("die Zeile %1 auf der Seite %2 der Tabelle \"%3\" liegt nicht in ihrer Seite.")
                            .arg(i)
                            .arg(nummer)
                            .arg(tabelle));
        davor = start;
    }
}

void zeileZerlegen(const Format& f, const unsigned char* seite, int anfang, int laenge, const Definition& def,
                   std::vector<Feld>& felder)
{
    auto kaputt = [&](const char* was) {
        beschaedigt(QStringLiteral("eine Zeile der Tabelle \"%1\" ist nicht lesbar (%2).")
                        .arg(def.tabelle, QString::fromUtf8(was)));
    };
    const int s = anfang;
    const int l = laenge;
    const int e = s + l - 1;
    const int zaehler = f.jet3 ? 1 : 2;
    if (l < zaehler + 1)
        kaputt("zu kurz");
    const int spalten = f.jet3 ? seite[s] : u16(seite + s);
    const int maske = (spalten + 7) / 8;
    if (zaehler + maske > l)
        kaputt("ihre Null-Maske passt nicht in sie");
    // The places of the variable columns, relative to the row, one more than they are.
    std::array<int, 4098> var;  // filled as far as the row has them
    int varAnzahl = 0;
    int grenze = l;  // where the values end: the first byte of the row's own tables
    if (def.varSpalten > 0) {
        if (f.jet3) {
            if (zaehler + maske + 1 > l)
                kaputt("ihr Verzeichnis der Spalten passt nicht in sie");
            varAnzahl = seite[e - maske];
            int spruenge = (l - 1) / 256;
            if (l < maske + spruenge + varAnzahl + 3)
                kaputt("ihr Verzeichnis der Spalten passt nicht in sie");
            const int zeiger = e - maske - spruenge - 1;
            if ((zeiger - s - varAnzahl) / 256 < spruenge)
                --spruenge;
            int benutzt = 0;
            for (int i = 0; i <= varAnzahl; ++i) {
                while (benutzt < spruenge && i == seite[e - maske - benutzt - 1])
                    ++benutzt;
                var[size_t(i)] = seite[zeiger - i] + benutzt * 256;
            }
            grenze = zeiger - varAnzahl - s;
        } else {
            if (maske + 4 > l)
                kaputt("ihr Verzeichnis der Spalten passt nicht in sie");
            varAnzahl = u16(seite + e - maske - 1);
            if (l < maske + 6 + 2 * varAnzahl)
                kaputt("ihr Verzeichnis der Spalten passt nicht in sie");
            for (int i = 0; i <= varAnzahl; ++i)
                var[size_t(i)] = u16(seite + e - maske - 3 - 2 * i);
            grenze = e - maske - 3 - 2 * varAnzahl - s;
        }
        if (varAnzahl > spalten)
            kaputt("sie nennt mehr variable Spalten als Spalten");
        for (int i = 0; i < varAnzahl; ++i) {
            if (var[size_t(i)] < zaehler || var[size_t(i)] > var[size_t(i) + 1] || var[size_t(i) + 1] > grenze)
                kaputt("ihre Werte liegen nicht in ihr");
        }
    }
    const int festAnzahl = spalten - varAnzahl;
    int festGefunden = 0;
    felder.resize(def.spalten.size());
    for (size_t i = 0; i < def.spalten.size(); ++i) {
        const Spaltendef& c = def.spalten[i];
        Feld& feld = felder[i];
        feld.null = c.nummer >= spalten || !(seite[e - maske + 1 + c.nummer / 8] & (1 << (c.nummer % 8)));
        if (c.fest && festGefunden < festAnzahl) {
            feld.start = s + zaehler + c.festOffset;
            feld.laenge = c.groesse;
            ++festGefunden;
        } else if (!c.fest && c.varNummer < varAnzahl) {
            feld.start = s + var[size_t(c.varNummer)];
            feld.laenge = var[size_t(c.varNummer) + 1] - var[size_t(c.varNummer)];
        } else {
            feld = Feld{};
            continue;
        }
        if (feld.start + feld.laenge > s + l)
            kaputt("ein Wert reicht über ihr Ende hinaus");
    }
}

Definition definitionLesen(Seiten& seiten, quint32 seite, const QString& tabelle)
{
    const Format& f = seiten.format();
    Definitionsbytes d(seiten, seite, tabelle);
    const unsigned char* kopf = d.bytes(0, f.defSpaltenBeginn);
    Definition def;
    def.seite = seite;
    def.tabelle = tabelle;
    def.zeilen = u32(kopf + f.defZeilen);
    def.varSpalten = u16(kopf + f.defVarSpalten);
    const int spalten = u16(kopf + f.defSpalten);
    const quint32 echteIndizes = u32(kopf + f.defEchteIndizes);
    const quint32 indizes = u32(kopf + f.defIndizes);
    if (spalten == 0 || spalten > 255)
        beschaedigt(QStringLiteral("die Tabelle \"%1\" hat laut ihrer Definition %2 Spalten.").arg(tabelle).arg(spalten));
    if (echteIndizes > 255 || indizes > 255)
        beschaedigt(QStringLiteral("die Tabelle \"%1\" hat laut ihrer Definition %2 Indizes.")
                        .arg(tabelle)
                        .arg(std::max(echteIndizes, indizes)));
    const quint32 karte = u32(kopf + f.defKarte);
    const quint32 freikarte = u32(kopf + f.defFreikarte);

    qint64 stelle = f.defSpaltenBeginn + qint64(echteIndizes) * f.indexEintrag;
    QSet<int> nummern;
    for (int i = 0; i < spalten; ++i, stelle += f.spaltenEintrag) {
        const unsigned char* c = d.bytes(stelle, f.spaltenEintrag);
        Spaltendef s;
        s.typ = c[0];
        s.nummer = c[f.spNummer];
        s.varNummer = u16(c + f.spVarNummer);
        s.fest = c[f.spFlags] & 0x01;
        s.festOffset = u16(c + f.spFest);
        s.groesse = s.typ == int(Typ::Boolean) ? 0 : u16(c + f.spGroesse);
        const int feste = festeGroesse(s.typ);
        const bool groesseFalsch = (feste > 0 && s.groesse != feste)
                                   || (s.typ == int(Typ::Text) && (s.groesse == 0 || s.groesse > (f.jet3 ? 255 : 510)));
        const bool artFalsch = (feste > 0 || s.typ == int(Typ::Boolean)) ? !s.fest
                               : (s.typ == int(Typ::Memo) || s.typ == int(Typ::OLE)) && s.fest;
        if (!bekannterTyp(s.typ) || groesseFalsch || artFalsch || (s.fest && s.festOffset + s.groesse > f.seite))
            beschaedigt(QStringLiteral("die Spalte %1 der Tabelle \"%2\" hat keinen lesbaren Typ (%3, %4 Bytes).")
                            .arg(i + 1)
                            .arg(tabelle)
                            .arg(s.typ)
                            .arg(s.groesse));
        if (nummern.contains(s.nummer))
            beschaedigt(QStringLiteral("zwei Spalten der Tabelle \"%1\" tragen dieselbe Nummer.").arg(tabelle));
        nummern.insert(s.nummer);
        def.spalten.push_back(s);
    }
    Textleser text(f.jet3 ? 0 : 1, 1252);
    QByteArray utf8;
    QSet<QString> namen;
    for (int i = 0; i < spalten; ++i) {
        const int laenge = f.jet3 ? *d.bytes(stelle, 1) : u16(d.bytes(stelle, 2));
        stelle += f.jet3 ? 1 : 2;
        if (laenge == 0 || laenge > (f.jet3 ? NameMax : 2 * NameMax))
            beschaedigt(QStringLiteral("die Spalte %1 der Tabelle \"%2\" hat einen Namen von %3 Bytes.")
                            .arg(i + 1)
                            .arg(tabelle)
                            .arg(laenge));
        const bool mangel = text.lesen(d.bytes(stelle, laenge), laenge, utf8) != KeinMangel;
        stelle += laenge;
        const QString name = QString::fromUtf8(utf8);
        if (mangel || !lesbarerName(name))
            beschaedigt(QStringLiteral("die Spalte %1 der Tabelle \"%2\" hat keinen lesbaren Namen.").arg(i + 1).arg(tabelle));
        if (namen.contains(name.toCaseFolded()))
            beschaedigt(QStringLiteral("die Tabelle \"%1\" hat zwei Spalten namens \"%2\".").arg(tabelle, name));
        namen.insert(name.toCaseFolded());
        def.spalten[size_t(i)].name = name;
    }
    std::sort(def.spalten.begin(), def.spalten.end(),
              [](const Spaltendef& a, const Spaltendef& b) { return a.nummer < b.nummer; });

    def.karte = zeigerZeile(seiten, karte, QStringLiteral("die Seitenkarte der Tabelle \"%1\"").arg(tabelle));
    zeigerZeile(seiten, freikarte, QStringLiteral("die Karte des freien Platzes der Tabelle \"%1\"").arg(tabelle));
    const std::vector<quint32> datenseiten = kartenSeiten(seiten, def.karte, tabelle);
    // A row takes its offset and at least three bytes.
    const long long fassbar = (long long)datenseiten.size() * (f.seite / 5);
    if (def.zeilen > fassbar)
        beschaedigt(QStringLiteral("die Tabelle \"%1\" soll %2 Zeilen haben, ihre Seiten fassen höchstens %3.")
                        .arg(tabelle)
                        .arg(def.zeilen)
                        .arg(fassbar));
    return def;
}

std::vector<quint32> kartenSeiten(Seiten& seiten, const QByteArray& karte, const QString& tabelle)
{
    const QString wessen = QStringLiteral("die Seitenkarte der Tabelle \"%1\"").arg(tabelle);
    std::vector<quint32> out;
    auto seite = [&](qint64 nummer) {
        if (nummer == 0)
            beschaedigt(QStringLiteral("%1 nennt die erste Seite, auf der keine Tabelle liegt.").arg(wessen));
        if (nummer >= qint64(seiten.anzahl()))
            beschaedigt(QStringLiteral("%1 nennt die Seite %2, sie hat aber nur %3 Seiten.")
                            .arg(wessen)
                            .arg(nummer)
                            .arg(seiten.anzahl()));
        out.push_back(quint32(nummer));
    };
    const unsigned char* k = roh(karte);
    if (karte.isEmpty() || k[0] > 1)
        beschaedigt(QStringLiteral("%1 ist von keiner bekannten Art.").arg(wessen));
    if (k[0] == 0) {
        if (karte.size() < 5)
            beschaedigt(QStringLiteral("%1 ist zu kurz.").arg(wessen));
        const qint64 erste = u32(k + 1);
        for (qsizetype b = 0; b < karte.size() - 5; ++b) {
            for (int bit = 0; k[5 + b] >> bit; ++bit) {
                if (k[5 + b] & (1 << bit))
                    seite(erste + b * 8 + bit);
            }
        }
        return out;
    }
    const int bytes = seiten.format().seite - 4;
    QSet<quint32> gelesen;
    for (qsizetype m = 0; m < (karte.size() - 1) / 4; ++m) {
        const quint32 kartenseite = u32(k + 1 + 4 * m);
        if (kartenseite == 0)
            continue;
        if (gelesen.contains(kartenseite))
            beschaedigt(QStringLiteral("%1 nennt die Seite %2 zweimal.").arg(wessen).arg(kartenseite));
        gelesen.insert(kartenseite);
        const QByteArray b = seiten.lesen(kartenseite, wessen);
        const unsigned char* p = roh(b) + 4;
        for (int i = 0; i < bytes; ++i) {
            for (int bit = 0; p[i] >> bit; ++bit) {
                if (p[i] & (1 << bit))
                    seite((qint64(m) * bytes + i) * 8 + bit);
            }
        }
    }
    return out;
}

QByteArray langwertLesen(Seiten& seiten, const unsigned char* feld, int laenge, const QString& wo)
{
    if (laenge < LangwertKopf)
        beschaedigt(QStringLiteral("%1 hat einen Kopf von %2 statt 12 Bytes.").arg(wo).arg(laenge));
    const quint32 angabe = u32(feld);
    const qint64 gesamt = angabe & 0x3fffffffu;
    const quint32 zeiger = u32(feld + 4);
    const QString& wessen = wo;
    auto glied = [&](quint32 z) {
        QByteArray seite;
        QByteArray zeile = zeigerZeile(seiten, z, wessen, &seite);
        if (quint8(seite[0]) != SeiteDaten || std::memcmp(seite.constData() + 4, "LVAL", 4) != 0)
            beschaedigt(QStringLiteral("%1 verweist auf die Seite %2, die keine für lange Werte ist.")
                            .arg(wessen)
                            .arg(z >> 8));
        return zeile;
    };
    QByteArray daten;
    switch (angabe >> 30) {
    case 2:  // in the row
        daten = QByteArray(reinterpret_cast<const char*>(feld) + LangwertKopf, laenge - LangwertKopf);
        break;
    case 1:  // on one long value row
        daten = glied(zeiger);
        break;
    case 0: {  // on a chain of them, each naming the next in its first 4 bytes
        QSet<quint32> besucht;
        for (quint32 z = zeiger; z != 0;) {
            if (besucht.contains(z))
                beschaedigt(QStringLiteral("%1 führt im Kreis.").arg(wessen));
            besucht.insert(z);
            const QByteArray g = glied(z);
            if (g.size() < 4 || daten.size() + g.size() - 4 > gesamt)
                beschaedigt(QStringLiteral("%1 ist länger als angegeben (%2 Bytes).").arg(wessen).arg(gesamt));
            z = u32(roh(g));
            daten.append(g.constData() + 4, g.size() - 4);
        }
        break;
    }
    default:
        beschaedigt(QStringLiteral("%1 ist von keiner bekannten Art.").arg(wessen));
    }
    if (daten.size() != gesamt)
        beschaedigt(QStringLiteral("%1 ist unvollständig (%2 von %3 Bytes).").arg(wessen).arg(daten.size()).arg(gesamt));
    return daten;
}

void eigenschaftenPruefen(const QByteArray& daten, bool jet3, const QString& wo)
{
    auto kaputt = [&] { beschaedigt(QStringLiteral("die Eigenschaften %1 sind nicht lesbar.").arg(wo)); };
    const unsigned char* p = roh(daten);
    const qsizetype n = daten.size();
    if (n < 4 || std::memcmp(p, jet3 ? "KKD" : "MR2", 4) != 0)
        kaputt();
    qsizetype namen = -1;  // none read yet
    for (qsizetype pos = 4; pos < n;) {
        if (pos + 6 > n)
            kaputt();
        const qint64 laenge = u32(p + pos);
        const int art = u16(p + pos + 4);
        if (laenge < 6 || pos + laenge > n)
            kaputt();
        const unsigned char* b = p + pos + 6;
        const qsizetype bl = qsizetype(laenge) - 6;
        if (art == 0x80) {
            namen = 0;
            for (qsizetype i = 0; i < bl; ++namen) {
                if (i + 2 > bl || i + 2 + u16(b + i) > bl)
                    kaputt();
                i += 2 + u16(b + i);
            }
        } else if (art <= 2 && namen >= 0) {
            if (bl < 6 || 6 + u16(b + 4) > bl)
                kaputt();
            for (qsizetype i = 6 + u16(b + 4); i < bl;) {
                if (i + 8 > bl)
                    kaputt();
                const int eintrag = u16(b + i);
                const int typ = b[i + 3];
                const int groesse = u16(b + i + 6);
                const int noetig = typ == int(Typ::Boolean) ? 1 : festeGroesse(typ);
                // libmdb reads a currency or GUID of a property from the wrong buffer.
                if (u16(b + i + 4) >= namen || i + 8 + groesse > bl || eintrag < 8 + groesse || i + eintrag > bl
                    || groesse < noetig || typ == int(Typ::Money) || typ == int(Typ::GUID))
                    kaputt();
                i += eintrag;
            }
        }
        pos += qsizetype(laenge);
    }
}

bool Eintrag::system() const
{
    return (flags & 0x80000002u) || name.startsWith(QLatin1String("MSys"), Qt::CaseInsensitive);
}

std::vector<Eintrag> verzeichnisPruefen(Seiten& seiten)
{
    const Format& f = seiten.format();
    const QString verzeichnis = QStringLiteral("MSysObjects");
    const Definition def = definitionLesen(seiten, Verzeichnisseite, verzeichnis);
    // The columns libmdb binds, found by name as it finds them.
    struct Gebunden {
        const char* name;
        Typ typ;
        int index = -1;
    };
    std::array<Gebunden, 5> spalten{{{"Id", Typ::Long}, {"Name", Typ::Text}, {"Type", Typ::Integer},
                                     {"Flags", Typ::Long}, {"LvProp", Typ::OLE}}};
    for (auto& g : spalten) {
        for (size_t i = 0; i < def.spalten.size() && g.index < 0; ++i) {
            if (def.spalten[i].name.compare(QLatin1String(g.name), Qt::CaseInsensitive) == 0)
                g.index = int(i);
        }
        if (g.index < 0 || def.spalten[size_t(g.index)].typ != int(g.typ))
            beschaedigt(QStringLiteral("ihrem Verzeichnis der Tabellen fehlt die Spalte \"%1\".")
                            .arg(QLatin1String(g.name)));
    }
    const int id = spalten[0].index, name = spalten[1].index, typ = spalten[2].index, flags = spalten[3].index,
              eigenschaften = spalten[4].index;

    Textleser text(f.jet3 ? 0 : 1, 1252);
    QByteArray utf8;
    std::vector<Feld> felder;
    std::vector<Eintrag> tabellen;
    QSet<QString> namen;
    for (const quint32 nummer : kartenSeiten(seiten, def.karte, verzeichnis)) {
        const QByteArray b = seiten.lesen(nummer, QStringLiteral("die Seitenkarte des Verzeichnisses"));
        const unsigned char* p = roh(b);
        // libmdb passes over pages of the map that are not the table's.
        if (p[0] != SeiteDaten || u32(p + 4) != Verzeichnisseite)
            continue;
        datenseitePruefen(f, p, nummer, verzeichnis);
        for (int z = 0, zeilen = u16(p + f.zeilenzahl); z < zeilen; ++z) {
            int anfang = 0;
            int laenge = 0;
            if (!zeileFinden(f, p, z, anfang, laenge))
                continue;
            zeileZerlegen(f, p, anfang, laenge, def, felder);
            auto zahl = [&](int i) -> qint32 {
                const Feld& feld = felder[size_t(i)];
                if (feld.null || feld.laenge == 0)
                    return 0;
                return def.spalten[size_t(i)].typ == int(Typ::Integer) ? qint16(u16(p + feld.start))
                                                                       : qint32(u32(p + feld.start));
            };
            Eintrag e;
            bool nameMangel = false;
            const Feld& n = felder[size_t(name)];
            if (!n.null) {
                nameMangel = text.lesen(p + n.start, n.laenge, utf8) != KeinMangel;
                e.name = QString::fromUtf8(utf8);
                if (e.name.size() > NameMax)
                    beschaedigt(QStringLiteral("ein Name in ihrem Verzeichnis ist länger als %1 Zeichen.").arg(NameMax));
            }
            e.seite = quint32(zahl(id)) & 0x00ffffffu;
            e.typ = zahl(typ) & 0x7f;
            e.flags = quint32(zahl(flags));
            // libmdb reads the properties of a table's row only (its Type 1 as
            // stored): those of a query, a form or the database it never follows.
            const Feld& lv = felder[size_t(eigenschaften)];
            if (!lv.null && zahl(typ) == 1) {
                const QString wo = QStringLiteral("von \"%1\"").arg(e.name);
                const QByteArray blob = langwertLesen(seiten, p + lv.start, lv.laenge,
                                                      QStringLiteral("der lange Wert der Eigenschaften %1").arg(wo));
                eigenschaftenPruefen(blob, f.jet3, wo);
            }
            if (e.typ != 1 || e.system())
                continue;
            if (e.name.trimmed().isEmpty())
                beschaedigt(QStringLiteral("ihr Verzeichnis nennt eine Tabelle ohne Namen."));
            if (nameMangel || !lesbarerName(e.name))
                beschaedigt(QStringLiteral("ihr Verzeichnis nennt eine Tabelle ohne lesbaren Namen."));
            if (namen.contains(e.name.toCaseFolded()))
                beschaedigt(QStringLiteral("ihr Verzeichnis nennt die Tabelle \"%1\" zweimal.").arg(e.name));
            namen.insert(e.name.toCaseFolded());
            tabellen.push_back(e);
        }
    }
    QSet<quint32> definitionen;
    for (Eintrag& e : tabellen) {
        if (definitionen.contains(e.seite))
            beschaedigt(QStringLiteral("ihr Verzeichnis nennt für zwei Tabellen dieselbe Definition (Seite %1).").arg(e.seite));
        definitionen.insert(e.seite);
        e.definition = definitionLesen(seiten, e.seite, e.name);
    }
    return tabellen;
}

}  // namespace jet::aufbau
