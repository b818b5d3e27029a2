#include "tools/frmTools.h"

#include "frame/Aussehen.h"
#include "frame/CdIni.h"
#include "frame/Programme.h"
#include "frame/Windowskatalog.h"
#include "platform/db/FileRename.h"
#include "platform/db/LockFile.h"
#include "platform/system/Dateigrund.h"
#include "platform/vb/Formular.h"
#include "tools/Datagrid.h"
#include "tools/frmNeuDB.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cerrno>
#include <unistd.h>

namespace {

const QString DB = QStringLiteral("DB");
const QString DBName0 = QStringLiteral("DB Name0");
const QString DBName1 = QStringLiteral("DB Name1");
const QString TitelUmbenennen = QStringLiteral("Umbennennen");
// The database names are read into a buffer of 50 characters.
constexpr int NamenPuffer = 50;

// "Cd.ini" keeps a name on one line and reads it back without one pair of
// enclosing quotes; a name it would not give back as typed would leave
// "DB Name0" naming no file.
bool inIniHaltbar(const QString& name)
{
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return false;
    }
    return !(name.size() >= 2 && name.front() == name.back()
             && (name.front() == QLatin1Char('"') || name.front() == QLatin1Char('\'')));
}

}  // namespace

frmTools::frmTools(const sys::Services& services, QWidget* parent)
    : QWidget(parent),
      m_services(services),
      m_neuDB(services.singleWindows.slot<frmNeuDB>()),
      m_datagrid(services.singleWindows.slot<Datagrid>())
{
    aufbauen();
}

frmTools::~frmTools()
{
    delete m_neuDB.data();
    delete m_datagrid.data();
}

void frmTools::aufbauen()
{
    setObjectName(QStringLiteral("frmTools"));
    setWindowTitle(QStringLiteral("Tools"));
    m_optionen = new QButtonGroup(this);
    steuerelementeBauen();
    layoutSetzen();
    verbinden();
}

void frmTools::steuerelementeBauen()
{
    using F = frmTools;
    using vb::ziel;
    // By row from top to bottom; the labels are the elements of Label1. The
    // three text boxes at the end lie outside the visible area in the
    // original: hidden here.
    static constexpr vb::Steuerelement<F> Steuerelemente[] = {
        {ziel<&F::m_label1, 5>, "Label1_5", {}, "Datenbank auswählen:"},
        {ziel<&F::cmbDBU>, "cmbDBU", {}},
        {ziel<&F::cmdKomp>, "cmdKomp", {}, "DB &komprimieren"},
        {ziel<&F::cmdDBAnsicht>, "cmdDBAnsicht", {}, "Tabellen-Ansicht"},
        {ziel<&F::m_label1, 4>, "Label1_4", {}, "Datenfelder ändern", "", vb::fett},
        {ziel<&F::optFormat>, "optFormat", {}, "Format"},
        {ziel<&F::optMappe>, "optMappe", {}, "Mappe"},
        {ziel<&F::optCat>, "optCat", {}, "Kategorie"},
        {ziel<&F::optQualität>, "optQualität", {}, "Qualität"},
        {ziel<&F::optDatum>, "optDatum", {}, "Datum"},
        {ziel<&F::m_label1, 6>, "Label1_6", {}, "Alter Wert"},
        {ziel<&F::cmbCombo>, "cmbCombo", {}, "", "", vb::editierbar},
        {ziel<&F::m_label1, 7>, "Label1_7", {}, "Neuer Wert"},
        {ziel<&F::cmbCombo1>, "cmbCombo1", {}, "", "", vb::editierbar},
        {ziel<&F::cmdÄndern>, "cmdÄndern", {}, "&ändern"},
        {ziel<&F::m_label1, 3>, "Label1_3", {}, "Hier bitte die aktuelle Datenbank wählen:"},
        {ziel<&F::cmbDB>, "cmbDB", {}},
        {ziel<&F::m_label1, 1>, "Label1_1", {}, "Datenbank umbenennen:", "", vb::fett},
        {ziel<&F::m_label1, 2>, "Label1_2", {}, "Alter DB-Name"},
        {ziel<&F::tfDB1>, "tfDB1", {}},
        {ziel<&F::m_label1, 0>, "Label1_0", {}, "Neuer DB-Name"},
        {ziel<&F::tfDB0>, "tfDB0", {}},
        {ziel<&F::cmdDBrename>, "cmdDBrename", {}, "DB &umbenennen"},
        {ziel<&F::cmdCreateDB>, "cmdCreateDB", {}, "&Neue DB"},
        {ziel<&F::cmdWindowsKatalog>, "cmdWindowsKatalog", {}, "Windows-Katalog übernehmen…",
         "Übernimmt einen Katalog der Windows-Fassung (.mdb) als neue Datenbank; die Windows-Datei bleibt unverändert."},
        {ziel<&F::cmdCoversumbenennen>, "cmdCoversumbenennen", {}, "Cover",
         "Ändert alle hinterlegten Covers von absolutem zu relativen Pfad. Ist nicht mehr rückgängig zu machen!"},
        {ziel<&F::cmdEnde>, "cmdEnde", {}, "&Ende"},
        {ziel<&F::cmdOK>, "cmdOK", {}, "&RVX"},
        {ziel<&F::Line1>, "Line1", {}},
        {ziel<&F::Line2>, "Line2", {}},
        {ziel<&F::Line3>, "Line3", {}},
        {ziel<&F::Line4>, "Line4", {}},
        {ziel<&F::m_tfDB, 0>, "tfDB_0", {}, "", "", vb::versteckt},
        {ziel<&F::m_tfDB, 1>, "tfDB_1", {}, "", "", vb::versteckt},
        {ziel<&F::tfDBNameNeu1>, "tfDBNameNeu1", {}, "", "", vb::versteckt},
    };
    vb::bauen(*this, this, Steuerelemente);

    // The choice of the working catalogue asks for one; the value boxes start empty.
    cmbDBU->setPlaceholderText(QStringLiteral("DB wählen"));
    for (QRadioButton* o : {optFormat, optMappe, optCat, optQualität, optDatum})
        m_optionen->addButton(o);
    for (QFrame* l : {Line1, Line2, Line3, Line4}) {
        l->setFrameShape(QFrame::HLine);
        l->setFrameShadow(QFrame::Sunken);
    }
}

void frmTools::layoutSetzen()
{
    auto* fenster = new QVBoxLayout(this);
    auto* wahl = new QGridLayout;
    wahl->addWidget(m_label1[5], 0, 0);
    wahl->addWidget(cmbDBU, 0, 1);
    wahl->addWidget(cmdKomp, 0, 2);
    wahl->addWidget(cmdDBAnsicht, 0, 3);
    wahl->setColumnStretch(1, 1);
    fenster->addLayout(wahl);
    fenster->addWidget(Line1);

    fenster->addWidget(m_label1[4]);
    auto* optionsZeile = new QHBoxLayout;
    for (QRadioButton* o : {optFormat, optMappe, optCat, optQualität, optDatum})
        optionsZeile->addWidget(o);
    optionsZeile->addStretch();
    fenster->addLayout(optionsZeile);
    auto* werte = new QGridLayout;
    werte->addWidget(m_label1[6], 0, 0);
    werte->addWidget(cmbCombo, 0, 1);
    werte->addWidget(m_label1[7], 1, 0);
    werte->addWidget(cmbCombo1, 1, 1);
    werte->addWidget(cmdÄndern, 1, 2);
    werte->setColumnStretch(1, 1);
    fenster->addLayout(werte);
    fenster->addWidget(Line2);

    auto* aktuell = new QGridLayout;
    aktuell->addWidget(m_label1[3], 0, 0);
    aktuell->addWidget(cmbDB, 0, 1);
    aktuell->setColumnStretch(1, 1);
    fenster->addLayout(aktuell);
    fenster->addWidget(Line3);

    fenster->addWidget(m_label1[1]);
    auto* umbenennen = new QGridLayout;
    umbenennen->addWidget(m_label1[2], 0, 0);
    umbenennen->addWidget(tfDB1, 0, 1);
    umbenennen->addWidget(m_label1[0], 1, 0);
    umbenennen->addWidget(tfDB0, 1, 1);
    umbenennen->addWidget(cmdDBrename, 1, 2);
    umbenennen->setColumnStretch(1, 1);
    fenster->addLayout(umbenennen);
    fenster->addWidget(Line4);

    auto* knöpfe = new QHBoxLayout;
    knöpfe->addWidget(cmdCreateDB);
    knöpfe->addWidget(cmdWindowsKatalog);
    knöpfe->addWidget(cmdCoversumbenennen);
    knöpfe->addStretch();
    knöpfe->addWidget(cmdEnde);
    knöpfe->addWidget(cmdOK);
    fenster->addLayout(knöpfe);
    // No caption of a row is cut: the window is as wide as its widest row wants.
    setMinimumWidth(qMax(vb::skaliert(520), fenster->sizeHint().width()));
}

void frmTools::verbinden()
{
    connect(cmbDBU, &QComboBox::activated, this, [this] { cmbDBU_Click(); });
    connect(cmbDB, &QComboBox::activated, this, [this] { cmbDB_Click(); });
    connect(cmdDBrename, &QPushButton::clicked, this, [this] { cmdDBrename_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdEnde, &QPushButton::clicked, this, [this] { cmdEnde_Click(); });
    connect(cmdCreateDB, &QPushButton::clicked, this, [this] { cmdCreateDB_Click(); });
    connect(cmdWindowsKatalog, &QPushButton::clicked, this, [this] { cmdWindowsKatalog_Click(); });
    connect(optFormat, &QRadioButton::clicked, this, [this] { optFormat_Click(); });
    connect(optMappe, &QRadioButton::clicked, this, [this] { optMappe_Click(); });
    connect(optCat, &QRadioButton::clicked, this, [this] { optCat_Click(); });
    connect(optQualität, &QRadioButton::clicked, this, [this] { optQualität_Click(); });
    connect(optDatum, &QRadioButton::clicked, this, [this] { optDatum_Click(); });
    connect(cmdÄndern, &QPushButton::clicked, this, [this] { cmdÄndern_Click(); });
    connect(cmdCoversumbenennen, &QPushButton::clicked, this, [this] { cmdCoversumbenennen_Click(); });
    connect(cmdKomp, &QPushButton::clicked, this, [this] { cmdKomp_Click(); });
    connect(cmdDBAnsicht, &QPushButton::clicked, this, [this] { cmdDBAnsicht_Click(); });
}

QString frmTools::katalogPfad(const QString& name) const
{
    return m_services.file(name + QStringLiteral(".mdb"));
}

void frmTools::meldung(const QString& text, int flags, const QString& titel)
{
    m_services.messages->msgBox(text, flags, titel.isEmpty() ? m_services.title : titel);
}

void frmTools::Form_Load()
{
    m_iniPfad = m_services.file(frame::CdIniName);
    frame::uebernahmeresteEntfernen(m_services);
    przInilesen();
    przListenNeu();
    if (m_look.benutzerLook())
        przFarbe();
}

void frmTools::przListenNeu()
{
    const ini::IniFile cdIni(m_iniPfad);
    m_dbName0 = cdIni.read(DB, DBName0);
    m_dbName1 = cdIni.read(DB, DBName1);
    cmbDB->clear();
    cmbDBU->clear();
    m_umbenennenQuelle = cdIni.read(DB, DBName0, NamenPuffer);
    tfDB1->setText(m_umbenennenQuelle);
    przDBListeFüllen();
    // A working catalogue that is no longer listed (renamed) is chosen anew.
    const int wahl = m_arbeitsName.isEmpty() ? -1 : cmbDBU->findText(m_arbeitsName, Qt::MatchExactly);
    cmbDBU->setCurrentIndex(wahl);
    if (wahl < 0) {
        m_arbeitsName.clear();
        m_arbeitsPfad.clear();
    }
}

QString frmTools::schreibschutz(const QString& pfad)
{
    // As the file system sees it: an immutable file or a read-only mount binds root too.
    const QString ordner = QFileInfo(pfad).absolutePath();
    if (::access(QFile::encodeName(ordner).constData(), W_OK) != 0 && errno != ENOENT)
        return QStringLiteral("Der Ordner \"%1\" ist schreibgeschützt.").arg(ordner);
    if (::access(QFile::encodeName(pfad).constData(), W_OK) != 0 && errno != ENOENT)
        return QStringLiteral("Die Datenbank ist schreibgeschützt.");
    return {};
}

bool frmTools::inTabellenAnsicht(const QString& pfad, const QString& titel)
{
    if (!m_datagrid || m_datagrid->katalog().isEmpty()
        || QFileInfo(m_datagrid->katalog()).absoluteFilePath() != QFileInfo(pfad).absoluteFilePath())
        return false;
    meldung(QStringLiteral("Die Datenbank \"%1\" ist in der Tabellen-Ansicht geöffnet. Bitte erst die "
                           "Tabellen-Ansicht schließen!")
                .arg(pfad),
            sys::mb::Exclamation, titel);
    return true;
}

void frmTools::przInilesen()
{
    const ini::IniFile cdIni(m_iniPfad);
    m_look = frame::Look::lesen(cdIni);
    m_dbName0 = cdIni.read(DB, DBName0);
    m_dbName1 = cdIni.read(DB, DBName1);
}

void frmTools::przDBListeFüllen()
{
    const ini::IniFile cdIni(m_iniPfad);
    for (int i = 0; i < 2; ++i) {
        const QString name = cdIni.read(DB, QStringLiteral("DB Name%1").arg(i), NamenPuffer);
        m_tfDB[i]->setText(name);
        cmbDB->addItem(name);
        cmbDBU->addItem(name);
    }
}

void frmTools::przFarbe()
{
    // frmNeuDB is loaded hidden here and keeps this colour until it is first closed.
    if (!m_neuDB) {
        m_neuDB = new frmNeuDB(*this, this);
        m_neuDB->setAttribute(Qt::WA_DeleteOnClose);
    }
    // A colour key that is empty or no number leaves the design colour.
    const auto hinten = frame::vbFarbe(m_look.backcolor);
    const auto text = frame::vbFarbe(m_look.textFarbe);
    QRadioButton* const optionen[] = {optFormat, optMappe, optCat, optQualität, optDatum};
    if (hinten) {
        frame::setzeHintergrund(this, *hinten);
        frame::setzeHintergrund(m_neuDB, *hinten);
    }
    if (text) {
        for (QLabel* label : m_label1)
            frame::setzeTextfarbe(label, *text);
    }
    if (hinten) {
        for (QRadioButton* o : optionen)
            frame::setzeHintergrund(o, *hinten);
    }
    if (text) {
        for (QRadioButton* o : optionen)
            frame::setzeTextfarbe(o, *text);
    }
    if (const auto linien = frame::linienfarbe(m_look.backcolor, QStringLiteral("0"))) {
        for (QFrame* l : {Line1, Line2, Line3, Line4})
            frame::setzeLinienfarbe(l, *linien);
    }
}

void frmTools::cmbDBU_Click()
{
    m_arbeitsName = cmbDBU->text();
    m_arbeitsPfad = katalogPfad(m_arbeitsName);
}

void frmTools::cmbDB_Click()
{
    const ini::IniFile cdIni(m_iniPfad);
    m_dbName0 = cdIni.read(DB, DBName0, NamenPuffer);
    m_dbName1 = cdIni.read(DB, DBName1, NamenPuffer);
    if (m_dbName1.isEmpty())
        return;
    const QString wahl = cmbDB->text();
    if (m_dbName0 == wahl)
        return;
    // The main program opens the catalogue that "DB Name0" names.
    if (!QFileInfo(katalogPfad(wahl)).isFile()) {
        meldung(QStringLiteral("Die Datenbank \"%1\" gibt es nicht, Rondavex könnte sie nicht öffnen. Die aktuelle "
                               "Datenbank bleibt \"%2\".")
                    .arg(katalogPfad(wahl), m_dbName0),
                sys::mb::Exclamation, QStringLiteral("Datenbank wählen"));
        return;
    }
    m_dbName1 = m_dbName0;
    m_dbName0 = wahl.left(NamenPuffer - 1);
    cdIni.write(DB, DBName0, m_dbName0);
    cdIni.write(DB, DBName1, m_dbName1);
}

QString frmTools::umbenennenFehler(const QString& quelle, const QString& ziel, int fehler) const
{
    switch (fehler) {
    case EEXIST:
        return QStringLiteral("Die Datenbank \"%1\" gibt es schon. Bitte einen anderen Namen wählen!").arg(ziel);
    case ENOENT:
        return QStringLiteral("Die Datenbank \"%1\" wurde nicht gefunden.").arg(quelle);
    default:
        return QStringLiteral("Die Datenbank \"%1\" konnte nicht umbenannt werden:\r\n%2")
            .arg(quelle, sys::dateigrund(fehler));
    }
}

void frmTools::cmdDBrename_Click()
{
    // Cd.ini drops the blanks around a name when it is read back, so the file
    // must carry the name without them.
    const QString neu = tfDB0->text().trimmed();
    if (neu.isEmpty()) {
        meldung(QStringLiteral("Sie sollten schon einen neuen DB Namen angeben!"), sys::mb::Exclamation,
                QStringLiteral("neuen DB Namen eingeben bitte!"));
        return;
    }
    if (m_umbenennenQuelle.isEmpty())
        return;
    if (tfDB1->text().isEmpty()) {
        meldung(QStringLiteral("Sie sollten schon den alten DB Namen angeben!"), sys::mb::Exclamation,
                QStringLiteral("alten DB Namen eingeben bitte!"));
        return;
    }
    m_umbenennenQuelle = tfDB1->text();

    // A name is a file in the program folder, never a way into another folder.
    for (const QString& name : {neu, m_umbenennenQuelle}) {
        if (name.contains(QLatin1Char('/')) || name == QLatin1String(".") || name == QLatin1String("..")) {
            meldung(QStringLiteral("\"%1\" ist kein gültiger DB Name. Bitte einen Namen ohne \"/\" angeben!")
                        .arg(name),
                    sys::mb::Exclamation, TitelUmbenennen);
            return;
        }
    }
    if (!inIniHaltbar(neu)) {
        meldung(QStringLiteral("\"%1\" ist kein gültiger DB Name. Bitte einen Namen ohne Zeilenumbruch, "
                               "Steuerzeichen und umschließende Anführungszeichen angeben!")
                    .arg(neu),
                sys::mb::Exclamation, TitelUmbenennen);
        return;
    }
    const QString quelle = katalogPfad(m_umbenennenQuelle);
    const QString ziel = katalogPfad(neu);
    if (!QFileInfo(quelle).isFile()) {
        meldung(umbenennenFehler(quelle, ziel, ENOENT), sys::mb::Exclamation, TitelUmbenennen);
        return;
    }
    if (inTabellenAnsicht(quelle, TitelUmbenennen))
        return;
    if (const QString grund = schreibschutz(quelle); !grund.isEmpty()) {
        meldung(QStringLiteral("Die Datenbank \"%1\" kann nicht umbenannt werden:\r\n%2").arg(quelle, grund),
                sys::mb::Exclamation, TitelUmbenennen);
        return;
    }
    {
        // An open catalogue keeps its name: the program holding it would go on
        // writing into the renamed file.
        bool belegt = false;
        const auto sperre = db::LockFile::tryAcquire(quelle, db::LockFile::Mode::Exclusive, &belegt);
        if (!sperre) {
            meldung(belegt ? QStringLiteral("Die Datenbank \"%1\" ist geöffnet und kann nicht umbenannt werden. "
                                            "Bitte erst Rondavex schließen!")
                                 .arg(quelle)
                           : QStringLiteral("Die Datenbank \"%1\" kann nicht gesperrt werden, der Ordner ist "
                                            "schreibgeschützt.")
                                 .arg(quelle),
                    sys::mb::Exclamation, TitelUmbenennen);
            return;
        }
        int fehler = 0;
        if (!db::renameNoReplace(quelle, ziel, &fehler)) {
            meldung(umbenennenFehler(quelle, ziel, fehler), sys::mb::Exclamation, TitelUmbenennen);
            return;
        }
        // The main program opens the file that "DB Name0" names: file and key
        // change together or not at all. The second catalogue renamed is
        // "DB Name1" under its new name.
        const ini::IniFile cd = frame::cdIni(m_services);
        const bool zweiter = cd.read(DB, DBName0, NamenPuffer) != m_umbenennenQuelle
                             && cd.read(DB, DBName1, NamenPuffer) == m_umbenennenQuelle;
        if (!cd.write(DB, zweiter ? DBName1 : DBName0, neu, &fehler)) {
            meldung(zurückbenennen(quelle, ziel, fehler), sys::mb::Exclamation, TitelUmbenennen);
            return;
        }
    }
    przListenNeu();
    meldung(QStringLiteral("DB erfolgreich umbennannt."), sys::mb::Information, TitelUmbenennen);
}

QString frmTools::zurückbenennen(const QString& quelle, const QString& ziel, int fehler) const
{
    const QString grund = QStringLiteral("Der neue Name konnte nicht in \"%1\" gespeichert werden:\r\n%2\r\n")
                              .arg(m_iniPfad, sys::dateigrund(fehler));
    int zurückFehler = 0;
    if (db::renameNoReplace(ziel, quelle, &zurückFehler))
        return grund + QStringLiteral("Die Datenbank \"%1\" wurde nicht umbenannt.").arg(quelle);
    return grund
           + QStringLiteral("Die Datenbank heißt jetzt \"%1\" und konnte nicht zurückbenannt werden:\r\n%2")
                 .arg(ziel, sys::dateigrund(zurückFehler));
}

void frmTools::cmdOK_Click()
{
    // The program ends whether or not the start succeeded.
    m_services.shell->start(m_services.executable(frame::HauptprogrammDatei));
    close();
}

void frmTools::cmdEnde_Click()
{
    close();
}

void frmTools::closeEvent(QCloseEvent* ereignis)
{
    Form_Unload();
    ereignis->accept();
}

void frmTools::Form_Unload()
{
    if (m_beendet)
        return;
    m_beendet = true;
    // Every window goes and every connection with it, so the ".ldb" files go too.
    if (m_neuDB)
        m_neuDB->close();
    if (m_datagrid)
        m_datagrid->close();
    delete m_neuDB.data();
    delete m_datagrid.data();
    if (isVisible())
        hide();
    QCoreApplication::quit();
}
