#include "reports/frmStatistik.h"

#include "frame/Aussehen.h"
#include "frame/CdIni.h"
#include "frame/Einmalfenster.h"
#include "platform/db/Database.h"
#include "platform/db/RowReader.h"
#include "platform/db/SqlFunctions.h"
#include "platform/vb/Formular.h"
#include "platform/vb/VbControls.h"
#include "reports/ExcelAusgabe.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString KeinDatensatz = QStringLiteral("Noch kein Datensatz erfasst!");

struct Listenart {
    const char* tabelle;
    const char* spalte;
    std::vector<int> stopps;
};

const Listenart Listenarten[] = {
    {"Format", "Format", {80, 50}},
    {"Cat", "Cat", {80, 50}},
    {"Qualität", "Qualität", {}},
    {"StatistikMappe", "Mappe", {50}},
};

}  // namespace

frmStatistik::frmStatistik(const sys::Services& services, frame::Hauptfenster& hauptfenster)
    : QWidget(nullptr), m_services(services), m_hauptfenster(hauptfenster)
{
    setObjectName(QStringLiteral("frmStatistik"));
    setWindowTitle(QStringLiteral("Zahlen - Statistik"));
    aufbauen();
    connect(optWert, &QRadioButton::clicked, this, [this] { optWert_Click(); });
    connect(optAnzahl, &QRadioButton::clicked, this, [this] { optAnzahl_Click(); });
    connect(cmdStatistikExcell, &QPushButton::clicked, this, [this] { przStatistikExcel(); });
    connect(cmdOK, &QPushButton::clicked, this, &QWidget::close);
}

frmStatistik::~frmStatistik() = default;

frmStatistik* frmStatistik::zeigen(const sys::Services& services, frame::Hauptfenster& hauptfenster)
{
    return frame::einmalZeigen<frmStatistik>(services, [&] { return new frmStatistik(services, hauptfenster); });
}

void frmStatistik::aufbauen()
{
    using F = frmStatistik;
    using vb::ziel;
    // The creation order is the tab order; the layouts below place the controls.
    static constexpr vb::Steuerelement<F> Steuerelemente[] = {
        {ziel<&F::m_beschriftung, 0>, "Label1", {}, "Statistik"},
        {ziel<&F::lfFormat>, "lfFormat", {}},
        {ziel<&F::kopf, 0>, "", {}, "Formate"},
        {ziel<&F::m_beschriftung, 1>, "", {}, "CDs"},
        {ziel<&F::lfCat>, "lfCat", {}},
        {ziel<&F::kopf, 1>, "", {}, "Kategorien"},
        {ziel<&F::m_beschriftung, 2>, "", {}, "CDs"},
        {ziel<&F::lfQualität>, "lfQualität", {}},
        {ziel<&F::kopf, 2>, "", {}, "Qualität"},
        {ziel<&F::m_beschriftung, 3>, "", {}, "CDs"},
        {ziel<&F::lfMappe>, "lfMappe", {}},
        {ziel<&F::kopf, 3>, "", {}, "Mappe"},
        {ziel<&F::m_beschriftung, 4>, "", {}, "CDs"},
        {ziel<&F::Line1, 0>, "Line1_0", {}},
        {ziel<&F::m_beschriftung, 5>, "", {}, "DS ohne Cover:"},
        {ziel<&F::lbohneCover>, "lbohneCover", {}},
        {ziel<&F::m_beschriftung, 6>, "", {}, "DS ohne Info:"},
        {ziel<&F::lbohneInfo>, "lbohneInfo", {}},
        {ziel<&F::m_beschriftung, 7>, "", {}, "DS ohne Size:"},
        {ziel<&F::lbohneSize>, "lbohneSize", {}},
        {ziel<&F::m_beschriftung, 8>, "", {}, "Anzahl Deu./Engl.:"},
        {ziel<&F::lbdeuengl>, "lbdeuengl", {}},
        {ziel<&F::m_beschriftung, 9>, "", {}, "Anzahl Engl.:"},
        {ziel<&F::lbengl>, "lbengl", {}},
        {ziel<&F::m_beschriftung, 10>, "", {}, "Anzahl Deut.:"},
        {ziel<&F::lbdeu>, "lbdeu", {}},
        {ziel<&F::m_beschriftung, 11>, "", {}, "Anzahl ohne:"},
        {ziel<&F::lbohneSP>, "lbohneSP", {}},
        {ziel<&F::Line1, 1>, "Line1_1", {}},
        {ziel<&F::m_beschriftung, 12>, "", {}, "Anzahl Titel Gesamt:"},
        {ziel<&F::lbGesamt>, "lbGesamt", {}},
        {ziel<&F::m_beschriftung, 13>, "", {}, "Gesamtanzahl CDs:"},
        {ziel<&F::lbCDs>, "lbCDs", {}},
        {ziel<&F::m_beschriftung, 14>, "", {}, "Gesamtanzahl DVDs:"},
        {ziel<&F::lbDVD>, "lbDVD", {}},
        {ziel<&F::m_beschriftung, 15>, "", {}, "Anzahl Titel verliehen:"},
        {ziel<&F::lbAus>, "lbAus", {}},
        {ziel<&F::Line1, 2>, "Line1_2", {}},
        {ziel<&F::m_beschriftung, 16>, "", {}, "Datenvolumen:", "Grob geschätztes Datenvolumen"},
        {ziel<&F::m_beschriftung, 17>, "", {}, "CDs:"},
        {ziel<&F::lbByte>, "lbByte", {}},
        {ziel<&F::m_beschriftung, 18>, "", {}, "GB"},
        {ziel<&F::m_beschriftung, 19>, "", {}, "DVDs:"},
        {ziel<&F::lbDVDs>, "lbDVDs", {}},
        {ziel<&F::m_beschriftung, 20>, "", {}, "GB"},
        {ziel<&F::m_beschriftung, 21>, "", {}, "Gesamt:"},
        {ziel<&F::lbByteges>, "lbByteges", {}},
        {ziel<&F::m_beschriftung, 22>, "", {}, "GB"},
        {ziel<&F::Line1, 3>, "Line1_3", {}},
        {ziel<&F::m_beschriftung, 23>, "", {}, "orginal DVDs:"},
        {ziel<&F::lborgDVD>, "lborgDVD", {}},
        {ziel<&F::m_beschriftung, 24>, "", {}, "kopierte DVD:"},
        {ziel<&F::lbkopDVD>, "lbkopDVD", {}},
        {ziel<&F::Line1, 4>, "Line1_4", {}},
        {ziel<&F::m_beschriftung, 25>, "", {}, "Sortierung:"},
        {ziel<&F::optWert>, "optWert", {}, "Text"},
        {ziel<&F::optAnzahl>, "optAnzahl", {}, "Zahl"},
        {ziel<&F::cmdStatistikExcell>, "cmdStatistikExcell", {}, "Excel Ausg."},
        {ziel<&F::cmdOK>, "cmdOK", {}, "&OK"},
        {ziel<&F::Line1, 5>, "Line1_5", {}, "", "", vb::versteckt},
        {ziel<&F::Line1, 6>, "Line1_6", {}, "", "", vb::versteckt},
        {ziel<&F::Line1, 7>, "Line1_7", {}, "", "", vb::versteckt},
        {ziel<&F::Line1, 8>, "Line1_8", {}, "", "", vb::versteckt},
        {ziel<&F::tfCDAnzahl>, "tfCDAnzahl", {}, "", "", vb::versteckt},
        {ziel<&F::tfDVDAnzahl>, "tfDVDAnzahl", {}, "", "", vb::versteckt},
        {ziel<&F::tfCDSize>, "tfCDSize", {}, "", "", vb::versteckt},
        {ziel<&F::tfDVDSize>, "tfDVDSize", {}, "", "", vb::versteckt},
    };
    vb::bauen(*this, this, Steuerelemente);
    einrichten();
    auto* fenster = new QVBoxLayout(this);
    fenster->setContentsMargins(0, 0, 0, 8);
    fenster->addWidget(m_beschriftung[0]);
    fenster->addLayout(listenAnordnen());
    fenster->addWidget(Line1[0]);
    fenster->addLayout(untenAnordnen());
}

// The counters in four columns between upright lines, the sort choice and the buttons.
QHBoxLayout* frmStatistik::untenAnordnen()
{
    auto* unten = new QHBoxLayout;
    unten->setContentsMargins(10, 4, 10, 4);
    unten->addLayout(zeilen(5, {lbohneCover, lbohneInfo, lbohneSize, lbdeuengl, lbengl, lbdeu, lbohneSP}));
    unten->addWidget(Line1[1]);
    unten->addLayout(mitteAnordnen());
    unten->addWidget(Line1[3]);
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(m_beschriftung[23]);
    rechts->addWidget(lborgDVD);
    rechts->addSpacing(8);
    rechts->addWidget(m_beschriftung[24]);
    rechts->addWidget(lbkopDVD);
    rechts->addStretch();
    unten->addLayout(rechts);
    unten->addWidget(Line1[4]);
    auto* ganzRechts = new QVBoxLayout;
    ganzRechts->addWidget(m_beschriftung[25]);
    ganzRechts->addWidget(optWert);
    ganzRechts->addWidget(optAnzahl);
    ganzRechts->addStretch();
    ganzRechts->addWidget(cmdStatistikExcell);
    ganzRechts->addWidget(cmdOK);
    unten->addLayout(ganzRechts);
    return unten;
}

// The look of the made controls and the lists the colouring walks.
void frmStatistik::einrichten()
{
    QLabel* band = m_beschriftung[0];
    band->setAutoFillBackground(true);
    QPalette grau = band->palette();
    grau.setColor(QPalette::Window, QColor(192, 192, 192));
    band->setPalette(grau);
    QFont gross = band->font();
    gross.setPointSizeF(gross.pointSizeF() * 1.6);
    gross.setBold(true);
    band->setFont(gross);
    band->setContentsMargins(12, 6, 12, 6);

    for (size_t i = 0; i < Line1.size(); ++i) {
        const bool senkrecht = i == 1 || i == 3 || i == 4;
        Line1[i]->setFrameShape(senkrecht ? QFrame::VLine : QFrame::HLine);
        Line1[i]->setFrameShadow(QFrame::Plain);
    }
    m_beschriftungen.clear();
    for (QLabel* l : m_beschriftung)
        m_beschriftungen << l;
    for (QLabel* l : kopf)
        m_beschriftungen << l;
    m_werte = {lbohneCover, lbohneInfo, lbohneSize, lbdeuengl, lbengl, lbdeu,     lbohneSP, lbGesamt,
               lbCDs,       lbDVD,      lbAus,      lbByte,    lbDVDs, lbByteges, lborgDVD, lbkopDVD};
    for (QLabel* l : m_werte)
        l->setMinimumWidth(vb::skaliert(60));
    for (QLabel* l : {lbByte, lbDVDs, lbByteges})
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

// The lists side by side, each with its header and the count header "CDs"
// above its first stop.
QHBoxLayout* frmStatistik::listenAnordnen()
{
    auto* listen = new QHBoxLayout;
    listen->setContentsMargins(10, 4, 10, 4);
    vb::ListBox* const boxen[] = {lfFormat, lfCat, lfQualität, lfMappe};
    const int breiten[] = {190, 190, 110, 150};
    for (int i = 0; i < 4; ++i) {
        vb::ListBox* box = boxen[i];
        box->setFixedSize(vb::skaliert(breiten[i]), vb::skaliert(210));
        const int stopp = Listenarten[i].stopps.empty() ? 32 : Listenarten[i].stopps[0];
        const double einheit = vb::ListBox::dialogUnit(box->font());
        auto* kopfzeile = new QHBoxLayout;
        kopfzeile->setSpacing(0);
        kopfzeile->addWidget(kopf[i]);
        kopf[i]->setFixedWidth(int(stopp * einheit) + 2);
        kopfzeile->addWidget(m_beschriftung[1 + i]);
        kopfzeile->addStretch();
        auto* spalte = new QVBoxLayout;
        spalte->addLayout(kopfzeile);
        spalte->addWidget(box);
        listen->addLayout(spalte);
    }
    return listen;
}

// Caption and value rows, the captions from `erste` on.
QGridLayout* frmStatistik::zeilen(int erste, std::initializer_list<QLabel*> werte)
{
    auto* g = new QGridLayout;
    g->setVerticalSpacing(3);
    int r = 0;
    for (QLabel* wert : werte) {
        g->addWidget(m_beschriftung[erste + r], r, 0);
        g->addWidget(wert, r, 1);
        ++r;
    }
    g->setRowStretch(r, 1);
    return g;
}

// The title counters over the rough data volume in GB.
QVBoxLayout* frmStatistik::mitteAnordnen()
{
    auto* mitte = new QVBoxLayout;
    mitte->addLayout(zeilen(12, {lbGesamt, lbCDs, lbDVD, lbAus}));
    mitte->addWidget(Line1[2]);
    auto* volumen = new QGridLayout;
    volumen->setVerticalSpacing(3);
    volumen->addWidget(m_beschriftung[16], 0, 0, 1, 3);
    QLabel* const gb[] = {lbByte, lbDVDs, lbByteges};
    for (int r = 0; r < 3; ++r) {
        volumen->addWidget(m_beschriftung[17 + 2 * r], r + 1, 0);
        volumen->addWidget(gb[r], r + 1, 1);
        volumen->addWidget(m_beschriftung[18 + 2 * r], r + 1, 2);
    }
    mitte->addLayout(volumen);
    mitte->addStretch();
    return mitte;
}

void frmStatistik::przInilesen()
{
    const ini::IniFile cdIni = frame::cdIni(m_services);
    auto lesen = [&](const char* abschnitt, const char* schlüssel) {
        return cdIni.read(QString::fromUtf8(abschnitt), QString::fromUtf8(schlüssel), 200);
    };
    m_dbName = lesen("DB", "DB Name0");
    m_look = frame::Look::lesen(cdIni);
    m_label2 = lesen("Design", "Label2");
    m_label3 = lesen("Design", "Label3");
    m_label7 = lesen("Design", "Label7");
    m_codes = {lesen("Design", "Deutsch"), lesen("Design", "Englisch"), lesen("Design", "DeuEngl")};
    Sortierung = lesen("Statistik", "Sortierung");
}

void frmStatistik::przFarbe()
{
    const auto text = frame::vbFarbe(m_look.textFarbe);
    const auto hinten = frame::vbFarbe(m_look.backcolor);
    for (QLabel* l : m_beschriftungen) {
        frame::setzeSchriftname(l, m_look.textFont);
        if (text)
            frame::setzeTextfarbe(l, *text);
    }
    for (QLabel* l : m_werte)
        if (text)
            frame::setzeTextfarbe(l, *text);
    for (vb::ListBox* box : {lfFormat, lfCat, lfQualität, lfMappe}) {
        if (text)
            frame::setzeTextfarbe(box, *text);
        if (hinten)
            frame::setzeHintergrund(box, *hinten);
    }
    if (hinten)
        frame::setzeHintergrund(this, *hinten);
    for (QRadioButton* o : {optWert, optAnzahl}) {
        frame::setzeSchriftname(o, m_look.textFont);
        if (hinten)
            frame::setzeHintergrund(o, *hinten);
        if (text)
            frame::setzeTextfarbe(o, *text);
    }
    if (const auto farbe = frame::linienfarbe(m_look.backcolor, m_look.textFarbe))
        for (QFrame* l : Line1)
            frame::setzeLinienfarbe(l, *farbe);
    kopf[0]->setText(m_label3);
    kopf[1]->setText(m_label7);
    kopf[2]->setText(m_label2);
}

bool frmStatistik::öffnen(const QString& name)
{
    m_datenbank.reset();
    try {
        m_datenbank = db::Database::open(m_services.file(name + QStringLiteral(".mdb")));
        return true;
    } catch (const db::DbError&) {
        return false;
    }
}

void frmStatistik::zählerZeigen(std::initializer_list<reports::Zähler> zähler)
{
    for (reports::Zähler z : zähler) {
        for (const reports::Zählerzeile& zeile : reports::zählerzeilen()) {
            if (zeile.zähler != z)
                continue;
            if (!öffnen(m_dbName))
                throw db::DbError(db::ErrNoDatabase, m_dbName);
            if (auto* label = findChild<QLabel*>(zeile.label))
                label->setText(QString::number(reports::zählen(*m_datenbank, z, m_codes)));
        }
    }
}

void frmStatistik::Form_Load()
{
    m_imÖffnen = true;
    przInilesen();
    if (m_look.benutzerLook())
        przFarbe();
    if (Sortierung.isEmpty() || Sortierung == QLatin1String("Wert"))
        optWert->setChecked(true), optWert_Click();
    else if (Sortierung == QLatin1String("Anzahl"))
        optAnzahl->setChecked(true), optAnzahl_Click();
    try {
        m_dbName = m_hauptfenster.tfDBName();
        using Z = reports::Zähler;
        zählerZeigen({Z::Gesamt, Z::Aus, Z::DVD, Z::CDs});
        przStatistikTabellen();
        for (Liste l : {Liste::Format, Liste::Cat, Liste::Qualität, Liste::Mappe})
            if (!przStatistikListe(l))
                throw db::DbError(db::ErrNoDatabase, m_dbName);
        if (!öffnen(m_dbName))
            throw db::DbError(db::ErrNoDatabase, m_dbName);
        const reports::Datenvolumen v = reports::przDatenvolumen(*m_datenbank);
        tfCDAnzahl->setText(v.tfCDAnzahl);
        tfDVDAnzahl->setText(v.tfDVDAnzahl);
        tfCDSize->setText(v.tfCDSize);
        tfDVDSize->setText(v.tfDVDSize);
        lbByte->setText(v.lbByte);
        lbDVDs->setText(v.lbDVDs);
        lbByteges->setText(v.lbByteges);
        zählerZeigen({Z::DeuEngl, Z::Engl, Z::Deu, Z::OhneSP, Z::OhneCover, Z::OhneInfo, Z::OhneSize, Z::OrgDVD,
                      Z::KopDVD});
    } catch (const db::DbError&) {
        m_services.messages->msgBox(KeinDatensatz, sys::mb::OkOnly);
    }
    m_imÖffnen = false;
}

// Grouped case-insensitively with umlauts; Null and empty values are no row.
void frmStatistik::przStatistikTabellen()
{
    if (!öffnen(m_dbName))
        return;
    for (const Listenart& art : Listenarten) {
        const QString tabelle = QString::fromUtf8(art.tabelle);
        const QString spalte = QString::fromUtf8(art.spalte);
        m_datenbank->tryExecute(QStringLiteral("DROP TABLE IF EXISTS ") + tabelle);
        m_datenbank->tryExecute(QStringLiteral("CREATE TABLE %1 AS SELECT %2, count(%2) AS Anzahl FROM Filme WHERE "
                                               "%2 IS NOT NULL AND %2 <> '' GROUP BY %2%3")
                                    .arg(tabelle, spalte, db::kollation()));
    }
}

// A fill that fails at or after clearing rebuilds the tables once and keeps
// the rows it added. A stored order that is neither option's is no term this
// window joins into a statement: its lists stay empty until an option is chosen.
bool frmStatistik::przStatistikListe(Liste liste)
{
    const Listenart& art = Listenarten[int(liste)];
    vb::ListBox* box = std::array<vb::ListBox*, 4>{lfFormat, lfCat, lfQualität, lfMappe}[size_t(liste)];
    box->setTabStops(art.stopps);
    if (!öffnen(m_dbName))
        return false;
    box->clear();
    const QString spalte = QString::fromUtf8(art.spalte);
    if (optWert->isChecked())
        Sortierung = spalte;
    else if (optAnzahl->isChecked())
        Sortierung = QStringLiteral("Anzahl DESC");
    QString term;
    if (Sortierung == spalte)
        term = spalte + db::kollation();
    else if (Sortierung == QLatin1String("Anzahl DESC"))
        term = Sortierung;
    bool zeilen = false;
    if (!term.isEmpty()) {
        try {
            db::RowReader leser(*m_datenbank,
                                QStringLiteral("Select %1, Anzahl from %2 order by %3;")
                                    .arg(spalte, QString::fromUtf8(art.tabelle), term));
            while (leser.next()) {
                const QVariant wert = leser.value(0);
                if (wert.isNull())
                    break;
                box->addItem(wert.toString() + u'\t' + QString::number(leser.value(1).toLongLong()));
                zeilen = true;
            }
        } catch (const db::DbError&) {
            zeilen = false;
        }
    }
    if (!zeilen)
        przStatistikTabellen();
    return true;
}

void frmStatistik::option(const QString& wert, bool anzahl)
{
    (anzahl ? optAnzahl : optWert)->setChecked(true);
    frame::cdIni(m_services).write(QStringLiteral("Statistik"), QStringLiteral("Sortierung"), wert);
    for (Liste l : {Liste::Format, Liste::Cat, Liste::Qualität, Liste::Mappe})
        przStatistikListe(l);
}

void frmStatistik::optWert_Click()
{
    option(QStringLiteral("Wert"), false);
}

void frmStatistik::optAnzahl_Click()
{
    option(QStringLiteral("Anzahl"), true);
}

// Each group in its table's stored order; a statement that fails leaves its
// part out, and only a written workbook is confirmed.
void frmStatistik::przStatistikExcel()
{
    if (!m_datenbank && !öffnen(m_dbName)) {
        m_services.messages->msgBox(reports::ExcelAusgabe::fehlermeldung(QStringLiteral("Statistik.xls")),
                                    sys::mb::Critical, reports::ExcelAusgabeTitel);
        return;
    }
    db::Database& d = *m_datenbank;
    const QString neueZeile = QStringLiteral("INSERT INTO Statistik (Format) VALUES ('NeueZeile')");
    d.tryExecute(QStringLiteral("DROP TABLE IF EXISTS Statistik"));
    d.tryExecute(QStringLiteral("CREATE TABLE Statistik AS SELECT Format, Anzahl FROM Format ORDER BY rowid"));
    for (const Listenart& art : {Listenarten[1], Listenarten[2], Listenarten[3]}) {
        d.tryExecute(neueZeile);
        d.tryExecute(QStringLiteral("INSERT INTO Statistik (Format, Anzahl) SELECT %1, Anzahl FROM %2 ORDER BY rowid")
                         .arg(QString::fromUtf8(art.spalte), QString::fromUtf8(art.tabelle)));
    }
    reports::ExcelAusgabe(*m_services.messages, m_services.programFolder, d).ausgeben(reports::Excelweise::NachLeeren, QStringLiteral("Statistik.xls"),
                                                  QStringLiteral(" from Statistik ORDER BY rowid"));
}
