#include "tests/support/JetSchreiber.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <stdexcept>

namespace jettest {

namespace {

constexpr int Seite = 4096;
constexpr int Kopf = 14;             // a data page's header up to its row offsets
constexpr int ZeilenJeSeiteMax = 255;  // a row pointer has one byte for the row
constexpr int ZeileMax = Seite - Kopf - 2;
constexpr int KetteStueck = LvalZeileMax - 4;  // data in one link of a long value chain
constexpr int KarteBytes = 64;       // bitmap of a small page map, as Jet writes it
constexpr int KarteSeiteBits = (Seite - 4) * 8;  // pages one map page covers
constexpr int MemoKomprimiertBis = 1024;  // characters
constexpr quint32 Unbekannt = 0x0659;     // what Jet 4 writes in fields of unknown meaning

constexpr quint32 TabellenOrdner = 0x0F000001;  // MSysObjects' "Tables" container
constexpr quint32 Systemflag = 0x80000000;

enum : quint8 {
    CodeBool = 0x01,
    CodeByte = 0x02,
    CodeInt = 0x03,
    CodeLong = 0x04,
    CodeDouble = 0x07,
    CodeDatum = 0x08,
    CodeText = 0x0A,
    CodeOle = 0x0B,
    CodeMemo = 0x0C,
};

using Bytes = std::vector<quint8>;

void an8(Bytes& b, quint8 v) { b.push_back(v); }
void an16(Bytes& b, quint16 v)
{
    b.push_back(quint8(v));
    b.push_back(quint8(v >> 8));
}
void an32(Bytes& b, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(quint8(v >> (8 * i)));
}
void setze16(quint8* p, quint16 v)
{
    p[0] = quint8(v);
    p[1] = quint8(v >> 8);
}
void setze32(quint8* p, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = quint8(v >> (8 * i));
}
void setze64(quint8* p, quint64 v)
{
    for (int i = 0; i < 8; ++i)
        p[i] = quint8(v >> (8 * i));
}
void anUcs2(Bytes& b, const QString& s)
{
    for (QChar c : s)
        an16(b, c.unicode());
}
void anName(Bytes& b, const QString& name)
{
    an16(b, quint16(name.size() * 2));
    anUcs2(b, name);
}

quint32 zeiger(quint32 seite, int zeile) { return (seite << 8) | quint32(zeile); }

[[noreturn]] void falsch(const QString& was) { throw std::invalid_argument(was.toStdString()); }

// Jet 4's compressed Unicode: after FF FE, one byte a character while the high
// bytes are 0, two bytes a character after a 0 byte, which switches back and
// forth. Chosen per character so that the value gets shortest; empty when the
// value cannot be compressed or gets no shorter by it.
Bytes komprimieren(const QString& s)
{
    const qsizetype n = s.size();
    for (QChar c : s) {
        if ((c.unicode() & 0xFF) == 0)
            return {};
    }
    // kosten[i][m]: bytes for the first i characters, ending in mode m (0 narrow, 1 wide).
    constexpr int Unendlich = std::numeric_limits<int>::max() / 4;
    std::vector<std::array<int, 2>> kosten(size_t(n) + 1, {Unendlich, Unendlich});
    std::vector<std::array<quint8, 2>> von(size_t(n) + 1, {0, 0});
    kosten[0] = {2, 3};
    von[0] = {0, 0};
    for (qsizetype i = 0; i < n; ++i) {
        const bool schmal = s[i].unicode() <= 0xFF;
        for (int m = 0; m < 2; ++m) {
            if (m == 0 && !schmal)
                continue;
            const int schritt = m == 0 ? 1 : 2;
            for (int vorher = 0; vorher < 2; ++vorher) {
                const int k = kosten[size_t(i)][size_t(vorher)] + (vorher != m ? 1 : 0) + schritt;
                if (k < kosten[size_t(i) + 1][size_t(m)]) {
                    kosten[size_t(i) + 1][size_t(m)] = k;
                    von[size_t(i) + 1][size_t(m)] = quint8(vorher);
                }
            }
        }
    }
    int m = kosten[size_t(n)][0] <= kosten[size_t(n)][1] ? 0 : 1;
    if (kosten[size_t(n)][size_t(m)] >= 2 * n)
        return {};
    std::vector<quint8> modus(static_cast<size_t>(n));
    for (qsizetype i = n; i > 0; --i) {
        modus[size_t(i) - 1] = quint8(m);
        m = von[size_t(i)][size_t(m)];
    }
    Bytes b = {0xFF, 0xFE};
    int jetzt = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (modus[size_t(i)] != jetzt) {
            an8(b, 0);
            jetzt = modus[size_t(i)];
        }
        if (jetzt == 0)
            an8(b, quint8(s[i].unicode()));
        else
            an16(b, s[i].unicode());
    }
    return b;
}

Bytes textBytes(const QString& s, bool komprimiert)
{
    if (komprimiert) {
        Bytes k = komprimieren(s);
        if (!k.empty())
            return k;
    }
    Bytes b;
    b.reserve(size_t(s.size()) * 2);
    anUcs2(b, s);
    // Plain text that starts as a compressed one would must take the compressed form.
    if (b.size() >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        Bytes k = {0xFF, 0xFE, 0};
        k.insert(k.end(), b.begin(), b.end());
        return k;
    }
    return b;
}

// A data or long value page being filled: rows from the end down, their
// offsets after the header.
struct Zeilenseite {
    std::array<quint8, Seite> bytes{};
    quint32 nummer = 0;
    int anzahl = 0;
    int unten = Seite;
    bool offen = false;

    void beginnen(quint32 seite, quint32 besitzer)
    {
        bytes.fill(0);
        bytes[0] = 0x01;
        bytes[1] = 0x01;
        setze32(&bytes[4], besitzer);
        nummer = seite;
        anzahl = 0;
        unten = Seite;
        offen = true;
    }
    bool passt(size_t laenge) const
    {
        return offen && anzahl < ZeilenJeSeiteMax && int(laenge) + 2 <= unten - (Kopf + 2 * anzahl);
    }
    int hinzufuegen(const quint8* zeile, size_t laenge)
    {
        unten -= int(laenge);
        std::memcpy(&bytes[size_t(unten)], zeile, laenge);
        setze16(&bytes[size_t(Kopf + 2 * anzahl)], quint16(unten));
        ++anzahl;
        setze16(&bytes[12], quint16(anzahl));
        setze16(&bytes[2], quint16(unten - (Kopf + 2 * anzahl)));
        return anzahl - 1;
    }
};

struct Spaltenform {
    QString name;
    Typ typ;
    quint8 code;
    int laenge;  // Text: characters
    bool komprimiert;
    bool fest;
    int festOffset = 0;
    int varIndex = 0;
    quint16 spaltenLaenge = 0;
};

struct Indexform {
    QString name;
    std::vector<int> spalten;
    bool eindeutig;
    bool primaer;
};

struct Tabellenstand {
    QString name;
    bool system = false;
    std::vector<Spaltenform> spalten;
    std::vector<Indexform> indizes;
    int festLaenge = 0;
    int varAnzahl = 0;
    quint32 tdefSeite = 0;
    int tdefSeiten = 1;
    std::vector<quint32> datenseiten;
    quint32 zeilen = 0;
    quint32 karte = 0;  // row pointer of its page map
};

Spaltenform form(const Spalte& s)
{
    Spaltenform f{s.name, s.typ, 0, s.laenge, s.komprimiert, true};
    switch (s.typ) {
    case Typ::Boolean: f.code = CodeBool; f.spaltenLaenge = 1; break;
    case Typ::Byte: f.code = CodeByte; f.spaltenLaenge = 1; break;
    case Typ::Integer: f.code = CodeInt; f.spaltenLaenge = 2; break;
    case Typ::Long: f.code = CodeLong; f.spaltenLaenge = 4; break;
    case Typ::Double: f.code = CodeDouble; f.spaltenLaenge = 8; break;
    case Typ::Datum: f.code = CodeDatum; f.spaltenLaenge = 8; break;
    case Typ::Text:
        if (s.laenge < 1 || s.laenge > 255)
            falsch(QStringLiteral("Textspalte %1: Länge %2 nicht in 1..255").arg(s.name).arg(s.laenge));
        f.code = CodeText;
        f.fest = false;
        f.spaltenLaenge = quint16(2 * s.laenge);
        break;
    case Typ::Memo: f.code = CodeMemo; f.fest = false; break;
    }
    return f;
}

void anordnen(Tabellenstand& t)
{
    if (t.spalten.empty() || t.spalten.size() > 255)
        falsch(QStringLiteral("Tabelle %1: 1 bis 255 Spalten").arg(t.name));
    QSet<QString> namen;
    for (auto& s : t.spalten) {
        if (s.name.isEmpty() || namen.contains(s.name.toLower()))
            falsch(QStringLiteral("Tabelle %1: Spaltenname \"%2\" leer oder doppelt").arg(t.name, s.name));
        namen.insert(s.name.toLower());
        if (!s.fest) {
            s.varIndex = t.varAnzahl++;
        } else {
            // A Boolean lives in the null mask and takes no bytes of the row.
            s.festOffset = t.festLaenge;
            if (s.typ != Typ::Boolean)
                t.festLaenge += s.spaltenLaenge;
        }
    }
}

void pruefen(bool gut, const Spaltenform& s, const char* was)
{
    if (!gut)
        falsch(QStringLiteral("Spalte %1: %2").arg(s.name, QString::fromUtf8(was)));
}

QString artName(Wert::Art a)
{
    switch (a) {
    case Wert::Art::Null: return QStringLiteral("Null");
    case Wert::Art::Bool: return QStringLiteral("Boolean");
    case Wert::Art::Ganzzahl: return QStringLiteral("Ganzzahl");
    case Wert::Art::Zahl: return QStringLiteral("Zahl");
    case Wert::Art::Datum: return QStringLiteral("Datum");
    case Wert::Art::Text: return QStringLiteral("Text");
    case Wert::Art::Bytes: return QStringLiteral("Bytes");
    }
    return {};
}

void artPruefen(const Spaltenform& s, const Wert& w, std::initializer_list<Wert::Art> erlaubt)
{
    if (std::find(erlaubt.begin(), erlaubt.end(), w.art()) == erlaubt.end())
        falsch(QStringLiteral("Spalte %1: ein Wert der Art %2 passt nicht").arg(s.name, artName(w.art())));
}

// Jet's header encryption: RC4 over 128 bytes from 0x18 with a fixed key.
void rc4(quint8* daten, int laenge)
{
    const quint8 schluessel[4] = {0xC7, 0xDA, 0x39, 0x6B};
    std::array<quint8, 256> s{};
    for (int i = 0; i < 256; ++i)
        s[size_t(i)] = quint8(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[size_t(i)] + schluessel[i % 4]) & 0xFF;
        std::swap(s[size_t(i)], s[size_t(j)]);
    }
    for (int k = 0, i = 0, j = 0; k < laenge; ++k) {
        i = (i + 1) & 0xFF;
        j = (j + s[size_t(i)]) & 0xFF;
        std::swap(s[size_t(i)], s[size_t(j)]);
        daten[k] ^= s[size_t((s[size_t(i)] + s[size_t(j)]) & 0xFF)];
    }
}

}  // namespace

Wert::Wert(const QDateTime& t)
    : m_art(t.isValid() ? Art::Datum : Art::Null), m_zahl(t.isValid() ? jettest::jetTage(t.date(), t.time()) : 0)
{
}

Wert::Wert(const QDate& d) : m_art(d.isValid() ? Art::Datum : Art::Null), m_zahl(d.isValid() ? jettest::jetTage(d) : 0)
{
}

Wert Wert::bytes(const QByteArray& gespeichert)
{
    Wert w;
    w.m_art = Art::Bytes;
    w.m_bytes = gespeichert;
    return w;
}

Wert Wert::jetTage(double tage)
{
    Wert w;
    w.m_art = Art::Datum;
    w.m_zahl = tage;
    return w;
}

double jetTage(const QDate& datum, const QTime& zeit)
{
    const auto tage = double(QDate(1899, 12, 30).daysTo(datum));
    const double anteil = (zeit.isValid() ? zeit.msecsSinceStartOfDay() : 0) / 86400000.0;
    return tage >= 0 ? tage + anteil : tage - anteil;
}

QDateTime ausJetTage(double tage)
{
    if (!std::isfinite(tage) || std::fabs(tage) > 3.0e6)
        return {};
    const double ganz = std::trunc(tage);
    const auto ms = qint64(std::llround(std::fabs(tage - ganz) * 86400000.0));
    const QDate tag = QDate(1899, 12, 30).addDays(qint64(ganz));
    return QDateTime(tag, QTime(0, 0), Qt::UTC).addMSecs(ms);
}

struct Schreiber::Daten {
    QFile datei;
    Optionen optionen;
    quint32 naechsteSeite = 3;  // 0 database definition, 1 global page map, 2 MSysObjects
    std::vector<Tabellenstand> fertig;
    std::optional<Tabellenstand> aktuell;
    Zeilenseite daten;
    Zeilenseite lval;
    Bytes zeile;
    bool geschlossen = false;
    Lageplan plan;

    quint32 neueSeite() { return naechsteSeite++; }

    void seiteSchreiben(quint32 nummer, const quint8* bytes)
    {
        if (!datei.seek(qint64(nummer) * Seite) || datei.write(reinterpret_cast<const char*>(bytes), Seite) != Seite)
            throw std::runtime_error(("Jet-Datei nicht schreibbar: " + datei.errorString()).toStdString());
    }

    void seiteAbschliessen(Zeilenseite& s)
    {
        if (s.offen)
            seiteSchreiben(s.nummer, s.bytes.data());
        s.offen = false;
    }

    // A long value row in the shared long value page; its row pointer.
    quint32 lvalZeile(const quint8* bytes, size_t laenge)
    {
        if (!lval.passt(laenge)) {
            seiteAbschliessen(lval);
            lval.beginnen(neueSeite(), 0x4C41564C);  // "LVAL"
            plan.langwerte.push_back(lval.nummer);
        }
        const int z = lval.hinzufuegen(bytes, laenge);
        return zeiger(lval.nummer, z);
    }

    // A memo's 12 bytes in the row, and its value inline or on long value pages.
    void memoAnhaengen(Bytes& z, const Bytes& wert)
    {
        const size_t n = wert.size();
        if (n > 0xFFFFFF)
            throw std::invalid_argument("Memo länger als 16 MB");
        quint8 art = 0x80;
        quint32 zeigerWert = 0;
        if (int(n) > optionen.memoInlineBis) {
            if (int(n) <= LvalZeileMax) {
                art = 0x40;
                zeigerWert = lvalZeile(wert.data(), n);
            } else {
                art = 0x00;
                // The last link shares a page; the links before it fill pages of their own.
                const size_t stuecke = (n + KetteStueck - 1) / KetteStueck;
                const size_t rest = n - (stuecke - 1) * KetteStueck;
                Bytes letzte(4 + rest, 0);
                std::memcpy(letzte.data() + 4, wert.data() + (stuecke - 1) * KetteStueck, rest);
                quint32 weiter = lvalZeile(letzte.data(), letzte.size());
                const quint32 erste = naechsteSeite;
                naechsteSeite += quint32(stuecke - 1);
                Zeilenseite glied;
                for (size_t i = 0; i + 1 < stuecke; ++i) {
                    glied.beginnen(erste + quint32(i), 0x4C41564C);
                    plan.langwerte.push_back(glied.nummer);
                    Bytes b(4 + KetteStueck);
                    setze32(b.data(), i + 2 < stuecke ? zeiger(erste + quint32(i) + 1, 0) : weiter);
                    std::memcpy(b.data() + 4, wert.data() + i * KetteStueck, KetteStueck);
                    glied.hinzufuegen(b.data(), b.size());
                    seiteAbschliessen(glied);
                }
                zeigerWert = zeiger(erste, 0);
            }
        }
        an8(z, quint8(n));
        an8(z, quint8(n >> 8));
        an8(z, quint8(n >> 16));
        an8(z, art);
        an32(z, zeigerWert);
        an32(z, 0);
        if (art == 0x80)
            z.insert(z.end(), wert.begin(), wert.end());
    }

    void zeileBauen(Tabellenstand& t, const Zeile& werte)
    {
        if (werte.size() != t.spalten.size())
            falsch(QStringLiteral("Tabelle %1: %2 Werte für %3 Spalten")
                       .arg(t.name)
                       .arg(werte.size())
                       .arg(t.spalten.size()));
        const size_t spalten = t.spalten.size();
        Bytes& z = zeile;
        z.assign(2 + size_t(t.festLaenge), 0);
        setze16(z.data(), quint16(spalten));
        std::vector<quint8> maske((spalten + 7) / 8, 0);
        std::vector<quint16> varOffsets;
        for (size_t i = 0; i < spalten; ++i) {
            const Spaltenform& s = t.spalten[i];
            const Wert& w = werte[i];
            bool da = !w.istNull();
            quint8* fest = z.data() + 2 + s.festOffset;
            if (!s.fest)
                varOffsets.push_back(quint16(z.size()));
            switch (s.typ) {
            case Typ::Boolean:
                artPruefen(s, w, {Wert::Art::Null, Wert::Art::Bool});
                da = !w.istNull() && w.alsBool();
                break;
            case Typ::Byte:
            case Typ::Integer:
            case Typ::Long: {
                artPruefen(s, w, {Wert::Art::Null, Wert::Art::Ganzzahl});
                if (!da)
                    break;
                const qint64 v = w.alsGanzzahl();
                if (s.typ == Typ::Byte) {
                    pruefen(v >= 0 && v <= 255, s, "Byte außerhalb 0..255");
                    fest[0] = quint8(v);
                } else if (s.typ == Typ::Integer) {
                    pruefen(v >= -32768 && v <= 32767, s, "Integer außerhalb -32768..32767");
                    setze16(fest, quint16(v));
                } else {
                    pruefen(v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max(), s,
                            "Long außerhalb des 32-Bit-Bereichs");
                    setze32(fest, quint32(v));
                }
                break;
            }
            case Typ::Double: {
                artPruefen(s, w, {Wert::Art::Null, Wert::Art::Zahl, Wert::Art::Ganzzahl});
                if (da)
                    setze64(fest, std::bit_cast<quint64>(w.alsZahl()));
                break;
            }
            case Typ::Datum: {
                artPruefen(s, w, {Wert::Art::Null, Wert::Art::Datum});
                if (da)
                    setze64(fest, std::bit_cast<quint64>(w.alsJetTage()));
                break;
            }
            case Typ::Text: {
                artPruefen(s, w, {Wert::Art::Null, Wert::Art::Text, Wert::Art::Bytes});
                if (!da)
                    break;
                if (w.art() == Wert::Art::Bytes) {
                    pruefen(w.alsBytes().size() <= 2 * s.laenge, s, "Text länger als die Spalte");
                    z.insert(z.end(), w.alsBytes().begin(), w.alsBytes().end());
                    break;
                }
                pruefen(w.alsText().size() <= s.laenge, s, "Text länger als die Spalte");
                const Bytes b = textBytes(w.alsText(), s.komprimiert);
                z.insert(z.end(), b.begin(), b.end());
                break;
            }
            case Typ::Memo: {
                artPruefen(s, w, {Wert::Art::Null, Wert::Art::Text, Wert::Art::Bytes});
                if (!da)
                    break;
                if (w.art() == Wert::Art::Bytes) {
                    memoAnhaengen(z, Bytes(w.alsBytes().begin(), w.alsBytes().end()));
                    break;
                }
                const QString& text = w.alsText();
                memoAnhaengen(z, textBytes(text, s.komprimiert && text.size() <= MemoKomprimiertBis));
                break;
            }
            }
            if (da)
                maske[i / 8] |= quint8(1u << (i % 8));
        }
        if (t.varAnzahl > 0) {
            an16(z, quint16(z.size()));  // end of the variable data
            for (auto it = varOffsets.rbegin(); it != varOffsets.rend(); ++it)
                an16(z, *it);
            an16(z, quint16(t.varAnzahl));
        }
        z.insert(z.end(), maske.begin(), maske.end());
        if (z.size() > size_t(ZeileMax))
            falsch(QStringLiteral("Tabelle %1: eine Zeile von %2 Bytes passt auf keine Seite").arg(t.name).arg(z.size()));
    }

    void zeileAblegen(Tabellenstand& t, const Zeile& werte)
    {
        zeileBauen(t, werte);
        if (!daten.passt(zeile.size())) {
            seiteAbschliessen(daten);
            daten.beginnen(neueSeite(), t.tdefSeite);
            t.datenseiten.push_back(daten.nummer);
        }
        daten.hinzufuegen(zeile.data(), zeile.size());
        ++t.zeilen;
    }

    void tabelleBeenden()
    {
        if (!aktuell)
            return;
        seiteAbschliessen(daten);
        fertig.push_back(std::move(*aktuell));
        aktuell.reset();
    }

    Tabellenstand stand(const Tabelle& t, bool system)
    {
        Tabellenstand s;
        s.name = t.name;
        s.system = system;
        for (const auto& sp : t.spalten)
            s.spalten.push_back(form(sp));
        anordnen(s);
        for (const auto& ix : t.indizes) {
            if (ix.spalten.isEmpty() || ix.spalten.size() > 10 || ix.name.isEmpty())
                falsch(QStringLiteral("Index %1: Name und 1 bis 10 Spalten").arg(ix.name));
            Indexform f{ix.name, {}, ix.eindeutig || ix.primaer, ix.primaer};
            for (const auto& name : ix.spalten) {
                auto it = std::find_if(s.spalten.begin(), s.spalten.end(),
                                       [&](const Spaltenform& sp) { return sp.name == name; });
                if (it == s.spalten.end())
                    falsch(QStringLiteral("Index %1: keine Spalte %2").arg(ix.name, name));
                f.spalten.push_back(int(it - s.spalten.begin()));
            }
            s.indizes.push_back(std::move(f));
        }
        return s;
    }

    // The table definition as one block; pages after the first continue it
    // after their own 8 byte header.
    static Bytes definition(const Tabellenstand& t, quint32 leereKarte)
    {
        Bytes b;
        an8(b, 0x02);
        an8(b, 0x01);
        an16(b, 0);  // free space, set per page
        an32(b, 0);  // next page, set per page
        an32(b, 0);  // length, set at the end
        an32(b, Unbekannt);
        an32(b, t.zeilen);
        an32(b, 0);  // next autonumber
        an8(b, 0x01);
        b.resize(40, 0);
        an8(b, t.system ? 0x53 : 0x4E);
        an16(b, quint16(t.spalten.size()));
        an16(b, quint16(t.varAnzahl));
        an16(b, quint16(t.spalten.size()));
        an32(b, quint32(t.indizes.size()));
        an32(b, quint32(t.indizes.size()));
        an32(b, t.karte);
        an32(b, leereKarte);
        for (size_t i = 0; i < t.indizes.size(); ++i) {
            an32(b, 0);
            an32(b, t.zeilen);
            an32(b, 0);
        }
        for (size_t i = 0; i < t.spalten.size(); ++i) {
            const Spaltenform& s = t.spalten[i];
            an8(b, s.code);
            an32(b, Unbekannt);
            an16(b, quint16(i));
            an16(b, quint16(s.fest ? 0 : s.varIndex));
            an16(b, quint16(i));
            an16(b, 0x0409);  // sort order "General"
            an16(b, 0);
            an8(b, s.fest ? 0x03 : 0x02);  // fixed length, may be Null
            an8(b, (s.code == CodeText || s.code == CodeMemo) && s.komprimiert ? 0x01 : 0x00);
            an32(b, 0);
            an16(b, quint16(s.fest ? s.festOffset : 0));
            an16(b, s.spaltenLaenge);
        }
        for (const auto& s : t.spalten)
            anName(b, s.name);
        for (const auto& ix : t.indizes) {
            an32(b, 0);
            for (size_t k = 0; k < 10; ++k) {
                if (k < ix.spalten.size()) {
                    an16(b, quint16(ix.spalten[k]));
                    an8(b, 0x01);  // ascending
                } else {
                    an16(b, 0xFFFF);
                    an8(b, 0);
                }
            }
            an32(b, leereKarte);
            an32(b, 0);  // no index pages
            an32(b, 0);
            an8(b, quint8(0x80 | (ix.eindeutig ? 0x01 : 0) | (ix.primaer ? 0x08 : 0)));
            b.resize(b.size() + 5, 0);
        }
        for (size_t i = 0; i < t.indizes.size(); ++i) {
            an32(b, Unbekannt);
            an32(b, quint32(i));
            an32(b, quint32(i));
            an8(b, 0);
            an32(b, 0xFFFFFFFF);  // no relation
            an32(b, 0);
            an8(b, 0x04);
            an8(b, 0x04);
            an8(b, t.indizes[i].primaer ? 0x01 : 0x00);
            an32(b, 0);
        }
        for (const auto& ix : t.indizes)
            anName(b, ix.name);
        for (size_t i = 0; i < t.spalten.size(); ++i) {
            if (t.spalten[i].code == CodeMemo || t.spalten[i].code == CodeOle) {
                an16(b, quint16(i));
                an32(b, leereKarte);
                an32(b, leereKarte);
            }
        }
        an16(b, 0xFFFF);
        setze32(&b[8], quint32(b.size()));
        return b;
    }

    static int definitionsSeiten(size_t laenge)
    {
        return laenge <= size_t(Seite) ? 1 : 1 + int((laenge - Seite + (Seite - 8) - 1) / (Seite - 8));
    }

    void definitionSchreiben(const Tabellenstand& t, quint32 leereKarte)
    {
        const Bytes b = definition(t, leereKarte);
        if (definitionsSeiten(b.size()) != t.tdefSeiten)
            throw std::logic_error("Jet-Tabellendefinition: Seitenzahl falsch geschätzt");
        size_t pos = 0;
        for (int i = 0; i < t.tdefSeiten; ++i) {
            std::array<quint8, Seite> seite{};
            const size_t kopf = i == 0 ? 0 : 8;
            const size_t n = std::min(b.size() - pos, size_t(Seite) - kopf);
            std::memcpy(seite.data() + kopf, b.data() + pos, n);
            pos += n;
            seite[0] = 0x02;
            seite[1] = 0x01;
            setze16(&seite[2], quint16(std::max<int>(0, Seite - int(kopf + n) - 8)));
            setze32(&seite[4], i + 1 < t.tdefSeiten ? t.tdefSeite + quint32(i) + 1 : 0);
            seiteSchreiben(t.tdefSeite + quint32(i), seite.data());
        }
    }

    // A row of a page map over the given pages: the bitmap in the row (type 0),
    // or pointers to map pages of their own (type 1), which are written here.
    Bytes karte(const std::vector<quint32>& seiten)
    {
        Bytes k;
        const quint32 erste = seiten.empty() ? 0 : seiten.front();
        const quint32 spanne = seiten.empty() ? 0 : seiten.back() - erste + 1;
        const size_t bitmapBytes = std::max<size_t>(KarteBytes, (spanne + 7) / 8);
        if (!optionen.indirekteKarten && 5 + bitmapBytes <= size_t(LvalZeileMax)) {
            k.assign(5 + bitmapBytes, 0);
            setze32(&k[1], erste);
            for (quint32 s : seiten)
                k[5 + (s - erste) / 8] |= quint8(1u << ((s - erste) % 8));
            return k;
        }
        const size_t kartenSeiten = seiten.empty() ? 1 : seiten.back() / KarteSeiteBits + 1;
        k.assign(1 + 4 * kartenSeiten, 0);
        k[0] = 0x01;
        auto it = seiten.begin();
        for (size_t m = 0; m < kartenSeiten; ++m) {
            std::array<quint8, Seite> seite{};
            seite[0] = 0x05;
            seite[1] = 0x01;
            bool belegt = false;
            for (; it != seiten.end() && *it / KarteSeiteBits == m; ++it) {
                const quint32 bit = *it % KarteSeiteBits;
                seite[4 + bit / 8] |= quint8(1u << (bit % 8));
                belegt = true;
            }
            if (belegt || m == 0) {
                const quint32 nummer = neueSeite();
                seiteSchreiben(nummer, seite.data());
                setze32(&k[1 + 4 * m], nummer);
            }
        }
        return k;
    }

    // A table's properties as Access keeps them: "MR2", the block of property
    // names, the table's values (a block without a name), a column's values.
    static Wert eigenschaftenVon(const Tabellenstand& t)
    {
        const QStringList namen = {QStringLiteral("Description"), QStringLiteral("Format")};
        auto block = [](quint16 art, const Bytes& inhalt) {
            Bytes b;
            an32(b, quint32(6 + inhalt.size()));
            an16(b, art);
            b.insert(b.end(), inhalt.begin(), inhalt.end());
            return b;
        };
        auto werte = [](const QString& objekt, quint16 name, const QString& wert) {
            Bytes eintrag;
            an16(eintrag, quint16(8 + 2 * wert.size()));
            an8(eintrag, 0);  // no DDL property
            an8(eintrag, CodeText);
            an16(eintrag, name);
            an16(eintrag, quint16(2 * wert.size()));
            anUcs2(eintrag, wert);
            Bytes b;
            an32(b, quint32(6 + 2 * objekt.size() + eintrag.size()));
            an16(b, quint16(2 * objekt.size()));
            anUcs2(b, objekt);
            b.insert(b.end(), eintrag.begin(), eintrag.end());
            return b;
        };
        Bytes namensliste;
        for (const QString& n : namen)
            anName(namensliste, n);
        Bytes alles = {'M', 'R', '2', 0};
        for (const Bytes& b : {block(0x80, namensliste), block(0x00, werte({}, 0, QStringLiteral("Tabelle ") + t.name))})
            alles.insert(alles.end(), b.begin(), b.end());
        for (const auto& s : t.spalten) {
            if (s.typ == Typ::Text) {
                const Bytes b = block(0x01, werte(s.name, 1, QStringLiteral("@")));
                alles.insert(alles.end(), b.begin(), b.end());
                break;
            }
        }
        return Wert::bytes(QByteArray(reinterpret_cast<const char*>(alles.data()), qsizetype(alles.size())));
    }

    void systemkatalogSchreiben()
    {
        const Spalte id{QStringLiteral("Id"), Typ::Long};
        const Spalte eltern{QStringLiteral("ParentId"), Typ::Long};
        const Spalte name{QStringLiteral("Name"), Typ::Text, 128};
        const Spalte typ{QStringLiteral("Type"), Typ::Integer};
        const Spalte angelegt{QStringLiteral("DateCreate"), Typ::Datum};
        const Spalte geaendert{QStringLiteral("DateUpdate"), Typ::Datum};
        const Spalte flags{QStringLiteral("Flags"), Typ::Long};
        const Spalte eigenschaften{QStringLiteral("LvProp"), Typ::Memo};
        Tabellenstand sys = stand(Tabelle{QStringLiteral("MSysObjects"),
                                          {id, eltern, name, typ, angelegt, geaendert, flags, eigenschaften},
                                          {}},
                                  true);
        sys.spalten.back().code = CodeOle;  // properties are long binary data; always Null here
        sys.tdefSeite = 2;
        const Wert zeit = Wert::jetTage(38000.5);
        auto objekt = [&](qint64 nummer, qint64 ordner, const QString& n, int art, quint32 f, const Wert& lv) {
            zeileAblegen(sys, {Wert(nummer), Wert(ordner), Wert(n), Wert(art), zeit, zeit, Wert(qint64(qint32(f))), lv});
        };
        objekt(qint64(qint32(TabellenOrdner)), 0x0F000000, QStringLiteral("Tables"), 3, Systemflag, Wert());
        objekt(2, TabellenOrdner, QStringLiteral("MSysObjects"), 1, Systemflag, Wert());
        for (const auto& t : fertig)
            objekt(t.tdefSeite, TabellenOrdner, t.name, 1, 0, optionen.eigenschaften ? eigenschaftenVon(t) : Wert());
        seiteAbschliessen(daten);
        fertig.insert(fertig.begin(), std::move(sys));
    }

    void schliessen()
    {
        tabelleBeenden();
        systemkatalogSchreiben();
        seiteAbschliessen(lval);

        // The page maps, packed into rows of map pages.
        Zeilenseite karten;
        auto ablegen = [&](const Bytes& k) {
            if (!karten.passt(k.size())) {
                seiteAbschliessen(karten);
                karten.beginnen(neueSeite(), 0);
            }
            return zeiger(karten.nummer, karten.hinzufuegen(k.data(), k.size()));
        };
        const quint32 leereKarte = ablegen(karte({}));
        for (auto& t : fertig)
            t.karte = ablegen(karte(t.datenseiten));
        seiteAbschliessen(karten);

        for (const auto& t : fertig)
            definitionSchreiben(t, leereKarte);

        // The global page map: empty, as no reader needs it.
        Zeilenseite global;
        global.beginnen(1, 0);
        const Bytes leer(5 + KarteBytes, 0);
        global.hinzufuegen(leer.data(), leer.size());
        global.hinzufuegen(leer.data(), leer.size());
        seiteSchreiben(1, global.bytes.data());

        std::array<quint8, Seite> kopf{};
        kopf[1] = 0x01;
        std::memcpy(&kopf[4], "Standard Jet DB", 15);
        kopf[0x14] = 0x01;  // Jet 4
        setze16(&kopf[0x3C], 1252);
        setze16(&kopf[0x6E], 0x0409);
        rc4(&kopf[0x18], 128);
        seiteSchreiben(0, kopf.data());

        if (!datei.resize(qint64(naechsteSeite) * Seite) || !datei.flush())
            throw std::runtime_error(("Jet-Datei nicht schreibbar: " + datei.errorString()).toStdString());
        datei.close();
        geschlossen = true;
        for (const auto& t : fertig)
            plan.tabellen.push_back({t.name, t.tdefSeite, t.tdefSeiten, t.datenseiten, t.karte});
        std::sort(plan.langwerte.begin(), plan.langwerte.end());
        plan.seiten = naechsteSeite;
    }
};

Schreiber::Schreiber(const QString& pfad, Optionen optionen) : d(std::make_unique<Daten>())
{
    d->optionen = optionen;
    d->datei.setFileName(pfad);
    if (!d->datei.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error(("Jet-Datei nicht anlegbar: " + pfad + ": " + d->datei.errorString()).toStdString());
}

Schreiber::~Schreiber() = default;

void Schreiber::tabelle(const Tabelle& tabelle)
{
    if (d->geschlossen)
        throw std::logic_error("Jet-Datei schon geschlossen");
    if (tabelle.name.isEmpty() || tabelle.name.compare(QStringLiteral("MSysObjects"), Qt::CaseInsensitive) == 0)
        falsch(QStringLiteral("Tabellenname \"%1\" nicht erlaubt").arg(tabelle.name));
    auto gleich = [&](const Tabellenstand& t) { return t.name.compare(tabelle.name, Qt::CaseInsensitive) == 0; };
    if (std::any_of(d->fertig.begin(), d->fertig.end(), gleich) || (d->aktuell && gleich(*d->aktuell)))
        falsch(QStringLiteral("Tabelle %1 doppelt").arg(tabelle.name));
    Tabellenstand s = d->stand(tabelle, false);
    d->tabelleBeenden();
    s.tdefSeiten = Daten::definitionsSeiten(Daten::definition(s, 0).size());
    s.tdefSeite = d->naechsteSeite;
    d->naechsteSeite += quint32(s.tdefSeiten);
    d->aktuell = std::move(s);
}

void Schreiber::zeile(const Zeile& werte)
{
    if (!d->aktuell)
        throw std::logic_error("Jet-Zeile ohne Tabelle");
    d->zeileAblegen(*d->aktuell, werte);
}

void Schreiber::schliessen()
{
    if (d->geschlossen)
        return;
    d->schliessen();
}

const Lageplan& Schreiber::lageplan() const
{
    if (!d->geschlossen)
        throw std::logic_error("Jet-Datei noch nicht geschlossen");
    return d->plan;
}

const Lageplan::Tabelle& Lageplan::tabelle(const QString& name) const
{
    for (const auto& t : tabellen) {
        if (t.name == name)
            return t;
    }
    throw std::out_of_range(("keine Tabelle " + name).toStdString());
}

void seiteAendern(const QString& pfad, quint32 seite, const std::function<void(quint8* bytes)>& aendern)
{
    QFile f(pfad);
    if (!f.open(QIODevice::ReadWrite) || !f.seek(qint64(seite) * Seite))
        throw std::runtime_error(("Jet-Datei nicht änderbar: " + pfad).toStdString());
    QByteArray b = f.read(Seite);
    if (b.size() != Seite)
        throw std::runtime_error(("Jet-Datei hat die Seite nicht: " + pfad).toStdString());
    aendern(reinterpret_cast<quint8*>(b.data()));
    if (!f.seek(qint64(seite) * Seite) || f.write(b) != Seite)
        throw std::runtime_error(("Jet-Datei nicht änderbar: " + pfad).toStdString());
}

void abschneiden(const QString& pfad, quint32 seiten)
{
    QFile f(pfad);
    if (!f.resize(qint64(seiten) * Seite))
        throw std::runtime_error(("Jet-Datei nicht kürzbar: " + pfad).toStdString());
}

Lageplan schreiben(const QString& pfad, const std::vector<TabelleMitZeilen>& tabellen, Optionen optionen)
{
    Schreiber s(pfad, optionen);
    for (const auto& t : tabellen) {
        s.tabelle(t.tabelle);
        for (const auto& z : t.zeilen)
            s.zeile(z);
    }
    s.schliessen();
    return s.lageplan();
}

}  // namespace jettest
