// Lending in the main window: lending the shown title, its return, its
// history, the overdue lendings at start and from the menu, and the windows
// of the folder lending and the lending statistics. The log rows follow the
// rules of lending/Ausleihbuch; a lending or a return is stored whole or not at all.
#include "catalogue/frmFilme.h"

#include "catalogue/Leerwert.h"
#include "catalogue/Satzzeiger.h"
#include "frame/Sprache.h"
#include "lending/Ausleihbuch.h"
#include "lending/frmMappe.h"
#include "lending/frmStatistikAusleihe.h"
#include "platform/db/SqlFunctions.h"
#include "platform/vb/VbControls.h"
#include "platform/vb/VbRuntime.h"

#include <sqlite3.h>

#include <cmath>

void frmFilme::ausleiheVerbinden()
{
    const std::pair<QPushButton*, void (frmFilme::*)()> knöpfe[] = {
        {c.cmdAusleihen, &frmFilme::cmdAusleihen_Click},
        {c.cmdspeichern, &frmFilme::cmdspeichern_Click},
        {c.back, &frmFilme::back_Click},
        {c.cmdAusgeliehen, &frmFilme::cmdAusgeliehen_Click},
        {c.cmdMappe, &frmFilme::cmdMappe_Click},
    };
    for (const auto& [knopf, klick] : knöpfe)
        connect(knopf, &QPushButton::clicked, this, klick);
    connect(c.mnuÜberfälligeAusleihen, &QAction::triggered, this, &frmFilme::mnuÜberfälligeAusleihen_Click);
    connect(c.mnuAusleiheStatistik, &QAction::triggered, this, &frmFilme::mnuAusleiheStatistik_Click);
}

void frmFilme::cmdAusleihen_Click()
{
    // The refusals speak only when a language file is named.
    const bool melden = !ini.sprache.isEmpty();
    if (c.tfTitel->text().isEmpty()) {
        if (melden)
            m_services.messages->msgBox(frame::fehler(m_services, ini.sprache, 1), sys::mb::Exclamation,
                                        frame::fehlerText(m_services, ini.sprache, 6));
        return;
    }
    if (!c.tfWer->text().isEmpty()) {
        if (melden)
            m_services.messages->msgBox(frame::fehlerText(m_services, ini.sprache, 8), sys::mb::Exclamation,
                                        frame::fehlerText(m_services, ini.sprache, 7));
        return;
    }
    c.cmdAusleihen->setVisible(false);
    c.cmdMappe->setVisible(false);
    for (QWidget* w : {static_cast<QWidget*>(c.tfWer), static_cast<QWidget*>(c.tfDatumAusleihe),
                       static_cast<QWidget*>(c.cmdspeichern), static_cast<QWidget*>(c.cmbWer1)})
        w->setVisible(true);
}

void frmFilme::cmdspeichern_Click()
{
    ausleiheSpeichern();
}

bool frmFilme::ausleiheSpeichern()
{
    // "-" marks a free title: lending to it would log a lending to nobody.
    if (ausleihe::keinLeiher(c.tfWer->text())) {
        m_services.messages->msgBox(QStringLiteral("Ohne Leiher kein Verleih! - Erst einen Verleiher eintragen bitte."),
                                    sys::mb::OkOnly, QStringLiteral("Ausleihe speichern"));
        return false;
    }
    c.tfTitel2->setText(c.tfTitel->text());
    if (!przEditieren([this] { przAusleiheEintragen(); }, QStringLiteral("Ausleihe speichern")))
        return false;
    przlesen();
    c.cmdMappe->setVisible(true);
    c.back->setVisible(true);
    c.cmdspeichern->setVisible(false);
    return true;
}

void frmFilme::przAusleiheEintragen()
{
    ausleihe::ausleiheEintragen(*datenbank, rsFilme->bookmark());
}

void frmFilme::przRückgabeEintragen(const QString& titel, const QString& wer)
{
    ausleihe::rückgabeEintragen(*datenbank, titel, wer, vb::dateText(m_services.clock->today()));
}

void frmFilme::przUnterordnerZurück(const QString& titel, const QString& wer)
{
    ausleihe::unterordnerZurück(*datenbank, titel, wer);
}

void frmFilme::back_Click()
{
    // Only the record on display is taken back: after a refresh the
    // recordset stands on some other title.
    if (!datenbank || !filmAufAnzeige())
        return;
    const QString titel = c.tfTitel->text();
    const QString wer = c.tfWer->text();
    bool infoBehalten = false;
    try {
        const QString gespeicherterTitel = rsFilme->field(QStringLiteral("Titel")).toString();
        const bool mitUnterordnern = rsFilme->field(QStringLiteral("Unterordner")).toString() == QLatin1String("1");
        const QString gespeicherteInfo = rsFilme->field(QStringLiteral("Info")).toString();
        const std::optional<double> anzahl = vb::cdbl(c.tfAnzahl->text());
        if (!anzahl)
            throw db::DbError(SQLITE_MISMATCH, QStringLiteral("Die Anzahl ist keine Zahl: %1").arg(c.tfAnzahl->text()));

        db::Database::Transaction transaktion(*datenbank);
        rsFilme->edit();
        rsFilme->setField(QStringLiteral("Titel"), titel);
        rsFilme->setField(QStringLiteral("Format"), c.tfFormat->text());
        rsFilme->setField(QStringLiteral("Qualität"), c.tfQualität->text());
        rsFilme->setField(QStringLiteral("Mappe"), c.tfMappe->text());
        rsFilme->setField(QStringLiteral("Anzahl"), *anzahl);
        rsFilme->setField(QStringLiteral("AusDatum"), QStringLiteral("-"));
        rsFilme->setField(QStringLiteral("Wer"), QStringLiteral("-"));
        rsFilme->setField(QStringLiteral("Cat"), c.tfCat->text());
        rsFilme->setField(QStringLiteral("Size"), c.tfSize->text());
        const QString info = c.tfInfo->toPlainText();
        if (!info.isEmpty())
            rsFilme->setField(QStringLiteral("Info"), info);
        else if (gespeicherteInfo.isEmpty() || gespeicherteInfo == QLatin1String("-"))
            infoBehalten = true;
        else
            rsFilme->setField(QStringLiteral("Info"), QString());
        rsFilme->setField(QStringLiteral("Dten"), katalog::oder(c.tfdten->text(), "-"));
        rsFilme->update();
        rsFilme->setBookmark(rsFilme->lastModified());
        przRückgabeEintragen(gespeicherterTitel, wer);
        przUnterordnerZurück(gespeicherterTitel, wer);
        if (mitUnterordnern) {
            // The sub-entries follow their title's name and folder, as an edit carries them.
            datenbank->execute(QStringLiteral("UPDATE Unterordner SET Titel = ?, Mappe = ? WHERE Titel = ?")
                                   + db::kollation(),
                               {titel, katalog::oder(c.tfMappe->text(), "-"), gespeicherterTitel});
        }
        transaktion.commit();
    } catch (const db::DbError&) {
        katalog::pufferVerwerfen(rsFilme.get());
        speichernFehler(titel, QStringLiteral("Fehler"));
        return;
    }
    if (infoBehalten)
        c.tfInfo->setPlainText(QStringLiteral("-"));
    przUnsichtbar();
    przlesen();
    m_services.messages->msgBox(QStringLiteral("Datensatz wurde gespeichert!"), sys::mb::OkOnly,
                                QStringLiteral("Editieren"));
}

void frmFilme::cmdAusgeliehen_Click()
{
    if (c.tfTitel->text().isEmpty()) {
        if (!ini.sprache.isEmpty())
            m_services.messages->msgBox(frame::fehler(m_services, ini.sprache, 1), sys::mb::Exclamation,
                                        frame::fehlerText(m_services, ini.sprache, 7));
        return;
    }
    const QString wort = feldwoerter.mappe();
    const QString titel = c.tfTitel->text();
    c.lfListe->clear();
    if (SortFeld.isEmpty() || SortFeld == QLatin1String("Wer"))
        SortFeld = QStringLiteral("Titel");
    przListeSetzen(ausleihe::historieSql(), {titel});
    try {
        if (!datenbank)
            throw db::DbError(db::ErrNoDatabase, QStringLiteral("Keine Datenbank geöffnet."));
        AnzahlSel = ausleihe::historieZählen(*datenbank, titel);
        przAnzahlSel();
    } catch (const db::DbError&) {
        m_services.messages->msgBox(QStringLiteral("Die ") + wort + QStringLiteral(" gibt es noch nicht."),
                                    sys::mb::Critical, QStringLiteral("Keine ") + wort);
    }
    przAusleiheListeFüllen();
    przUnsichtbar();
    c.lfListe->setEnabled(false);
    c.cmdAusgeliehen->setEnabled(false);
}

void frmFilme::mnuÜberfälligeAusleihen_Click()
{
    przÜberfälligeAusleihen();
    const auto zahl = vb::cdbl(ini.erinnerungsintervall);
    if (!zahl || !vb::clng(*zahl))
        m_services.messages->msgBox(QStringLiteral("Das Erinnerungsintervall \"") + ini.erinnerungsintervall
                                        + QStringLiteral("\" ist keine Zahl."),
                                    sys::mb::Exclamation, QStringLiteral("überfällige Ausleihen"));
}

void frmFilme::cmdMappe_Click()
{
    frmMappe::zeigen(m_services, *this);
}

void frmFilme::mnuAusleiheStatistik_Click()
{
    // A window that ended itself while loading has said why.
    frmStatistikAusleihe::zeigen(m_services, *this);
}

void frmFilme::przÜberfälligeAusleihen()
{
    c.lfListe->setEnabled(true);
    c.lfListe->clear();
    const auto zahl = vb::cdbl(ini.erinnerungsintervall);
    const auto tage = zahl ? vb::clng(*zahl) : std::nullopt;
    if (!tage)
        return;  // no interval, no list: the start goes on without a reminder
    const QDate stichtag = m_services.clock->today().addDays(-qint64(*tage));
    // The lending date is day.month.year text: compared as a date, not as text.
    przListeSetzen(QStringLiteral("Select * from Ausleihe where EinDT IS Null And dedate(AusDT) < ? order by Wer%1, Titel%1;")
                       .arg(db::kollation()),
                   {stichtag.toString(QStringLiteral("yyyy-MM-dd"))});
    przAusleiheListeFüllen();
}

void frmFilme::przAusleiheListeFüllen()
{
    c.lfListe->setTabStops(std::vector<int>(tabStops.begin(), tabStops.end()));
    if (datenbank) {
        try {
            const db::Result r = datenbank->query(ListenSQL, ListenWerte);
            vb::ListRows zeilen;
            for (int i = 0; i < r.size(); ++i) {
                // A name as long as the title list's borrower cell holds stays whole.
                const QString wer = vb::fixedString(r.value(i, QStringLiteral("Wer")).toString(), 15);
                zeilen.append({r.value(i, QStringLiteral("Titel")).toString(), wer,
                               r.value(i, QStringLiteral("AusDT")).toString(),
                               r.value(i, QStringLiteral("EinDT")).toString()});
            }
            c.lfListe->addItems(std::move(zeilen));
        } catch (const db::DbError&) {
        }
    }
    if (ini.sprache.isEmpty())
        return;
    const frame::Sprachdatei sprache(m_services, ini.sprache);
    c.lbCat(1)->setText(sprache.text(frame::HauptfensterSektion, QStringLiteral("Label6")));
    c.lbFormat(1)->setText(sprache.text(frame::HauptfensterSektion, QStringLiteral("Label13")));
    c.lbQualität(1)->setText(sprache.text(frame::HauptfensterSektion, QStringLiteral("Label14")));
    c.lbMappe(1)->setVisible(false);
    c.lbWer(1)->setVisible(false);
    m_ausleihköpfe = true;
    beschriftungenEinpassen();
}
