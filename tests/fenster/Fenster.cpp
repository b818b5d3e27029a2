#include "tests/fenster/Fenster.h"

#include "catalogue/frmFilme.h"
#include "scan/frmCDeinlesen.h"
#include "scan/frmCover.h"
#include "tests/Quellordner.h"
#include "tests/catalogue/Bearbeitung.h"
#include "tests/frame/Katalogfixture.h"
#include "tests/scan/Scanfenster.h"
#include "tests/support/Kombis.h"
#include "tests/tools/ToolsFixture.h"
#include "tools/Datagrid.h"
#include "tools/frmNeuDB.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTableView>

namespace testing_support {

Sitzung::~Sitzung()
{
    QApplication::closeAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

namespace {

// ------------------------------------------------------------ opening the windows

// The catalogue program in the shipped look, with its language file, a local
// disk beside the disc drive.
struct Katalog : Sitzung {
    Katalog() : t("[Design]\r\nDefault=0\r\nSprache=deutsch.lng\r\n[Funktionen]\r\nmit HDD=1\r\n")
    {
        const QString sprache = t.k.folder.file("deutsch.lng");
        EXPECT_TRUE(QFile::copy(QStringLiteral(RDX_SOURCE_DIR "/data/deutsch.lng"), sprache));
        QFile::setPermissions(sprache, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    frmFilme& haupt(const QString& titel = QStringLiteral("Matrix"))
    {
        frmFilme& f = zeigen(t.k, titel);
        f.show();
        fenster = &f;
        return f;
    }
    Scan t;
};

// A window of the main window, found by its name once the user opened it.
QWidget* geöffnet(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->objectName() == QLatin1String(name))
            return w;
    ADD_FAILURE() << name << " did not open";
    return nullptr;
}

template <class Schritt>
std::unique_ptr<Sitzung> katalog(Schritt schritt)
{
    auto s = std::make_unique<Katalog>();
    schritt(*s);
    return s;
}

struct Tools : Sitzung {
    Tools()
    {
        o.katalog(QStringLiteral("filme"));
        f = o.starten();
        f->show();
        fenster = f.get();
    }
    Programmordner o;
    std::unique_ptr<frmTools> f;
};

template <class Schritt>
std::unique_ptr<Sitzung> tools(Schritt schritt)
{
    auto s = std::make_unique<Tools>();
    schritt(*s);
    return s;
}

// A picture in "covers", chosen in the dialog the cover button opens.
void coverWählen(Katalog& s)
{
    QImage bild(400, 300, QImage::Format_RGB32);
    bild.fill(Qt::darkCyan);
    QDir().mkpath(s.t.k.folder.file("covers"));
    const QString pfad = s.t.k.folder.file("covers/alien.png");
    EXPECT_TRUE(bild.save(pfad));
    frmFilme& f = s.haupt(QStringLiteral("Alien"));
    s.t.k.fake.dialogs.files.push_back(pfad);
    f.c.cmdCover->click();
    s.fenster = f.coverfenster();
}

const Fensterfall Fälle[] = {
    {"Hauptfenster", [] { return katalog([](Katalog& s) { s.haupt(); }); }},
    {"HauptfensterNeu", [] { return katalog([](Katalog& s) { s.haupt().c.Neu->click(); }); }},
    {"HauptfensterUnterordner", [] { return katalog([](Katalog& s) { s.haupt().c.cmdUnterordner->click(); }); }},
    {"HauptfensterAusleihe", [] { return katalog([](Katalog& s) { s.haupt("Alien 3").c.cmdAusleihen->click(); }); }},
    {"HauptfensterAusleiher",
     [] { return katalog([](Katalog& s) { s.haupt("Ocean's Eleven").c.cmdAusgeliehen->click(); }); }},
    {"CDeinlesen",
     [] {
         return katalog([](Katalog& s) {
             s.fenster = &s.t.oeffnen();
             s.fenster->show();
         });
     }},
    {"CDeinlesenEintraege",
     [] {
         return katalog([](Katalog& s) {
             s.t.datei(QStringLiteral("Film mit einem langen Namen.avi"), 3 * 1024 * 1024);
             scan::frmCDeinlesen& c = s.t.oeffnen();
             zeileKlicken(c.List1, QStringLiteral("D: \tCD-ROM-Laufwerk"));
             s.fenster = &c;
         });
     }},
    {"Cover", [] { return katalog(coverWählen); }},
    {"Mappe",
     [] {
         return katalog([](Katalog& s) {
             s.haupt().c.cmdMappe->click();
             s.fenster = geöffnet("frmMappe");
         });
     }},
    {"StatistikAusleihe",
     [] {
         return katalog([](Katalog& s) {
             s.haupt().c.mnuAusleiheStatistik->trigger();
             s.fenster = geöffnet("frmStatistikAusleihe");
         });
     }},
    {"Statistik",
     [] {
         return katalog([](Katalog& s) {
             s.haupt().c.mnuZahlenStatistik->trigger();
             s.fenster = geöffnet("frmStatistik");
         });
     }},
    {"HTML",
     [] {
         return katalog([](Katalog& s) {
             s.haupt().c.cmdHTML->click();
             s.fenster = geöffnet("frmHTML");
         });
     }},
    {"Optionen",
     [] {
         return katalog([](Katalog& s) {
             s.haupt().c.mnuOptionen->trigger();
             s.fenster = geöffnet("frmOptionen");
         });
     }},
    {"About",
     [] {
         return katalog([](Katalog& s) {
             s.haupt().c.mnuAbout->trigger();
             s.fenster = geöffnet("frmAbout");
         });
     }},
    {"Credits",
     [] {
         return katalog([](Katalog& s) {
             s.haupt().c.mnuCredits->trigger();
             s.fenster = geöffnet("frmCredits");
         });
     }},
    {"SucheTitel",
     [] {
         return katalog([](Katalog& s) {
             s.haupt().c.mnuVolltextsucheTitel->trigger();
             s.fenster = geöffnet("frmSucheTitel");
         });
     }},
    {"SucheInfo",
     [] {
         return katalog([](Katalog& s) {
             s.haupt().c.mnuVolltextsucheInfo->trigger();
             s.fenster = geöffnet("frmSucheInfo");
         });
     }},
    {"Tools", [] { return tools([](Tools&) {}); }},
    {"NeuDB",
     [] {
         return tools([](Tools& s) {
             s.f->cmdCreateDB->click();
             s.fenster = s.f->neuDB();
         });
     }},
    {"Tabellenansicht",
     [] {
         return tools([](Tools& s) {
             wählen(s.f->cmbDBU, QStringLiteral("filme"));
             s.f->cmdDBAnsicht->click();
             s.fenster = s.f->datagrid();
         });
     }},
};

// ------------------------------------------------------------ what is cut

QString ohneKürzel(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    t.remove(QLatin1Char('&'));
    t.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return t;
}

std::string name(const QWidget* w)
{
    return (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName())
        .toStdString();
}

std::string zuSchmal(const QWidget* w, const QString& text, int braucht, int hat, const char* seite = "wide")
{
    return name(w) + " \"" + text.toStdString() + "\" needs " + std::to_string(braucht) + " px " + seite + ", has "
         + std::to_string(hat);
}

// The room a button's caption and icon need: its frame and margin, as the style sizes it.
void knopf(const QPushButton* k, std::vector<std::string>& funde)
{
    const QStyle* s = k->style();
    const QString text = ohneKürzel(k->text());
    int breite = text.isEmpty() ? 0 : k->fontMetrics().horizontalAdvance(text);
    if (!k->icon().isNull())
        breite += k->iconSize().width() + (text.isEmpty() ? 0 : 4);
    int rand = 2 * s->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, k) + s->pixelMetric(QStyle::PM_ButtonMargin, nullptr, k);
    if (k->autoDefault())
        rand += 2 * s->pixelMetric(QStyle::PM_ButtonDefaultIndicator, nullptr, k);
    if (breite > 0 && breite + rand > k->width())
        funde.push_back(zuSchmal(k, text, breite + rand, k->width()));
    const int höhe = std::max(text.isEmpty() ? 0 : k->fontMetrics().height(), k->icon().isNull() ? 0 : k->iconSize().height())
                   + 2 * s->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, k);
    if (höhe > k->height())
        funde.push_back(zuSchmal(k, text, höhe, k->height(), "high"));
}

void auswahl(const QAbstractButton* b, bool rund, std::vector<std::string>& funde)
{
    const QString text = ohneKürzel(b->text());
    if (text.isEmpty())
        return;
    const QStyle* s = b->style();
    const int anzeiger = s->pixelMetric(rund ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, nullptr, b);
    const int abstand =
        s->pixelMetric(rund ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing, nullptr, b);
    const int braucht = anzeiger + abstand + b->fontMetrics().horizontalAdvance(text);
    if (braucht > b->width())
        funde.push_back(zuSchmal(b, text, braucht, b->width()));
    if (b->fontMetrics().height() > b->height())
        funde.push_back(zuSchmal(b, text, b->fontMetrics().height(), b->height(), "high"));
}

void beschriftung(const QLabel* l, std::vector<std::string>& funde)
{
    if (l->text().isEmpty() || !l->pixmap().isNull())
        return;
    if (l->wordWrap()) {
        const int braucht = l->heightForWidth(l->width());
        if (braucht > l->height())
            funde.push_back(zuSchmal(l, l->text(), braucht, l->height(), "high"));
        return;
    }
    const QRect innen = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
    int einzug = l->indent();
    if (einzug < 0)
        einzug = l->frameWidth() > 0 ? l->fontMetrics().horizontalAdvance(u'x') / 2 : 0;
    const bool reich = l->textFormat() == Qt::RichText
                    || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()));
    const QSize braucht = reich ? l->sizeHint() - (l->size() - innen.size()).expandedTo({0, 0})
                                : l->fontMetrics().size(l->buddy() ? Qt::TextShowMnemonic : 0, l->text());
    if (braucht.width() + einzug > innen.width())
        funde.push_back(zuSchmal(l, l->text(), braucht.width() + einzug, innen.width()));
    if (braucht.height() > innen.height())
        funde.push_back(zuSchmal(l, l->text(), braucht.height(), innen.height(), "high"));
}

// A line edit shows its text from the start; a read-only one (a link label) must show all of it.
void feld(const QLineEdit* e, std::vector<std::string>& funde)
{
    if (e->minimumSizeHint().height() > e->height())
        funde.push_back(zuSchmal(e, e->text(), e->minimumSizeHint().height(), e->height(), "high"));
    if (!e->isReadOnly() || e->text().isEmpty())
        return;
    QStyleOptionFrame opt;
    opt.initFrom(e);
    opt.lineWidth = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e) : 0;
    const QMargins m = e->textMargins();
    const int innen = e->style()->subElementRect(QStyle::SE_LineEditContents, &opt, e).width() - m.left() - m.right() - 4;
    const int braucht = e->fontMetrics().horizontalAdvance(e->text());
    if (braucht > innen)
        funde.push_back(zuSchmal(e, e->text(), braucht, innen));
}

void tabellenkopf(const QTableView* t, std::vector<std::string>& funde)
{
    const QHeaderView* kopf = t->horizontalHeader();
    if (!t->model() || kopf->isHidden())
        return;
    const int rand = 2 * kopf->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, kopf);
    for (int s = 0; s < t->model()->columnCount(); ++s) {
        if (kopf->isSectionHidden(s))
            continue;
        const QString text = t->model()->headerData(s, Qt::Horizontal).toString();
        const int braucht = kopf->fontMetrics().horizontalAdvance(text) + rand;
        if (braucht > kopf->sectionSize(s))
            funde.push_back(zuSchmal(kopf, text, braucht, kopf->sectionSize(s)));
    }
}

// Inside a control of many parts (a list's scroll bars, a combo box's field), not a control of the form.
bool teilEinesControls(const QWidget* w, const QWidget* fenster)
{
    for (const QWidget* p = w->parentWidget(); p && p != fenster; p = p->parentWidget())
        if (qobject_cast<const QAbstractScrollArea*>(p) || qobject_cast<const QComboBox*>(p)
            || qobject_cast<const QAbstractSpinBox*>(p) || qobject_cast<const QMenuBar*>(p))
            return true;
    return false;
}

}  // namespace

std::span<const Fensterfall> alleFenster()
{
    return Fälle;
}

std::vector<std::string> zugeschnitten(QWidget* fenster)
{
    std::vector<std::string> funde;
    if (!fenster)
        return {"no window"};
    QApplication::processEvents();
    for (QWidget* w : fenster->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->isWindow() || teilEinesControls(w, fenster))
            continue;
        // The main window's background picture covers an enlarged window and is cut by design.
        const bool hintergrund = w->objectName() == QLatin1String("Image1");
        if (!hintergrund && !w->parentWidget()->rect().contains(w->geometry()))
            funde.push_back(name(w) + " reaches out of " + name(w->parentWidget()));
        if (auto* k = qobject_cast<QPushButton*>(w))
            knopf(k, funde);
        else if (auto* r = qobject_cast<QRadioButton*>(w))
            auswahl(r, true, funde);
        else if (auto* c = qobject_cast<QCheckBox*>(w))
            auswahl(c, false, funde);
        else if (auto* l = qobject_cast<QLabel*>(w))
            beschriftung(l, funde);
        else if (auto* e = qobject_cast<QLineEdit*>(w))
            feld(e, funde);
        else if (auto* b = qobject_cast<QComboBox*>(w)) {
            if (b->minimumSizeHint().height() > b->height())
                funde.push_back(zuSchmal(b, b->currentText(), b->minimumSizeHint().height(), b->height(), "high"));
        } else if (auto* t = qobject_cast<QTableView*>(w))
            tabellenkopf(t, funde);
        else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            const int braucht = g->fontMetrics().horizontalAdvance(ohneKürzel(g->title())) + 16;
            if (braucht > g->width())
                funde.push_back(zuSchmal(g, g->title(), braucht, g->width()));
        }
    }
    return funde;
}

}  // namespace testing_support
