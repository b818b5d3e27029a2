// Moving through the catalogue: list clicks, previous and next in title order,
// and the lookup of a typed title.
#include "catalogue/frmFilme.h"

#include <QCheckBox>
#include <QRadioButton>

void frmFilme::listeVerbinden()
{
    // A row chosen by the user or from code shows its record; clear() reports -1.
    connect(c.lfListe, &vb::ListBox::currentRowChanged, this, [this](int zeile) {
        if (zeile >= 0)
            lfListe_Click();
    });
    // A row already current but not shown (marked by a take-over) shows its record when clicked.
    connect(c.lfListe, &vb::ListBox::itemClicked, this, [this] {
        if (m_titelNurMarkiert)
            lfListe_Click();
    });
    connect(c.lfListe2, &vb::ListBox::currentRowChanged, this, [this](int zeile) {
        if (zeile >= 0)
            lfListe2_Click();
    });
    connect(c.cmdVor, &QPushButton::clicked, this, &frmFilme::cmdVor_Click);
    connect(c.cmdZurück, &QPushButton::clicked, this, &frmFilme::cmdZurück_Click);
    connect(c.Anzeige, &QPushButton::clicked, this, &frmFilme::Anzeige_Click);
    connect(c.Alle, &QPushButton::clicked, this, &frmFilme::Alle_Click);

    // The filters react to the user's choice only, so a refill never runs one.
    const std::pair<vb::ComboBox*, void (frmFilme::*)()> filter[] = {
        {c.cmbFormat, &frmFilme::cmbFormat_Click}, {c.cmbQualität, &frmFilme::cmbQualität_Click},
        {c.cmbMappe, &frmFilme::cmbMappe_Click},   {c.cmbCat, &frmFilme::cmbCat_Click},
        {c.cmbWer, &frmFilme::cmbWer_Click},
    };
    for (const auto& [box, klick] : filter)
        connect(box, &QComboBox::activated, this, klick);
    connect(c.optdat, &QRadioButton::toggled, this, [this](bool an) {
        if (an)
            optdat_Click();
    });
    connect(c.optausleih, &QRadioButton::toggled, this, [this](bool an) {
        if (an)
            optausleih_Click();
    });
    connect(c.chkdat, &QCheckBox::stateChanged, this, &frmFilme::chkdat_Click);
    connect(c.chkausleih, &QCheckBox::stateChanged, this, &frmFilme::chkausleih_Click);
}

void frmFilme::lfListe_Click()
{
    m_titelNurMarkiert = false;
    if (!c.tfSize->text().isEmpty())
        c.tfSize->setVisible(true);
    c.tfTitel2->clear();
    if (const vb::ListItem zeile = c.lfListe->currentItem())
        c.tfTitel->setText(zeile->text());
    przAnzeige3();
    c.cmdMappe->setVisible(true);
}

void frmFilme::lfListe2_Click()
{
    if (const vb::ListItem zeile = c.lfListe2->currentItem())
        c.tfTitel->setText(zeile->text());
    przAnzeige4();
    c.cmdMappe->setVisible(true);
    // A stored sub-entry on display cannot be saved as a new one.
    try {
        if (rsUnterordner && rsUnterordner->hasCurrent()
            && c.tfTitel->text() == rsUnterordner->field(QStringLiteral("Titel2")).toString())
            c.cmdSpeichern2->setEnabled(false);
    } catch (const db::DbError&) {
    }
    przUnterordnerModusEin();
    c.cmdUnterordnerzurück->setVisible(true);
}

// One title forward or back in title order, whatever the list shows.
void frmFilme::blättern(bool vor)
{
    c.tfUnterordner->setText(QStringLiteral("0"));
    c.tfCDInfo->setText(QStringLiteral("0"));
    przLöschen();
    przUnsichtbar();
    try {
        if (!rsFilme)
            throw db::DbError(db::ErrNoCurrentRecord, QStringLiteral("Kein aktueller Datensatz."));
        if (vor)
            rsFilme->moveNext();
        else
            rsFilme->movePrevious();
        if (vor ? rsFilme->eof() : rsFilme->bof()) {
            m_services.messages->msgBox(QStringLiteral("Keine weiteren CDs!"), sys::mb::Information,
                                        sys::programTitle());
            if (vor)
                rsFilme->moveLast();
            else
                rsFilme->moveFirst();
        }
        c.cmdMappe->setVisible(true);
        przDatensatzAnzeigen();
        przTitelMarkieren();
    } catch (const db::DbError&) {
        m_services.messages->msgBox(QStringLiteral("Noch kein Datensatz erfasst!"), sys::mb::Exclamation,
                                    vor ? QStringLiteral("Datensatz vor") : QStringLiteral("Datensatz zurück"));
    }
}

void frmFilme::przvor()
{
    blättern(true);
}

void frmFilme::przzurück()
{
    blättern(false);
}

void frmFilme::cmdVor_Click()
{
    przvor();
}

void frmFilme::cmdZurück_Click()
{
    przzurück();
}

void frmFilme::Anzeige_Click()
{
    if (c.tfTitel->text().isEmpty()) {
        m_services.messages->msgBox(QStringLiteral("Sie sollten schon einen Suchbegriff eingeben!"),
                                    sys::mb::Exclamation, QStringLiteral("Datensatz suchen"));
        return;
    }
    c.tfTitel2->clear();
    przDatensatzSuchen();
    przTitelMarkieren();
}
