#include "jetimport/Umwandlung.h"

#include "frame/Katalogschema.h"
#include "platform/db/Database.h"
#include "platform/db/FileRename.h"
#include "platform/db/Identifier.h"
#include "platform/db/KeyedInsert.h"
#include "platform/jet/JetDatei.h"
#include "platform/jet/JetText.h"
#include "platform/system/Dateigrund.h"
#include "platform/system/Dateireste.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace jetimport {

namespace {

const QString Katalogtabelle = QStringLiteral("Filme");
const QString Versionstabelle = QStringLiteral("Version");

// How a column of the file becomes one of ours.
struct Ziel {
    QString name;
    jet::Typ jetTyp;
    int zeichen = 0;
    QString definition;
};

Ziel zielspalte(const jet::Spalte& s, bool schluessel)
{
    using frame::schema::Typ;
    Ziel z{s.name, s.typ, s.zeichen, {}};
    Typ typ = Typ::Memo;
    switch (s.typ) {
    case jet::Typ::Text: typ = Typ::Text; break;
    case jet::Typ::Memo:
    case jet::Typ::GUID: typ = Typ::Memo; break;
    case jet::Typ::Double:
    case jet::Typ::Single:
    case jet::Typ::Money:
    case jet::Typ::Numeric: typ = Typ::Double; break;
    case jet::Typ::Integer: typ = Typ::Integer; break;
    case jet::Typ::Long:
    case jet::Typ::Byte:
    case jet::Typ::Boolean: typ = Typ::Long; break;
    case jet::Typ::DatumZeit: typ = Typ::Datum; break;
    case jet::Typ::Binaer:
    case jet::Typ::OLE:
        z.definition = db::quoteIdentifier(s.name) + QStringLiteral(" BLOB");
        return z;
    }
    const QByteArray name = s.name.toUtf8();
    const frame::schema::Spalte spalte{"", name.constData(), typ, s.zeichen, "", nullptr, schluessel};
    z.definition = frame::schema::spaltenDefinition(spalte);
    return z;
}

// The key column of a table at the file's version ("" for none); a version
// we do not know keeps the keys of the current one.
QString schluesselspalte(const QString& tabelle, const QString& version)
{
    const QString v = frame::schema::versionsIndex(version) >= 0 ? version : frame::schema::AktuelleVersion;
    for (const auto& s : frame::schema::spalten(tabelle, v)) {
        if (s.schluessel)
            return QString::fromUtf8(s.name);
    }
    return {};
}

int spaltenIndex(const jet::Tabelle& t, const QString& name)
{
    for (size_t i = 0; i < t.spalten.size(); ++i) {
        if (t.spalten[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

// "Müller [2]", shortened at its end so that the suffix fits the column.
QString mitNummer(const QString& text, int nummer, int zeichen)
{
    const QString endung = QStringLiteral(" [%1]").arg(nummer);
    QString kopf = text;
    if (zeichen > 0 && kopf.size() + endung.size() > zeichen) {
        kopf.truncate(qMax(0, int(zeichen - endung.size())));
        while (kopf.endsWith(QLatin1Char(' ')))
            kopf.chop(1);
    }
    return kopf + endung;
}

// True for a failure that the values or the structure of what is written
// cause, never the disk.
bool anDenDaten(const db::DbError& e)
{
    switch (e.code() & 0xff) {
    case SQLITE_ERROR:
    case SQLITE_TOOBIG:
    case SQLITE_CONSTRAINT:
    case SQLITE_MISMATCH:
    case SQLITE_RANGE: return true;
    default: return false;
    }
}

// Why the new file cannot be written, in German: SQLite's own text is English.
QString dbFehler(const db::DbError& e)
{
    switch (e.code() & 0xff) {
    case SQLITE_FULL: return sys::dateigrund(ENOSPC);
    case SQLITE_READONLY: return sys::dateigrund(EROFS);
    case SQLITE_PERM:
    case SQLITE_AUTH: return sys::dateigrund(EACCES);
    case SQLITE_CANTOPEN: return QStringLiteral("Sie lässt sich nicht anlegen.");
    case SQLITE_IOERR: return QStringLiteral("Beim Schreiben auf den Datenträger ist ein Fehler aufgetreten.");
    case SQLITE_NOMEM: return QStringLiteral("Der Arbeitsspeicher reicht nicht aus.");
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return QStringLiteral("Ein anderes Programm hält sie gesperrt.");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return QStringLiteral("Sie ist beim Schreiben beschädigt worden.");
    default: return QStringLiteral("Die Datenbank meldet den Fehler %1.").arg(e.code());
    }
}

[[noreturn]] void beschaedigt(const QString& warum)
{
    throw Fehler(QStringLiteral("Sie ist beschädigt: %1").arg(warum));
}

// UTF-16 units of a text, as Jet counts a Text column's width.
qsizetype einheiten(const QByteArray& utf8)
{
    qsizetype n = 0;
    for (const char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        if ((b & 0xC0) != 0x80)
            n += b >= 0xF0 ? 2 : 1;
    }
    return n;
}

class Lauf {
public:
    Lauf(const QString& quelle, const QString& ziel, const Fortschritt& fortschritt, const Abbruch& abbruch)
        : m_quelle(quelle), m_ziel(QFileInfo(ziel).absoluteFilePath()), m_fortschritt(fortschritt), m_abbruch(abbruch)
    {
    }

    Bericht ausfuehren()
    {
        resteEntfernen(m_ziel);
        const QFileInfo zielInfo(m_ziel);
        if (zielInfo.exists() || zielInfo.isSymLink())
            throw Fehler(QStringLiteral("Die Datei \"%1\" gibt es schon; sie wird nicht überschrieben.").arg(m_ziel));
        const QString ordner = zielInfo.absolutePath();
        if (::access(QFile::encodeName(ordner).constData(), W_OK) != 0)
            throw Fehler(QStringLiteral("Im Ordner \"%1\" kann nichts angelegt werden: %2")
                             .arg(ordner, sys::dateigrund(errno)));

        std::unique_ptr<jet::JetDatei> datei;
        try {
            datei = jet::JetDatei::oeffnen(m_quelle);
        } catch (const jet::JetFehler& e) {
            throw Fehler(e.text());
        }
        for (const QString& noetig : {Katalogtabelle, Versionstabelle}) {
            if (!datei->tabelle(noetig))
                throw Fehler(QStringLiteral("Sie ist kein Katalog: ihr fehlt die Tabelle \"%1\".").arg(noetig));
        }
        m_bericht.quelle = m_quelle;
        m_bericht.ziel = m_ziel;
        m_bericht.fassung = datei->version();
        m_bericht.schema = schemaversion(*datei);
        spaltenPruefen(*datei);
        for (const auto& t : datei->tabellen())
            m_gesamt += t.zeilen;

        m_temp = sys::restdatei(m_ziel, QStringLiteral("jetimport"));
        m_tempBericht = sys::restdatei(m_ziel, QStringLiteral("bericht"));
        try {
            schreiben(*datei);
            berichtSchreiben();
            einsetzen();
        } catch (...) {
            aufraeumen();
            throw;
        }
        return m_bericht;
    }

private:
    QString schemaversion(jet::JetDatei& datei)
    {
        const jet::Tabelle& t = *datei.tabelle(Versionstabelle);
        const int nr = spaltenIndex(t, QStringLiteral("nr"));
        if (nr < 0)
            throw Fehler(QStringLiteral("Sie ist kein Katalog: ihrer Tabelle \"Version\" fehlt die Spalte \"nr\"."));
        QString version;
        try {
            auto zeilen = datei.lesen(t.name);
            if (zeilen->naechste() && !zeilen->werte()[size_t(nr)].istNull())
                version = zeilen->werte()[size_t(nr)].text();
        } catch (const jet::JetFehler& e) {
            throw Fehler(e.text());
        }
        if (version.isNull())
            throw Fehler(QStringLiteral("Sie ist kein Katalog: ihre Tabelle \"Version\" nennt keine Schemaversion."));
        // Only a version that the program wrote tells which tables, columns and keys the file has.
        if (frame::schema::versionsIndex(version) < 0)
            throw Fehler(QStringLiteral("Sie ist kein Katalog einer bekannten Schemaversion: ihre Tabelle \"Version\" "
                                        "nennt \"%1\", die keine Fassung des Programms geschrieben hat.")
                             .arg(version));
        return version;
    }

    // The catalogue's tables hold the columns of their version, and each key
    // is a text: what the new catalogue's keys and the upgrade chain rest on.
    void spaltenPruefen(const jet::JetDatei& datei)
    {
        for (const QString& name : frame::schema::tabellen(m_bericht.schema)) {
            const jet::Tabelle* t = datei.tabelle(name);
            if (!t) {
                if (name == QLatin1String("Design") || name == QLatin1String("Ausleihe")
                    || name == QLatin1String("Unterordner"))
                    throw Fehler(QStringLiteral("Sie ist beschädigt: ihr fehlt die Tabelle \"%1\" der Schemaversion %2.")
                                     .arg(name, m_bericht.schema));
                continue;
            }
            QStringList fehlen;
            for (const auto& s : frame::schema::spalten(name, m_bericht.schema)) {
                const int i = spaltenIndex(*t, QString::fromUtf8(s.name));
                if (i < 0)
                    fehlen << QStringLiteral("\"%1\"").arg(QString::fromUtf8(s.name));
                else if (s.schluessel && t->spalten[size_t(i)].typ != jet::Typ::Text)
                    beschaedigt(QStringLiteral("die Spalte \"%1\" der Tabelle \"%2\" ist keine Textspalte, obwohl sie "
                                               "ihr Schlüssel ist.")
                                    .arg(t->spalten[size_t(i)].name, t->name));
            }
            if (!fehlen.isEmpty())
                beschaedigt(QStringLiteral("ihrer Tabelle \"%1\" fehlen Spalten der Schemaversion %2: %3.")
                                .arg(t->name, m_bericht.schema, fehlen.join(QStringLiteral(", "))));
        }
    }

    void schreiben(jet::JetDatei& datei)
    {
        std::unique_ptr<db::Database> ziel;
        try {
            ziel = db::Database::create(m_temp);
            // A file that is thrown away on any failure needs no journal.
            ziel->execute(QStringLiteral("PRAGMA journal_mode=OFF"));
            ziel->execute(QStringLiteral("PRAGMA synchronous=OFF"));
            ziel->execute(QStringLiteral("BEGIN"));
            // The catalogue's table first: the sub-entries and lendings follow its renamed titles.
            std::vector<const jet::Tabelle*> folge;
            for (const auto& t : datei.tabellen()) {
                if (t.name.compare(Katalogtabelle, Qt::CaseInsensitive) == 0)
                    folge.insert(folge.begin(), &t);
                else
                    folge.push_back(&t);
            }
            for (const jet::Tabelle* t : folge)
                tabelle(datei, *ziel, *t);
            m_tabelleJetzt.clear();
            ziel->execute(QStringLiteral("COMMIT"));
            ziel->execute(QStringLiteral("PRAGMA journal_mode=DELETE"));
            const db::Result pruefung = ziel->query(QStringLiteral("PRAGMA integrity_check"));
            const QString ergebnis = pruefung.empty() ? QString() : pruefung.value(0, 0).toString();
            if (ergebnis != QLatin1String("ok"))
                throw Fehler(QStringLiteral("Die neue Datei \"%1\" besteht die Prüfung ihres Aufbaus nicht.").arg(m_ziel));
        } catch (const db::DbError& e) {
            // What the new file refuses beyond the checks came from the Windows file.
            if (anDenDaten(e) && !m_tabelleJetzt.isEmpty())
                beschaedigt(QStringLiteral("ihre Tabelle \"%1\" passt in keinen Katalog.").arg(m_tabelleJetzt));
            throw Fehler(QStringLiteral("Die neue Datei \"%1\" kann nicht geschrieben werden: %2")
                             .arg(m_ziel, dbFehler(e)));
        } catch (const jet::JetFehler& e) {
            throw Fehler(e.text());
        }
        ziel.reset();
        if (!db::syncToDisk(m_temp))
            throw Fehler(QStringLiteral("Die neue Datei \"%1\" kann nicht geschrieben werden: %2")
                             .arg(m_ziel, sys::dateigrund(errno)));
    }

    void tabelle(jet::JetDatei& datei, db::Database& ziel, const jet::Tabelle& t)
    {
        const bool katalog = t.name.compare(Katalogtabelle, Qt::CaseInsensitive) == 0;
        const QString schluessel = schluesselspalte(katalog ? Katalogtabelle : t.name, m_bericht.schema);
        const int schluesselIndex = schluessel.isEmpty() ? -1 : spaltenIndex(t, schluessel);
        // The sub-entries and lendings name their title.
        const bool folgtTiteln = t.name.compare(QStringLiteral("Unterordner"), Qt::CaseInsensitive) == 0
                                 || t.name.compare(QStringLiteral("Ausleihe"), Qt::CaseInsensitive) == 0;
        const int titelIndex = folgtTiteln ? spaltenIndex(t, QStringLiteral("Titel")) : -1;

        m_tabelleJetzt = t.name;
        std::vector<Ziel> spalten;
        QStringList definitionen;
        QStringList namen;
        for (size_t i = 0; i < t.spalten.size(); ++i) {
            spalten.push_back(zielspalte(t.spalten[i], int(i) == schluesselIndex));
            definitionen << spalten.back().definition;
            namen << t.spalten[i].name;
        }
        ziel.execute(QStringLiteral("CREATE TABLE %1 (%2)")
                         .arg(db::quoteIdentifier(t.name), definitionen.join(QStringLiteral(", "))));
        db::KeyedInsert einfuegen(ziel, t.name, namen, schluesselIndex >= 0 ? t.spalten[size_t(schluesselIndex)].name
                                                                           : QString());
        einfuegen.reserve(qsizetype(t.zeilen));
        auto zeilen = datei.lesen(t.name);
        long long zeile = 0;
        while (zeilen->naechste()) {
            ++zeile;
            const auto& werte = zeilen->werte();
            zeilePruefen(t, spalten, werte, zeile, schluesselIndex);
            // The key as stored when it is free, which it is as a rule.
            bool schluesselFrei = false;
            QString schluesselText;
            for (size_t i = 0; i < spalten.size(); ++i) {
                const jet::Wert& w = werte[i];
                if (w.art == jet::Wert::Art::Text && int(i) == titelIndex && !m_neueTitel.isEmpty()) {
                    const auto neu = m_neueTitel.constFind(w.text());
                    einfuegen.bindText(int(i), neu != m_neueTitel.constEnd() ? neu->toUtf8() : w.utf8);
                } else if (w.art == jet::Wert::Art::Text && int(i) == schluesselIndex) {
                    schluesselFrei = !einfuegen.takenUtf8(w.utf8);
                    if (schluesselFrei) {
                        einfuegen.bindText(int(i), w.utf8);
                    } else {
                        schluesselText = freierSchluessel(einfuegen, w.text(), spalten[i], t.name, katalog);
                        einfuegen.bindText(int(i), schluesselText.toUtf8());
                    }
                } else {
                    binden(einfuegen, int(i), w, spalten[i], t.name, zeile, werte, schluesselIndex);
                }
            }
            if (schluesselFrei)
                einfuegen.insertBoundUtf8(werte[size_t(schluesselIndex)].utf8);
            else
                einfuegen.insertBound(schluesselText);
            ++m_erledigt;
            if (m_fortschritt)
                m_fortschritt(m_erledigt, m_gesamt);
            if ((m_erledigt & 63) == 0 && m_abbruch && m_abbruch())
                throw Fehler(QStringLiteral("Die Übernahme wurde abgebrochen."));
        }
        if (m_abbruch && m_abbruch())
            throw Fehler(QStringLiteral("Die Übernahme wurde abgebrochen."));
        m_bericht.tabellen.push_back({t.name, zeilen->gelesen()});
    }

    // What the engine never stores, so a file holding it is damaged: a key
    // that is Null, a text longer than its column. A text with bytes that are
    // no character is kept as the report says.
    void zeilePruefen(const jet::Tabelle& t, const std::vector<Ziel>& spalten, const std::vector<jet::Wert>& werte,
                      long long zeile, int schluesselIndex)
    {
        if (schluesselIndex >= 0 && werte[size_t(schluesselIndex)].istNull())
            beschaedigt(QStringLiteral("die Zeile %1 der Tabelle \"%2\" hat keinen Wert in \"%3\", ihrem Schlüssel.")
                            .arg(zeile)
                            .arg(t.name, spalten[size_t(schluesselIndex)].name));
        for (size_t i = 0; i < spalten.size(); ++i) {
            const jet::Wert& w = werte[i];
            if (w.art != jet::Wert::Art::Text)
                continue;
            const Ziel& s = spalten[i];
            if (s.jetTyp == jet::Typ::Text && s.zeichen > 0 && w.utf8.size() > s.zeichen
                && einheiten(w.utf8) > s.zeichen)
                beschaedigt(QStringLiteral("ein Wert der Spalte \"%1\" in der Zeile %2 der Tabelle \"%3\" ist länger als "
                                           "die %4 Zeichen der Spalte.")
                                .arg(s.name)
                                .arg(zeile)
                                .arg(t.name)
                                .arg(s.zeichen));
            if (w.maengel)
                m_bericht.zeichen.push_back(
                    {t.name, s.name, zeilenName(werte, zeile, schluesselIndex), jet::mangelText(w.maengel)});
        }
    }

    static QString zeilenName(const std::vector<jet::Wert>& werte, long long zeile, int schluesselIndex)
    {
        return schluesselIndex >= 0 && werte[size_t(schluesselIndex)].art == jet::Wert::Art::Text
                   ? QStringLiteral("\"%1\"").arg(werte[size_t(schluesselIndex)].text())
                   : QStringLiteral("Zeile %1").arg(zeile);
    }

    // A key that our German equality joins with one stored before: the first
    // free name "<key> [n]", told in the report.
    QString freierSchluessel(db::KeyedInsert& einfuegen, const QString& alt, const Ziel& s, const QString& tabelle,
                             bool katalog)
    {
        QString neu;
        for (int n = 2; neu.isEmpty() || einfuegen.taken(neu); ++n)
            neu = mitNummer(alt, n, s.zeichen);
        m_bericht.umbenannt.push_back({tabelle, s.name, alt, neu});
        if (katalog)
            m_neueTitel.insert(alt, neu);
        return neu;
    }

    void binden(db::KeyedInsert& einfuegen, int i, const jet::Wert& w, const Ziel& s, const QString& tabelle,
                long long zeile, const std::vector<jet::Wert>& zeilenwerte, int schluesselIndex)
    {
        using Art = jet::Wert::Art;
        switch (w.art) {
        case Art::Null: einfuegen.bindNull(i); return;
        case Art::Text:
            if (s.jetTyp == jet::Typ::Money || s.jetTyp == jet::Typ::Numeric)
                einfuegen.bindReal(i, w.utf8.toDouble());
            else
                einfuegen.bindText(i, w.utf8);
            return;
        case Art::Zahl: einfuegen.bindReal(i, w.zahl); return;
        case Art::Ganzzahl:
        case Art::Wahrheit: einfuegen.bindInteger(i, w.ganz); return;
        case Art::Bytes: einfuegen.bindBlob(i, w.utf8); return;
        case Art::DatumZeit: {
            const jet::DatumZeit d = jet::datumZeit(w.zahl);
            if (!d.datum.isValid())
                beschaedigt(QStringLiteral("ein Wert der Spalte \"%1\" in der Zeile %2 der Tabelle \"%3\" ist kein Datum "
                                           "der Jahre 100 bis 9999.")
                                .arg(s.name)
                                .arg(zeile)
                                .arg(tabelle));
            if (d.zeit != QTime(0, 0)) {
                const QString wo = zeilenName(zeilenwerte, zeile, schluesselIndex);
                m_bericht.uhrzeiten.push_back({tabelle, s.name, wo,
                                               d.datum.toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char(' ')
                                                   + d.zeit.toString(QStringLiteral("HH:mm:ss"))});
            }
            char iso[16];
            const int n = std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", d.datum.year(), d.datum.month(),
                                        d.datum.day());
            einfuegen.bindText(i, QByteArrayView(iso, n));
            return;
        }
        }
    }

    void berichtSchreiben()
    {
        QFile datei(m_tempBericht);
        const QByteArray text = m_bericht.text().toUtf8();
        if (!datei.open(QIODevice::WriteOnly | QIODevice::NewOnly) || datei.write(text) != text.size()
            || !datei.flush())
            throw Fehler(QStringLiteral("Der Bericht \"%1\" kann nicht geschrieben werden: %2")
                             .arg(berichtPfad(m_ziel), sys::dateigrund(datei)));
        datei.close();
        if (!db::syncToDisk(m_tempBericht))
            throw Fehler(QStringLiteral("Der Bericht \"%1\" kann nicht geschrieben werden: %2")
                             .arg(berichtPfad(m_ziel), sys::dateigrund(errno)));
    }

    void einsetzen()
    {
        int fehler = 0;
        if (!db::renameNoReplace(m_temp, m_ziel, &fehler)) {
            if (fehler == EEXIST)
                throw Fehler(QStringLiteral("Die Datei \"%1\" gibt es inzwischen; sie wird nicht überschrieben.")
                                 .arg(m_ziel));
            throw Fehler(QStringLiteral("Die neue Datei \"%1\" kann nicht an ihren Platz: %2")
                             .arg(m_ziel, sys::dateigrund(fehler)));
        }
        // The catalogue is in place: a report that cannot follow is no reason to take it back.
        db::renameReplacing(m_tempBericht, berichtPfad(m_ziel));
        db::syncToDisk(QFileInfo(m_ziel).absolutePath());
    }

    void aufraeumen()
    {
        for (const QString& p : {m_temp, m_temp + QStringLiteral("-journal"), m_tempBericht})
            QFile::remove(p);
    }

    QString m_quelle;
    QString m_ziel;
    const Fortschritt& m_fortschritt;
    const Abbruch& m_abbruch;
    Bericht m_bericht;
    QString m_temp;
    QString m_tempBericht;
    long long m_gesamt = 0;
    long long m_erledigt = 0;
    // The table being written, for a message about what the new file refused.
    QString m_tabelleJetzt;
    // The catalogue's renamed titles, by the old title exactly: a sub-entry or
    // lending of the title that kept its name ("Ärger" beside "ärger") stays with it.
    QHash<QString, QString> m_neueTitel;
};

}  // namespace

QString Bericht::text() const
{
    QString t;
    t += QStringLiteral("Übernahme des Windows-Katalogs \"%1\"\n").arg(quelle);
    t += QStringLiteral("in \"%1\" (Schemaversion %2, %3)\n\n").arg(ziel, schema, fassung);
    t += QStringLiteral("Zeilen je Tabelle:\n");
    for (const auto& tab : tabellen)
        t += QStringLiteral("  %1: %2\n").arg(tab.name).arg(tab.zeilen);
    t += QStringLiteral("\nUmbenannte Schlüssel (in der deutschen Schreibweise gleich einem früheren):\n");
    if (umbenannt.empty())
        t += QStringLiteral("  keine\n");
    for (const auto& u : umbenannt)
        t += QStringLiteral("  %1.%2: \"%3\" -> \"%4\"\n").arg(u.tabelle, u.spalte, u.alt, u.neu);
    t += QStringLiteral("\nUhrzeiten, von denen nur das Datum übernommen wurde:\n");
    if (uhrzeiten.empty())
        t += QStringLiteral("  keine\n");
    for (const auto& u : uhrzeiten)
        t += QStringLiteral("  %1.%2 bei %3: %4\n").arg(u.tabelle, u.spalte, u.zeile, u.wert);
    t += QStringLiteral("\nTexte mit Bytes, die kein Zeichen sind (an ihrer Stelle steht \u201E\uFFFD\u201C):\n");
    if (zeichen.empty())
        t += QStringLiteral("  keine\n");
    for (const auto& z : zeichen)
        t += QStringLiteral("  %1.%2 bei %3: %4\n").arg(z.tabelle, z.spalte, z.zeile, z.mangel);
    return t;
}

QString berichtPfad(const QString& ziel)
{
    return sys::importBericht(ziel);
}

void resteEntfernen(const QString& ziel)
{
    sys::resteEntfernen(ziel, sys::ImportRestarten);
}

Bericht umwandeln(const QString& quelle, const QString& ziel, const Fortschritt& fortschritt, const Abbruch& abbruch)
{
    Lauf lauf(quelle, ziel, fortschritt, abbruch);
    return lauf.ausfuehren();
}

}  // namespace jetimport
