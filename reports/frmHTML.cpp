#include "reports/frmHTML.h"

#include "frame/Aussehen.h"
#include "frame/CdIni.h"
#include "frame/Eingabekombi.h"
#include "frame/Einmalfenster.h"
#include "frame/FillCombo.h"
#include "frame/Sprache.h"
#include "platform/db/Database.h"
#include "platform/db/SqlFunctions.h"
#include "platform/vb/Formular.h"
#include "platform/vb/VbControls.h"
#include "platform/vb/VbLike.h"
#include "platform/vb/VbRuntime.h"
#include "reports/Dateifehler.h"
#include "reports/HTMLBericht.h"
#include "reports/Zeilenquelle.h"

#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace reports {

bool HTMLShowReport(const sys::Services& services, const QString& datei)
{
    return services.shell->open(datei);
}

}  // namespace reports

namespace {

constexpr int Kappe = 10;
constexpr int ZeilenProSeite = 100;

// "2" as "2.00", "2,5" as "2.50"; a text that is no number stays as it is.
QString qualitätszahl(const QString& text)
{
    const std::optional<double> zahl = vb::cdbl(text);
    return zahl ? QString::number(*zahl, 'f', 2) : text;
}

QString distinkt(const char* spalte)
{
    const QString s = QString::fromUtf8(spalte);
    return QStringLiteral("Select Distinct %1%2 AS %1 from Filme Order by %1%2").arg(s, db::kollation());
}

// The column each selection box lists, in the family order of `frmHTML::Box`.
const char* const Boxspalten[] = {"Mappe", "Format", "Qualität", "Wer", "Cat"};

using E = frame::Eigenschaft;
constexpr const char* H = "HTML";
constexpr const char* F = "Hauptfenster";

// The keys in their reading order; the built tooltips follow in przSprache.
const frame::Sprachzeile Sprachtabelle[] = {
    {H, "Button1", "cmdAlle", E::Beschriftung},
    {H, "ButtonText1", "cmdAlle", E::Tooltip},
    {H, "Button2", "cmdAusleihen", E::Beschriftung},
    {H, "ButtonText2", "cmdAusleihen", E::Tooltip},
    {H, "Button3", "cmdAktAusleihen", E::Beschriftung},
    {H, "ButtonText3", "cmdAktAusleihen", E::Tooltip},
    {H, "Caption", "", E::Fenstertitel},
    {F, "Label1", "lbMappe", E::Beschriftung},
    {F, "Label1", "optMappe", E::Beschriftung},
    {F, "Label1", "", E::Feldwort, 1},
    {F, "Label2", "lbQualität", E::Beschriftung},
    {F, "Label2", "optQualität", E::Beschriftung},
    {F, "Label2", "", E::Feldwort, 2},
    {F, "Label3", "lbFormat", E::Beschriftung},
    {F, "Label3", "", E::Feldwort, 3},
    {F, "Label7", "lbCat", E::Beschriftung},
    {F, "Label7", "optCat", E::Beschriftung},
    {F, "Label7", "", E::Feldwort, 7},
    {F, "Label6", "lbWer", E::Beschriftung},
    {F, "Label6", "optWerAus", E::Beschriftung},
    {F, "Label6", "", E::Feldwort, 6},
    {F, "Label4", "optTitel", E::Beschriftung},
    {F, "Label4", "optTitelAus", E::Beschriftung},
    {F, "Label4", "", E::Feldwort, 4},
    {H, "Label1", "Label1", E::Beschriftung},
    {H, "Label2", "Label2", E::Beschriftung},
};

}  // namespace

frmHTML::frmHTML(const sys::Services& services, frame::Hauptfenster& hauptfenster)
    : QWidget(nullptr), m_services(services), m_hauptfenster(hauptfenster)
{
    setObjectName(QStringLiteral("frmHTML"));
    setWindowTitle(reports::HTMLFenstertitel);
    aufbauen();
}

frmHTML::~frmHTML() = default;

frmHTML* frmHTML::zeigen(const sys::Services& services, frame::Hauptfenster& hauptfenster)
{
    return frame::einmalZeigen<frmHTML>(services, [&] { return new frmHTML(services, hauptfenster); });
}

void frmHTML::aufbauen()
{
    using F = frmHTML;
    using vb::ziel;
    static constexpr vb::Steuerelement<F> Steuerelemente[] = {
        {ziel<&F::Label1>, "Label1", {240, 150, 3000, 300}, "Selektionsfelder", "", vb::fett},
        {ziel<&F::lbMappe>, "lbMappe", {240, 705, 1200, 300}, "Mappe"},
        {ziel<&F::lbQualität>, "lbQualität", {240, 1215, 1200, 300}, "Qualität"},
        {ziel<&F::lbFormat>, "lbFormat", {240, 1725, 1200, 300}, "Format"},
        {ziel<&F::lbCat>, "lbCat", {240, 2235, 1200, 300}, "Kategorie"},
        {ziel<&F::lbWer>, "lbWer", {240, 2745, 1200, 300}, "Wer"},
        {ziel<&F::cmbMappe>, "cmbMappe", {1500, 660, 2100, 390}, "", "Bitte eine Mappe zum exportieren wählen",
         vb::editierbar},
        {ziel<&F::cmbQualität>, "cmbQualität", {1500, 1170, 2100, 390}, "",
         "Bitte eine Qualitätsstufe zum exportieren wählen.", vb::editierbar},
        {ziel<&F::cmbFormat>, "cmbFormat", {1500, 1680, 2100, 390}, "", "Bitte ein Format zum exportieren wählen.",
         vb::editierbar},
        {ziel<&F::cmbCat>, "cmbCat", {1500, 2190, 2100, 390}, "", "Bitte eine Kategorie zum exportieren wählen.",
         vb::editierbar},
        {ziel<&F::cmbWer>, "cmbWer", {1500, 2700, 2100, 390}, "", "Bitte einen Ausleiher zum exportieren wählen.",
         vb::editierbar},
        {ziel<&F::cmdAlle>, "cmdAlle", {3780, 660, 1260, 420}, "&Alle", "Alle Datensätze in HTML exportieren."},
        {ziel<&F::Label2>, "Label2", {5550, 150, 1950, 300}, "Sortierung", "", vb::fett},
        {ziel<&F::optTitel>, "optTitel", {5550, 660, 1950, 360}, "Titel", "sortiert nach Titel"},
        {ziel<&F::optQualität>, "optQualität", {5550, 1110, 1950, 360}, "Qualität", "sortiert nach Qualität"},
        {ziel<&F::optCat>, "optCat", {5550, 1560, 1950, 360}, "Kategorie", "sortiert nach Kategorie"},
        {ziel<&F::optMappe>, "optMappe", {5550, 2010, 1950, 360}, "Mappe", "sortiert nach Mappe"},
        {ziel<&F::cmdAusleihen>, "cmdAusleihen", {240, 3480, 2250, 420}, "A&usleihen"},
        {ziel<&F::cmdAktAusleihen>, "cmdAktAusleihen", {240, 3990, 2250, 420}, "&aktive Ausleihen"},
        {ziel<&F::optTitelAus>, "optTitelAus", {2700, 3510, 1650, 360}, "Titel"},
        {ziel<&F::optWerAus>, "optWerAus", {2700, 4020, 1650, 360}, "Wer"},
        {ziel<&F::cmdUnterordner>, "cmdUnterordner", {5550, 3480, 1950, 420}, "Unterordner"},
        {ziel<&F::Line1, 0>, "Line1_0", {150, 3270, 7500, 45}},
        {ziel<&F::Line1, 1>, "Line1_1", {5250, 600, 45, 2550}},
        {ziel<&F::Line1, 2>, "Line1_2", {150, 480, 7500, 45}},
    };
    setFixedSize(vb::pixel(7800), vb::pixel(4950));
    vb::bauen(*this, this, Steuerelemente);
    Line1[0]->setFrameShape(QFrame::HLine);
    Line1[1]->setFrameShape(QFrame::VLine);
    Line1[2]->setFrameShape(QFrame::HLine);
    // The design look, dark blue with white texts, until the user's look replaces it.
    frame::setzeHintergrund(this, *frame::vbFarbe(QStringLiteral("8388608")));
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, Label2, lbMappe, lbQualität, lbFormat, lbCat, lbWer,
                                                      optTitel, optQualität, optCat, optMappe, optTitelAus, optWerAus})
        frame::setzeTextfarbe(w, Qt::white);
    // All six options share the window as their container: one group.
    optTitelAus->setChecked(true);
    verbinden();
}

void frmHTML::verbinden()
{
    m_boxen = {cmbMappe, cmbFormat, cmbQualität, cmbWer, cmbCat};
    for (const Box b : {Mappe, Qualitaet, Format, Cat, Wer}) {
        vb::ComboBox* box = m_boxen[size_t(b)];
        // Selection boxes: no entry field behind them and nothing for Enter to do.
        new frame::Eingabekombi(box, nullptr, Kappe, {},
                                {.enterNimmt = false, .enterFügtEin = false, .muster = true});
        connect(box, &QComboBox::activated, this, [this, b] { cmb_Click(b); });
    }
    const std::pair<QRadioButton*, const char*> sortierung[] = {
        {optTitel, "Titel"}, {optQualität, "Qualität"}, {optCat, "Cat"}, {optMappe, "Mappe"},
        {optTitelAus, "Titel"}, {optWerAus, "Wer"}};
    for (const auto& [o, feld] : sortierung) {
        const QString f = QString::fromUtf8(feld);
        connect(o, &QRadioButton::toggled, this, [this, f](bool an) {
            if (an)
                SortFeld = f;
        });
    }
    connect(cmdAlle, &QPushButton::clicked, this, [this] { cmdAlle_Click(); });
    connect(cmdAusleihen, &QPushButton::clicked, this, [this] { przExportAusleihen(); });
    connect(cmdAktAusleihen, &QPushButton::clicked, this, [this] { przExportAktAusleihen(); });
    connect(cmdUnterordner, &QPushButton::clicked, this, [this] { przUnterordner(); });
}

void frmHTML::Form_Load()
{
    przInilesen();
    przSprache();
    if (m_look.benutzerLook())
        przFarbe();
    m_dbName = m_hauptfenster.tfDBName();
    przFormatFüllen();
    przQualitätFüllen();
    przMappeFüllen();
    przWerFüllen();
    przCatFüllen();
    if (optTitel->isChecked() || optTitelAus->isChecked())
        SortFeld = QStringLiteral("Titel");
}

void frmHTML::przInilesen()
{
    const ini::IniFile cdIni = frame::cdIni(m_services);
    m_look = frame::Look::lesen(cdIni);
    m_sprache = cdIni.read(QStringLiteral("Design"), QStringLiteral("Sprache"));
}

// The option tooltips start with [HTML] "Opt1", the box tooltips end with
// [Hauptfenster] "cmb4" (the quality box's with "cmb5", joined without a blank).
void frmHTML::przSprache()
{
    if (m_sprache.isEmpty())
        return;
    const frame::Sprachdatei datei(m_services, m_sprache);
    frame::Feldwoerter w;
    frame::spracheAnwenden(this, datei, Sprachtabelle, w);
    const QString o = datei.text(QStringLiteral("HTML"), QStringLiteral("Opt1"));
    const QString b = datei.text(QStringLiteral("Hauptfenster"), QStringLiteral("cmb4"));
    const QString b5 = datei.text(QStringLiteral("Hauptfenster"), QStringLiteral("cmb5"));
    const QString blank = QStringLiteral(" ");
    optTitel->setToolTip(o + blank + w.titel());
    optTitelAus->setToolTip(o + blank + w.titel());
    optQualität->setToolTip(o + blank + w.qualitaet());
    optCat->setToolTip(o + blank + w.kategorie());
    optMappe->setToolTip(o + blank + w.mappe());
    optWerAus->setToolTip(o + blank + w.ausleiher());
    cmbMappe->setToolTip(w.mappe() + blank + b + blank);
    cmbFormat->setToolTip(w.format() + blank + b + blank);
    cmbCat->setToolTip(w.kategorie() + blank + b + blank);
    cmbWer->setToolTip(w.ausleiher() + blank + b + blank);
    cmbQualität->setToolTip(w.qualitaet() + b5 + blank);
}

void frmHTML::przFarbe()
{
    const auto text = frame::vbFarbe(m_look.textFarbe);
    const auto hinten = frame::vbFarbe(m_look.backcolor);
    for (QLabel* l : {lbMappe, lbQualität, lbFormat, lbWer, lbCat})
        frame::setzeSchriftname(l, m_look.textFont);
    const std::initializer_list<QRadioButton*> optionen = {optTitel, optQualität, optCat,
                                                           optMappe, optTitelAus, optWerAus};
    if (text) {
        for (QWidget* l : std::initializer_list<QWidget*>{lbMappe, lbQualität, lbFormat, lbWer, lbCat, Label1, Label2})
            frame::setzeTextfarbe(l, *text);
        for (QRadioButton* o : optionen)
            frame::setzeTextfarbe(o, *text);
    }
    if (hinten) {
        frame::setzeHintergrund(this, *hinten);
        for (QRadioButton* o : optionen)
            frame::setzeHintergrund(o, *hinten);
    }
    if (const auto farbe = frame::linienfarbe(m_look.backcolor, m_look.textFarbe))
        for (QFrame* l : Line1)
            frame::setzeLinienfarbe(l, *farbe);
}

bool frmHTML::öffnen()
{
    m_datenbank.reset();
    try {
        m_datenbank = db::Database::open(m_services.file(m_dbName + QStringLiteral(".mdb")));
        return true;
    } catch (const db::DbError&) {
        return false;
    }
}

void frmHTML::füllen(Box b)
{
    if (!öffnen())
        return;
    FillCombo(*m_boxen[size_t(b)], *m_datenbank, distinkt(Boxspalten[b]));
}

void frmHTML::przFormatFüllen()
{
    füllen(Format);
}

void frmHTML::przQualitätFüllen()
{
    füllen(Qualitaet);
}

void frmHTML::przMappeFüllen()
{
    füllen(Mappe);
}

void frmHTML::przWerFüllen()
{
    füllen(Wer);
}

void frmHTML::przCatFüllen()
{
    füllen(Cat);
}

void frmHTML::andereFüllen(Box geklickt)
{
    for (Box b : {Format, Qualitaet, Mappe, Wer, Cat})
        if (b != geklickt)
            füllen(b);
}

void frmHTML::cmb_Click(Box b)
{
    vb::ComboBox* box = m_boxen[size_t(b)];
    const int i = box->currentIndex();
    Auswahlwert = i >= 0 ? box->itemText(i) : box->currentText();
    switch (b) {
    case Mappe: przExportMappe(); break;
    case Format: przExportFormat(); break;
    case Qualitaet: przExportQualität(); break;
    case Wer: przExportWer(); break;
    case Cat: przExportCat(); break;
    }
}

QString frmHTML::ordnung(bool ausleihe) const
{
    QString feld = SortFeld.isEmpty() ? QStringLiteral("Titel") : SortFeld;
    // The lending log has no quality, category or folder.
    if (ausleihe && feld != QLatin1String("Titel") && feld != QLatin1String("Wer"))
        feld = QStringLiteral("Titel");
    // Equal values keep the title order, so that a report reads the same each time.
    QString term = QStringLiteral(" order by ") + feld + db::kollation();
    if (feld != QLatin1String("Titel"))
        term += QStringLiteral(", Titel") + db::kollation();
    return term + u';';
}

bool frmHTML::bericht(const QString& sql, const QVariantList& werte, const QString& datei, const QString& titel,
                      const QString& überschrift)
{
    reports::HTMLErgebnis ergebnis;
    const QString pfad = m_services.file(datei);
    if (öffnen()) {
        try {
            reports::Abfragequelle quelle(*m_datenbank, sql, werte);
            ergebnis = reports::dbTableToHTML(quelle, pfad, titel, überschrift, ZeilenProSeite);
        } catch (const db::DbError& e) {
            ergebnis.grund = QString::fromUtf8(e.what());
        }
    }
    m_datenbank.reset();
    if (!ergebnis.geschrieben) {
        const QString name = ergebnis.datei.isEmpty() ? datei : QFileInfo(ergebnis.datei).fileName();
        m_services.messages->msgBox(reports::dateiNichtGeschrieben(name), sys::mb::Critical,
                                    reports::HTMLFenstertitel);
        return false;
    }
    reports::HTMLShowReport(m_services, pfad);
    return true;
}

void frmHTML::auswahlBericht(Box b, const char* spalte, const QString& titel, const QString& überschrift)
{
    const QString s = QString::fromUtf8(spalte);
    // The quality as its text, as the main window's filter has it; the others
    // as the entry itself, whatever wildcards it holds.
    const bool qualität = b == Qualitaet;
    const QString bedingung = qualität ? s + QStringLiteral(" = ?") + db::kollation() : s + QStringLiteral(" like ?");
    bericht(QStringLiteral("Select Titel, Cat, Format, Qualität from Filme where ") + bedingung + ordnung(false),
            {qualität ? Auswahlwert : vb::literalPattern(Auswahlwert)}, QStringLiteral("CDs.HTML"), titel,
            überschrift);
    andereFüllen(b);
}

void frmHTML::przExportMappe()
{
    auswahlBericht(Mappe, "Mappe", QStringLiteral("CD Liste Mappe ") + Auswahlwert,
                   QStringLiteral("Mappe Nr. ") + Auswahlwert);
}

void frmHTML::przExportFormat()
{
    auswahlBericht(Format, "Format", QStringLiteral("CD Liste Format ") + Auswahlwert,
                   Auswahlwert + QStringLiteral("-Liste"));
}

void frmHTML::przExportQualität()
{
    const QString zahl = qualitätszahl(Auswahlwert);
    auswahlBericht(Qualitaet, "Qualität", QStringLiteral("CD Liste Qualität ") + zahl,
                   QStringLiteral("Qualität ") + zahl + QStringLiteral(" Liste"));
}

void frmHTML::przExportWer()
{
    auswahlBericht(Wer, "Wer", QStringLiteral("CD Liste Wer ") + Auswahlwert,
                   QStringLiteral("CDs ausgeliehen an ") + Auswahlwert);
}

void frmHTML::przExportCat()
{
    auswahlBericht(Cat, "Cat", QStringLiteral("CD Liste Kategorie ") + Auswahlwert,
                   QStringLiteral("CD Liste Kategorie ") + Auswahlwert);
}

void frmHTML::cmdAlle_Click()
{
    bericht(QStringLiteral("Select Titel, Cat, Format, Qualität, Mappe from Filme") + ordnung(false), {},
            QStringLiteral("CDs.HTML"), QStringLiteral("CD Liste"), QStringLiteral("CD Liste"));
    przFormatFüllen();
    przQualitätFüllen();
    przMappeFüllen();
    przWerFüllen();
    przCatFüllen();
}

void frmHTML::przExportAusleihen()
{
    bericht(QStringLiteral("Select Titel, Wer, AusDt AS AusDt, EinDt AS EinDt from Ausleihe") + ordnung(true), {},
            QStringLiteral("Ausleihen.HTML"), QStringLiteral("CD Liste bisherige Ausleihen "),
            QStringLiteral("CD Liste bisherige Ausleihen "));
}

void frmHTML::przExportAktAusleihen()
{
    bericht(QStringLiteral("Select Titel, Wer, AusDt AS AusDt from Ausleihe where EinDt is Null") + ordnung(true),
            {}, QStringLiteral("aktive Ausleihen.HTML"), QStringLiteral("CD Liste aktive Ausleihen "),
            QStringLiteral("CD Liste aktiver Ausleihen "));
}

void frmHTML::przUnterordner()
{
    bericht(QStringLiteral("Select Titel, Titel2, Format, Qualität, Mappe, Dten, Cat from Unterordner") +
                ordnung(false),
            {}, QStringLiteral("Unterordner.HTML"), QStringLiteral("CD Liste Unterordner "),
            QStringLiteral("CD Liste Unterordner "));
}
