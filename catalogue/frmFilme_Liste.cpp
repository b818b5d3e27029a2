// The title list and the sub-entry list with their row layouts, the lookups
// that show a list row's record, and the counts.
#include "catalogue/frmFilme.h"

#include "frame/FillCombo.h"
#include "frame/Sprache.h"
#include "platform/db/SqlFunctions.h"
#include "platform/vb/VbControls.h"
#include "platform/vb/VbRuntime.h"

#include <QStringList>

#include <algorithm>
#include <functional>
#include <utility>

namespace {

// The cells of a row: each has a fixed width so that the tab stops line the
// columns up. The title is never cut.
QString katZelle(const QString& s)
{
    return vb::fixedString(s.left(10), 18);
}

QString formatZelle(const QString& s)
{
    return vb::fixedString(s.left(10), 14);
}

QString mappeZelle(const QString& s)
{
    return vb::fixedString(s.left(10), 18);
}

// The columns a list row reads, found once per statement.
struct Spalten {
    int titel = -1, cat = -1, format = -1, qualität = -1, mappe = -1, sechste = -1;
};

Spalten spaltenSuchen(const QStringList& spalten, const char* titel, const char* sechste)
{
    auto spalte = [&](const QString& name) {
        for (int i = 0; i < spalten.size(); ++i) {
            if (spalten[i].compare(name, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    };
    Spalten s;
    s.titel = spalte(QString::fromUtf8(titel));
    s.cat = spalte(QStringLiteral("Cat"));
    s.format = spalte(QStringLiteral("Format"));
    s.qualität = spalte(QStringLiteral("Qualität"));
    s.mappe = spalte(QStringLiteral("Mappe"));
    s.sechste = spalte(QString::fromUtf8(sechste));
    return s;
}

// One row: title, Cat and Format in the order "Sortierung" names, Qualität,
// Mappe and the sixth cell. A Null cell is an empty cell.
void zeileBauen(const db::RowReader& z, const Spalten& s, bool katZuerst, vb::ListRows& zeilen)
{
    const QString kat = katZelle(zellenText(z, s.cat));
    const QString format = formatZelle(zellenText(z, s.format));
    zeilen.append({zellenText(z, s.titel), katZuerst ? kat : format, katZuerst ? format : kat,
                   vb::fixedString(zellenText(z, s.qualität), 4), mappeZelle(zellenText(z, s.mappe)),
                   vb::fixedString(zellenText(z, s.sechste), 15)});
}

// Runs the statement and builds one row per result row. False when it fails;
// the rows built before stay in `zeilen`.
bool zeilenLesen(db::Database* datenbank, const QString& sql, const QVariantList& werte, const char* titel,
                 const char* sechste, bool katZuerst, vb::ListRows& zeilen)
{
    if (!datenbank)
        return false;
    try {
        db::RowReader zeile(*datenbank, sql, werte);
        const Spalten spalten = spaltenSuchen(zeile.columns(), titel, sechste);
        while (zeile.next())
            zeileBauen(zeile, spalten, katZuerst, zeilen);
    } catch (const db::DbError&) {
        return false;
    }
    return true;
}

// The text of a list row before its first Tab: the title.
QStringView titelTeil(const QString& zeile)
{
    const qsizetype tab = zeile.indexOf(QLatin1Char('\t'));
    return tab < 0 ? QStringView(zeile) : QStringView(zeile).left(tab);
}

// The title in a list row's text: the row's own first cell when the text is
// that of the list's current row, as a stored title may hold a tab; else the
// text before its first tab.
QString zeilenTitel(const vb::ListBox* liste, const QString& text)
{
    const int zeile = liste->currentRow();
    if (zeile >= 0 && liste->text(zeile) == text)
        return liste->firstCell(zeile).toString();
    return titelTeil(text).toString();
}

// Runs one step of a lookup; a failing step has no effect and the next one runs.
void schrittLaufen(const std::function<void()>& tun)
{
    try {
        tun();
    } catch (const db::DbError&) {
    }
}

}  // namespace

// Every selection sets its statement and its bound values together.
void frmFilme::przListeSetzen(const QString& sql, const QVariantList& werte)
{
    ListenSQL = sql;
    ListenWerte = werte;
    GanzeListeFlag = false;
}

QString frmFilme::filmeOrdnung(const QString& feld) const
{
    QStringList spalten;
    if (datenbank) {
        try {
            spalten = datenbank->columnNames(QStringLiteral("Filme"));
        } catch (const db::DbError&) {
        }
    }
    const QString kollation = db::kollation();
    QStringList terme;
    for (const QString& teil : feld.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList wörter = teil.simplified().split(QLatin1Char(' '));
        const QString& spalte = wörter.value(0);
        const bool absteigend = wörter.size() == 2 && wörter[1].compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
        const bool aufsteigend = wörter.size() == 1;
        const auto gefunden = std::find_if(spalten.begin(), spalten.end(), [&](const QString& s) {
            return s.compare(spalte, Qt::CaseInsensitive) == 0;
        });
        // Only a column that Filme has: anything else would fail the whole statement.
        if ((absteigend || aufsteigend) && gefunden != spalten.end())
            terme << *gefunden + kollation + (absteigend ? QStringLiteral(" DESC") : QString());
    }
    terme << QStringLiteral("Titel") + kollation;
    return terme.join(QStringLiteral(", "));
}

void frmFilme::przListeFüllen()
{
    c.lfListe->setTabStops(std::vector<int>(tabStops.begin(), tabStops.end()));
    if (datenbank) {
        c.lfListe->setEnabled(true);
        przLabel();
    }
    const bool kf = ini.sortierung == QLatin1String("KF");
    const bool fk = ini.sortierung == QLatin1String("FK");
    const bool wer = ini.sechstesFeld == QLatin1String("W");
    const bool anzahl = ini.sechstesFeld == QLatin1String("A");
    if ((kf || fk) && (wer || anzahl)) {
        vb::ListRows zeilen;
        zeilenLesen(datenbank.get(), ListenSQL, ListenWerte, "Titel", wer ? "Wer" : "Anzahl", kf, zeilen);
        c.lfListe->addItems(std::move(zeilen));
    }
    // An empty or failed selection shows "0", never the count of the list before.
    c.lbAnzahlSel->setText(QString::number(c.lfListe->count()));
}

void frmFilme::przListe2Füllen()
{
    c.lfListe2->setTabStops(std::vector<int>(tabStops.begin(), tabStops.end()));
    c.lfListe2->setVisible(true);
    c.lfListe2->setEnabled(true);
    przLabel();
    const bool kf = ini.sortierung == QLatin1String("KF");
    if (!kf && ini.sortierung != QLatin1String("FK"))
        return;
    vb::ListRows zeilen;
    const bool gelesen = zeilenLesen(datenbank.get(), ListenSQL, ListenWerte, "Titel2", "Wer", kf, zeilen);
    const bool leer = zeilen.size() == 0;
    c.lfListe2->addItems(std::move(zeilen));
    if (gelesen && !leer)
        return;
    // Nothing to list: offer a new sub-entry (only with a language file).
    if (ini.sprache.isEmpty())
        return;
    const QString frage = frame::meldung(m_services, ini.sprache, QStringLiteral("Fehler4"));
    const QString titel = frame::meldung(m_services, ini.sprache, QStringLiteral("Fehler1"));
    if (m_services.messages->msgBox(frage + QStringLiteral(" Unterordner anlegen?"), sys::mb::OkCancel, titel)
        == sys::mb::Ok)
        przNeuUnterordner();
}

// Seeks SuchTitel on the index ("<=": the row of a stored title, else the one
// below it), clears the fields and seeks once more when nothing was found.
void frmFilme::nachschlagen(db::TableCursor* cursor, const QString& index)
{
    auto suchen = [&] {
        if (!cursor)
            return;
        cursor->setIndex(index);
        cursor->seek(QStringLiteral("<="), SuchTitel);
    };
    schrittLaufen(suchen);
    przLöschen1();
    schrittLaufen([&] {
        if (cursor && cursor->noMatch()) {
            schrittLaufen([&] { cursor->moveLast(); });
            suchen();
        }
    });
}

void frmFilme::przAnzeige3()
{
    przUnsichtbar();
    const QString schlüssel = c.tfTitel2->text().isEmpty() ? c.tfTitel->text() : c.tfTitel2->text();
    SuchTitel = vb::fixedString(schlüssel.contains(QLatin1Char('\t')) ? zeilenTitel(c.lfListe, schlüssel) : schlüssel,
                                100);
    nachschlagen(rsFilme.get(), QStringLiteral("PrimaryKey"));
    przDatensatzAnzeigen();
    przTitelMarkieren();
}

void frmFilme::przAnzeige4()
{
    SuchTitel = vb::fixedString(zeilenTitel(c.lfListe2, c.tfTitel->text()), 100);
    nachschlagen(rsUnterordner.get(), QStringLiteral("Titel2"));
    przUnterordnerAnzeigen();
}

// Shows the first title not less than the typed text: a beginning finds the
// first title that starts with it, the whole title finds that title.
void frmFilme::przDatensatzSuchen()
{
    przUnsichtbar();
    const QString getippt = c.tfTitel2->text().isEmpty() ? c.tfTitel->text() : c.tfTitel2->text();
    SuchTitel = vb::fixedString(getippt, 100);
    bool gefunden = false;
    if (rsFilme) {
        schrittLaufen([&] {
            rsFilme->setIndex(QStringLiteral("PrimaryKey"));
            rsFilme->seek(QStringLiteral(">="), getippt);
            gefunden = !rsFilme->noMatch();
        });
    }
    przLöschen1();
    if (!gefunden) {
        m_services.messages->msgBox(QStringLiteral("Datensatz wurde nicht gefunden!"), sys::mb::OkOnly,
                                    QStringLiteral("Kein Datensatz"));
        if (rsFilme)
            schrittLaufen([this] { rsFilme->moveFirst(); });
    } else {
        przDatensatzAnzeigen();
    }
    przTitelMarkieren();
}

// Selects the row whose title equals the title on display, compared
// literally; a selection that changes runs the list's click.
void frmFilme::przTitelMarkieren()
{
    const int k = titelZeile();
    if (k >= 0 && k != c.lfListe->currentRow())
        c.lfListe->setCurrentRow(k);
}

int frmFilme::titelZeile() const
{
    const vb::ListBox* liste = c.lfListe;
    if (liste->count() == 0)
        return -1;
    const QString schlüssel = c.tfTitel->text().isEmpty() ? c.tfTitel2->text() : c.tfTitel->text();
    if (schlüssel.isEmpty())
        return 0;
    for (int i = 0; i < liste->count(); ++i) {
        if (liste->firstCell(i) == schlüssel)
            return i;
    }
    return -1;
}

// The Filme recordset starts afresh in title order, on the first title.
void frmFilme::przAnzahlGesamt()
{
    rsFilme.reset();
    if (!datenbank)
        throw db::DbError(db::ErrNoDatabase, QStringLiteral("Keine Datenbank geöffnet."));
    rsFilme = datenbank->table(QStringLiteral("Filme"));
    rsFilme->setIndex(QStringLiteral("PrimaryKey"));
    AnzahlGesamt = long(rsFilme->recordCount());
    c.lbAnzahlF->setText(QString::number(AnzahlGesamt));
}

void frmFilme::przAnzahlSel()
{
    c.lbAnzahlSel->setText(QString::number(AnzahlSel));
}
