#include "reports/HTMLBericht.h"

#include "platform/db/DbError.h"
#include "reports/Zeilenquelle.h"
#include "reports/Zellwert.h"

#include <QFileInfo>
#include <QSaveFile>

#include <array>
#include <exception>
#include <memory>

namespace reports {

namespace {

// The characters Windows-1252 keeps at 0x80..0x9F (0 where it has none).
constexpr std::array<char16_t, 32> Cp1252Oben = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Windows-1252, with "&#N;" for every character it lacks.
void ansiAnhängen(QByteArray& aus, QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            aus.append(char(c));
            continue;
        }
        bool gefunden = false;
        for (size_t k = 0; k < Cp1252Oben.size() && !gefunden; ++k)
            if (Cp1252Oben[k] == c && c != 0) {
                aus.append(char(0x80 + k));
                gefunden = true;
            }
        if (gefunden)
            continue;
        char32_t punkt = c;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            punkt = QChar::surrogateToUcs4(c, text[++i].unicode());
        aus.append("&#").append(QByteArray::number(qulonglong(punkt))).append(';');
    }
}

// Title, heading and field names: markup characters escaped, umlauts kept.
QByteArray htmlText(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    t.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    t.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    t.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    QByteArray aus;
    ansiAnhängen(aus, t);
    return aus;
}

constexpr qsizetype Puffergröße = 64 * 1024;

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
        if (!m_datei || m_datei->write(m_puffer) != m_puffer.size()) {
            m_grund = m_datei ? m_datei->errorString() : QString();
            return false;
        }
        m_puffer.clear();
        return true;
    }

    bool przHTMLKopf()
    {
        m_datei = std::make_unique<QSaveFile>(seitendatei(m_seite));
        m_puffer.clear();
        if (!m_datei->open(QIODevice::WriteOnly)) {
            m_grund = m_datei->errorString();
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
            m_puffer.append(HTMLZelle(m_quelle.wert(f)));
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
        const bool fertig = m_datei->commit();
        if (!fertig)
            m_grund = m_datei->errorString();
        m_datei.reset();
        return fertig;
    }

    HTMLErgebnis fehlschlag()
    {
        if (m_datei)
            m_datei->cancelWriting();
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
    std::unique_ptr<QSaveFile> m_datei;
    QByteArray m_puffer;
    QString m_grund;
};

}  // namespace

QString HTMLUmlaute(QString& text)
{
    static const std::array<std::pair<QString, QString>, 11> Ersetzungen = {{
        {QStringLiteral("&"), QStringLiteral("&amp;")},
        {QStringLiteral("ä"), QStringLiteral("&auml;")},
        {QStringLiteral("Ä"), QStringLiteral("&Auml;")},
        {QStringLiteral("ö"), QStringLiteral("&ouml;")},
        {QStringLiteral("Ö"), QStringLiteral("&Ouml;")},
        {QStringLiteral("ü"), QStringLiteral("&uuml;")},
        {QStringLiteral("Ü"), QStringLiteral("&Uuml;")},
        {QStringLiteral("ß"), QStringLiteral("&szlig;")},
        {QStringLiteral(">"), QStringLiteral("&gt;")},
        {QStringLiteral("<"), QStringLiteral("&lt;")},
        {QStringLiteral("\""), QStringLiteral("&quot;")},
    }};
    for (const auto& [zeichen, entity] : Ersetzungen)
        text.replace(zeichen, entity, Qt::CaseSensitive);
    return text;
}

QByteArray HTMLZelle(const QVariant& wert)
{
    if (wert.isNull())
        return QByteArrayLiteral("&nbsp;");
    QString text = zellentext(wert);
    QByteArray aus;
    aus.reserve(text.size());
    ansiAnhängen(aus, HTMLUmlaute(text));
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
