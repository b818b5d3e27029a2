// The full-text searches: a word in the titles and sub-entry names, in the info
// texts, and a scanned disc's title among the titles; the two search dialogs.
#include "catalogue/frmFilme.h"

#include "catalogue/frmSucheInfo.h"
#include "catalogue/frmSucheTitel.h"
#include "frame/Einmalfenster.h"
#include "platform/db/SqlFunctions.h"
#include "platform/vb/VbLike.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace {

// A search word keeps the meaning of its wildcards; an unclosed "[" makes the
// statement fail, and the list fill leaves the list empty.
QString enthält(const QString& wort)
{
    return QStringLiteral("*") + wort + QStringLiteral("*");
}

// The word of a dialog; a dialog that is not open holds "".
template <class Dialog>
QString suchwort(const QPointer<Dialog>& dialog)
{
    return dialog && dialog->isVisible() ? dialog->tfSuche->text() : QString();
}

}  // namespace

frmSucheTitel* frmFilme::sucheTitel() const
{
    return m_frmSucheTitel && m_frmSucheTitel->isVisible() ? m_frmSucheTitel.data() : nullptr;
}

frmSucheInfo* frmFilme::sucheInfo() const
{
    return m_frmSucheInfo && m_frmSucheInfo->isVisible() ? m_frmSucheInfo.data() : nullptr;
}

// The titles, and the parents of the sub-entries, whose name holds the word.
// The union drops rows equal in all six cells, compared as the lists compare
// (without regard to case, umlauts too); the whole union is in title order.
void frmFilme::przVolltextsucheTitel()
{
    przLöschen2();
    if (FilterWert.isEmpty())
        FilterWert = suchwort(m_frmSucheTitel);
    przLöschen1();
    c.lfListe->clear();
    const QString k = db::kollation();
    const QString spalten = QStringLiteral("Titel%1 AS Titel, Cat%1 AS Cat, Format%1 AS Format, "
                                           "Qualität%1 AS Qualität, Mappe%1 AS Mappe, Wer%1 AS Wer")
                                .arg(k);
    const QString muster = enthält(FilterWert);
    przListeSetzen(QStringLiteral("Select %1 from Filme where Titel like ? union Select %1 from Unterordner where "
                                  "Titel2 like ? order by Titel%2, Cat%2, Format%2, Qualität%2, Mappe%2, Wer%2;")
                       .arg(spalten, k),
                   {muster, muster});
    VolltextsucheTitelFlag = QStringLiteral("1");
    przListeFüllen();
    przUnsichtbar();
    przTitelMarkieren();
}

void frmFilme::przVolltextsucheInfo()
{
    przLöschen2();
    if (FilterWert.isEmpty())
        FilterWert = suchwort(m_frmSucheInfo);
    przLöschen1();
    c.lfListe->clear();
    przListeSetzen(QStringLiteral("Select * from Filme where Info like ? order by Titel%1;").arg(db::kollation()),
                   {enthält(FilterWert)});
    VolltextsucheInfoFlag = QStringLiteral("1");
    przListeFüllen();
    przUnsichtbar();
}

// After a disc scan: the titles that contain the new title, searched
// literally ("Disc#1" finds "Disc#1"); the filled-in fields stay.
void frmFilme::przCDVolltextsuche()
{
    FilterWert = c.tfTitel->text();
    c.lfListe->clear();
    przListeSetzen(QStringLiteral("Select * from Filme where Titel like ? order by Titel%1;").arg(db::kollation()),
                   {enthält(vb::literalPattern(FilterWert))});
    przListeFüllen();
    przUnsichtbar();
    // The scanned values stay on display: a stored title equal to the disc's is
    // marked so that the user sees it is catalogued, and shown only when clicked.
    const int zeile = c.tfTitel->text().isEmpty() ? -1 : titelZeile();
    {
        const QSignalBlocker still(c.lfListe);
        // Through the view, so that the list taking the focus picks no first row of its own.
        c.lfListe->setCurrentIndex(c.lfListe->model()->index(zeile, 0));
    }
    m_titelNurMarkiert = zeile >= 0;
}

// The word in the title field, as the button's tooltip promises; with an empty
// field the word of the last filter or search when there is one, else the dialog's.
void frmFilme::cmdVolltextsucheTitel_Click()
{
    if (!c.tfTitel->text().isEmpty())
        FilterWert = c.tfTitel->text();
    przVolltextsucheTitel();
}

// The info texts are searched for what stands in the title field.
void frmFilme::cmdVolltextsucheInfo_Click()
{
    FilterWert = c.tfTitel->text();
    przVolltextsucheInfo();
}

void frmFilme::mnuVolltextsucheTitel_Click()
{
    FilterWert.clear();
    c.tfTitel2->clear();
    frame::einmalZeigen(m_frmSucheTitel, [this] { return new frmSucheTitel(m_services, *this); });
}

void frmFilme::mnuVolltextsucheInfo_Click()
{
    FilterWert.clear();
    frame::einmalZeigen(m_frmSucheInfo, [this] { return new frmSucheInfo(m_services, *this); });
}
