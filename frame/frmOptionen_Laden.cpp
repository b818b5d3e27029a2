// The settings window: loading, the click handlers, saving and its own look.
#include "frame/Aussehen.h"
#include "frame/CdIni.h"
#include "frame/frmOptionen.h"
#include "platform/ini/IniFile.h"
#include "platform/vb/VbRuntime.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString Weiß = QStringLiteral("16777215");
const QString Schwarz = QStringLiteral("0");

struct Schlüssel {
    const char* section;
    const char* key;
    QString frmOptionen::Werte::*wert;
};

// The keys of the window's reader, in its reading order.
const Schlüssel Lesefolge[] = {
    {"Funktionen", "Edit Mode", &frmOptionen::Werte::editMode},
    {"Design", "Default", &frmOptionen::Werte::standard},
    {"Design", "TextFarbe", &frmOptionen::Werte::textFarbe},
    {"Design", "TextFont", &frmOptionen::Werte::textFont},
    {"Design", "TextBold", &frmOptionen::Werte::textBold},
    {"Design", "TextSize", &frmOptionen::Werte::textSize},
    {"Design", "Backcolor", &frmOptionen::Werte::backcolor},
    {"Design", "Deutsch", &frmOptionen::Werte::deutsch},
    {"Design", "Englisch", &frmOptionen::Werte::englisch},
    {"Design", "DeuEngl", &frmOptionen::Werte::deuEngl},
    {"Funktionen", "Cover Normal", &frmOptionen::Werte::coverNormal},
    {"Funktionen", "Sortierung", &frmOptionen::Werte::sortierung},
    {"Funktionen", "Sortierungsfunktion", &frmOptionen::Werte::sortierungsfunktion},
    {"Funktionen", "6tes Feld", &frmOptionen::Werte::sechstesFeld},
    {"Funktionen", "AusleiherListe", &frmOptionen::Werte::ausleiherListe},
    {"Funktionen", "Erinnerungsfunktion", &frmOptionen::Werte::erinnerungsfunktion},
    {"Funktionen", "Erinnerungsintervall", &frmOptionen::Werte::erinnerungsintervall},
    {"Funktionen", "Formatfilter", &frmOptionen::Werte::formatfilter},
    {"URL", "Film", &frmOptionen::Werte::film},
    {"Design", "Hintergrundfarbe", &frmOptionen::Werte::hintergrundfarbe},
};

// The keys of the save, in its writing order ("Cd.ini").
const Schlüssel Speicherfolge[] = {
    {"Design", "TextFarbe", &frmOptionen::Werte::textFarbe},
    {"Design", "TextFont", &frmOptionen::Werte::textFont},
    {"Design", "TextBold", &frmOptionen::Werte::textBold},
    {"Design", "TextSize", &frmOptionen::Werte::textSize},
    {"Design", "Backcolor", &frmOptionen::Werte::backcolor},
    {"Design", "Deutsch", &frmOptionen::Werte::deutsch},
    {"Design", "Englisch", &frmOptionen::Werte::englisch},
    {"Design", "DeuEngl", &frmOptionen::Werte::deuEngl},
    {"Design", "Hintergrundfarbe", &frmOptionen::Werte::hintergrundfarbe},
    {"URL", "Film", &frmOptionen::Werte::film},
    {"Funktionen", "Erinnerungsintervall", &frmOptionen::Werte::erinnerungsintervall},
    {"Funktionen", "Formatfilter", &frmOptionen::Werte::formatfilter},
};

bool istFarbe(const QString& t) { return frame::vbFarbe(t).has_value(); }
bool nichtLeer(const QString& t) { return !t.trimmed().isEmpty(); }
bool istFett(const QString& t) { return frame::vbWahrheitswert(t).has_value(); }
bool istGröße(const QString& t) { return frame::vbSchriftgrad(t).has_value(); }

// The defaults of the failed load, each with the test that keeps a stored value.
struct Standardwert {
    const char* key;
    const char* wert;
    QString frmOptionen::Werte::*variable;
    bool (*brauchbar)(const QString&);
};

const Standardwert DesignStandard[] = {
    {"TextFarbe", "0", &frmOptionen::Werte::textFarbe, istFarbe},
    {"TextFont", "Arial", &frmOptionen::Werte::textFont, nichtLeer},
    {"TextBold", "Falsch", &frmOptionen::Werte::textBold, istFett},
    {"TextSize", "8", &frmOptionen::Werte::textSize, istGröße},
    {"Backcolor", "16777215", &frmOptionen::Werte::backcolor, istFarbe},
    {"Deutsch", "dt", &frmOptionen::Werte::deutsch, nichtLeer},
    {"Englisch", "en", &frmOptionen::Werte::englisch, nichtLeer},
    {"DeuEngl", "dt / en", &frmOptionen::Werte::deuEngl, nichtLeer},
    {"Hintergrundfarbe", "0", &frmOptionen::Werte::hintergrundfarbe, nichtLeer},
};

const char* const FeldwortStandard[7] = {"Mappe", "Qualität", "Format", "Titel", "Anzahl CDs", "Ausleiher", "Kategorie"};

QString an(const QAbstractButton* b, const char* ja = "1", const char* nein = "0")
{
    return QString::fromUtf8(b->isChecked() ? ja : nein);
}

}  // namespace

ini::IniFile frmOptionen::cdIni() const
{
    return frame::cdIni(m_services);
}

ini::IniFile frmOptionen::deutschLng() const
{
    // The field words live in this file whatever "Sprache" names.
    return ini::IniFile(m_services.file(QStringLiteral("deutsch.lng")));
}

void frmOptionen::schreibe(const char* section, const char* key, const QString& wert)
{
    const ini::IniFile datei = cdIni();
    if (!datei.write(QString::fromUtf8(section), QString::fromUtf8(key), wert))
        frame::nichtGespeichert(m_services, {datei.path()});
}

void frmOptionen::przInilesen()
{
    const ini::IniFile datei = cdIni();
    for (const auto& s : Lesefolge)
        m_werte.*(s.wert) = datei.read(QString::fromUtf8(s.section), QString::fromUtf8(s.key));
}

void frmOptionen::przLabellesen()
{
    const ini::IniFile datei = deutschLng();
    for (int i = 0; i < 7; ++i)
        m_feldwort[i] = datei.read(QStringLiteral("Hauptfenster"), QStringLiteral("Label%1").arg(i + 1));
}

void frmOptionen::Form_Load()
{
    if (ladeDurchgang(false))
        return;
    m_services.messages->msgBox(QStringLiteral("unbekannter Fehler! Setze Standardwerte."), sys::mb::OkOnly,
                                sys::programTitle());
    standardwerteSchreiben();
    if (ladeDurchgang(false))
        return;
    // The file did not take the defaults: open with them all the same.
    ladeDurchgang(true);
}

bool frmOptionen::ladeDurchgang(bool standardwerte)
{
    przInilesen();
    przLabellesen();
    if (standardwerte)
        standardwerteEinsetzen();
    for (int i = 0; i < 7; ++i) {
        m_tfLabel[i]->setText(m_feldwort[i]);
        m_label[i]->setText(m_feldwort[i]);
    }
    tfTage->setText(m_werte.erinnerungsintervall);
    chkSortFK->setText(feldwort(3) + QStringLiteral(", ") + feldwort(7));
    chkSortKF->setText(feldwort(7) + QStringLiteral(", ") + feldwort(3));
    tfDeutsch->setText(m_werte.deutsch);
    tfEnglisch->setText(m_werte.englisch);
    tfDeuEngl->setText(m_werte.deuEngl);
    if (m_werte.standard != Schwarz) {
        if (!przFarbe() || !przFont())
            return false;
    }

    // Checking a box runs its handler, which writes the value back.
    const std::pair<QCheckBox*, bool> häkchen[] = {
        {chkSortierungsfunktion, m_werte.sortierungsfunktion == QLatin1String("1")},
        {chkSortFK, m_werte.sortierung == QLatin1String("FK")},
        {chkSortKF, m_werte.sortierung == QLatin1String("KF")},
        {chkWer, m_werte.sechstesFeld == QLatin1String("W")},
        {chkAnz, m_werte.sechstesFeld == QLatin1String("A")},
        {chkDefault, m_werte.standard == QLatin1String("0")},
        {chkEditMode, m_werte.editMode == QLatin1String("1")},
        {chkCovernormal, m_werte.coverNormal == QLatin1String("1")},
    };
    for (const auto& [box, gesetzt] : häkchen)
        if (gesetzt)
            box->setChecked(true);

    const QString coverUpdate = m_services.userStore->getSetting(QStringLiteral("Settings"), QStringLiteral("Cover Update"));
    if (coverUpdate == QLatin1String("1")) {
        chkCovernormal->setEnabled(false);
        if (m_werte.coverNormal == QLatin1String("1"))
            chkCovernormal->setEnabled(true);
    }

    if (!m_werte.film.isEmpty())
        tfFilmURL->setText(m_werte.film);

    if (m_werte.ausleiherListe == QLatin1String("alle"))
        optAusalle->setChecked(true);
    else if (m_werte.ausleiherListe == QLatin1String("akt"))
        optAusakt->setChecked(true);

    if (m_werte.erinnerungsfunktion == QLatin1String("1"))
        chkErinnerungsfunktion->setChecked(true);
    if (m_werte.hintergrundfarbe == QLatin1String("1"))
        chkHintergrundfarbe->setChecked(true);
    if (m_werte.formatfilter == QLatin1String("1"))
        chkFormatfilter->setChecked(true);
    return true;
}

void frmOptionen::standardwerteSchreiben()
{
    // Only what is empty or cannot be converted: the user's other words stay.
    const ini::IniFile datei = cdIni();
    for (const auto& s : DesignStandard) {
        const QString key = QString::fromUtf8(s.key);
        if (!s.brauchbar(datei.read(QStringLiteral("Design"), key)))
            datei.write(QStringLiteral("Design"), key, QString::fromUtf8(s.wert));
    }
    const ini::IniFile lng = deutschLng();
    for (int i = 0; i < 7; ++i) {
        const QString key = QStringLiteral("Label%1").arg(i + 1);
        if (!nichtLeer(lng.read(QStringLiteral("Hauptfenster"), key)))
            lng.write(QStringLiteral("Hauptfenster"), key, QString::fromUtf8(FeldwortStandard[i]));
    }
}

void frmOptionen::standardwerteEinsetzen()
{
    for (const auto& s : DesignStandard)
        if (!s.brauchbar(m_werte.*(s.variable)))
            m_werte.*(s.variable) = QString::fromUtf8(s.wert);
    for (int i = 0; i < 7; ++i)
        if (!nichtLeer(m_feldwort[i]))
            m_feldwort[i] = QString::fromUtf8(FeldwortStandard[i]);
}

// --- Check boxes and option buttons: each writes its key at once ----------

void frmOptionen::chkDefault_Click()
{
    schreibe("Design", "Default", an(chkDefault, "0", "1"));
}

void frmOptionen::chkEditMode_Click()
{
    schreibe("Funktionen", "Edit Mode", an(chkEditMode));
}

void frmOptionen::chkCovernormal_Click()
{
    if (chkCovernormal->isChecked()) {
        schreibe("Funktionen", "Cover Normal", QStringLiteral("1"));
        return;
    }
    schreibe("Funktionen", "Cover Normal", QStringLiteral("0"));
    if (m_services.userStore->getSetting(QStringLiteral("Settings"), QStringLiteral("Cover Update")) != QLatin1String("1"))
        m_services.messages->msgBox(
            QStringLiteral("Bitte führen Sie Tools aus und betätigen Sie den Cover-Schalter für das Cover-Update!"),
            sys::mb::OkOnly | sys::mb::Exclamation, QStringLiteral("Cover-Update"));
}

void frmOptionen::chkSortierungsfunktion_Click()
{
    schreibe("Funktionen", "Sortierungsfunktion", an(chkSortierungsfunktion));
    if (!chkSortierungsfunktion->isChecked())
        m_services.messages->msgBox(
            QStringLiteral("Programm muss neu gestartet werden damit die Sortierfelder ausgeblendet werden!"),
            sys::mb::OkOnly | sys::mb::Information, QStringLiteral("Sortierungsfunktion"));
}

void frmOptionen::paarGeklickt(QCheckBox* box, QCheckBox* partner, const char* key, const char* wert)
{
    // The pair acts as two option buttons: the chosen one cannot be clicked.
    if (!box->isChecked())
        return;
    schreibe("Funktionen", key, QString::fromUtf8(wert));
    box->setEnabled(false);
    partner->setChecked(false);
    partner->setEnabled(true);
}

void frmOptionen::chkSortKF_Click()
{
    paarGeklickt(chkSortKF, chkSortFK, "Sortierung", "KF");
}

void frmOptionen::chkSortFK_Click()
{
    paarGeklickt(chkSortFK, chkSortKF, "Sortierung", "FK");
}

void frmOptionen::chkWer_Click()
{
    paarGeklickt(chkWer, chkAnz, "6tes Feld", "W");
}

void frmOptionen::chkAnz_Click()
{
    paarGeklickt(chkAnz, chkWer, "6tes Feld", "A");
}

void frmOptionen::optAusalle_Click()
{
    schreibe("Funktionen", "AusleiherListe", QStringLiteral("alle"));
}

void frmOptionen::optAusakt_Click()
{
    schreibe("Funktionen", "AusleiherListe", QStringLiteral("akt"));
}

void frmOptionen::chkErinnerungsfunktion_Click()
{
    schreibe("Funktionen", "Erinnerungsfunktion", an(chkErinnerungsfunktion));
}

void frmOptionen::chkFormatfilter_Click()
{
    m_werte.formatfilter = an(chkFormatfilter);
    schreibe("Funktionen", "Formatfilter", m_werte.formatfilter);
}

void frmOptionen::chkHintergrundfarbe_Click()
{
    m_werte.hintergrundfarbe = an(chkHintergrundfarbe);
    schreibe("Design", "Hintergrundfarbe", m_werte.hintergrundfarbe);
}

// --- Colours and font ---------------------------------------------------------

namespace {

long anfangsfarbe(const QString& wert, long sonst)
{
    const auto f = frame::vbFarbe(wert);
    return f ? frame::vbFarbnummer(*f) : sonst;
}

}  // namespace

void frmOptionen::cmdFarbe_Click()
{
    if (!m_services.dialogs)
        return;
    const auto farbe = m_services.dialogs->chooseColor(anfangsfarbe(m_werte.textFarbe, 0));
    if (!farbe)
        return;  // a cancel writes nothing
    tfColor->setText(QString::number(*farbe));
    schreibe("Design", "TextFarbe", tfColor->text());
}

void frmOptionen::cmdFarbeBack_Click()
{
    if (!m_services.dialogs)
        return;
    const auto farbe = m_services.dialogs->chooseColor(anfangsfarbe(m_werte.backcolor, 16777215));
    if (!farbe)
        return;  // a cancel writes nothing and applies nothing
    tfBackcolor->setText(QString::number(*farbe));
    schreibe("Design", "Backcolor", tfBackcolor->text());
}

void frmOptionen::tfColor_Change()
{
    if (!tfColor->text().isEmpty())
        m_werte.textFarbe = tfColor->text();
}

void frmOptionen::tfBackcolor_Change()
{
    m_werte.backcolor = tfBackcolor->text();
    cmdÜbernehmen_Click();
}

void frmOptionen::cmdFont_Click()
{
    const auto wahl = m_services.dialogs ? m_services.dialogs->chooseFont({}, QStringLiteral("Schriftart ändern")) : std::nullopt;
    if (!wahl) {
        m_werte.textFont = QStringLiteral("Arial");
        m_werte.textBold = QStringLiteral("0");
        m_werte.textSize = QStringLiteral("9,75");
        return;
    }
    m_werte.textFont = wahl->name;
    if (wahl->name.isEmpty()) {
        m_services.messages->msgBox(QStringLiteral("Bitte Font auswählen! - Wähle automatisch Font 'Arial' aus..."),
                                    sys::mb::OkOnly, sys::programTitle());
        m_werte.textFont = QStringLiteral("Arial");
        return;
    }
    m_werte.textBold = wahl->bold ? QStringLiteral("Wahr") : QStringLiteral("Falsch");
    m_werte.textSize = vb::cstr(wahl->size);
}

// --- Save, OK, Apply, Cancel ----------------------------------------------------

bool frmOptionen::przOptionenSpeichern()
{
    for (int i = 0; i < 7; ++i) {
        m_label[i]->setText(m_tfLabel[i]->text());
        m_feldwort[i] = m_tfLabel[i]->text();
    }
    m_werte.deutsch = tfDeutsch->text();
    m_werte.englisch = tfEnglisch->text();
    m_werte.deuEngl = tfDeuEngl->text();
    m_werte.film = tfFilmURL->text();
    m_werte.erinnerungsintervall = tfTage->text();

    QStringList fehlgeschlagen;
    const auto merke = [&](const ini::IniFile& datei, bool geschrieben) {
        if (!geschrieben && !fehlgeschlagen.contains(datei.path()))
            fehlgeschlagen << datei.path();
    };
    const ini::IniFile datei = cdIni();
    for (const auto& s : Speicherfolge)
        merke(datei, datei.write(QString::fromUtf8(s.section), QString::fromUtf8(s.key), m_werte.*(s.wert)));
    const ini::IniFile lng = deutschLng();
    for (int i = 0; i < 7; ++i)
        merke(lng, lng.write(QStringLiteral("Hauptfenster"), QStringLiteral("Label%1").arg(i + 1), m_feldwort[i]));
    if (fehlgeschlagen.isEmpty())
        return true;
    frame::nichtGespeichert(m_services, fehlgeschlagen);
    return false;
}

void frmOptionen::cmdOK_Click()
{
    if (tfColor->text().isEmpty())
        tfColor->setText(m_werte.textFarbe);
    // Not saved: the window stays open with what the user entered.
    if (!przOptionenSpeichern())
        return;
    przFarbe();
    przFont();
    if (m_hauptfenster)
        m_hauptfenster->przAktualisieren();
    close();
}

void frmOptionen::cmdÜbernehmen_Click()
{
    if (tfColor->text().isEmpty())
        tfColor->setText(m_werte.textFarbe);
    // Not saved: loading again would replace what the user entered by the file's values.
    if (!przOptionenSpeichern())
        return;
    Form_Load();
    przFarbe();
    przFont();
    if (m_hauptfenster)
        m_hauptfenster->przAktualisieren();
}

void frmOptionen::cmdAbbrechen_Click()
{
    // What the boxes wrote stays written.
    close();
}

// --- The window's own look --------------------------------------------------------

QList<QAbstractButton*> frmOptionen::schaltflächen() const
{
    return {chkDefault, chkEditMode, chkCovernormal, chkSortierungsfunktion, chkSortKF, chkSortFK, chkWer,
            chkAnz, optAusalle, optAusakt, chkErinnerungsfunktion, chkFormatfilter, chkHintergrundfarbe};
}

bool frmOptionen::przFarbe()
{
    const auto text = frame::vbFarbe(m_werte.textFarbe);
    const auto hinten = frame::vbFarbe(m_werte.backcolor);
    const QList<QAbstractButton*> knöpfe = schaltflächen();
    if (text) {
        for (QLabel* l : m_labels)
            frame::setzeTextfarbe(l, *text);
        for (QAbstractButton* b : knöpfe)
            frame::setzeTextfarbe(b, *text);
    }
    if (hinten) {
        frame::setzeHintergrund(this, *hinten);
        for (QAbstractButton* b : knöpfe)
            frame::setzeHintergrund(b, *hinten);
    }
    if (const auto linie = frame::linienfarbe(m_werte.backcolor, m_werte.textFarbe, true))
        for (QFrame* l : m_line)
            frame::setzeLinienfarbe(l, *linie);
    // On pure black or white the next colouring and the next save take the
    // contrasting text colour; the controls keep the one just applied.
    if (m_werte.backcolor == Schwarz)
        m_werte.textFarbe = Weiß;
    else if (m_werte.backcolor == Weiß)
        m_werte.textFarbe = Schwarz;
    return text && hinten;
}

bool frmOptionen::przFont()
{
    const QString name = m_werte.textFont;
    const bool mitName = !name.trimmed().isEmpty();
    const auto grad = frame::vbSchriftgrad(m_werte.textSize);
    const auto fett = frame::vbWahrheitswert(m_werte.textBold);
    auto setze = [&](QWidget* w, bool mitFett) {
        if (mitName)
            frame::setzeSchriftname(w, name);
        if (grad)
            frame::setzeSchriftgrad(w, *grad);
        if (mitFett && fett)
            frame::setzeFett(w, *fett);
    };
    // The heading of the language labels keeps its font; its group is never bold.
    for (QLabel* l : m_labels)
        if (l != m_sprachÜberschrift)
            setze(l, !m_sprachLabels.contains(l));
    for (QAbstractButton* b : schaltflächen())
        setze(b, false);
    // An empty name is left out; only the bold word and the size can fail.
    return grad && fett;
}
