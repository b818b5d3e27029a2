#include "lending/frmStatistikAusleihe.h"

#include "frame/Aussehen.h"
#include "frame/CdIni.h"
#include "frame/Einmalfenster.h"
#include "frame/FillCombo.h"
#include "frame/Hauptfenster.h"
#include "frame/Sprache.h"
#include "lending/Katalogverbindung.h"
#include "platform/db/RowReader.h"
#include "platform/db/SqlFunctions.h"
#include "platform/vb/Formular.h"
#include "platform/vb/VbControls.h"
#include "reports/ExcelAusgabe.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <span>
#include <vector>

const QString frmStatistikAusleihe::Mappe = QStringLiteral("StatistikAusleihe.xls");

namespace {

const frame::Sprachzeile StatistikTexte[] = {
    {"Statistik Ausleihe", "Caption", "", frame::Eigenschaft::Fenstertitel},
    {"Statistik Ausleihe", "Titel", "Label_0", frame::Eigenschaft::Beschriftung},
    {"Statistik Ausleihe", "Label1", "Label_1", frame::Eigenschaft::Beschriftung},
    {"Statistik Ausleihe", "Label2", "Label_2", frame::Eigenschaft::Beschriftung},
    {"Statistik Ausleihe", "Label2", "Label_4", frame::Eigenschaft::Beschriftung},
    {"Statistik Ausleihe", "Label2", "Label_5", frame::Eigenschaft::Beschriftung},
    {"Statistik Ausleihe", "Label3", "Label_3", frame::Eigenschaft::Beschriftung},
    {"Statistik Ausleihe", "Label4", "Label_6", frame::Eigenschaft::Beschriftung},
    {"Statistik Ausleihe", "Label5", "Label_8", frame::Eigenschaft::Beschriftung},
    {"Statistik Ausleihe", "Label6", "Label_9", frame::Eigenschaft::Beschriftung},
    {"Statistik Ausleihe", "Label7", "Label_7", frame::Eigenschaft::Beschriftung},
    {"Statistik Ausleihe", "Opt1", "optWert", frame::Eigenschaft::Beschriftung},
    {"Statistik Ausleihe", "Opt2", "optAnzahl", frame::Eigenschaft::Beschriftung},
    {"Statistik Ausleihe", "Button1", "cmdDatenlöschen", frame::Eigenschaft::Beschriftung},
    {"Statistik Ausleihe", "Button2", "cmdStatistikExcell", frame::Eigenschaft::Beschriftung},
    {"Statistik Ausleihe", "Button3", "cmdOK", frame::Eigenschaft::Beschriftung},
};

// The derived tables keep the catalogue's text rules, and the counts stay
// numbers for the workbook.
const char* const Neubau[] = {
    "DROP TABLE IF EXISTS AusleiheZahlen",
    "CREATE TABLE AusleiheZahlen (Titel TEXT COLLATE NOCASE, Anzahl INTEGER)",
    "INSERT INTO AusleiheZahlen (Titel, Anzahl) SELECT Titel, count(Titel) FROM Ausleihe "
    "WHERE Titel IS NOT NULL AND Titel <> '' GROUP BY Titel COLLATE DEUTSCH",
    "DROP TABLE IF EXISTS AusleiheWer",
    "CREATE TABLE AusleiheWer (Wer TEXT COLLATE NOCASE, Anzahl INTEGER)",
    "INSERT INTO AusleiheWer (Wer, Anzahl) SELECT Wer, count(Wer) FROM Ausleihe "
    "WHERE Wer IS NOT NULL AND Wer <> '' GROUP BY Wer COLLATE DEUTSCH",
    "DROP TABLE IF EXISTS AusleiheMappe",
    "CREATE TABLE AusleiheMappe (Mappe TEXT COLLATE NOCASE, Anzahl INTEGER)",
    "INSERT INTO AusleiheMappe (Mappe, Anzahl) SELECT Mappe, count(Titel) FROM Filme WHERE Wer <> '-' "
    "GROUP BY Mappe COLLATE DEUTSCH",
};

const char* const Ausgabetabelle[] = {
    "DROP TABLE IF EXISTS StatistikAusleihe",
    "CREATE TABLE StatistikAusleihe (Titel TEXT COLLATE NOCASE, Anzahl INTEGER)",
    "INSERT INTO StatistikAusleihe (Titel, Anzahl) SELECT Titel, Anzahl FROM AusleiheZahlen ORDER BY Anzahl DESC",
    "INSERT INTO StatistikAusleihe (Titel) VALUES ('NeueZeile')",
    "INSERT INTO StatistikAusleihe (Titel, Anzahl) SELECT Wer, Anzahl FROM AusleiheWer ORDER BY Anzahl DESC",
    "INSERT INTO StatistikAusleihe (Titel) VALUES ('NeueZeile')",
    "INSERT INTO StatistikAusleihe (Titel, Anzahl) SELECT Mappe, Anzahl FROM AusleiheMappe ORDER BY Anzahl DESC",
};

const char* const Löschen[] = {
    "DROP TABLE IF EXISTS StatistikAusleihe",
    "DROP TABLE IF EXISTS AusleiheZahlen",
    "DROP TABLE IF EXISTS AusleiheWer",
    // Keeps the table's own definition: the log is empty, not gone.
    "DELETE FROM Ausleihe",
};

void alleAusführen(db::Database& datenbank, std::span<const char* const> statements)
{
    db::Database::Transaction transaktion(datenbank);
    for (const char* sql : statements)
        datenbank.execute(QString::fromUtf8(sql));
    transaktion.commit();
}

void linie(QFrame* l, QFrame::Shape form)
{
    l->setFrameShape(form);
    l->setFrameShadow(QFrame::Sunken);
}

}  // namespace

frmStatistikAusleihe::frmStatistikAusleihe(const sys::Services& services, frame::Hauptfenster& hauptfenster,
                                           QWidget* parent)
    : QDialog(parent), m_services(services), m_hauptfenster(hauptfenster)
{
    setObjectName(QStringLiteral("frmStatistikAusleihe"));
    setWindowTitle(QStringLiteral("Ausleih - Statistik"));
    using F = frmStatistikAusleihe;
    using vb::ziel;
    static constexpr vb::Steuerelement<F> Steuerelemente[] = {
        {ziel<&F::lfAusleihe>, "lfAusleihe", {}},
        {ziel<&F::lfWer>, "lfWer", {}},
        {ziel<&F::lfAusleiheMappe>, "lfAusleiheMappe", {}},
        {ziel<&F::lbAusleiheZahlen>, "lbAusleiheZahlen", {}},
        {ziel<&F::lbAusleiheMappe>, "lbAusleiheMappe", {}},
        {ziel<&F::optWert>, "optWert", {}, "Text"},
        {ziel<&F::optAnzahl>, "optAnzahl", {}, "Zahl"},
        {ziel<&F::cmdStatistikExcell>, "cmdStatistikExcell", {}, "Excel Ausg."},
        {ziel<&F::cmdDatenlöschen>, "cmdDatenlöschen", {}, "Daten löschen"},
        {ziel<&F::cmdOK>, "cmdOK", {}, "&OK"},
        {ziel<&F::m_label, 0>, "Label_0", {}, "Ausleih - Statistik", "", vb::fett},
        {ziel<&F::m_label, 1>, "Label_1", {}, "Titel"},
        {ziel<&F::m_label, 2>, "Label_2", {}, "Ausleihen"},
        {ziel<&F::m_label, 3>, "Label_3", {}, "Ausleiher"},
        {ziel<&F::m_label, 4>, "Label_4", {}, "Ausleihen"},
        {ziel<&F::m_label, 5>, "Label_5", {}, "Ausleihen"},
        {ziel<&F::m_label, 6>, "Label_6", {}, "Mappe"},
        {ziel<&F::m_label, 7>, "Label_7", {}, "Sortierung:"},
        {ziel<&F::m_label, 8>, "Label_8", {}, "Gesamtanzahl ausgeliehener Titel bisher:"},
        {ziel<&F::m_label, 9>, "Label_9", {}, "Verliehene Titel:"},
        {ziel<&F::m_line1, 0>, "Line1_0", {}},
        {ziel<&F::m_line1, 1>, "Line1_1", {}},
        {ziel<&F::m_line1, 2>, "Line1_2", {}},
        {ziel<&F::m_line1, 3>, "Line1_3", {}, "", "", vb::versteckt},
        {ziel<&F::m_line1, 4>, "Line1_4", {}},
        {ziel<&F::m_line1, 5>, "Line1_5", {}},
        {ziel<&F::m_line1, 6>, "Line1_6", {}, "", "", vb::versteckt},
        {ziel<&F::Line4>, "Line4", {}, "", "", vb::versteckt},
    };
    vb::bauen(*this, this, Steuerelemente);

    // The first four lines run across, the others down.
    for (int i = 0; i < 7; ++i)
        linie(Line1(i), i < 4 ? QFrame::HLine : QFrame::VLine);
    linie(Line4, QFrame::HLine);
    QFont groß = Label(0)->font();
    groß.setPointSizeF(groß.pointSizeF() * 1.4);
    Label(0)->setFont(groß);
    // Each list a little wider than its tab stop and a count.
    lfAusleihe->setFixedSize(vb::skaliert(340), vb::skaliert(260));
    lfWer->setFixedSize(vb::skaliert(180), vb::skaliert(260));
    lfAusleiheMappe->setFixedSize(vb::skaliert(190), vb::skaliert(260));
    for (QPushButton* k : {cmdStatistikExcell, cmdDatenlöschen, cmdOK})
        k->setAutoDefault(false);

    auto* raster = new QGridLayout(this);
    raster->addWidget(Label(0), 0, 0, 1, 5);
    raster->addWidget(Line1(0), 1, 0, 1, 5);
    auto kopf = [&](int spalte, QLabel* links, QLabel* rechts) {
        auto* zeile = new QHBoxLayout;
        zeile->addWidget(links);
        zeile->addStretch();
        zeile->addWidget(rechts);
        raster->addLayout(zeile, 2, spalte);
    };
    kopf(0, Label(1), Label(2));
    kopf(2, Label(3), Label(4));
    kopf(4, Label(6), Label(5));
    raster->addWidget(lfAusleihe, 3, 0);
    raster->addWidget(Line1(4), 2, 1, 2, 1);
    raster->addWidget(lfWer, 3, 2);
    raster->addWidget(Line1(5), 2, 3, 2, 1);
    raster->addWidget(lfAusleiheMappe, 3, 4);
    raster->addWidget(Line1(1), 4, 0, 1, 5);

    auto* summen = new QGridLayout;
    summen->addWidget(Label(8), 0, 0);
    summen->addWidget(lbAusleiheZahlen, 0, 1);
    summen->addWidget(Label(9), 1, 0);
    summen->addWidget(lbAusleiheMappe, 1, 1);
    summen->setColumnStretch(2, 1);
    raster->addLayout(summen, 5, 0, 1, 3);
    auto* sortierung = new QHBoxLayout;
    sortierung->addWidget(Label(7));
    sortierung->addWidget(optWert);
    sortierung->addWidget(optAnzahl);
    sortierung->addStretch();
    raster->addLayout(sortierung, 5, 4);
    raster->addWidget(Line1(2), 6, 0, 1, 5);
    auto* knöpfe = new QHBoxLayout;
    knöpfe->addWidget(cmdStatistikExcell);
    knöpfe->addWidget(cmdDatenlöschen);
    knöpfe->addStretch();
    knöpfe->addWidget(cmdOK);
    raster->addLayout(knöpfe, 7, 0, 1, 5);
    raster->addWidget(Line1(3), 8, 0, 1, 5);
    raster->addWidget(Line4, 9, 0, 1, 5);
    raster->setSizeConstraint(QLayout::SetFixedSize);

    // Chosen by the user or from code: the unchecking signal does nothing.
    connect(optWert, &QRadioButton::toggled, this, [this](bool an) {
        if (an)
            optWert_Click();
    });
    connect(optAnzahl, &QRadioButton::toggled, this, [this](bool an) {
        if (an)
            optAnzahl_Click();
    });
    connect(cmdStatistikExcell, &QPushButton::clicked, this, &frmStatistikAusleihe::cmdStatistikExcell_Click);
    connect(cmdDatenlöschen, &QPushButton::clicked, this, &frmStatistikAusleihe::cmdDatenlöschen_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmStatistikAusleihe::cmdOK_Click);
}

frmStatistikAusleihe::~frmStatistikAusleihe() = default;

frmStatistikAusleihe* frmStatistikAusleihe::zeigen(const sys::Services& services, frame::Hauptfenster& hauptfenster)
{
    return frame::einmalZeigen<frmStatistikAusleihe>(services, [&] { return new frmStatistikAusleihe(services, hauptfenster); });
}

bool frmStatistikAusleihe::Form_Load()
{
    przInilesen();
    if (m_sortierung.isEmpty() || m_sortierung == QLatin1String("Wert"))
        optWert->setChecked(true);
    else if (m_sortierung == QLatin1String("Anzahl"))
        optAnzahl->setChecked(true);

    if (!m_datenbank || m_datenbank->path() != ausleihe::katalogPfad(m_services, m_dbName)) {
        m_datenbank = ausleihe::katalogÖffnen(m_services, m_dbName);
        if (!m_datenbank)
            return false;
    }
    // One row decides, in the order the rows were written; a missing log is an empty one.
    QVariant erster;
    try {
        erster = m_datenbank->scalar(QStringLiteral("SELECT Titel FROM Ausleihe LIMIT 1"));
    } catch (const db::DbError&) {
    }
    if (erster.isNull() || erster.toString().isEmpty()) {
        m_services.messages->msgBox(
            QStringLiteral("Noch keine Daten hinterlegt oder Daten gelöscht - Fenster wird geschlossen"),
            sys::mb::Critical, QStringLiteral("Keine Daten!"));
        return false;
    }
    if (m_look.benutzerLook())
        przFarbe();
    przSprache();
    m_dbName = m_hauptfenster.tfDBName();
    m_tabStops = {165, 70, 80};
    przAusleiheTabellen();
    przAusleiheListe();
    przAusleiheListeWer();
    przAusleiheListeMappe();
    przAusleiheSumme();
    przAusleiheSummeZahlen();
    return true;
}

void frmStatistikAusleihe::przInilesen()
{
    const ini::IniFile cdIni = frame::cdIni(m_services);
    auto lesen = [&cdIni](const char* sektion, const char* schlüssel) {
        return cdIni.read(QString::fromUtf8(sektion), QString::fromUtf8(schlüssel));
    };
    m_dbName = lesen("DB", "DB Name0");
    m_look = frame::Look::lesen(cdIni);
    m_sortierung = lesen("Statistik", "Sortierung");
    m_label1Wort = lesen("Design", "Label1");
    m_sprache = lesen("Design", "Sprache");
}

void frmStatistikAusleihe::przSprache()
{
    if (m_sprache.isEmpty())
        return;
    frame::Feldwoerter wörter;
    frame::spracheAnwenden(this, frame::Sprachdatei(m_services, m_sprache), StatistikTexte, wörter);
}

void frmStatistikAusleihe::przFarbe()
{
    const auto text = frame::vbFarbe(m_look.textFarbe);
    const auto hinten = frame::vbFarbe(m_look.backcolor);
    if (hinten)
        frame::setzeHintergrund(this, *hinten);
    for (QWidget* w : {static_cast<QWidget*>(lfAusleihe), static_cast<QWidget*>(lfWer),
                       static_cast<QWidget*>(lfAusleiheMappe), static_cast<QWidget*>(optWert),
                       static_cast<QWidget*>(optAnzahl)}) {
        if (hinten)
            frame::setzeHintergrund(w, *hinten);
        if (text)
            frame::setzeTextfarbe(w, *text);
    }
    std::vector<QWidget*> beschriftet(m_label.begin(), m_label.end());
    beschriftet.push_back(lbAusleiheZahlen);
    beschriftet.push_back(lbAusleiheMappe);
    const bool schrift = !m_look.textFont.isEmpty();
    for (QWidget* w : beschriftet) {
        if (schrift)
            frame::setzeSchriftname(w, m_look.textFont);
        if (text)
            frame::setzeTextfarbe(w, *text);
    }
    if (schrift) {
        frame::setzeSchriftname(optWert, m_look.textFont);
        frame::setzeSchriftname(optAnzahl, m_look.textFont);
    }
    if (const auto farbe = frame::linienfarbe(m_look.backcolor, m_look.textFarbe, true))
        for (QFrame* l : m_line1)
            frame::setzeLinienfarbe(l, *farbe);
    Label(6)->setText(m_label1Wort);
}

db::Database* frmStatistikAusleihe::verbindung()
{
    const QString pfad = ausleihe::katalogPfad(m_services, m_dbName);
    if (m_datenbank && m_datenbank->path() == pfad)
        return m_datenbank.get();
    m_datenbank.reset();
    try {
        m_datenbank = db::Database::open(pfad);
    } catch (const db::DbError&) {
    }
    return m_datenbank.get();
}

void frmStatistikAusleihe::optWert_Click()
{
    reihenfolgeGewählt(QStringLiteral("Wert"));
}

void frmStatistikAusleihe::optAnzahl_Click()
{
    reihenfolgeGewählt(QStringLiteral("Anzahl"));
}

void frmStatistikAusleihe::reihenfolgeGewählt(const QString& wert)
{
    frame::cdIni(m_services).write(QStringLiteral("Statistik"), QStringLiteral("Sortierung"), wert);
    przAusleiheListe();
    przAusleiheListeWer();
    przAusleiheListeMappe();
}

void frmStatistikAusleihe::przAusleiheTabellen()
{
    db::Database* datenbank = verbindung();
    if (!datenbank)
        return;
    try {
        db::Database::Transaction transaktion(*datenbank);
        for (const char* sql : Neubau)
            datenbank->tryExecute(QString::fromUtf8(sql));
        transaktion.commit();
    } catch (const db::DbError&) {
    }
}

void frmStatistikAusleihe::przAusleiheListe()
{
    listeFüllen(lfAusleihe, m_tabStops[0] ? m_tabStops[0] : 165, QStringLiteral("AusleiheZahlen"),
                QStringLiteral("Titel"));
}

void frmStatistikAusleihe::przAusleiheListeWer()
{
    listeFüllen(lfWer, m_tabStops[1] ? m_tabStops[1] : 70, QStringLiteral("AusleiheWer"), QStringLiteral("Wer"));
}

void frmStatistikAusleihe::przAusleiheListeMappe()
{
    listeFüllen(lfAusleiheMappe, m_tabStops[2] ? m_tabStops[2] : 80, QStringLiteral("AusleiheMappe"),
                QStringLiteral("Mappe"));
}

void frmStatistikAusleihe::listeFüllen(vb::ListBox* liste, int tabStop, const QString& tabelle, const QString& wert)
{
    liste->setTabStops({tabStop});
    db::Database* datenbank = verbindung();
    liste->clear();
    if (optWert->isChecked())
        m_sortierung = wert;
    else if (optAnzahl->isChecked())
        m_sortierung = QStringLiteral("Anzahl DESC");
    QStringList zeilen;
    try {
        if (!datenbank)
            throw db::DbError(db::ErrNoDatabase, QStringLiteral("Keine Datenbank geöffnet."));
        // Only the window's own terms are joined, and only on a table that has the column.
        QString ordnung;
        const QStringList spalten = datenbank->columnNames(tabelle);
        const bool nachAnzahl = m_sortierung == QLatin1String("Anzahl DESC");
        const QString spalte = nachAnzahl ? QStringLiteral("Anzahl") : m_sortierung;
        const bool eigenerBegriff = nachAnzahl || m_sortierung == QLatin1String("Titel")
                                    || m_sortierung == QLatin1String("Wer") || m_sortierung == QLatin1String("Mappe");
        if (eigenerBegriff && spalten.contains(spalte, Qt::CaseInsensitive))
            ordnung = nachAnzahl ? QStringLiteral(" order by Anzahl DESC")
                                 : QStringLiteral(" order by ") + spalte + db::kollation();
        db::RowReader zeile(*datenbank, QStringLiteral("Select * from ") + tabelle + ordnung);
        while (zeile.next())
            zeilen << zellenText(zeile, 0) + QLatin1Char('\t') + zellenText(zeile, 1);
    } catch (const db::DbError&) {
        liste->addItems(zeilen);
        przAusleiheTabellen();
        return;
    }
    liste->addItems(zeilen);
}

long frmStatistikAusleihe::dscount(const QString& sql)
{
    db::Database* datenbank = verbindung();
    if (!datenbank)
        return 0;
    try {
        return db::dscount(*datenbank, sql);
    } catch (const db::DbError&) {
        return 0;
    }
}

long frmStatistikAusleihe::dscount1(const QString& sql)
{
    return dscount(sql);
}

void frmStatistikAusleihe::przAusleiheSumme()
{
    lbAusleiheMappe->setText(QString::number(dscount(QStringLiteral("SELECT SUM(Anzahl) AS Zähler FROM AusleiheMappe;"))));
}

void frmStatistikAusleihe::przAusleiheSummeZahlen()
{
    lbAusleiheZahlen->setText(
        QString::number(dscount1(QStringLiteral("SELECT SUM(Anzahl) AS Zähler FROM AusleiheZahlen;"))));
}

// The workbook replaces an earlier one; only a workbook that was written is
// confirmed, a failure names the file and the reason and leaves the old one.
void frmStatistikAusleihe::przAusleiheExcel()
{
    auto gescheitert = [this](const QString& grund) {
        m_services.messages->msgBox(QStringLiteral("Die Excel Datei '") + Mappe
                                        + QStringLiteral("' konnte nicht geschrieben werden.\n\n") + grund,
                                    sys::mb::Critical, reports::ExcelAusgabeTitel);
    };
    db::Database* datenbank = verbindung();
    try {
        if (!datenbank)
            throw db::DbError(db::ErrNoDatabase, QStringLiteral("Keine Datenbank geöffnet."));
        alleAusführen(*datenbank, Ausgabetabelle);
    } catch (const db::DbError& e) {
        gescheitert(e.message());
        return;
    }
    reports::ExcelAusgabe ausgabe(*m_services.messages, m_services.programFolder, *datenbank);
    if (!ausgabe.schreiben(Mappe, QStringLiteral(" from StatistikAusleihe ORDER BY rowid"), {}, true)) {
        gescheitert(ausgabe.fehler());
        return;
    }
    m_services.messages->msgBox(reports::ExcelAusgabe::bestaetigung(Mappe), sys::mb::Information,
                                reports::ExcelAusgabeTitel);
}

void frmStatistikAusleihe::cmdStatistikExcell_Click()
{
    przAusleiheExcel();
}

void frmStatistikAusleihe::cmdDatenlöschen_Click()
{
    if (m_services.messages->msgBox(QStringLiteral("Wollen Sie die Daten löschen?"), sys::mb::YesNo,
                                    QStringLiteral("Daten löschen"))
        != sys::mb::Yes)
        return;
    if (m_services.messages->msgBox(QStringLiteral("Wollen Sie die Daten wirklich löschen?"), sys::mb::YesNo,
                                    QStringLiteral("Daten wirklich löschen?"))
        != sys::mb::Yes)
        return;
    try {
        db::Database* datenbank = verbindung();
        if (!datenbank)
            throw db::DbError(db::ErrNoDatabase, QStringLiteral("Keine Datenbank geöffnet."));
        alleAusführen(*datenbank, Löschen);
    } catch (const db::DbError&) {
        m_services.messages->msgBox(
            QStringLiteral("Die Daten konnten nicht gelöscht werden. Es wurde nichts gelöscht."), sys::mb::Critical,
            QStringLiteral("Daten löschen"));
        return;
    }
    m_services.messages->msgBox(QStringLiteral("Daten wurden gelöscht"), sys::mb::OkOnly,
                                QStringLiteral("Daten gelöscht"));
    close();
}

void frmStatistikAusleihe::cmdOK_Click()
{
    close();
}
