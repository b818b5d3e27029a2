// The film lookup: the title searched on the web, the page offered as the
// record's info text, its genre cut out, its pictures offered as covers.
#include "catalogue/frmFilme.h"

#include "frame/CdIni.h"
#include "platform/db/DbError.h"
#include "platform/db/SqlFunctions.h"
#include "platform/vb/Formular.h"
#include "platform/vb/VbControls.h"
#include "platform/vb/VbRuntime.h"
#include "scan/Coverpfad.h"
#include "scan/Filminfo.h"
#include "scan/modHTML2Text.h"

#include <QScopeGuard>

namespace {

// Candidates go straight into the main window's choice.
class Kandidatenliste : public scan::Coverkandidaten {
public:
    explicit Kandidatenliste(FilmeControls& c) : m_c(c) {}
    void kandidat(const QString& quelle) override
    {
        m_c.lfCover->addItem(quelle);
        m_c.tfImgText->setText(quelle);
        m_c.tfCoverübergeben->setText(QStringLiteral("1"));
    }

private:
    FilmeControls& m_c;
};

// Candidates held back until the user takes the page.
class Gesammelt : public scan::Coverkandidaten {
public:
    void kandidat(const QString& quelle) override { quellen.append(quelle); }
    QStringList quellen;
};

constexpr int TitelBreiteAuswahl = 9755;
constexpr int TitelBreite = 2415;

}  // namespace

void frmFilme::cmdFilminfo_Click()
{
    if (m_suchtImWeb)
        return;
    c.WebBrowser1->setOffline(false);
    przFilminfo();
    c.WebBrowser1->hide();
    c.WebBrowser1->setOffline(true);
}

void frmFilme::cmdFilminfogoogle_Click()
{
    if (m_suchtImWeb)
        return;
    c.WebBrowser1->setOffline(false);
    przFilminfo();
}

void frmFilme::przFilminfo()
{
    if (m_suchtImWeb)
        return;
    const QString titel = c.tfTitel->text();
    if (!UnterordnerTitel.isEmpty() && datenbank) {
        bool gespeichert = true;
        try {
            gespeichert = !datenbank
                               ->query(QStringLiteral("SELECT rowid FROM Unterordner WHERE Titel2 = ?%1 LIMIT 1")
                                           .arg(db::kollation()),
                                       {titel})
                               .empty();
        } catch (const db::DbError&) {
            // A row that cannot be read skips the check.
        }
        if (!gespeichert) {
            m_services.messages->msgBox(QStringLiteral("Bitte erst speichern!"));
            return;
        }
    }
    if (titel.isEmpty()) {
        m_services.messages->msgBox(QStringLiteral("Bitte erst einen Titel wählen!"));
        return;
    }
    m_suchtImWeb = true;
    const auto ende = qScopeGuard([this] {
        c.WebBrowser1->hide();
        c.WebBrowser1->setOffline(true);
        vb::setMousePointer(0);
        m_suchtImWeb = false;
    });
    c.Label1->hide();
    const ini::IniFile cdIni = frame::cdIni(m_services);
    const QUrl anfrage = scan::suchanfrage(sys::searchAddress(cdIni), scan::suchwort(titel), ini.film);

    vb::setMousePointer(11);
    c.WebBrowser1->show();
    c.Label1->setText(QStringLiteral("Seite wird geladen...."));
    c.Label1->show();
    c.Label1->raise();
    c.WebBrowser1->Navigate(anfrage);
    c.Label1->hide();
    m_seitentext = c.WebBrowser1->bodyHtml();
    const bool geladen = c.WebBrowser1->loaded();
    Gesammelt gesammelt;
    const QString text = geladen ? scan::HTMLzuText(m_seitentext, QStringLiteral(" "), &gesammelt) : QString();
    vb::setMousePointer(0);

    // A lookup that found nothing leaves every field as it was and says why.
    if (const auto fehlschlag = scan::fehlschlag(geladen, c.WebBrowser1->status(), text)) {
        m_services.messages->msgBox(
            scan::fehlschlagMeldung(*fehlschlag, c.WebBrowser1->status(), c.WebBrowser1->error()),
            sys::mb::OkOnly | sys::mb::Exclamation, QStringLiteral("Keine Filminfo"));
        return;
    }
    if (m_services.messages->msgBox(QStringLiteral("Wollen Sie diese Info laden?"), sys::mb::OkCancel) != sys::mb::Ok)
        return;
    c.tfInfo->show();
    Kandidatenliste kandidaten(c);
    for (const QString& quelle : gesammelt.quellen)
        kandidaten.kandidat(quelle);
    c.tfInfo->setPlainText(scan::infotext(text));
    if (const auto g = scan::genre(text))
        c.tfCat->setText(*g);
    if (c.tfCoverübergeben->text() == u"1")
        przCoverAuswahlZeigen();
    else
        m_services.messages->msgBox(QStringLiteral("Tut mir leid - kein Image/Bild auf der Webseite gefunden"),
                                    sys::mb::OkOnly, QStringLiteral("Kein Cover gefunden"));
}

void frmFilme::przCoverAuswahlZeigen()
{
    c.lfCover->show();
    c.lfCover->raise();
    for (QLabel* l : {c.lbCat(1), c.lbFormat(1), c.lbQualität(1), c.lbMappe(1), c.lbWer(1)})
        l->hide();
    c.lbTitel(1)->resize(vb::pixel(TitelBreiteAuswahl), c.lbTitel(1)->height());
    c.lbTitel(1)->setText(QStringLiteral("Gewünschtes Image/Bild zum speichern bitte anklicken!"));
}

void frmFilme::lfCover_Click()
{
    if (const vb::ListItem eintrag = c.lfCover->currentItem())
        c.tfImgText->setText(eintrag->text());
    przCoverDownload();
}

void frmFilme::przCoverDownload()
{
    vb::setMousePointer(11);
    const auto zeigerZurueck = qScopeGuard([] { vb::setMousePointer(0); });
    if (c.tfImgText->text().isEmpty())
        return;
    // The record by the key on display: a sub-entry's own row, or the title's.
    const bool unterordner = !UnterordnerTitel.isEmpty();
    const QString titel = c.tfTitel->text();
    qint64 rowid = 0;
    try {
        if (datenbank) {
            const db::Result r = datenbank->query(
                (unterordner ? QStringLiteral("SELECT rowid FROM Unterordner WHERE Titel2 = ?%1 LIMIT 1")
                             : QStringLiteral("SELECT rowid FROM Filme WHERE Titel = ?%1 LIMIT 1"))
                    .arg(db::kollation()),
                {titel});
            if (!r.empty())
                rowid = r.value(0, 0).toLongLong();
        }
    } catch (const db::DbError&) {
        rowid = 0;
    }
    if (rowid == 0) {
        m_services.messages->msgBox(QStringLiteral("Bitte Datensatz erst speichern!"));
        return;
    }

    const QString kandidat = c.tfImgText->text();
    c.tfImgText->setText(scan::kandidatPfad(kandidat));
    const ini::IniFile cdIni = frame::cdIni(m_services);
    const QUrl adresse = scan::bildAdresse(sys::pictureSite(cdIni, c.WebBrowser1->address()), kandidat);
    const QString name = titel + QStringLiteral(".jpg");
    const QString ordner = m_services.file(QStringLiteral("covers"));
    // A title with "/" would write outside "covers".
    bool geladen = sys::fileNameStaysInFolder(name) && m_services.web
                   && m_services.web->download(adresse, ordner, name, nullptr);
    if (geladen) {
        const QString coverNormal = cdIni.read(QStringLiteral("Funktionen"), QStringLiteral("Cover Normal"));
        m_coverReferenz = scan::coverReferenz(ordner + u'/' + name, coverNormal);
        geladen = m_coverReferenz.size() <= scan::CoverLaenge
                  && datenbank
                         ->tryExecute(unterordner ? QStringLiteral("UPDATE Unterordner SET Cover = ? WHERE rowid = ?")
                                                  : QStringLiteral("UPDATE Filme SET Cover = ? WHERE rowid = ?"),
                                      {m_coverReferenz, rowid})
                         .ok;
    }
    vb::setMousePointer(0);
    if (!geladen)
        m_services.messages->msgBox(QStringLiteral("Fehler beim Download von Bilddateien: Fehler beim Download!"),
                                    sys::mb::OkOnly | sys::mb::Critical);
    c.tfImgText->clear();
    przCoverAuswahlSchliessen();
}

void frmFilme::przCoverAuswahlSchliessen()
{
    c.tfCoverübergeben->setText(QStringLiteral("0"));
    c.lfCover->clear();
    c.lfCover->hide();
    for (QLabel* l : {c.lbCat(1), c.lbFormat(1), c.lbQualität(1), c.lbMappe(1), c.lbWer(1)})
        l->show();
    c.lbTitel(1)->resize(vb::pixel(TitelBreite), c.lbTitel(1)->height());
    c.lbTitel(1)->setText(feldwoerter.titel());
}
