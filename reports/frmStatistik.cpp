#include "reports/frmStatistik.h"

#include "frame/Aussehen.h"
#include "frame/CdIni.h"
#include "frame/Einmalfenster.h"
#include "platform/db/Database.h"
#include "platform/db/RowReader.h"
#include "platform/db/SqlFunctions.h"
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

QFrame* linie(QWidget* eltern, int nummer, bool senkrecht)
{
    auto* l = new QFrame(eltern);
    l->setObjectName(QStringLiteral("Line1_%1").arg(nummer));
    l->setFrameShape(senkrecht ? QFrame::VLine : QFrame::HLine);
    l->setFrameShadow(QFrame::Plain);
    return l;
}

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

QLabel* frmStatistik::wertLabel(QLabel*& label, const char* name)
{
    label = new QLabel(this);
    label->setObjectName(QString::fromUtf8(name));
    label->setMinimumWidth(60);
    m_werte << label;
    return label;
}

void frmStatistik::aufbauen()
{
    auto beschriftung = [this](const QString& text) {
        auto* l = new QLabel(text, this);
        m_beschriftungen << l;
        return l;
    };
    auto* fenster = new QVBoxLayout(this);
    fenster->setContentsMargins(0, 0, 0, 8);

    auto* band = beschriftung(QStringLiteral("Statistik"));
    band->setObjectName(QStringLiteral("Label1"));
    band->setAutoFillBackground(true);
    QPalette grau = band->palette();
    grau.setColor(QPalette::Window, QColor(192, 192, 192));
    band->setPalette(grau);
    QFont gross = band->font();
    gross.setPointSizeF(gross.pointSizeF() * 1.6);
    gross.setBold(true);
    band->setFont(gross);
    band->setContentsMargins(12, 6, 12, 6);
    fenster->addWidget(band);

    // The lists side by side, each with its header and the count header "CDs"
    // above its first stop.
    auto* listen = new QHBoxLayout;
    listen->setContentsMargins(10, 4, 10, 4);
    const char* namen[] = {"lfFormat", "lfCat", "lfQualität", "lfMappe"};
    const char* köpfe[] = {"Formate", "Kategorien", "Qualität", "Mappe"};
    vb::ListBox** boxen[] = {&lfFormat, &lfCat, &lfQualität, &lfMappe};
    const int breiten[] = {190, 190, 110, 150};
    for (int i = 0; i < 4; ++i) {
        auto* box = new vb::ListBox(this);
        box->setObjectName(QString::fromUtf8(namen[i]));
        box->setFixedSize(breiten[i], 210);
        *boxen[i] = box;
        kopf[i] = beschriftung(QString::fromUtf8(köpfe[i]));
        auto* cds = beschriftung(QStringLiteral("CDs"));
        const int stopp = Listenarten[i].stopps.empty() ? 32 : Listenarten[i].stopps[0];
        const double einheit = vb::ListBox::dialogUnit(box->font());
        auto* kopfzeile = new QHBoxLayout;
        kopfzeile->setSpacing(0);
        kopfzeile->addWidget(kopf[i]);
        kopf[i]->setFixedWidth(int(stopp * einheit) + 2);
        kopfzeile->addWidget(cds);
        kopfzeile->addStretch();
        auto* spalte = new QVBoxLayout;
        spalte->addLayout(kopfzeile);
        spalte->addWidget(box);
        listen->addLayout(spalte);
    }
    fenster->addLayout(listen);
    int nummer = 0;
    Line1[nummer] = linie(this, nummer, false);
    fenster->addWidget(Line1[nummer++]);

    auto* unten = new QHBoxLayout;
    unten->setContentsMargins(10, 4, 10, 4);
    auto zeilen = [&](std::initializer_list<std::pair<const char*, std::pair<QLabel**, const char*>>> einträge) {
        auto* g = new QGridLayout;
        g->setVerticalSpacing(3);
        int r = 0;
        for (const auto& [text, wert] : einträge) {
            g->addWidget(beschriftung(QString::fromUtf8(text)), r, 0);
            g->addWidget(wertLabel(*wert.first, wert.second), r, 1);
            ++r;
        }
        g->setRowStretch(r, 1);
        return g;
    };
    auto senkrecht = [&] {
        Line1[nummer] = linie(this, nummer, true);
        unten->addWidget(Line1[nummer++]);
    };
    unten->addLayout(zeilen({{"DS ohne Cover:", {&lbohneCover, "lbohneCover"}},
                             {"DS ohne Info:", {&lbohneInfo, "lbohneInfo"}},
                             {"DS ohne Size:", {&lbohneSize, "lbohneSize"}},
                             {"Anzahl Deu./Engl.:", {&lbdeuengl, "lbdeuengl"}},
                             {"Anzahl Engl.:", {&lbengl, "lbengl"}},
                             {"Anzahl Deut.:", {&lbdeu, "lbdeu"}},
                             {"Anzahl ohne:", {&lbohneSP, "lbohneSP"}}}));
    senkrecht();
    auto* mitte = new QVBoxLayout;
    mitte->addLayout(zeilen({{"Anzahl Titel Gesamt:", {&lbGesamt, "lbGesamt"}},
                             {"Gesamtanzahl CDs:", {&lbCDs, "lbCDs"}},
                             {"Gesamtanzahl DVDs:", {&lbDVD, "lbDVD"}},
                             {"Anzahl Titel verliehen:", {&lbAus, "lbAus"}}}));
    Line1[nummer] = linie(this, nummer, false);
    mitte->addWidget(Line1[nummer++]);
    auto* volumen = new QGridLayout;
    volumen->setVerticalSpacing(3);
    auto* datenvolumen = beschriftung(QStringLiteral("Datenvolumen:"));
    datenvolumen->setToolTip(QStringLiteral("Grob geschätztes Datenvolumen"));
    volumen->addWidget(datenvolumen, 0, 0, 1, 3);
    const std::pair<const char*, std::pair<QLabel**, const char*>> gb[] = {
        {"CDs:", {&lbByte, "lbByte"}}, {"DVDs:", {&lbDVDs, "lbDVDs"}}, {"Gesamt:", {&lbByteges, "lbByteges"}}};
    for (int r = 0; r < 3; ++r) {
        volumen->addWidget(beschriftung(QString::fromUtf8(gb[r].first)), r + 1, 0);
        QLabel* wert = wertLabel(*gb[r].second.first, gb[r].second.second);
        wert->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        volumen->addWidget(wert, r + 1, 1);
        volumen->addWidget(beschriftung(QStringLiteral("GB")), r + 1, 2);
    }
    mitte->addLayout(volumen);
    mitte->addStretch();
    unten->addLayout(mitte);
    senkrecht();
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(beschriftung(QStringLiteral("orginal DVDs:")));
    rechts->addWidget(wertLabel(lborgDVD, "lborgDVD"));
    rechts->addSpacing(8);
    rechts->addWidget(beschriftung(QStringLiteral("kopierte DVD:")));
    rechts->addWidget(wertLabel(lbkopDVD, "lbkopDVD"));
    rechts->addStretch();
    unten->addLayout(rechts);
    senkrecht();
    auto* ganzRechts = new QVBoxLayout;
    ganzRechts->addWidget(beschriftung(QStringLiteral("Sortierung:")));
    optWert = new QRadioButton(QStringLiteral("Text"), this);
    optWert->setObjectName(QStringLiteral("optWert"));
    optAnzahl = new QRadioButton(QStringLiteral("Zahl"), this);
    optAnzahl->setObjectName(QStringLiteral("optAnzahl"));
    ganzRechts->addWidget(optWert);
    ganzRechts->addWidget(optAnzahl);
    ganzRechts->addStretch();
    cmdStatistikExcell = new QPushButton(QStringLiteral("Excel Ausg."), this);
    cmdStatistikExcell->setObjectName(QStringLiteral("cmdStatistikExcell"));
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    ganzRechts->addWidget(cmdStatistikExcell);
    ganzRechts->addWidget(cmdOK);
    unten->addLayout(ganzRechts);
    fenster->addLayout(unten);
    // The remaining lines of the array frame the lower area.
    while (nummer < int(Line1.size())) {
        Line1[nummer] = linie(this, nummer, false);
        Line1[nummer]->hide();
        ++nummer;
    }

    QLineEdit** versteckt[] = {&tfCDAnzahl, &tfDVDAnzahl, &tfCDSize, &tfDVDSize};
    const char* versteckteNamen[] = {"tfCDAnzahl", "tfDVDAnzahl", "tfCDSize", "tfDVDSize"};
    for (int i = 0; i < 4; ++i) {
        *versteckt[i] = new QLineEdit(this);
        (*versteckt[i])->setObjectName(QString::fromUtf8(versteckteNamen[i]));
        (*versteckt[i])->hide();
    }
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
