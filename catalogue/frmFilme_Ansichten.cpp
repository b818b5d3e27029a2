// The special views of the menu "Suchen": fixed selections that leave their
// tag in DSAnsicht, so that przlesen shows the same view again after a save.
#include "catalogue/frmFilme.h"

#include "platform/db/SqlFunctions.h"

namespace {

struct Ansicht {
    const char* tag;
    QAction* FilmeControls::*eintrag;
    void (frmFilme::*zeigen)();
};

// In the order przlesen tests the tags.
const Ansicht ansichten[] = {
    {"DSOhneInfo", &FilmeControls::mnuOhneInfo, &frmFilme::przDSOhneInfo},
    {"DSOhneCover", &FilmeControls::mnuOhneCover, &frmFilme::przDSOhneCover},
    {"DSAusgeliehen", &FilmeControls::mnuDSAusgeliehen, &frmFilme::przDSAusgeliehen},
    {"DSnachDatum", &FilmeControls::mnuDSnachDatum, &frmFilme::przDSnachDatum},
    {"DSDtEn", &FilmeControls::mnuDSDtEn, &frmFilme::przDSDtEn},
    {"DSEn", &FilmeControls::mnuDSEn, &frmFilme::przDSEn},
    {"DSDt", &FilmeControls::mnuDSDt, &frmFilme::przDSDt},
    {"DSOhneSprache", &FilmeControls::mnuDSOhneSprache, &frmFilme::przDSOhneSprache},
    {"DSOhneSize", &FilmeControls::mnuDSohneSize, &frmFilme::przDSOhneSize},
    {"DSOhneCat", &FilmeControls::mnuDSOhneCat, &frmFilme::przDSOhneCat},
};

}  // namespace

// Leaves the filter boxes, the hidden boxes, the check boxes and FilterWert
// as they are: only the tag says which selection is in force.
void frmFilme::spezialAnsicht(const QString& tag, const QString& bedingung, const QVariantList& werte,
                              const QString& ordnung)
{
    if (SortFeld.isEmpty())
        SortFeld = QStringLiteral("Titel");
    DSAnsicht = tag;
    c.lfListe->clear();
    const QString wo = bedingung.isEmpty() ? QString() : QStringLiteral(" where ") + bedingung;
    przListeSetzen(QStringLiteral("Select * from Filme%1 order by %2;")
                       .arg(wo, ordnung.isEmpty() ? filmeOrdnung(SortFeld) : ordnung),
                   werte);
    przListeFüllen();
    przUnsichtbar();
}

void frmFilme::przDSOhneInfo()
{
    spezialAnsicht(QStringLiteral("DSOhneInfo"), QStringLiteral("Info = '-'"));
}

void frmFilme::przDSOhneCover()
{
    spezialAnsicht(QStringLiteral("DSOhneCover"), QStringLiteral("Cover = '-'"));
}

// In the chosen sort order, unlike the lent view of the check box (by borrower).
void frmFilme::przDSAusgeliehen()
{
    spezialAnsicht(QStringLiteral("DSAusgeliehen"), QStringLiteral("Wer not like '-'"));
}

// Newest first whatever the sort order; an empty sort order still becomes "Titel".
void frmFilme::przDSnachDatum()
{
    spezialAnsicht(QStringLiteral("DSnachDatum"), QString(), {},
                   QStringLiteral("Datum%1 DESC").arg(db::kollation()));
}

// The language codes of "Cd.ini" are patterns: a wildcard in a setting acts as
// one, a quote is an ordinary character, and "" finds only an empty code.
void frmFilme::przDSDtEn()
{
    spezialAnsicht(QStringLiteral("DSDtEn"), QStringLiteral("Dten like ?"), {ini.deuEngl});
}

void frmFilme::przDSDt()
{
    spezialAnsicht(QStringLiteral("DSDt"), QStringLiteral("Dten like ?"), {ini.deutsch});
}

void frmFilme::przDSEn()
{
    spezialAnsicht(QStringLiteral("DSEn"), QStringLiteral("Dten like ?"), {ini.englisch});
}

void frmFilme::przDSOhneSprache()
{
    spezialAnsicht(QStringLiteral("DSOhneSprache"), QStringLiteral("Dten like '-'"));
}

void frmFilme::przDSOhneSize()
{
    spezialAnsicht(QStringLiteral("DSOhneSize"), QStringLiteral("Size like '0'"));
}

void frmFilme::przDSOhneCat()
{
    spezialAnsicht(QStringLiteral("DSOhneCat"), QStringLiteral("Cat like '-'"));
}

// A tag that names no view runs nothing.
void frmFilme::spezialAnsichtWiederholen()
{
    for (const Ansicht& a : ansichten) {
        if (DSAnsicht == QLatin1String(a.tag)) {
            (this->*a.zeigen)();
            return;
        }
    }
}

void frmFilme::suchenVerbinden()
{
    for (const Ansicht& a : ansichten)
        connect(c.*a.eintrag, &QAction::triggered, this, [this, zeigen = a.zeigen] { (this->*zeigen)(); });
    connect(c.mnuVolltextsucheTitel, &QAction::triggered, this, &frmFilme::mnuVolltextsucheTitel_Click);
    connect(c.mnuVolltextsucheInfo, &QAction::triggered, this, &frmFilme::mnuVolltextsucheInfo_Click);
    connect(c.cmdVolltextsucheTitel, &QPushButton::clicked, this, &frmFilme::cmdVolltextsucheTitel_Click);
    connect(c.cmdVolltextsucheInfo, &QPushButton::clicked, this, &frmFilme::cmdVolltextsucheInfo_Click);
}
