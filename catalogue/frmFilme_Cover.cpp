// The hand-off of a cover to its window: the row is found by the key the
// panel shows, never by where a cursor stands.
#include "catalogue/frmFilme.h"

#include "platform/db/DbError.h"
#include "platform/db/SqlFunctions.h"

void frmFilme::coverÜbergeben(QPointer<scan::frmCover>& fenster, const scan::Coverart& art, const QVariant& cover)
{
    const QString referenz = cover.isNull() ? QStringLiteral("-") : cover.toString();
    c.tfCover->setText(referenz);
    scan::coverZeigen(fenster, m_services, *this, art, referenz);
}

void frmFilme::przCover()
{
    QVariant cover;
    try {
        if (!datenbank)
            throw db::DbError(0, QString());
        const db::Result r = datenbank->query(
            QStringLiteral("SELECT Cover FROM Filme WHERE Titel = ?%1 LIMIT 1").arg(db::kollation()), {c.tfTitel->text()});
        if (r.empty())
            throw db::DbError(0, QString());
        cover = r.value(0, 0);
    } catch (const db::DbError&) {
        m_services.messages->msgBox(QStringLiteral("Bitte Datensatz erst speichern!"));
        return;
    }
    coverÜbergeben(m_frmCover, scan::CoverTitel, cover);
}

void frmFilme::przCover2()
{
    db::Result r;
    try {
        if (datenbank && unterordnerAufAnzeige())
            r = datenbank->query(
                QStringLiteral("SELECT Cover FROM Unterordner WHERE Titel2 = ?%1 LIMIT 1").arg(db::kollation()),
                {c.tfTitel->text()});
    } catch (const db::DbError&) {
        r = {};
    }
    if (r.empty()) {
        m_services.messages->msgBox(QStringLiteral("Erst speichern!"));
        return;
    }
    coverÜbergeben(m_frmCover2, scan::CoverUnterordner, r.value(0, 0));
}

namespace {

bool datensatzDa(const sys::Services& services, const QString& titel)
{
    if (!titel.isEmpty())
        return true;
    services.messages->msgBox(QStringLiteral("Kein Datensatz!"), sys::mb::OkOnly | sys::mb::Exclamation,
                              QStringLiteral("Coverfunktion"));
    return false;
}

}  // namespace

void frmFilme::cmdCover_Click()
{
    if (datensatzDa(m_services, c.tfTitel->text()))
        przCover();
}

void frmFilme::cmdCover2_Click()
{
    if (datensatzDa(m_services, c.tfTitel->text()))
        przCover2();
}
