#include "reports/HTMLBericht.h"

#include "platform/db/DbError.h"
#include "platform/system/Dateigrund.h"
#include "platform/vb/VbRuntime.h"
#include "reports/Zeilenquelle.h"
#include "reports/Zellwert.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <charconv>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>

namespace reports {

namespace {

// The characters Windows-1252 keeps at 0x80..0x9F (0 where it has none).
constexpr std::array<char16_t, 32> Cp1252Oben = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The entity of a cell character: "&" and the ten the cells have always
// replaced. The replacements hold no character that another one replaces, so
// one pass gives what replacing one after the other gives.
constexpr const char* entity(char32_t c)
{
    switch (c) {
    case U'&': return "&amp;";
    case U'ä': return "&auml;";
    case U'Ä': return "&Auml;";
    case U'ö': return "&ouml;";
    case U'Ö': return "&Ouml;";
    case U'ü': return "&uuml;";
    case U'Ü': return "&Uuml;";
    case U'ß': return "&szlig;";
    case U'>': return "&gt;";
    case U'<': return "&lt;";
    case U'"': return "&quot;";
    default: return nullptr;
    }
}

// A character in Windows-1252, or as "&#N;" when that lacks it.
void zeichenAnhängen(QByteArray& aus, char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        aus.append(char(c));
        return;
    }
    for (size_t k = 0; k < Cp1252Oben.size(); ++k)
        if (Cp1252Oben[k] != 0 && Cp1252Oben[k] == c) {
            aus.append(char(0x80 + k));
            return;
        }
    aus.append("&#").append(QByteArray::number(qulonglong(c))).append(';');
}

// Windows-1252, with "&#N;" for every character it lacks.
void ansiAnhängen(QByteArray& aus, const QString& text)
{
    for (const char32_t c : text.toUcs4())
        zeichenAnhängen(aus, c);
}

bool folgebyte(QByteArrayView t, qsizetype i)
{
    return i < t.size() && (uchar(t[i]) & 0xC0) == 0x80;
}

// The character of UTF-8 at `i` and its length; a broken sequence is one
// replacement character of one byte.
char32_t utf8Zeichen(QByteArrayView t, qsizetype i, int* länge)
{
    const uchar b = uchar(t[i]);
    *länge = 1;
    if (b < 0x80)
        return b;
    if ((b & 0xE0) == 0xC0 && b >= 0xC2 && folgebyte(t, i + 1)) {
        *länge = 2;
        return char32_t(b & 0x1F) << 6 | (uchar(t[i + 1]) & 0x3F);
    }
    if ((b & 0xF0) == 0xE0 && folgebyte(t, i + 1) && folgebyte(t, i + 2)) {
        const char32_t c = char32_t(b & 0x0F) << 12 | char32_t(uchar(t[i + 1]) & 0x3F) << 6 | (uchar(t[i + 2]) & 0x3F);
        if (c >= 0x800 && (c < 0xD800 || c > 0xDFFF)) {
            *länge = 3;
            return c;
        }
    }
    if ((b & 0xF8) == 0xF0 && folgebyte(t, i + 1) && folgebyte(t, i + 2) && folgebyte(t, i + 3)) {
        const char32_t c = char32_t(b & 0x07) << 18 | char32_t(uchar(t[i + 1]) & 0x3F) << 12 |
                           char32_t(uchar(t[i + 2]) & 0x3F) << 6 | (uchar(t[i + 3]) & 0x3F);
        if (c >= 0x10000 && c <= 0x10FFFF) {
            *länge = 4;
            return c;
        }
    }
    return 0xFFFD;
}

// The bytes of each character below 0x100 in a cell: its entity, itself in
// Windows-1252, or a blank for a control character, so a cell stays one line.
struct Zellzeichen {
    unsigned char länge = 0;
    char bytes[7] = {};
};

constexpr std::array<Zellzeichen, 256> ZellTabelle = [] {
    std::array<Zellzeichen, 256> tabelle{};
    for (unsigned c = 0; c < 256; ++c) {
        Zellzeichen& z = tabelle[c];
        if (const char* e = entity(c)) {
            for (; e[z.länge]; ++z.länge)
                z.bytes[z.länge] = e[z.länge];
        } else if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
            z.bytes[z.länge++] = ' ';
        } else {
            z.bytes[z.länge++] = char(c);
        }
    }
    return tabelle;
}();

// A character above 0xFF: its byte of 0x80..0x9F, or "&#N;".
char* obenAnhängen(char* p, char32_t c)
{
    for (size_t k = 0; k < Cp1252Oben.size(); ++k)
        if (Cp1252Oben[k] == c) {
            *p++ = char(0x80 + k);
            return p;
        }
    *p++ = '&';
    *p++ = '#';
    p = std::to_chars(p, p + 7, quint32(c)).ptr;
    *p++ = ';';
    return p;
}

// A cell's UTF-8 text through the entity encoder, in Windows-1252, straight
// into the page's buffer. A cell is one line: a stored line break (CR LF
// included) or other control character shows as one blank.
void zelleAnhängen(QByteArray& aus, QByteArrayView text)
{
    // Room for the widest case: a broken byte as "&#65533;".
    const qsizetype anfang = aus.size();
    aus.resize(anfang + 8 * text.size());
    char* p = aus.data() + anfang;
    for (qsizetype i = 0; i < text.size();) {
        const uchar b = uchar(text[i]);
        char32_t c = b;
        if (b < 0x80) {
            ++i;
            if (b == '\r' && i < text.size() && text[i] == '\n')
                ++i;
        } else {
            int länge = 1;
            c = utf8Zeichen(text, i, &länge);
            i += länge;
            if (c == 0x2028 || c == 0x2029) {
                *p++ = ' ';
                continue;
            }
            if (c > 0xFF) {
                p = obenAnhängen(p, c);
                continue;
            }
        }
        const Zellzeichen& z = ZellTabelle[c];
        std::memcpy(p, z.bytes, sizeof z.bytes);
        p += z.länge;
    }
    aus.resize(p - aus.constData());
}

// Title, heading and field names: markup characters escaped, umlauts kept.
QByteArray htmlText(const QString& text)
{
    QString t = vb::singleLine(text);
    t.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    t.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    t.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    t.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    QByteArray aus;
    ansiAnhängen(aus, t);
    return aus;
}

constexpr qsizetype Puffergröße = 64 * 1024;

// A page written under a temporary name beside it and renamed over it when
// whole, so its name never holds half a page. Not synced: a report is made
// again in a moment, and a sync per page would cost more than the page.
class Seitendatei {
public:
    explicit Seitendatei(const QString& pfad) : m_pfad(pfad), m_datei(pfad + QStringLiteral(".tmp")) {}
    ~Seitendatei() { verwerfen(); }

    bool öffnen() { return m_datei.open(QIODevice::WriteOnly | QIODevice::Truncate); }
    bool schreiben(const QByteArray& bytes) { return m_datei.write(bytes) == bytes.size(); }
    bool abschließen()
    {
        m_datei.close();
        if (m_datei.error() != QFileDevice::NoError)
            return false;
        if (std::rename(QFile::encodeName(m_datei.fileName()).constData(), QFile::encodeName(m_pfad).constData()) != 0) {
            m_fehler = sys::dateigrund(errno);
            return false;
        }
        m_fertig = true;
        return true;
    }
    void verwerfen()
    {
        if (m_fertig)
            return;
        m_datei.close();
        QFile::remove(m_datei.fileName());
        m_fertig = true;
    }
    QString fehler() const { return m_fehler.isEmpty() ? sys::dateigrund(m_datei) : m_fehler; }

private:
    QString m_pfad;
    QFile m_datei;
    QString m_fehler;
    bool m_fertig = false;
};

// One report; a page file open at a time.
class Schreiber {
public:
    Schreiber(Zeilenquelle& quelle, const QString& dateiname, int zeilenProSeite)
        : m_quelle(quelle), m_zeilenProSeite(zeilenProSeite)
    {
        // The extension starts at the last "." of the file's own name.
        const qsizetype schrägstrich = dateiname.lastIndexOf(QLatin1Char('/'));
        const qsizetype punkt = dateiname.lastIndexOf(QLatin1Char('.'));
        if (punkt > schrägstrich) {
            m_basis = dateiname.left(punkt);
            m_endung = dateiname.mid(punkt);
        } else {
            m_basis = dateiname;
        }
    }

    HTMLErgebnis schreiben(const QString& titel, const QString& überschrift)
    {
        try {
            const long long alle = m_quelle.anzahl();
            m_seiten = m_zeilenProSeite >= 1 ? (alle + m_zeilenProSeite - 1) / m_zeilenProSeite : 0;
            m_titel = htmlText(titel);
            m_überschrift = htmlText(überschrift);
            const QStringList felder = m_quelle.felder();
            m_felder.clear();
            for (const QString& f : felder)
                m_felder.push_back(htmlText(f));

            if (!przHTMLKopf() || !przHTMLTabellenkopf())
                return fehlschlag();
            long long aufSeite = 0;
            while (!m_quelle.amEnde()) {
                ++aufSeite;
                if (aufSeite > m_zeilenProSeite && m_zeilenProSeite >= 1) {
                    if (!przHTMLFuss(true) || !przHTMLEnde())
                        return fehlschlag();
                    ++m_seite;
                    aufSeite = 1;
                    if (!przHTMLKopf() || !przHTMLTabellenkopf())
                        return fehlschlag();
                }
                ++m_anzahl;
                zeileSchreiben();
                if (!leeren(false))
                    return fehlschlag();
                m_quelle.weiter();
            }
            if (!przHTMLFuss(false) || !przHTMLEnde())
                return fehlschlag();
            return {true, {}, {}};
        } catch (const db::DbError& e) {
            m_grund = e.message();
        } catch (const std::exception& e) {
            m_grund = QString::fromUtf8(e.what());
        }
        return fehlschlag();
    }

private:
    QString seitendatei(long long seite) const
    {
        return seite <= 1 ? m_basis + m_endung : m_basis + QString::number(seite) + m_endung;
    }

    void zeile(QByteArrayView text)
    {
        m_puffer.append(text);
        m_puffer.append("\r\n", 2);
    }

    bool leeren(bool immer)
    {
        if (m_puffer.isEmpty() || (!immer && m_puffer.size() < Puffergröße))
            return true;
        if (!m_datei || !m_datei->schreiben(m_puffer)) {
            m_grund = m_datei ? m_datei->fehler() : QString();
            return false;
        }
        m_puffer.resize(0);  // keeps its room for the next rows
        return true;
    }

    bool przHTMLKopf()
    {
        m_datei = std::make_unique<Seitendatei>(seitendatei(m_seite));
        m_puffer.resize(0);
        m_puffer.reserve(2 * Puffergröße);
        if (!m_datei->öffnen()) {
            m_grund = m_datei->fehler();
            return false;
        }
        zeile("<HTML>");
        zeile("<HEAD>");
        zeile(R"(<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=windows-1252">)");
        zeile("<TITLE>" + m_titel + "</TITLE>");
        zeile("<Link REL=Stylesheet HREF=css.css TYPE=Text/css>");
        zeile("</HEAD>");
        zeile("<H1>" + m_überschrift + "</H1>");
        if (m_seiten > 1)
            zeile("<P><B>Seite " + QByteArray::number(m_seite) + " von " + QByteArray::number(m_seiten) +
                  "</B></P>");
        return true;
    }

    bool przHTMLTabellenkopf()
    {
        zeile("<TABLE WIDTH=700 CELLPADDING=0 CELLSPACING=2 BORDER=0>");
        zeile("<TR>");
        for (const QByteArray& f : m_felder)
            zeile("<TH align=left>" + f + "</TH>");
        zeile("</TR>");
        zeile("<TD><br></TD><TD><br></TD><TD><br></TD>");
        return true;
    }

    void zeileSchreiben()
    {
        m_puffer.append("<TR>");
        for (int f = 0; f < int(m_felder.size()); ++f) {
            m_puffer.append("  <TD>");
            if (m_quelle.text(f, m_zelle))
                zelleAnhängen(m_puffer, m_zelle);
            else
                m_puffer.append("&nbsp;");
            m_puffer.append("</TD>\r\n");
        }
        m_puffer.append("</TR>");
    }

    bool przHTMLFuss(bool weitere)
    {
        zeile("</TABLE>");
        zeile("<P><B>Anzahl Datens\xE4tze: " + QByteArray::number(m_anzahl) + "</B></P>");
        if (m_seite >= 2 || m_seiten != 0) {
            QByteArray navigation = "<P>";
            if (m_seite >= 2)
                navigation += "<P><Font size=1><A HREF=\"" + HTMLLinkziel(seitendatei(m_seite - 1)) +
                              "\">Zur\xFC" "ck</A></Font>  |  ";
            if (weitere)
                navigation += "<P><Font size=1><A HREF=\"" + HTMLLinkziel(seitendatei(m_seite + 1)) +
                              "\">Weiter</A></Font>";
            navigation += "</P>";
            zeile(navigation);
        }
        return true;
    }

    bool przHTMLEnde()
    {
        zeile("<P>&nbsp;");
        zeile("<P><Font size=1>Erstellt mit Rondavex</Font></P>");
        zeile("</BODY>");
        zeile("</HTML>");
        if (!leeren(true))
            return false;
        const bool fertig = m_datei->abschließen();
        if (!fertig)
            m_grund = m_datei->fehler();
        m_datei.reset();
        return fertig;
    }

    HTMLErgebnis fehlschlag()
    {
        m_datei.reset();
        return {false, seitendatei(m_seite), m_grund};
    }

    Zeilenquelle& m_quelle;
    const int m_zeilenProSeite;
    QString m_basis;
    QString m_endung;
    long long m_seiten = 0;
    long long m_seite = 1;
    long long m_anzahl = 0;
    QByteArray m_titel;
    QByteArray m_überschrift;
    std::vector<QByteArray> m_felder;
    std::unique_ptr<Seitendatei> m_datei;
    QByteArray m_puffer;
    QByteArray m_zelle;
    QString m_grund;
};

}  // namespace

QString HTMLUmlaute(QString& text)
{
    QString aus;
    aus.reserve(text.size());
    for (const QChar c : std::as_const(text)) {
        if (const char* e = entity(c.unicode()))
            aus.append(QLatin1String(e));
        else
            aus.append(c);
    }
    text = aus;
    return text;
}

QByteArray HTMLZelle(const QVariant& wert)
{
    if (wert.isNull())
        return QByteArrayLiteral("&nbsp;");
    QByteArray aus;
    zelleAnhängen(aus, zellentext(wert).toUtf8());
    return aus;
}

QByteArray HTMLLinkziel(const QString& pfad)
{
    QString ziel = QFileInfo(pfad).absoluteFilePath();
    ziel.replace(QLatin1Char('%'), QLatin1String("%25"));
    ziel.replace(QLatin1Char('#'), QLatin1String("%23"));
    ziel.replace(QLatin1Char('?'), QLatin1String("%3F"));
    ziel.replace(QLatin1Char('"'), QLatin1String("%22"));
    return "file://" + htmlText(ziel);
}

HTMLErgebnis dbTableToHTML(Zeilenquelle& quelle, const QString& dateiname, QString titel, QString überschrift,
                           int zeilenProSeite)
{
    if (titel.isEmpty())
        titel = quelle.name();
    if (überschrift.isEmpty())
        überschrift = quelle.name();
    return Schreiber(quelle, dateiname, zeilenProSeite).schreiben(titel, überschrift);
}

}  // namespace reports
