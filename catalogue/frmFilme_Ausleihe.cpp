// The lending rows in the title list: the overdue lendings at start and from
// the menu.
#include "catalogue/frmFilme.h"

#include "frame/Sprache.h"
#include "platform/vb/VbRuntime.h"

#include <cmath>

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
    przListeSetzen(QStringLiteral("Select * from Ausleihe where EinDT IS Null And dedate(AusDT) < ? order by Wer COLLATE DEUTSCH, Titel COLLATE DEUTSCH;"),
                   {stichtag.toString(QStringLiteral("yyyy-MM-dd"))});
    przAusleiheListeFüllen();
}

void frmFilme::przAusleiheListeFüllen()
{
    c.lfListe->setTabStops(std::vector<int>(tabStops.begin(), tabStops.end()));
    if (datenbank) {
        try {
            const db::Result r = datenbank->query(ListenSQL, ListenWerte);
            for (int i = 0; i < r.size(); ++i) {
                const QString wer = r.value(i, QStringLiteral("Wer")).toString().left(10);
                c.lfListe->addItem(r.value(i, QStringLiteral("Titel")).toString() + QLatin1Char('\t')
                                   + wer.leftJustified(15, QLatin1Char(' ')) + QLatin1Char('\t')
                                   + r.value(i, QStringLiteral("AusDT")).toString() + QLatin1Char('\t')
                                   + r.value(i, QStringLiteral("EinDT")).toString());
            }
        } catch (const db::DbError&) {
        }
    }
    if (ini.sprache.isEmpty())
        return;
    const frame::Sprachdatei sprache(m_services, ini.sprache);
    c.lbCat(1)->setText(sprache.text(frame::HauptfensterSektion, QStringLiteral("Label6")));
    c.lbFormat(1)->setText(sprache.text(frame::HauptfensterSektion, QStringLiteral("Label13")));
    c.lbQualität(1)->setText(sprache.text(frame::HauptfensterSektion, QStringLiteral("Label14")));
    c.lbQualität(1)->move(vb::twipsToPixels(6600), c.lbQualität(1)->y());
    c.lbMappe(1)->setVisible(false);
    c.lbWer(1)->setVisible(false);
}
