// Sub-entries: listing those of a title, creating and editing one at a time.
#include "catalogue/frmFilme.h"

#include "catalogue/Leerwert.h"
#include "catalogue/Satzzeiger.h"
#include "platform/db/SqlFunctions.h"

#include <sqlite3.h>

using db::kollation;
using katalog::oder;

void frmFilme::cmdUnterordner_Click()
{
    przUnterordnerListe();
}

void frmFilme::przUnterordnerListe()
{
    c.lfListe2->clear();
    const QString titel = c.tfTitel->text();
    UnterordnerTitel = titel;
    try {
        if (!datenbank)
            throw db::DbError(db::ErrNoDatabase, QStringLiteral("Keine Datenbank geöffnet."));
        // The shared sort column only where the sub-entries have it: "Datum"
        // would fail the list, and the default stays local to this list.
        QString ordnung = QStringLiteral("Titel2") + kollation();
        const QStringList spalten = datenbank->columnNames(QStringLiteral("Unterordner"));
        for (const QString& s : spalten) {
            if (!SortFeld.isEmpty() && s.compare(SortFeld, Qt::CaseInsensitive) == 0
                && s.compare(QLatin1String("Titel2"), Qt::CaseInsensitive) != 0)
                ordnung = s + kollation() + QStringLiteral(", ") + ordnung;
        }
        // The sub-entry list does not end the whole list in force.
        const bool ganzeListe = GanzeListeFlag;
        przListeSetzen(QStringLiteral("Select * from Unterordner where Titel = ?") + kollation()
                           + QStringLiteral(" order by ") + ordnung,
                       {titel});
        GanzeListeFlag = ganzeListe;
        przListe2Füllen();
        c.cmdUnterordner->setVisible(false);
        c.cmdUnterordnerzurück->setVisible(true);
        przUnterordnerModusEin();
        // The count takes the list's own condition.
        AnzahlSel = db::dscount(*datenbank,
                                QStringLiteral("SELECT COUNT(*) AS Zähler FROM Unterordner where Titel = ?") + kollation(),
                                {titel});
        przAnzahlSel();
        UnterordnerListeFlag = QStringLiteral("1");
    } catch (const db::DbError&) {
        if (m_services.messages->msgBox(QStringLiteral("Noch kein Unterordner erfasst. Erfassen?"), sys::mb::OkCancel,
                                        QStringLiteral("Unterordner für Filmtitel erfassen"))
            == sys::mb::Ok)
            przNeuUnterordner();
    }
}

void frmFilme::cmdUnterordnerzurück_Click()
{
    c.tfTitel2->setText(UnterordnerTitel);
    przUnterordnerModusAus();
    przAnzeige3();
    c.lbAnzahlSel->setText(QStringLiteral("0"));
}

void frmFilme::cmdNeu2_Click()
{
    przNeuUnterordner();
}

void frmFilme::przNeuUnterordner()
{
    c.cmdUnterordnerzurück->setVisible(true);
    if (UnterordnerTitel.isEmpty())
        UnterordnerTitel = c.tfTitel->text();
    for (QWidget* w : {c.cmbFormat1, c.cmbQualität1, c.cmbDten1, c.cmbCat1})
        w->setVisible(true);
    c.tfTitel->setFocus();
    c.tfSize->setVisible(true);
    przUnterordnerModusEin();
    przLöschenUnterordner();
    feldbreitenSetzen(true);
    c.cmdSpeichern2->setEnabled(true);
    m_neuanlage = Neuanlage::Unterordner;
    m_geladen = panelStand();
}

void frmFilme::cmdSpeichern2_Click()
{
    przSpeichernUnterordner();
}

bool frmFilme::przSpeichernUnterordner()
{
    if (UnterordnerTitel.isEmpty()) {
        m_services.messages->msgBox(QStringLiteral("Kein Titel eingegeben!"), sys::mb::OkOnly, QString());
        return false;
    }
    const QString name = titelOhneRänder(c.tfTitel->text());
    if (name.isEmpty()) {
        m_services.messages->msgBox(QStringLiteral("Kein Titel eingegeben!"), sys::mb::OkOnly, QString());
        return false;
    }
    if (name != c.tfTitel->text())
        c.tfTitel->setText(name);
    try {
        if (!datenbank || !rsUnterordner)
            throw db::DbError(db::ErrNoDatabase, QStringLiteral("Keine Datenbank geöffnet."));
        db::Database::Transaction transaktion(*datenbank);
        rsUnterordner->addNew();
        rsUnterordner->setField(QStringLiteral("Titel"), UnterordnerTitel);
        rsUnterordner->setField(QStringLiteral("Titel2"), name);
        rsUnterordner->setField(QStringLiteral("Format"), oder(c.tfFormat->text(), "-"));
        rsUnterordner->setField(QStringLiteral("Qualität"), oder(c.tfQualität->text(), "-"));
        rsUnterordner->setField(QStringLiteral("Mappe"), oder(c.tfMappe->text(), "-"));
        rsUnterordner->setField(QStringLiteral("Wer"), oder(c.tfWer->text(), "-"));
        rsUnterordner->setField(QStringLiteral("Cat"), oder(c.tfCat->text(), "-"));
        rsUnterordner->setField(QStringLiteral("Dten"), oder(c.tfdten->text(), "-"));
        rsUnterordner->setField(QStringLiteral("Info"), oder(c.tfInfo->toPlainText(), "-"));
        rsUnterordner->setField(QStringLiteral("Size"), oder(c.tfSize->text(), "0"));
        rsUnterordner->setField(QStringLiteral("Cover"), c.tfCover->text());
        rsUnterordner->update();
        rsUnterordner->setBookmark(rsUnterordner->lastModified());
        // The parent by its name: the recordset's row may be another title by now.
        const db::ExecResult eltern = datenbank->tryExecute(
            QStringLiteral("UPDATE Filme SET Unterordner = '1' WHERE Titel = ?") + kollation(), {UnterordnerTitel});
        if (!eltern.ok || eltern.changes == 0)
            throw db::DbError(eltern.ok ? db::ErrNoCurrentRecord : eltern.code,
                              QStringLiteral("Kein Titel '%1' für den Unterordner.").arg(UnterordnerTitel));
        transaktion.commit();
    } catch (const db::DbError&) {
        katalog::pufferVerwerfen(rsUnterordner.get());
        speichernFehler(name, QStringLiteral("Speichern"), titelGrund(name, true, 0));
        return false;
    }
    m_services.messages->msgBox(QStringLiteral("'") + name + QStringLiteral("' wurde gespeichert!"), sys::mb::OkOnly,
                                QStringLiteral("Speichern"));
    c.tfTitel2->setText(UnterordnerTitel);
    UnterordnerTitel.clear();
    przAktualisieren();
    przlesen();
    return true;
}

void frmFilme::cmdEditieren2_Click()
{
    przEditierenUnterordner();
}

bool frmFilme::przEditierenUnterordner()
{
    // After a re-listing the recordset's row is the first of the table: only
    // the sub-entry on display is changed.
    if (!unterordnerAufAnzeige())
        return false;
    QString eltern;
    QString name;
    try {
        name = titelOhneRänder(c.tfTitel->text(), rsUnterordner->field(QStringLiteral("Titel2")).toString());
        if (name.isEmpty()) {
            m_services.messages->msgBox(QStringLiteral("Kein Titel eingegeben!"), sys::mb::OkOnly, QString());
            return false;
        }
        if (name != c.tfTitel->text())
            c.tfTitel->setText(name);
        rsUnterordner->edit();
        rsUnterordner->setField(QStringLiteral("Titel2"), name);
        eltern = rsUnterordner->field(QStringLiteral("Titel")).toString();
        rsUnterordner->setField(QStringLiteral("Format"), oder(c.tfFormat->text(), "-"));
        rsUnterordner->setField(QStringLiteral("Qualität"), oder(c.tfQualität->text(), "-"));
        rsUnterordner->setField(QStringLiteral("Cat"), oder(c.tfCat->text(), "-"));
        rsUnterordner->setField(QStringLiteral("Dten"), oder(c.tfdten->text(), "-"));
        rsUnterordner->setField(QStringLiteral("Info"), oder(c.tfInfo->toPlainText(), "-"));
        rsUnterordner->setField(QStringLiteral("Size"), oder(c.tfSize->text(), "0"));
        rsUnterordner->update();
        rsUnterordner->setBookmark(rsUnterordner->lastModified());
    } catch (const db::DbError&) {
        katalog::pufferVerwerfen(rsUnterordner.get());
        speichernFehler(eltern, QStringLiteral("Fehler"),
                        name.isEmpty() ? QString() : titelGrund(name, true, m_angezeigterUnterordner));
        return false;
    }
    m_services.messages->msgBox(eltern + QStringLiteral(" wurde editiert!"), sys::mb::OkOnly,
                                QStringLiteral("Editieren"));
    c.tfTitel2->setText(UnterordnerTitel);
    unterordnerNeuLesen();
    UnterordnerTitel.clear();
    return true;
}

// The refresh leaves sub-entry mode; the parent's sub-entries are listed again.
void frmFilme::unterordnerNeuLesen()
{
    const QString eltern = UnterordnerTitel;
    przAktualisieren();
    UnterordnerTitel = eltern;
    przlesen();
}
