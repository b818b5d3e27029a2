#include "frame/Hintergrund.h"

#include "frame/Aussehen.h"
#include "frame/CdIni.h"
#include "platform/vb/Formular.h"
#include "platform/vb/VbRuntime.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

namespace frame {

namespace {

const QString Design = QStringLiteral("Design");
const QString Hintergrundfarbe = QStringLiteral("Hintergrundfarbe");
const QString Bild = QStringLiteral("Bild");

int pixel(float twips)
{
    return vb::pixel(int(std::lround(twips)));
}

QString element(const char* name, int index)
{
    return QString::fromUtf8(name) + QLatin1Char('_') + QString::number(index);
}

QWidget* control(QWidget* fenster, const QString& name)
{
    return fenster ? fenster->findChild<QWidget*>(name) : nullptr;
}

QLabel* bildfeld(QWidget* fenster)
{
    return fenster ? fenster->findChild<QLabel*>(QStringLiteral("Image1")) : nullptr;
}

void setzeText(QWidget* fenster, const QString& name, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(control(fenster, name)))
        label->setText(text);
}

// The label arrays for indexes 0 to 2 and 0 to 1, then the single labels.
std::vector<QString> namen(std::initializer_list<const char*> bis2, std::initializer_list<const char*> bis1,
                           std::initializer_list<const char*> einzeln)
{
    std::vector<QString> out;
    for (const char* n : bis2)
        for (int i = 0; i <= 2; ++i)
            out.push_back(element(n, i));
    for (const char* n : bis1)
        for (int i = 0; i <= 1; ++i)
            out.push_back(element(n, i));
    for (const char* n : einzeln)
        out.push_back(QString::fromUtf8(n));
    return out;
}

const std::vector<QString>& farbLabels()
{
    static const std::vector<QString> n =
        namen({"lbFormat", "lbQualität", "lbMappe", "lbCat"}, {"lbTitel", "lbWer"},
              {"lbAnzahl", "Datum", "Ausgeliehen", "Label3", "Label4", "Label5", "Label6", "Titel", "lbAnzahlSel",
               "lbAnzahlF", "Label1", "lbUnterordner"});
    return n;
}

// Titel and Label1 keep their design font.
const std::vector<QString>& schriftLabels()
{
    static const std::vector<QString> n =
        namen({"lbFormat", "lbQualität", "lbMappe", "lbCat"}, {"lbTitel", "lbWer"},
              {"lbAnzahl", "lbAnzahlF", "lbAnzahlSel", "Datum", "Ausgeliehen", "Label3", "Label4", "Label5", "Label6",
               "lbUnterordner"});
    return n;
}

const std::vector<QString>& fettLabels()
{
    static const std::vector<QString> n =
        namen({"lbFormat", "lbQualität", "lbMappe", "lbCat"}, {"lbTitel", "lbWer"}, {"lbAnzahl", "Label4", "Label6"});
    return n;
}

// The shipped starting settings name the picture relative to the program folder.
QString bildpfad(const sys::Services& services, const QString& bild)
{
    if (QDir::isRelativePath(bild))
        return services.file(bild);
    return bild;
}

// Loads the picture into the image control. An image that was never fitted
// takes the picture's own size; a fitted one keeps its rectangle.
bool bildLaden(QLabel* image, const QString& pfad)
{
    if (!image)
        return false;
    QPixmap bild;
    if (!QFileInfo(pfad).isFile() || !bild.load(pfad))
        return false;
    image->setPixmap(bild);
    if (!image->hasScaledContents())
        image->resize(bild.size());
    return true;
}

const QString ErsterStartText = QStringLiteral(
    "Neue Variable in die ini Datei geschrieben. Sie können nun auch eine Hintergrundfarbe anstatt eines Bildes "
    "für das Hauptfenster wählen. (Optionen, Hintergrundfarbe, mit oder ohne ' inkl. Main'");
const QString ErsterStartTitel =
    QStringLiteral("Achtung: Neue Funktion! Neuer Wert wurde in die ini Datei eingetragen.");
const QString ErsatzText = QStringLiteral("Bitte ein Hintergrundbild wählen. Standard wird gesetzt.");

// The picture stretched over its new rectangle and shown: hidden while it
// moves, and moved in one step, so it repaints once.
void bildSetzen(QLabel* image, const QRect& platz)
{
    image->hide();
    image->setScaledContents(true);
    image->setGeometry(platz);
    image->show();
}

}  // namespace

std::optional<Einpassung> einpassen(float breite, float hoehe, float x, float y, bool zentrieren, Bildmass bild)
{
    // The original divides by the sides; an empty area or picture has nothing to fit.
    if (!(breite > 0.0f) || !(hoehe > 0.0f) || !(bild.breite > 0.0f) || !(bild.hoehe > 0.0f))
        return std::nullopt;
    const float flaechenverhaeltnis = breite / hoehe;
    const float bildverhaeltnis = bild.breite / bild.hoehe;
    // The spare room rounded to even and halved with the remainder dropped; a
    // room no whole number holds leaves nothing to fit.
    const auto versatz = [zentrieren](float rest) -> std::optional<float> {
        if (!zentrieren)
            return 0.0f;
        const auto ganz = vb::roundHalfEven(double(rest));
        return ganz ? std::optional<float>(float(*ganz / 2)) : std::nullopt;
    };
    Einpassung e;
    std::optional<float> versatzX = 0.0f;
    std::optional<float> versatzY = 0.0f;
    if (flaechenverhaeltnis >= bildverhaeltnis) {
        e.hoehe = hoehe;
        e.breite = bild.breite / (bild.hoehe / hoehe);
        versatzX = versatz(breite - e.breite);
    } else {
        e.breite = breite;
        e.hoehe = bild.hoehe / (bild.breite / breite);
        versatzY = versatz(hoehe - e.hoehe);
    }
    if (!versatzX || !versatzY)
        return std::nullopt;
    e.links = x + *versatzX;
    e.oben = y + *versatzY;
    return e;
}

bool AdjustImageToRect(QLabel* image, float breite, float hoehe, float x, float y, bool zentrieren, Bildmass bild)
{
    if (!image)
        return false;
    const auto e = einpassen(breite, hoehe, x, y, zentrieren, bild);
    if (!e)
        return false;
    bildSetzen(image, QRect(pixel(e->links), pixel(e->oben), pixel(e->breite), pixel(e->hoehe)));
    return true;
}

std::optional<Einpassung> bedecken(float breite, float hoehe, Bildmass bild)
{
    if (!(breite > 0.0f) || !(hoehe > 0.0f) || !(bild.breite > 0.0f) || !(bild.hoehe > 0.0f))
        return std::nullopt;
    const float faktor = std::max(breite / bild.breite, hoehe / bild.hoehe);
    Einpassung e;
    e.breite = bild.breite * faktor;
    e.hoehe = bild.hoehe * faktor;
    e.links = (breite - e.breite) / 2.0f;
    e.oben = (hoehe - e.hoehe) / 2.0f;
    return e;
}

void Form_Resize(QWidget* fenster)
{
    QLabel* image = bildfeld(fenster);
    if (!image || !image->isVisibleTo(fenster) || fenster->isMinimized())
        return;
    // In whole pixels: a side less than a pixel over the area's is the area's
    // (the designed size fits exactly), a longer one is rounded up, so no row
    // or column of the area is left bare.
    const QWidget* flaeche = image->parentWidget();
    const auto e = bedecken(float(flaeche->width()), float(flaeche->height()));
    if (!e)
        return;
    const auto seite = [](float bild, int raum) { return bild < float(raum) + 1.0f ? raum : int(std::ceil(bild)); };
    const int breite = seite(e->breite, flaeche->width());
    const int hoehe = seite(e->hoehe, flaeche->height());
    bildSetzen(image, QRect((flaeche->width() - breite) / 2, (flaeche->height() - hoehe) / 2, breite, hoehe));
}

void przLabel(QWidget* fenster, const Feldwoerter& feldwort, const Einstellungen& werte)
{
    // A list mode moves this header, widens the headers to its words and hides
    // lbMappe(1); this restores the normal layout.
    if (QWidget* qualitaet = control(fenster, QStringLiteral("lbQualität_1")))
        qualitaet->move(vb::pixel(6240), qualitaet->y());
    const std::pair<const char*, int> köpfe[] = {{"lbCat_1", 1620}, {"lbFormat_1", 1020}, {"lbQualität_1", 900}};
    for (const auto& [name, breite] : köpfe) {
        if (QWidget* kopf = control(fenster, QString::fromUtf8(name)))
            kopf->resize(vb::pixel(breite), kopf->height());
    }
    for (const char* n : {"lbMappe_1", "lbWer_1"}) {
        if (QWidget* w = control(fenster, QString::fromUtf8(n)); w && w->isHidden())
            w->show();
    }

    for (int i = 0; i <= 2; ++i) {
        setzeText(fenster, element("lbMappe", i), feldwort.label[0]);
        setzeText(fenster, element("lbQualität", i), feldwort.label[1]);
        setzeText(fenster, element("lbFormat", i), feldwort.label[2]);
        setzeText(fenster, element("lbCat", i), feldwort.label[6]);
    }
    for (int i = 0; i <= 1; ++i) {
        setzeText(fenster, element("lbTitel", i), feldwort.label[3]);
        setzeText(fenster, element("lbWer", i), feldwort.label[5]);
    }
    setzeText(fenster, QStringLiteral("lbAnzahl"), feldwort.label[4]);

    const std::pair<const char*, int> menue[] = {
        {"mnuMappe", 0}, {"mnuQualität", 1}, {"mnuFormat", 2}, {"mnuKategorie", 6}};
    for (const auto& [name, wort] : menue) {
        if (fenster) {
            if (auto* eintrag = fenster->findChild<QAction*>(QString::fromUtf8(name)))
                eintrag->setText(feldwort.label[size_t(wort)]);
        }
    }

    // The header at the left names the first of the two middle columns of the list.
    const bool kategorieZuerst = werte.sortierung == QLatin1String("KF");
    setzeText(fenster, QStringLiteral("lbCat_1"), kategorieZuerst ? feldwort.label[6] : feldwort.label[2]);
    setzeText(fenster, QStringLiteral("lbFormat_1"), kategorieZuerst ? feldwort.label[2] : feldwort.label[6]);
}

bool przFarbe(QWidget* fenster, const Einstellungen& werte)
{
    const auto farbe = vbFarbe(werte.textFarbe);
    if (!farbe)
        return false;
    for (const QString& name : farbLabels())
        setzeTextfarbe(control(fenster, name), *farbe);
    return true;
}

bool przFont(QWidget* fenster, const Einstellungen& werte)
{
    for (const QString& name : schriftLabels())
        setzeSchriftname(control(fenster, name), werte.textFont);
    const auto fett = vbWahrheitswert(werte.textBold);
    if (!fett)
        return false;
    for (const QString& name : fettLabels())
        setzeFett(control(fenster, name), *fett);
    const auto punkte = vbSchriftgrad(werte.textSize);
    if (!punkte)
        return false;
    for (const QString& name : fettLabels())
        setzeSchriftgrad(control(fenster, name), *punkte);
    return true;
}

void przBild(QWidget* fenster, const sys::Services& services, const Einstellungen& werte)
{
    const ini::IniFile ini = cdIni(services);
    QLabel* image = bildfeld(fenster);

    // Any failure on the way ends in the wallpaper fallback below.
    const bool gezeigt = [&] {
        QString modus = ini.read(Design, Hintergrundfarbe);
        if (modus.isEmpty()) {
            ini.write(Design, Hintergrundfarbe, QStringLiteral("0"));
            if (services.messages)
                services.messages->msgBox(ErsterStartText, sys::mb::OkOnly | sys::mb::Information, ErsterStartTitel);
            modus = QStringLiteral("0");
        }
        if (modus != QLatin1String("0")) {
            const auto farbe = vbFarbe(werte.backcolor);
            if (!farbe || !fenster)
                return false;
            setzeHintergrund(fenster, *farbe);
            if (image)
                image->hide();
            return true;
        }
        const QString bild = ini.read(Design, Bild);
        if (bild.isEmpty() || !bildLaden(image, bildpfad(services, bild)))
            return false;
        AdjustImageToRect(image, Innenbreite, Innenhoehe, 0, 0, true);
        return true;
    }();
    if (gezeigt)
        return;

    if (services.messages)
        services.messages->msgBox(ErsatzText, sys::mb::OkOnly, sys::programTitle());
    // Kept as the desktop names it: file names differ by case here.
    const QString wallpaper = services.desktop ? services.desktop->wallpaper() : QString();
    if (wallpaper.isEmpty())
        return;
    ini.write(Design, Bild, wallpaper);
    // Not fitted here: the next resize or przBild fits it.
    bildLaden(image, wallpaper);
}

const std::array<Bildeintrag, 6>& bildeintraege()
{
    static const std::array<Bildeintrag, 6> eintraege{{
        {"picLacs", "Lacs", "lacs.jpg"},
        {"picForet", "Foret", "foret.jpg"},
        {"picBug", "Bug", "bug.jpg"},
        {"picVoyager", "Voyager", "Voyager.jpg"},
        {"picDesert", "Desert", "desert.jpg"},
        {"picSpace", "Space", "space.jpg"},
    }};
    return eintraege;
}

namespace {

// A chosen picture is shown once "Cd.ini" holds it; otherwise the old one stays.
void bildSpeichern(QWidget* fenster, const sys::Services& services, const Einstellungen& werte, const QString& bild)
{
    const ini::IniFile ini = cdIni(services);
    if (!ini.write(Design, Bild, bild)) {
        nichtGespeichert(services, {ini.path()});
        return;
    }
    przBild(fenster, services, werte);
}

}  // namespace

void bildeintragWaehlen(QWidget* fenster, const sys::Services& services, const Einstellungen& werte,
                        const QString& datei)
{
    bildSpeichern(fenster, services, werte, services.file(QStringLiteral("bilder/") + datei));
}

void przBildAuswahl(QWidget* fenster, const sys::Services& services, const Einstellungen& werte)
{
    if (!services.dialogs)
        return;
    const QString filter = QStringLiteral("Bilddateien (*.bmp *.jpg *.jpeg)");
    const QString ordner =
        services.userStore ? services.userStore->getSetting(QStringLiteral("Datei"), QStringLiteral("Pfad"), {})
                           : QString();
    const QString datei = services.dialogs->openFile(QString(), ordner, filter);
    if (datei.isEmpty())
        return;
    // The folder keeps its trailing separator.
    const QString pfad = datei.left(datei.size() - QFileInfo(datei).fileName().size());
    if (services.userStore)
        services.userStore->saveSetting(QStringLiteral("Datei"), QStringLiteral("Pfad"), pfad);
    bildSpeichern(fenster, services, werte, datei);
}

}  // namespace frame
