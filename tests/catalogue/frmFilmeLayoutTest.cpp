#include "catalogue/frmFilme.h"
#include "platform/ini/IniFile.h"
#include "platform/vb/Formular.h"
#include "platform/vb/VbControls.h"
#include "platform/vb/VbRuntime.h"
#include "tests/Quellordner.h"
#include "tests/catalogue/Bearbeitung.h"
#include "tests/support/Anwendungsschrift.h"
#include "tests/support/Doubles.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTextEdit>
#include <QTextLayout>

#include <optional>
#include <set>
#include <stdexcept>
#include <utility>
#include <vector>

using namespace testing_support;

namespace {

int px(int twips)
{
    return vb::pixel(twips);
}

struct Fenster : ::testing::Test {
    TempFolder folder;
    FakeServices fake{folder.path()};
    frmFilme f{fake.services};
};

struct Steuer {
    QObject* objekt;
    const char* name;
    const char* klasse;
};

#define STEUER(feld, klasse) Steuer{f.c.feld, #feld, klasse}

QString textVon(QObject* o)
{
    if (auto* b = qobject_cast<QAbstractButton*>(o))
        return b->text();
    if (auto* l = qobject_cast<QLabel*>(o))
        return l->text();
    if (auto* t = qobject_cast<QLineEdit*>(o))
        return t->text();
    if (auto* a = qobject_cast<QAction*>(o))
        return a->text();
    return QStringLiteral("<no text>");
}

// The visible controls on the window's surface, the background picture aside.
std::vector<QWidget*> sichtbare(frmFilme& f)
{
    std::vector<QWidget*> liste;
    for (QWidget* w : f.centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!w->isHidden() && w != f.c.Image1)
            liste.push_back(w);
    return liste;
}

// Pairs of visible controls whose rectangles intersect, except the pairs that
// lie over each other by design.
std::vector<QString> überlappungen(frmFilme& f, const std::set<std::pair<QWidget*, QWidget*>>& erlaubt)
{
    std::vector<QString> funde;
    const auto liste = sichtbare(f);
    for (size_t i = 0; i < liste.size(); ++i)
        for (size_t j = i + 1; j < liste.size(); ++j) {
            QWidget* a = liste[i];
            QWidget* b = liste[j];
            if (erlaubt.count({a, b}) || erlaubt.count({b, a}))
                continue;
            if (a->geometry().intersects(b->geometry()))
                funde.push_back(a->objectName() + QStringLiteral(" / ") + b->objectName());
        }
    return funde;
}

std::set<std::pair<QWidget*, QWidget*>> überEinander(frmFilme& f)
{
    const FilmeControls& c = f.c;
    return {{c.cmbFormat1, c.tfFormat}, {c.cmbQualität1, c.tfQualität}, {c.cmbMappe1, c.tfMappe},
            {c.cmbAnzahl1, c.tfAnzahl}, {c.cmbCat1, c.tfCat},           {c.cmbDten1, c.tfdten},
            {c.cmbWer1, c.tfWer},       {c.lfListe2, c.lfListe}};
}

}  // namespace

TEST_F(Fenster, EveryControlExistsUnderItsNameWithItsKind)
{
    const Steuer steuer[] = {
        STEUER(Titel, "QLabel"), STEUER(Image1, "QLabel"), STEUER(Label1, "QLabel"), STEUER(lbUnterordner, "QLabel"),
        STEUER(lbAnzahl, "QLabel"), STEUER(Label3, "QLabel"), STEUER(Label4, "QLabel"), STEUER(Label5, "QLabel"),
        STEUER(Label6, "QLabel"), STEUER(Datum, "QLabel"), STEUER(Ausgeliehen, "QLabel"),
        STEUER(lbAnzahlSel, "QLabel"), STEUER(lbAnzahlF, "QLabel"),
        STEUER(tfTitel, "QLineEdit"), STEUER(tfFormat, "QLineEdit"), STEUER(tfdten, "QLineEdit"),
        STEUER(tfQualität, "QLineEdit"), STEUER(tfMappe, "QLineEdit"), STEUER(tfWer, "QLineEdit"),
        STEUER(tfAnzahl, "QLineEdit"), STEUER(tfDatumAusleihe, "QLineEdit"), STEUER(tfSize, "QLineEdit"),
        STEUER(tfCat, "QLineEdit"), STEUER(tfDatum, "QLineEdit"), STEUER(tfCover, "QLineEdit"),
        STEUER(tfInfo, "QTextEdit"), STEUER(tfDBName, "QLineEdit"), STEUER(tfTitel2, "QLineEdit"),
        STEUER(tfUnterordner, "QLineEdit"), STEUER(tfCDInfo, "QLineEdit"), STEUER(tfcmbFormat, "QLineEdit"),
        STEUER(tfcmbQualität, "QLineEdit"), STEUER(tfcmbMappe, "QLineEdit"), STEUER(tfcmbCat, "QLineEdit"),
        STEUER(tfcmbWer, "QLineEdit"), STEUER(tfVolltextsucheTitel, "QLineEdit"),
        STEUER(tfVolltextsucheInfo, "QLineEdit"), STEUER(tfImgText, "QLineEdit"),
        STEUER(tfCoverübergeben, "QLineEdit"),
        STEUER(lfListe, "vb::ListBox"), STEUER(lfListe2, "vb::ListBox"), STEUER(lfCover, "vb::ListBox"),
        STEUER(lfListeCDeinlesen, "vb::HiddenListBox"), STEUER(lfListeCDEinlesenOhneGroesse, "vb::HiddenListBox"),
        STEUER(cmbFormat, "vb::ComboBox"), STEUER(cmbQualität, "vb::ComboBox"), STEUER(cmbMappe, "vb::ComboBox"),
        STEUER(cmbCat, "vb::ComboBox"), STEUER(cmbWer, "vb::ComboBox"), STEUER(cmbFormat1, "vb::ComboBox"),
        STEUER(cmbQualität1, "vb::ComboBox"), STEUER(cmbMappe1, "vb::ComboBox"), STEUER(cmbAnzahl1, "vb::ComboBox"),
        STEUER(cmbCat1, "vb::ComboBox"), STEUER(cmbDten1, "vb::ComboBox"), STEUER(cmbWer1, "vb::ComboBox"),
        STEUER(optFormat, "QRadioButton"), STEUER(optQualität, "QRadioButton"), STEUER(optMappe, "QRadioButton"),
        STEUER(optCat, "QRadioButton"), STEUER(optdat, "QRadioButton"), STEUER(optausleih, "QRadioButton"),
        STEUER(chkCover, "QCheckBox"), STEUER(chkdat, "QCheckBox"), STEUER(chkausleih, "QCheckBox"),
        STEUER(cmdCDeinlesen, "QPushButton"), STEUER(Neu, "QPushButton"), STEUER(Speichern, "QPushButton"),
        STEUER(cmdEdit, "QPushButton"), STEUER(Löschen, "QPushButton"), STEUER(cmdZurück, "QPushButton"),
        STEUER(cmdVor, "QPushButton"), STEUER(Anzeige, "QPushButton"), STEUER(cmdVolltextsucheTitel, "QPushButton"),
        STEUER(cmdVolltextsucheInfo, "QPushButton"), STEUER(cmddten, "QPushButton"), STEUER(cmdSize, "QPushButton"),
        STEUER(cmdInfo, "QPushButton"), STEUER(cmdCover, "QPushButton"), STEUER(cmdFilminfo, "QPushButton"),
        STEUER(cmdFilminfogoogle, "QPushButton"), STEUER(cmdAusleihen, "QPushButton"),
        STEUER(cmdspeichern, "QPushButton"), STEUER(back, "QPushButton"), STEUER(cmdMappe, "QPushButton"),
        STEUER(cmdAusgeliehen, "QPushButton"), STEUER(cmdUnterordner, "QPushButton"),
        STEUER(cmdUnterordnerzurück, "QPushButton"), STEUER(cmdNeu2, "QPushButton"),
        STEUER(cmdSpeichern2, "QPushButton"), STEUER(cmdEditieren2, "QPushButton"),
        STEUER(cmdLöschen2, "QPushButton"), STEUER(cmdCover2, "QPushButton"), STEUER(cmdClear, "QPushButton"),
        STEUER(Alle, "QPushButton"), STEUER(cmdPrint, "QPushButton"), STEUER(ExcelSel, "QPushButton"),
        STEUER(cmdHTML, "QPushButton"), STEUER(WebBrowser1, "vb::WebBrowser"),
        STEUER(Picture1, "QLabel"), STEUER(Picture2, "QLabel"), STEUER(Picture3, "QLabel"), STEUER(Picture4, "QLabel"),
        STEUER(Picture5, "QLabel"), STEUER(Picture6, "QLabel"), STEUER(Picture7, "QLabel"), STEUER(Picture8, "QLabel"),
        STEUER(Picture10, "QLabel"), STEUER(Picture12, "QLabel"), STEUER(Picture14, "QLabel"),
        STEUER(Picture15, "QLabel"), STEUER(Picture16, "QLabel"), STEUER(Picture17, "QLabel"),
        STEUER(Picture18, "QLabel"), STEUER(Picture19, "QLabel"), STEUER(Picture20, "QLabel"),
        STEUER(Picture21, "QLabel"), STEUER(Picture22, "QLabel"),
        STEUER(mnuDatei, "QMenu"), STEUER(mnuExport, "QMenu"), STEUER(mnuAnsicht, "QMenu"),
        STEUER(picchoose, "QMenu"), STEUER(mnuSuchen, "QMenu"), STEUER(mnuSortierung, "QMenu"),
        STEUER(mnuStatistik, "QMenu"), STEUER(About, "QMenu"),
        STEUER(mnuCDeinlesen, "QAction"), STEUER(mnuHTML, "QAction"), STEUER(mnuExcell, "QAction"),
        STEUER(mnuText, "QAction"), STEUER(mnuDrucken, "QAction"), STEUER(mnuDruckSetup, "QAction"),
        STEUER(mnuUnterverzeichnis, "QAction"), STEUER(mnuUnterverzeichnisExcelListe, "QAction"),
        STEUER(mnuUnterverzeichnisHTML, "QAction"), STEUER(mnuBeenden, "QAction"),
        STEUER(mnuAktualisieren, "QAction"), STEUER(picload, "QAction"), STEUER(picLacs, "QAction"),
        STEUER(picForet, "QAction"), STEUER(picBug, "QAction"), STEUER(picVoyager, "QAction"),
        STEUER(picDesert, "QAction"), STEUER(picSpace, "QAction"), STEUER(mnuVolltextsucheTitel, "QAction"),
        STEUER(mnuVolltextsucheInfo, "QAction"), STEUER(mnuOhneCover, "QAction"), STEUER(mnuOhneInfo, "QAction"),
        STEUER(mnuDSAusgeliehen, "QAction"), STEUER(mnuDSnachDatum, "QAction"), STEUER(mnuDSDtEn, "QAction"),
        STEUER(mnuDSDt, "QAction"), STEUER(mnuDSEn, "QAction"), STEUER(mnuDSOhneSprache, "QAction"),
        STEUER(mnuDSohneSize, "QAction"), STEUER(mnuDSOhneCat, "QAction"),
        STEUER(mnuÜberfälligeAusleihen, "QAction"), STEUER(mnuFormat, "QAction"), STEUER(mnuQualität, "QAction"),
        STEUER(mnuMappe, "QAction"), STEUER(mnuKategorie, "QAction"), STEUER(mnuDateAb, "QAction"),
        STEUER(mnuDateAuf, "QAction"), STEUER(mnuClear, "QAction"), STEUER(mnuZahlenStatistik, "QAction"),
        STEUER(mnuAusleiheStatistik, "QAction"), STEUER(mnuOptionen, "QAction"), STEUER(mnuTools, "QAction"),
        STEUER(mnuHilfe, "QAction"), STEUER(mnuCredits, "QAction"), STEUER(mnuAbout, "QAction"),
        STEUER(mnuFileBar0, "QAction"), STEUER(mnuFileBar1, "QAction"), STEUER(mnuFileBar2, "QAction"),
        STEUER(mnuFileBar3, "QAction"), STEUER(mnuFileBar4, "QAction"), STEUER(mnuFileBar5, "QAction"),
        STEUER(mnuFileBar6, "QAction"), STEUER(mnuFileBar7, "QAction"),
    };
    std::set<QObject*> gesehen;
    for (const Steuer& s : steuer) {
        const QString name = QString::fromUtf8(s.name);
        SCOPED_TRACE(name.toStdString());
        ASSERT_NE(s.objekt, nullptr);
        EXPECT_EQ(s.objekt->objectName(), name);
        EXPECT_STREQ(s.objekt->metaObject()->className(), s.klasse);
        EXPECT_TRUE(f.findChildren<QObject*>(name).contains(s.objekt)) << "reachable by its name from the window";
        EXPECT_TRUE(gesehen.insert(s.objekt).second) << "one control per name";
    }
}

TEST_F(Fenster, ControlArrayElementsAreNamedByIndex)
{
    struct Feld {
        const char* name;
        int anzahl;
        QLabel* (FilmeControls::*element)(int) const;
    };
    const Feld felder[] = {
        {"lbTitel", 2, &FilmeControls::lbTitel},       {"lbCat", 3, &FilmeControls::lbCat},
        {"lbFormat", 3, &FilmeControls::lbFormat},     {"lbQualität", 3, &FilmeControls::lbQualität},
        {"lbMappe", 3, &FilmeControls::lbMappe},       {"lbWer", 2, &FilmeControls::lbWer},
    };
    std::set<QLabel*> gesehen;
    for (const Feld& feld : felder) {
        for (int i = 0; i < feld.anzahl; ++i) {
            QLabel* l = (f.c.*feld.element)(i);
            const QString name = QString::fromUtf8(feld.name) + QStringLiteral("_%1").arg(i);
            ASSERT_NE(l, nullptr) << name.toStdString();
            EXPECT_EQ(l->objectName(), name);
            EXPECT_EQ(f.findChild<QLabel*>(name), l);
            EXPECT_TRUE(gesehen.insert(l).second) << name.toStdString();
        }
        EXPECT_THROW((f.c.*feld.element)(feld.anzahl), std::out_of_range) << feld.name;
    }
}

TEST_F(Fenster, ControlsCarryTheirDesignTextsAndTooltips)
{
    struct Text {
        QObject* objekt;
        const char* text;
        const char* tip;  // nullptr: not checked
    };
    const FilmeControls& c = f.c;
    const Text texte[] = {
        {c.Neu, "&Neu", nullptr},
        {c.Speichern, "&Speichern", nullptr},
        {c.cmdEdit, "&Editieren", nullptr},
        {c.Löschen, "&Löschen", "Datensatz löschen"},
        {c.cmdZurück, "&z<<", nullptr},
        {c.cmdVor, ">>&v", nullptr},
        {c.cmdVolltextsucheTitel, "V&TS", "Volltextsuche: einfach (Teil-) Suchbegriff eingeben und VTS klicken!"},
        {c.cmdVolltextsucheInfo, "VTSI", nullptr},
        {c.Anzeige, "S&uchen", nullptr},
        {c.cmdMappe, "Mappe ausleihen", "Wenn Sie eine Mappe ausleihen wollen"},
        {c.cmdAusgeliehen, "Ausleiher", nullptr},
        {c.cmddten, "S&prache", nullptr},
        {c.cmdInfo, "In&fo", "Infofeld anzeigen"},
        {c.cmdCover, "Cover", "Cover zeigen oder laden"},
        {c.cmdCover2, "Cover", nullptr},
        {c.cmdSize, "Size", "Die CD Größe kann hier eingegeben werden."},
        {c.cmdAusleihen, "CD ausleihen", "Wollen Sie die CD verleihen?"},
        {c.cmdspeichern, "Ausleihe speichern", "Ausleihe speichern."},
        {c.back, "CD zurück", "CD aus Ausleihe zurück!"},
        {c.cmdHTML, "HTML", "HTML-Datei Generator aufrufen"},
        {c.Alle, "Alle anzeigen", "Zeigt alle Datensätze in der Listbox"},
        {c.ExcelSel, "Sel. Excel",
         "Hier können Sie Excel Listen ausgeben, wenn Sie eine Selektion getroffen haben (also z.B. eine Mappe "
         "gewählt)"},
        {c.cmdPrint, "Liste drucken", "Druck der aktuellen Listbox"},
        {c.cmdClear, "Clear", nullptr},
        {c.cmdLöschen2, "&Löschen", nullptr},
        {c.cmdCDeinlesen, "", "Öffnet der CD-Einlese Dialog"},
        {c.cmdFilminfo, "", "Öffnet ein Filmverzeichnis im Internet (aktive Verbindung vorausgesetzt!)"},
        {c.lbTitel(1), "Filmtitel", nullptr},
        {c.lbCat(1), "Kategorie", nullptr},
        {c.lbFormat(1), "Format", nullptr},
        {c.lbQualität(1), "Qualität", nullptr},
        {c.lbMappe(1), "Mappe", nullptr},
        {c.lbWer(1), "Ausleiher", nullptr},
        {c.lbAnzahl, "Anzahl CD´s", nullptr},
        {c.Label3, "Anzahl selektierter Datensätze:", nullptr},
        {c.Label4, "Eingetragen am:", nullptr},
        {c.Label5, "Gesamtanzahl Titel in der DB:", nullptr},
        {c.Label6, "Filter:", nullptr},
        {c.lbUnterordner, "Unterverzeichnis", nullptr},
        {c.Datum, "Datum", "Ruft die Datensätze nach dem Datum sortiert auf"},
        {c.Ausgeliehen, "Ausgeliehen", "Ruft die Datensätze nach Ausleihstatus sortiert auf"},
        {c.optdat, "Datum", "Ruft die Datensätze nach dem Datum sortiert auf"},
        {c.optausleih, "Ausgeliehen", "Ruft die Datensätze nach Ausleihstatus sortiert auf"},
        {c.optFormat, "", nullptr},
        {c.optQualität, "", nullptr},
        {c.optMappe, "", nullptr},
        {c.optCat, "", nullptr},
        {c.chkCover, "Coveranzeige", nullptr},
        {c.chkdat, "", nullptr},
        {c.chkausleih, "", nullptr},
        {c.tfWer, "", "Bitte erfassen Sie hier den Namen des Ausleihers."},
        {c.tfDatumAusleihe, "",
         "Bei leerem Feld wird das aktuelle Tagesdatum gespeichert. Sonst bitte Datum eintragen tt.mm.yyyy"},
        {c.tfCoverübergeben, "0", nullptr},
        {c.tfImgText, "", nullptr},
        {c.tfUnterordner, "", nullptr},
        {c.tfCDInfo, "", nullptr},
    };
    for (const Text& t : texte) {
        SCOPED_TRACE(t.objekt->objectName().toStdString());
        EXPECT_EQ(textVon(t.objekt), QString::fromUtf8(t.text));
        if (t.tip) {
            const QString tip = qobject_cast<QWidget*>(t.objekt) ? qobject_cast<QWidget*>(t.objekt)->toolTip()
                                                                 : qobject_cast<QAction*>(t.objekt)->toolTip();
            EXPECT_EQ(tip, QString::fromUtf8(t.tip));
        }
    }
    EXPECT_EQ(c.cmbWer1->toolTip(),
              "An Wen soll die CD verliehen werden? Bei NEUEM Datensatz unbedingt mit ENTER bestätigen!");
    EXPECT_EQ(c.cmbQualität->toolTip(), "Qualitätsfilter");
    EXPECT_EQ(c.tfTitel->maxLength(), 50) << "what the title column holds";
    EXPECT_NE(f.windowTitle(), sys::programTitle()) << "the main window's own caption is not the program's title";
    EXPECT_FALSE(f.windowTitle().isEmpty());
}

TEST_F(Fenster, ControlsStandAtTheirDesignPositions)
{
    const FilmeControls& c = f.c;
    // The column headers over the title list.
    struct Kopf {
        QLabel* label;
        int left;
    };
    for (const Kopf& k : {Kopf{c.lbTitel(1), 120}, Kopf{c.lbCat(1), 3480}, Kopf{c.lbFormat(1), 5160},
                          Kopf{c.lbQualität(1), 6240}, Kopf{c.lbMappe(1), 7200}, Kopf{c.lbWer(1), 8640}}) {
        SCOPED_TRACE(k.label->objectName().toStdString());
        EXPECT_EQ(k.label->pos(), QPoint(px(k.left), px(3600)));
    }
    EXPECT_EQ(c.lbTitel(1)->width(), px(2415));

    // The rows of the detail panel, and the info box, the cover field and the cover check box.
    struct Reihe {
        std::vector<QWidget*> controls;
        int top;
    };
    const Reihe reihen[] = {
        {{c.tfTitel}, 1440},
        {{c.tfFormat, c.cmbFormat1, c.tfdten, c.cmbDten1}, 1800},
        {{c.tfQualität, c.cmbQualität1}, 2160},
        {{c.lbMappe(0), c.tfMappe, c.cmbMappe1, c.tfWer, c.cmbWer1}, 2520},
        {{c.lbAnzahl, c.tfAnzahl, c.cmbAnzahl1, c.tfDatumAusleihe, c.tfSize}, 2880},
        {{c.lbCat(0), c.tfCat, c.cmbCat1, c.Label4, c.tfDatum}, 3240},
        {{c.tfInfo, c.tfCover}, 360},
        {{c.chkCover}, 2640},
    };
    for (const Reihe& r : reihen)
        for (QWidget* w : r.controls) {
            SCOPED_TRACE(w->objectName().toStdString());
            EXPECT_EQ(w->y(), px(r.top));
        }

    // Every edit combo box lies over the text box of its row; all but the
    // category's also at its left position and width.
    const std::pair<QWidget*, QWidget*> paare[] = {
        {c.cmbFormat1, c.tfFormat}, {c.cmbQualität1, c.tfQualität}, {c.cmbMappe1, c.tfMappe},
        {c.cmbAnzahl1, c.tfAnzahl}, {c.cmbDten1, c.tfdten},         {c.cmbWer1, c.tfWer},
    };
    const QObjectList kinder = f.centralWidget()->children();
    for (const auto& [kombi, feld] : paare) {
        SCOPED_TRACE(kombi->objectName().toStdString());
        EXPECT_EQ(kombi->x(), feld->x());
        EXPECT_EQ(kombi->width(), feld->width());
        EXPECT_GT(kinder.indexOf(kombi), kinder.indexOf(feld)) << "drawn over the text box";
    }
    EXPECT_TRUE(c.cmbCat1->geometry().intersects(c.tfCat->geometry()));
    EXPECT_GT(kinder.indexOf(c.cmbCat1), kinder.indexOf(c.tfCat));

    // The language code right of the format, the info box right of all fields.
    EXPECT_GE(c.tfdten->x(), c.tfFormat->geometry().right());
    for (QWidget* feld : std::initializer_list<QWidget*>{c.tfTitel, c.tfdten, c.tfWer, c.tfDatumAusleihe, c.tfSize,
                                                         c.tfDatum, c.Anzeige, c.cmdSize})
        EXPECT_GT(c.tfInfo->x(), feld->geometry().right()) << feld->objectName().toStdString();
    EXPECT_GT(c.tfInfo->height(), 4 * c.tfTitel->height()) << "a tall box";

    // The title list under its headers; the sub-entry list, the cover choice and
    // the browser over it.
    EXPECT_GE(c.lfListe->y(), c.lbTitel(1)->geometry().bottom());
    EXPECT_GE(c.lfListe->width(), c.lbWer(1)->geometry().right() - c.lbTitel(1)->x());
    for (QWidget* w : std::initializer_list<QWidget*>{c.lfListe2, c.lfCover, c.WebBrowser1}) {
        EXPECT_EQ(w->geometry(), c.lfListe->geometry()) << w->objectName().toStdString();
        EXPECT_GT(kinder.indexOf(w), kinder.indexOf(c.lfListe)) << w->objectName().toStdString();
    }

    // The inner area of 10155 x 7650 twips, the background picture under all of it.
    f.show();
    QApplication::processEvents();
    EXPECT_EQ(f.centralWidget()->size(), QSize(px(10155), px(7650)));
    EXPECT_EQ(c.Image1->geometry(), f.centralWidget()->rect());
    EXPECT_EQ(kinder.indexOf(c.Image1), 0) << "under every other control";
    EXPECT_EQ(f.centralWidget()->childAt(QPoint(px(6900), px(700))), nullptr)
        << "the background picture is part of the surface the window is dragged by";
}

TEST_F(Fenster, ControlsHiddenInTheDesignExistHidden)
{
    const FilmeControls& c = f.c;
    const QWidget* verborgen[] = {
        c.tfDBName, c.tfTitel2, c.tfCover, c.tfUnterordner, c.tfCDInfo, c.lfListeCDeinlesen,
        c.lfListeCDEinlesenOhneGroesse, c.tfcmbFormat, c.tfcmbQualität, c.tfcmbMappe, c.tfcmbCat, c.tfcmbWer,
        c.tfVolltextsucheTitel, c.tfVolltextsucheInfo, c.tfImgText, c.tfCoverübergeben, c.lfCover, c.Label1,
        c.WebBrowser1, c.lfListe2,
        // sort buttons, shown by the settings
        c.optFormat, c.optQualität, c.optMappe, c.optCat, c.cmdClear,
        // the detail panel's optional fields, edit combo boxes and lending controls
        c.tfSize, c.tfDatumAusleihe, c.tfWer, c.tfdten, c.tfInfo, c.chkCover, c.cmdspeichern, c.back,
        c.cmbFormat1, c.cmbQualität1, c.cmbMappe1, c.cmbAnzahl1, c.cmbCat1, c.cmbDten1, c.cmbWer1,
        // sub-entry mode
        c.lbUnterordner, c.cmdUnterordner, c.cmdUnterordnerzurück, c.cmdNeu2, c.cmdSpeichern2, c.cmdEditieren2,
        c.cmdLöschen2, c.cmdCover2,
        c.Picture1, c.Picture5, c.Picture22, c.optdat, c.optausleih,
    };
    for (const QWidget* w : verborgen)
        EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();

    const QWidget* sichtbar[] = {
        c.Image1, c.Titel, c.tfTitel, c.tfFormat, c.tfQualität, c.tfMappe, c.tfAnzahl, c.tfCat, c.tfDatum,
        c.lbTitel(0), c.lbTitel(1), c.lbWer(0), c.lbWer(1), c.lbCat(2), c.lfListe, c.cmbFormat, c.cmbQualität,
        c.cmbMappe, c.cmbCat, c.cmbWer, c.chkdat, c.chkausleih, c.Datum, c.Ausgeliehen, c.Neu, c.Speichern,
        c.cmdEdit, c.Löschen, c.cmdAusleihen, c.cmdMappe, c.cmdAusgeliehen, c.cmdCDeinlesen, c.cmdFilminfo,
        c.cmdFilminfogoogle, c.Alle, c.lbAnzahlSel, c.lbAnzahlF, c.Label3, c.Label5,
    };
    for (const QWidget* w : sichtbar)
        EXPECT_FALSE(w->isHidden()) << w->objectName().toStdString();
}

TEST_F(Fenster, NoTwoVisibleControlsOverlapInAnyMode)
{
    FilmeControls& c = f.c;
    const auto erlaubt = überEinander(f);
    {
        SCOPED_TRACE("as designed");
        EXPECT_EQ(überlappungen(f, erlaubt), std::vector<QString>{});
    }
    {
        SCOPED_TRACE("a new record with every field, edit combo box and lending control shown");
        for (QWidget* w : std::initializer_list<QWidget*>{
                 c.tfWer, c.tfdten, c.tfSize, c.tfDatumAusleihe, c.tfInfo, c.chkCover, c.back, c.cmdspeichern,
                 c.cmdUnterordner, c.cmbFormat1, c.cmbQualität1, c.cmbMappe1, c.cmbAnzahl1, c.cmbCat1, c.cmbDten1,
                 c.cmbWer1, c.optFormat, c.optQualität, c.optMappe, c.optCat, c.cmdClear, c.Label1})
            w->setVisible(true);
        EXPECT_EQ(überlappungen(f, erlaubt), std::vector<QString>{});
    }
    {
        SCOPED_TRACE("sub-entry mode");
        for (QWidget* w : std::initializer_list<QWidget*>{
                 c.lbMappe(0), c.tfMappe, c.cmdMappe, c.cmdAusgeliehen, c.cmdAusleihen, c.cmdspeichern, c.cmbWer1,
                 c.tfDatumAusleihe, c.cmdZurück, c.cmdVor, c.Anzeige, c.cmdPrint, c.cmdCDeinlesen,
                 c.cmdVolltextsucheTitel, c.lbAnzahl, c.tfAnzahl, c.cmbAnzahl1, c.cmbMappe1, c.Label4, c.tfDatum})
            w->setVisible(false);
        for (QWidget* w : std::initializer_list<QWidget*>{c.cmdUnterordnerzurück, c.cmdCover2, c.cmdNeu2,
                                                          c.cmdSpeichern2, c.cmdEditieren2, c.cmdLöschen2,
                                                          c.lbUnterordner, c.lfListe2})
            w->setVisible(true);
        for (QWidget* w : std::initializer_list<QWidget*>{c.lbCat(0), c.cmbCat1, c.tfCat})
            w->move(w->x(), px(2520));
        EXPECT_EQ(überlappungen(f, erlaubt), std::vector<QString>{});
    }
}

TEST_F(Fenster, MenuBarHoldsTheMenusInDisplayOrder)
{
    const FilmeControls& c = f.c;
    struct Eintrag {
        const char* name;
        const char* text;  // nullptr: a separator
    };
    struct Menü {
        QMenu* menü;
        const char* name;
        const char* text;
        std::vector<Eintrag> einträge;
    };
    const Menü menüs[] = {
        {c.mnuDatei, "mnuDatei", "&Datei",
         {{"mnuCDeinlesen", "CD Einlesen"}, {"mnuFileBar5", nullptr}, {"mnuExport", "Export"},
          {"mnuFileBar2", nullptr}, {"mnuDrucken", "Liste Drucken"}, {"mnuDruckSetup", "Drucker einstellen"},
          {"mnuFileBar3", nullptr}, {"mnuUnterverzeichnis", "Unterverzeichnis"},
          {"mnuUnterverzeichnisExcelListe", "...Excel Liste"}, {"mnuUnterverzeichnisHTML", "...HTML Datei"},
          {"mnuFileBar7", nullptr}, {"mnuBeenden", "Beenden"}}},
        {c.mnuExport, "mnuExport", "Export",
         {{"mnuHTML", "HTML"}, {"mnuExcell", "Excel Datei"}, {"mnuText", "Text Datei"}}},
        {c.mnuAnsicht, "mnuAnsicht", "&Ansicht",
         {{"mnuAktualisieren", "Ansicht Aktualisieren"}, {"mnuFileBar4", nullptr},
          {"picload", "Hintergrundbild laden"}, {"picchoose", "Hintergrundbild wählen"}}},
        {c.picchoose, "picchoose", "Hintergrundbild wählen",
         {{"picLacs", "Lacs"}, {"picForet", "Foret"}, {"picBug", "Bug"}, {"picVoyager", "Voyager"},
          {"picDesert", "Desert"}, {"picSpace", "Space"}}},
        {c.mnuSuchen, "mnuSuchen", "Suchen",
         {{"mnuVolltextsucheTitel", "Volltextsuche Titel"}, {"mnuVolltextsucheInfo", "Volltextsuche Info"},
          {"mnuFileBar0", nullptr}, {"mnuOhneCover", "DS ohne Cover"}, {"mnuOhneInfo", "DS ohne Info"},
          {"mnuDSAusgeliehen", "DS Ausgeliehen"}, {"mnuDSnachDatum", "DS nach Datum"}, {"mnuFileBar1", nullptr},
          {"mnuDSDtEn", "DS Deu./Engl."}, {"mnuDSDt", "DS Deutsch"}, {"mnuDSEn", "DS Englisch"},
          {"mnuDSOhneSprache", "DS ohne Sprachwahl"}, {"mnuDSohneSize", "DS ohne Größe"},
          {"mnuDSOhneCat", "DS ohne Kategorie"}, {"mnuÜberfälligeAusleihen", "überfällige Ausleihen"}}},
        {c.mnuSortierung, "mnuSortierung", "Sortierung",
         {{"mnuFormat", "Format"}, {"mnuQualität", "Qualität"}, {"mnuMappe", "Mappe"}, {"mnuKategorie", "Kategorie"},
          {"mnuDateAb", "Datum -"}, {"mnuDateAuf", "Datum +"}, {"mnuFileBar6", nullptr}, {"mnuClear", "Reset"}}},
        {c.mnuStatistik, "mnuStatistik", "S&tatistik",
         {{"mnuZahlenStatistik", "Zahlen"}, {"mnuAusleiheStatistik", "Ausleihen"}}},
        {c.About, "About", "&Info", {{"mnuHilfe", "Hilfe"}, {"mnuCredits", "Credits"}, {"mnuAbout", "Info"}}},
    };
    for (const Menü& m : menüs) {
        SCOPED_TRACE(m.name);
        EXPECT_EQ(m.menü->objectName(), QString::fromUtf8(m.name));
        EXPECT_EQ(m.menü->title(), QString::fromUtf8(m.text));
        const QList<QAction*> aktionen = m.menü->actions();
        ASSERT_EQ(aktionen.size(), qsizetype(m.einträge.size()));
        for (qsizetype i = 0; i < aktionen.size(); ++i) {
            const Eintrag& e = m.einträge[size_t(i)];
            SCOPED_TRACE(e.name);
            EXPECT_EQ(aktionen[i]->objectName(), QString::fromUtf8(e.name)) << "position " << i;
            EXPECT_EQ(aktionen[i]->isSeparator(), e.text == nullptr);
            if (e.text) {
                EXPECT_EQ(aktionen[i]->text(), QString::fromUtf8(e.text));
            }
        }
    }
    EXPECT_EQ(c.mnuDatei->actions().at(2), c.mnuExport->menuAction());
    EXPECT_EQ(c.mnuAnsicht->actions().at(3), c.picchoose->menuAction());

    // The menu bar: five pull-down menus, two commands, then "&Info" at position 7.
    const QList<QAction*> leiste = f.menuBar()->actions();
    const std::vector<QAction*> erwartet{c.mnuDatei->menuAction(),      c.mnuAnsicht->menuAction(),
                                         c.mnuSuchen->menuAction(),     c.mnuSortierung->menuAction(),
                                         c.mnuStatistik->menuAction(),  c.mnuOptionen,
                                         c.mnuTools,                    c.About->menuAction()};
    EXPECT_EQ(std::vector<QAction*>(leiste.begin(), leiste.end()), erwartet);
    EXPECT_EQ(c.mnuOptionen->text(), "&Optionen");
    EXPECT_EQ(c.mnuTools->text(), "&Tools");
    EXPECT_EQ(c.mnuOptionen->menu(), nullptr);
    EXPECT_EQ(c.mnuTools->menu(), nullptr);

    EXPECT_EQ(c.mnuVolltextsucheTitel->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
    EXPECT_EQ(c.mnuVolltextsucheInfo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
    for (QAction* a : {c.mnuFormat, c.mnuQualität, c.mnuMappe, c.mnuKategorie, c.mnuDateAb, c.mnuDateAuf}) {
        EXPECT_TRUE(a->isCheckable()) << a->objectName().toStdString();
        EXPECT_FALSE(a->isChecked()) << a->objectName().toStdString();
    }
}

TEST_F(Fenster, EntryFieldsFollowEachOtherInTabOrderAndEnterClicksTheSaveButtons)
{
    const FilmeControls& c = f.c;
    EXPECT_EQ(c.tfFormat->nextInFocusChain(), c.tfQualität);
    EXPECT_EQ(c.tfQualität->nextInFocusChain(), c.tfMappe);
    EXPECT_EQ(c.tfMappe->nextInFocusChain(), c.tfAnzahl);
    EXPECT_EQ(c.tfAnzahl->nextInFocusChain(), c.tfCat);

    for (QPushButton* knopf : {c.Speichern, c.cmdspeichern}) {
        SCOPED_TRACE(knopf->objectName().toStdString());
        int klicks = 0;
        QObject::connect(knopf, &QPushButton::clicked, [&] { ++klicks; });
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(knopf, &enter);
        EXPECT_EQ(klicks, 1);
    }
}

namespace {

// A look of the window: the application's face (none: the platform's) and the
// lines added to "Cd.ini".
struct Aussehen {
    const char* name;
    std::optional<double> anwendungsPunkte;
    QByteArray cdIni;
};

const QByteArray Ausgeliefert = "[Design]\r\nDefault=0\r\nSprache=deutsch.lng\r\n";
const QByteArray ZwölfPunktFett =
    "[Design]\r\nDefault=1\r\nSprache=deutsch.lng\r\nTextFont=DejaVu Sans\r\nTextSize=12\r\nTextBold=1\r\n"
    "TextFarbe=0\r\n";

// The shipped language file, with the number of discs named as the design names it.
void spracheAusliefern(const Filmkatalog& k)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(RDX_SOURCE_DIR "/data/deutsch.lng"), k.folder.file("deutsch.lng")));
    QFile::setPermissions(k.folder.file("deutsch.lng"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ASSERT_TRUE(ini::IniFile(k.folder.file("deutsch.lng")).write("Hauptfenster", "Label5", "Anzahl CD´s"));
}

std::vector<QLabel*> feldwortLabels(const FilmeControls& c)
{
    std::vector<QLabel*> l{c.lbAnzahl, c.Label4, c.Label6};
    for (const auto* feld : {&c.lbCatArray, &c.lbFormatArray, &c.lbQualitätArray, &c.lbMappeArray})
        l.insert(l.end(), feld->begin(), feld->end());
    for (const auto* feld : {&c.lbTitelArray, &c.lbWerArray})
        l.insert(l.end(), feld->begin(), feld->end());
    return l;
}

// Every visible label shows its whole text, nothing covers anything, and the
// column headers read as separate words.
void erwarteLesbar(frmFilme& f, const char* modus)
{
    SCOPED_TRACE(modus);
    QApplication::processEvents();
    for (QLabel* l : feldwortLabels(f.c)) {
        if (!l->isVisible())
            continue;
        EXPECT_GE(l->contentsRect().width(), l->fontMetrics().horizontalAdvance(l->text()))
            << l->objectName().toStdString() << " cuts \"" << l->text().toStdString() << "\"";
    }
    EXPECT_EQ(überlappungen(f, überEinander(f)), std::vector<QString>{});

    const QLabel* davor = nullptr;
    for (QLabel* kopf : {f.c.lbTitel(1), f.c.lbCat(1), f.c.lbFormat(1), f.c.lbQualität(1), f.c.lbMappe(1),
                         f.c.lbWer(1)}) {
        if (!kopf->isVisible())
            continue;
        if (davor) {
            const int textEnde = davor->x() + davor->fontMetrics().horizontalAdvance(davor->text());
            EXPECT_GE(kopf->x(), textEnde + 2 * davor->fontMetrics().horizontalAdvance(u' '))
                << "\"" << davor->text().toStdString() << "\" runs into \"" << kopf->text().toStdString() << "\"";
        }
        davor = kopf;
    }
}

void PrintTo(const Aussehen& a, std::ostream* os)
{
    *os << a.name;
}

// The window's catalogue in the face and look of the case, with the shipped language file.
class Beschriftung : public ::testing::TestWithParam<Aussehen> {
protected:
    void SetUp() override { spracheAusliefern(k); }

    Anwendungsschrift schrift{GetParam().anwendungsPunkte};
    Filmkatalog k{GetParam().cdIni};
};

}  // namespace

// Each label is as wide as its word in the face the look gives it and keeps
// its left edge; the fields right of the panel's labels and the headers right
// of a wide header make room, in every mode of the window.
TEST_P(Beschriftung, EveryWordShowsWholeAndCoversNothingInEveryMode)
{
    frmFilme& f = zeigen(k, "Matrix");
    f.show();
    const FilmeControls& c = f.c;
    ASSERT_EQ(c.lbAnzahl->text(), "Anzahl CD´s");
    erwarteLesbar(f, "a title shown");

    // Left edges as placed: the panel's labels, the first headers and the filter row.
    for (QLabel* l : {c.lbTitel(0), c.lbFormat(0), c.lbQualität(0), c.lbMappe(0), c.lbAnzahl, c.lbCat(0)})
        EXPECT_EQ(l->x(), px(120)) << l->objectName().toStdString();
    EXPECT_EQ(c.lbTitel(1)->x(), px(120));
    EXPECT_EQ(c.lbCat(1)->x(), px(3480));
    EXPECT_EQ(c.lbFormat(1)->x(), px(5160));
    for (int i = 0; i < 4; ++i) {
        QLabel* filter[] = {c.lbCat(2), c.lbFormat(2), c.lbQualität(2), c.lbMappe(2)};
        EXPECT_EQ(filter[i]->x(), px(900 + i * 1800 + 270)) << filter[i]->objectName().toStdString();
    }
    // The fields keep their right edges, the widest in line with the others.
    for (QWidget* feld : std::initializer_list<QWidget*>{c.tfFormat, c.tfQualität, c.tfMappe, c.tfAnzahl, c.tfCat})
        EXPECT_EQ(feld->geometry().right() + 1, px(1380) + px(1500)) << feld->objectName().toStdString();
    EXPECT_EQ(c.tfAnzahl->x(), c.tfTitel->x());

    c.cmdUnterordner->click();
    ASSERT_TRUE(c.lfListe2->isVisible());
    erwarteLesbar(f, "the sub-entries");

    c.cmdUnterordnerzurück->click();
    c.Neu->click();
    erwarteLesbar(f, "a new record");

    titelKlicken(k, "Ocean's Eleven");
    c.cmdAusgeliehen->click();
    ASSERT_EQ(c.lbQualität(1)->text(), "Zurück am");
    erwarteLesbar(f, "the lending history");
    f.close();
}

const Aussehen looks[] = {
    {"Shipped", std::nullopt, Ausgeliefert},
    {"ShippedOnATenPointDesktop", 10.0, Ausgeliefert},
    {"TwelvePointBold", std::nullopt, ZwölfPunktFett},
    {"TwelvePointBoldFormatFirst", std::nullopt, ZwölfPunktFett + "[Funktionen]\r\nSortierung=FK\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Looks, Beschriftung, ::testing::ValuesIn(looks),
                         [](const auto& fall) { return std::string(fall.param.name); });

namespace {

// Where a cell of a list row begins and ends on the window's surface, as the list draws it.
std::pair<int, int> zelle(const vb::ListBox* liste, int zeile, int nr)
{
    const QString text = liste->item(zeile)->text();
    QTextLayout satz(text, liste->font());
    satz.setTextOption(liste->textOption(liste->font()));
    satz.beginLayout();
    QTextLine z = satz.createLine();
    z.setLineWidth(100000);
    satz.endLayout();
    int anfang = 0;
    for (int i = 0; i < nr; ++i)
        anfang = int(text.indexOf(u'\t', anfang)) + 1;
    const int ende = text.indexOf(u'\t', anfang) < 0 ? int(text.size()) : int(text.indexOf(u'\t', anfang));
    const QPoint ursprung = liste->viewport()->mapTo(liste->parentWidget(), liste->visualItemRect(liste->item(zeile)).topLeft());
    const int rand = liste->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, liste) + 1;
    return {ursprung.x() + rand + int(z.cursorToX(anfang)), ursprung.x() + rand + int(z.cursorToX(ende))};
}

class Ausleihliste : public Beschriftung {};

}  // namespace

// The lending history shows a borrower's whole name, and each header stands
// over its column, apart from the one before it.
TEST_P(Ausleihliste, NamesStayWholeAndEachHeaderStandsOverItsColumn)
{
    k.ausführen("INSERT INTO Ausleihe VALUES ('Ocean''s Eleven', 'Jürgen Müller', '01.02.2026', '15.02.2026')");
    frmFilme& f = zeigen(k, "Ocean's Eleven");
    f.show();
    f.c.cmdAusgeliehen->click();
    QApplication::processEvents();
    const int zeile = k.zeilen().indexOf("Ocean's Eleven\tJürgen Müller  \t01.02.2026\t15.02.2026");
    ASSERT_GE(zeile, 0) << k.zeilen().join(" | ").toStdString();

    const std::pair<QLabel*, const char*> köpfe[] = {
        {f.c.lbCat(1), "Ausleiher"}, {f.c.lbFormat(1), "Ausgeliehen am"}, {f.c.lbQualität(1), "Zurück am"}};
    for (int i = 0; i < 3; ++i) {
        QLabel* kopf = köpfe[i].first;
        SCOPED_TRACE(köpfe[i].second);
        EXPECT_EQ(kopf->text(), köpfe[i].second);
        EXPECT_TRUE(kopf->isVisible());
        const auto [links, rechts] = zelle(f.c.lfListe, zeile, i + 1);
        EXPECT_LT(kopf->x(), rechts) << "the header stands over its column, not right of it";
        EXPECT_GT(kopf->x() + kopf->fontMetrics().horizontalAdvance(kopf->text()), links);
    }
    erwarteLesbar(f, "the lending history");
    f.close();
}

INSTANTIATE_TEST_SUITE_P(Looks, Ausleihliste, ::testing::ValuesIn(looks),
                         [](const auto& fall) { return std::string(fall.param.name); });

// A smaller face applied again gives every label and field its design place back.
TEST(Schriftwechsel, ASmallerFaceGivesTheDesignPlacesBack)
{
    Filmkatalog k(ZwölfPunktFett);
    spracheAusliefern(k);
    frmFilme& f = zeigen(k, "Matrix");
    const FilmeControls& c = f.c;
    ASSERT_GT(c.tfAnzahl->x(), px(1380)) << "twelve points bold need more room than the design gives";

    const ini::IniFile cdIni(k.folder.file("Cd.ini"));
    cdIni.write("Design", "TextSize", "8");
    cdIni.write("Design", "TextBold", "0");
    c.mnuAktualisieren->trigger();
    f.przAlleListe();
    for (QWidget* feld : std::initializer_list<QWidget*>{c.tfTitel, c.tfFormat, c.cmbFormat1, c.tfAnzahl, c.tfCat,
                                                         c.cmbCat1}) {
        EXPECT_EQ(feld->x(), px(1380)) << feld->objectName().toStdString();
        EXPECT_EQ(feld->geometry().right() + 1, px(1380) + (feld == c.tfTitel ? px(4320) : px(1500)))
            << feld->objectName().toStdString();
    }
    const std::pair<QLabel*, int> köpfe[] = {{c.lbQualität(1), 6240}, {c.lbMappe(1), 7200}, {c.lbWer(1), 8640}};
    for (const auto& [kopf, links] : köpfe)
        EXPECT_EQ(kopf->x(), px(links)) << kopf->objectName().toStdString();
    EXPECT_EQ(c.lbAnzahl->width(), px(1200));
    EXPECT_EQ(c.tfDatum->x(), px(4560));
}

namespace {

// The rows a user sees whole.
int sichtbareZeilen(const vb::ListBox* liste)
{
    int n = 0;
    for (int i = 0; i < liste->count(); ++i)
        if (liste->viewport()->rect().contains(liste->visualItemRect(liste->item(i))))
            ++n;
    return n;
}

Filmkatalog& vieleTitel(Filmkatalog& k)
{
    for (int i = 1; i <= 60; ++i)
        k.ausführen("INSERT INTO Filme (Titel, Format, Qualität, Mappe, Wer, Cat, Unterordner) VALUES "
                    "(?, 'DVD', '1', 'A', '-', 'Krimi', '-')",
                    {QStringLiteral("Titel %1 mit einem langen Namen über die Spalten").arg(i, 2, 10, QLatin1Char('0'))});
    return k;
}

}  // namespace

// Enlarged, the window gives its extra width and height to the lists; the
// filter row and the buttons under them move down with their lower edge, the
// panel and the headers stay, and the tab stops are the same.
TEST(Fläche, AnEnlargedWindowGivesItsRoomToTheLists)
{
    Filmkatalog k;
    vieleTitel(k);
    frmFilme& f = zeigen(k, "Matrix");
    f.show();
    QApplication::processEvents();
    const FilmeControls& c = f.c;
    const QRect liste = c.lfListe->geometry();
    ASSERT_EQ(liste, QRect(px(120), px(3840), px(9915), px(2190)));
    const int zeilenVorher = sichtbareZeilen(c.lfListe);
    EXPECT_GE(zeilenVorher, 8) << "the design's eight rows at least";
    std::vector<std::pair<QWidget*, QRect>> oben, unten;
    for (QWidget* w : std::initializer_list<QWidget*>{c.tfTitel, c.tfInfo, c.Neu, c.cmdCover, c.lbTitel(1),
                                                      c.lbWer(1), c.cmdSize})
        oben.emplace_back(w, w->geometry());
    for (QWidget* w : std::initializer_list<QWidget*>{c.Label6, c.lbCat(2), c.cmbCat, c.lbWer(0), c.cmbWer, c.Alle,
                                                      c.chkdat, c.Datum, c.cmdHTML, c.Label3, c.lbAnzahlSel,
                                                      c.Label5, c.lbAnzahlF})
        unten.emplace_back(w, w->geometry());

    f.resize(1400, 1000);
    QApplication::processEvents();
    const int breiter = f.centralWidget()->width() - px(10155);
    const int höher = f.centralWidget()->height() - px(7650);
    ASSERT_EQ(f.width(), 1400);
    ASSERT_GT(höher, 300);
    EXPECT_EQ(c.lfListe->geometry(), liste.adjusted(0, 0, breiter, höher));
    for (QWidget* w : std::initializer_list<QWidget*>{c.lfListe2, c.lfCover, c.WebBrowser1})
        EXPECT_EQ(w->geometry(), c.lfListe->geometry()) << w->objectName().toStdString();
    for (const auto& [w, vorher] : oben)
        EXPECT_EQ(w->geometry(), vorher) << w->objectName().toStdString() << " stays";
    for (const auto& [w, vorher] : unten)
        EXPECT_EQ(w->geometry(), vorher.translated(0, höher)) << w->objectName().toStdString() << " moves down";
    const int zeilenhöhe = c.lfListe->visualItemRect(c.lfListe->item(0)).height();
    EXPECT_GE(sichtbareZeilen(c.lfListe), zeilenVorher + höher / zeilenhöhe);
    EXPECT_EQ(c.lfListe->tabStops(), (std::vector<int>{150, 160, 225, 235, 245, 255}));
    EXPECT_EQ(überlappungen(f, überEinander(f)), std::vector<QString>{});

    // The sub-entry list opens as large as the title list.
    c.cmdUnterordner->click();
    ASSERT_TRUE(c.lfListe2->isVisible());
    EXPECT_EQ(c.lfListe2->geometry(), liste.adjusted(0, 0, breiter, höher));

    // Back to the design size, everything is where the design has it.
    c.cmdUnterordnerzurück->click();
    f.resize(f.minimumSize());
    QApplication::processEvents();
    EXPECT_EQ(c.lfListe->geometry(), liste);
    for (const auto& [w, vorher] : unten)
        EXPECT_EQ(w->geometry(), vorher) << w->objectName().toStdString();
    EXPECT_EQ(sichtbareZeilen(c.lfListe), zeilenVorher);
    f.close();
}

TEST(Fläche, TheWindowIsNeverSmallerThanItsDesign)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.show();
    f.resize(400, 300);
    QApplication::processEvents();
    EXPECT_EQ(f.centralWidget()->size(), QSize(px(10155), px(7650)));
    EXPECT_EQ(f.c.lfListe->geometry(), QRect(px(120), px(3840), px(9915), px(2190)));
    EXPECT_EQ(f.c.Alle->pos(), QPoint(px(120), px(6780)));
    f.close();
}

namespace {

// A background picture of the program folder, as the picture entries store it.
void hintergrundbild(const Filmkatalog& k)
{
    QDir().mkpath(k.folder.file("bilder"));
    QImage bild(400, 300, QImage::Format_RGB32);
    QPainter maler(&bild);
    QLinearGradient verlauf(0, 0, 400, 300);
    verlauf.setColorAt(0, QColor(120, 170, 210));
    verlauf.setColorAt(1, QColor(230, 240, 250));
    maler.fillRect(bild.rect(), verlauf);
    maler.end();
    ASSERT_TRUE(bild.save(k.folder.file("bilder/lacs.jpg")));
}

const QByteArray MitBild = "[Design]\r\nHintergrundfarbe=0\r\nBild=bilder/lacs.jpg\r\n";

}  // namespace

// The background picture fills the enlarged window, also after a refresh lays
// the look on again.
TEST(Fläche, ThePictureFillsTheEnlargedWindowAlsoAfterARefresh)
{
    Filmkatalog k(MitBild);
    hintergrundbild(k);
    frmFilme& f = k.fenster();
    f.show();
    f.resize(1400, 1000);
    QApplication::processEvents();
    const QWidget* fläche = f.centralWidget();
    const QRect gefüllt = f.c.Image1->geometry();
    EXPECT_TRUE(gefüllt.contains(fläche->rect())) << "the picture covers the whole surface";
    EXPECT_NEAR(gefüllt.center().x(), fläche->rect().center().x(), 1);
    EXPECT_NEAR(gefüllt.center().y(), fläche->rect().center().y(), 1);

    f.c.mnuAktualisieren->trigger();
    QApplication::processEvents();
    EXPECT_EQ(f.c.Image1->geometry(), gefüllt);
    EXPECT_FALSE(f.c.Image1->isHidden());
    f.close();
}

// The enlarged window and the labels in the looks, for a look by eye: RDX_SCREENSHOTS names a folder.
TEST(Fläche, Screenshot)
{
    const QString ordner = qEnvironmentVariable("RDX_SCREENSHOTS");
    if (ordner.isEmpty())
        GTEST_SKIP() << "RDX_SCREENSHOTS not set";
    QDir().mkpath(ordner);
    {
        Filmkatalog k(Ausgeliefert + MitBild);
        vieleTitel(k);
        spracheAusliefern(k);
        hintergrundbild(k);
        frmFilme& f = zeigen(k, "Matrix");
        f.show();
        f.resize(1400, 1000);
        QApplication::processEvents();
        f.grab().save(ordner + "/frmFilme_gross.png");
        f.close();
    }
    const std::pair<const char*, QByteArray> bilder[] = {{"ausgeliefert", Ausgeliefert}, {"12pt", ZwölfPunktFett}};
    for (const auto& [name, cdIni] : bilder) {
        Filmkatalog k(cdIni);
        spracheAusliefern(k);
        frmFilme& f = zeigen(k, "Matrix");
        f.show();
        QApplication::processEvents();
        f.grab().save(ordner + "/frmFilme_" + name + ".png");
        f.c.cmdUnterordner->click();
        QApplication::processEvents();
        f.grab().save(ordner + "/frmFilme_Unterordner_" + name + ".png");
        f.c.cmdUnterordnerzurück->click();
        f.c.Neu->click();
        QApplication::processEvents();
        f.grab().save(ordner + "/frmFilme_Neu_" + name + ".png");
        titelKlicken(k, "Ocean's Eleven");
        f.c.cmdAusgeliehen->click();
        QApplication::processEvents();
        f.grab().save(ordner + "/frmFilme_Ausleiher_" + name + ".png");
        f.close();
    }
    {
        Anwendungsschrift schrift(12.0);
        Filmkatalog k(Ausgeliefert);
        spracheAusliefern(k);
        frmFilme& f = zeigen(k, "Matrix");
        f.show();
        QApplication::processEvents();
        f.grab().save(ordner + "/frmFilme_12pt_Desktop.png");
        f.close();
    }
}
