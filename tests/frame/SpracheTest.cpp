#include "frame/Sprache.h"
#include "tests/support/Doubles.h"
#include "tests/support/TempFolder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QStringDecoder>

#include <gtest/gtest.h>
#include "tests/Quellordner.h"

using namespace testing_support;

namespace {

const QString ShippedFile = QStringLiteral(RDX_SOURCE_DIR "/data/deutsch.lng");

// A few controls of the main window under their names, with design texts, a
// menu bar of menus and entries, and a window of its own that has controls of
// the same names.
struct Hauptfenster {
    QMainWindow fenster;
    QWidget* anderesFenster = nullptr;
    QLabel* label4 = nullptr;
    QLabel* datum = nullptr;
    QLabel* lbWer1 = nullptr;
    QCheckBox* chkdat = nullptr;
    QPushButton* neu = nullptr;
    QPushButton* cmdMappe = nullptr;
    QLineEdit* tfTitel = nullptr;
    QComboBox* cmbQualitaet1 = nullptr;
    QComboBox* cmbFormat1 = nullptr;
    QComboBox* cmbQualitaet = nullptr;
    QMenu* mnuDatei = nullptr;
    QMenu* mnuExport = nullptr;
    QAction* mnuHTML = nullptr;
    QMenu* about = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuOptionen = nullptr;
    QPushButton* fremdesNeu = nullptr;

    Hauptfenster()
    {
        // Created first, so that a plain search by name meets its controls first.
        anderesFenster = new QWidget(&fenster, Qt::Window);
        fremdesNeu = knopf(anderesFenster, "Neu", "Neu (anderes Fenster)", "fremd");
        knopf(anderesFenster, "cmdAusleihen", "Mappe &ausleihen", "");

        auto* flaeche = new QWidget(&fenster);
        fenster.setCentralWidget(flaeche);
        label4 = label(flaeche, "Label4", "Eingetragen am:");
        datum = label(flaeche, "Datum", "Datum");
        datum->setToolTip(QStringLiteral("Ruft die Datensätze nach dem Datum sortiert auf"));
        lbWer1 = label(flaeche, "lbWer_1", "Ausleiher");
        chkdat = new QCheckBox(flaeche);
        chkdat->setObjectName(QStringLiteral("chkdat"));
        neu = knopf(flaeche, "Neu", "&Neu", "Neuer Datensatz");
        cmdMappe = knopf(flaeche, "cmdMappe", "Mappe ausleihen", "Wenn Sie eine Mappe ausleihen wollen");
        tfTitel = new QLineEdit(flaeche);
        tfTitel->setObjectName(QStringLiteral("tfTitel"));
        tfTitel->setToolTip(QStringLiteral("Titel"));
        cmbQualitaet1 = kombi(flaeche, "cmbQualität1");
        cmbFormat1 = kombi(flaeche, "cmbFormat1");
        cmbQualitaet = kombi(flaeche, "cmbQualität");
        cmbQualitaet->setToolTip(QStringLiteral("Qualitätsfilter"));

        QMenuBar* leiste = fenster.menuBar();
        mnuDatei = menu(leiste, "mnuDatei", "&Datei");
        mnuExport = new QMenu(QStringLiteral("Export"), mnuDatei);
        mnuExport->setObjectName(QStringLiteral("mnuExport"));
        mnuDatei->addMenu(mnuExport);
        mnuHTML = eintrag(mnuExport, "mnuHTML", "HTML");
        about = menu(leiste, "About", "&Info");
        mnuAbout = eintrag(about, "mnuAbout", "Info");
        mnuOptionen = leiste->addAction(QStringLiteral("&Optionen"));
        mnuOptionen->setObjectName(QStringLiteral("mnuOptionen"));
    }

    static QLabel* label(QWidget* eltern, const char* name, const char* text)
    {
        auto* l = new QLabel(QString::fromUtf8(text), eltern);
        l->setObjectName(QString::fromUtf8(name));
        return l;
    }
    static QPushButton* knopf(QWidget* eltern, const char* name, const char* text, const char* tipp)
    {
        auto* k = new QPushButton(QString::fromUtf8(text), eltern);
        k->setObjectName(QString::fromUtf8(name));
        k->setToolTip(QString::fromUtf8(tipp));
        return k;
    }
    static QComboBox* kombi(QWidget* eltern, const char* name)
    {
        auto* c = new QComboBox(eltern);
        c->setObjectName(QString::fromUtf8(name));
        c->setToolTip(QStringLiteral("Entwurf"));
        return c;
    }
    static QMenu* menu(QMenuBar* leiste, const char* name, const char* titel)
    {
        QMenu* m = leiste->addMenu(QString::fromUtf8(titel));
        m->setObjectName(QString::fromUtf8(name));
        return m;
    }
    static QAction* eintrag(QMenu* m, const char* name, const char* text)
    {
        QAction* a = m->addAction(QString::fromUtf8(text));
        a->setObjectName(QString::fromUtf8(name));
        return a;
    }
};

QByteArray sektion(const char* name, std::initializer_list<const char*> zeilen)
{
    QByteArray text = "[" + QByteArray(name) + "]\r\n";
    for (const char* z : zeilen)
        text += QByteArray(z) + "\r\n";
    return text;
}

frame::Feldwoerter vorbelegt()
{
    frame::Feldwoerter w;
    for (std::size_t i = 0; i < w.label.size(); ++i)
        w.label[i] = QStringLiteral("alt %1").arg(i + 1);
    return w;
}

// The shipped file's sections as written: section -> key -> value, keys in
// lower case; duplicates and malformed lines reported.
struct Rohdatei {
    QHash<QString, QHash<QString, QString>> werte;
    QStringList fehler;
};

Rohdatei rohLesen(const QByteArray& bytes)
{
    Rohdatei roh;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError())
        roh.fehler << QStringLiteral("not UTF-8");
    const QStringList zeilen = text.split(QStringLiteral("\r\n"));
    if (!zeilen.isEmpty() && !zeilen.back().isEmpty())
        roh.fehler << QStringLiteral("last line without CR LF");
    QString aktuell;
    for (const QString& zeile : zeilen) {
        if (zeile.contains(QLatin1Char('\n')) || zeile.contains(QLatin1Char('\r')))
            roh.fehler << QStringLiteral("line end other than CR LF: ") + zeile;
        if (zeile.isEmpty() || zeile.startsWith(QLatin1Char(';')))
            continue;
        if (zeile.startsWith(QLatin1Char('['))) {
            aktuell = zeile.mid(1, zeile.size() - 2).toLower();
            if (roh.werte.contains(aktuell))
                roh.fehler << QStringLiteral("section twice: ") + aktuell;
            roh.werte[aktuell];
            continue;
        }
        const qsizetype gleich = zeile.indexOf(QLatin1Char('='));
        if (gleich <= 0 || aktuell.isEmpty()) {
            roh.fehler << QStringLiteral("not a key line: ") + zeile;
            continue;
        }
        const QString schluessel = zeile.left(gleich).toLower();
        const QString wert = zeile.mid(gleich + 1);
        if (roh.werte[aktuell].contains(schluessel))
            roh.fehler << QStringLiteral("key twice: ") + aktuell + QLatin1Char('/') + schluessel;
        if (wert.size() >= frame::HauptfensterPuffer - 1)
            roh.fehler << QStringLiteral("value of 199 characters or more: ") + schluessel;
        if (wert != wert.trimmed())
            roh.fehler << QStringLiteral("blanks around a value that the reader drops: ") + schluessel;
        roh.werte[aktuell].insert(schluessel, wert);
    }
    return roh;
}

}  // namespace

TEST(przSprache, WithoutLanguageFileChangesNothing)
{
    TempFolder folder;
    folder.write("deutsch.lng", sektion("Hauptfenster", {"Label1=Ordner", "Label8=Neu!", "Button2=Anders"}));
    FakeServices fake(folder.path());
    Hauptfenster h;
    frame::Feldwoerter woerter = vorbelegt();

    frame::przSprache(&h.fenster, fake.services, QString(), woerter);

    EXPECT_EQ(h.label4->text(), QStringLiteral("Eingetragen am:"));
    EXPECT_EQ(h.neu->text(), QStringLiteral("&Neu"));
    EXPECT_EQ(h.neu->toolTip(), QStringLiteral("Neuer Datensatz"));
    EXPECT_EQ(h.cmdMappe->text(), QStringLiteral("Mappe ausleihen"));
    EXPECT_EQ(h.cmbQualitaet->toolTip(), QStringLiteral("Qualitätsfilter"));
    EXPECT_EQ(h.about->title(), QStringLiteral("&Info"));
    EXPECT_EQ(h.mnuAbout->text(), QStringLiteral("Info"));
    EXPECT_EQ(h.mnuOptionen->text(), QStringLiteral("&Optionen"));
    for (std::size_t i = 0; i < woerter.label.size(); ++i)
        EXPECT_EQ(woerter.label[i], QStringLiteral("alt %1").arg(i + 1)) << "field words keep their values";
}

TEST(przSprache, NamedFileMissingEmptiesEveryListedText)
{
    TempFolder folder;
    FakeServices fake(folder.path());
    Hauptfenster h;
    frame::Feldwoerter woerter = vorbelegt();

    frame::przSprache(&h.fenster, fake.services, QStringLiteral("deutsch.lng"), woerter);

    for (const QString& wort : woerter.label)
        EXPECT_EQ(wort, QString());
    EXPECT_EQ(h.label4->text(), QString());
    EXPECT_EQ(h.chkdat->text(), QString());
    EXPECT_EQ(h.datum->toolTip(), QString());
    EXPECT_EQ(h.neu->text(), QString());
    EXPECT_EQ(h.neu->toolTip(), QString());
    EXPECT_EQ(h.tfTitel->toolTip(), QString());
    EXPECT_EQ(h.mnuDatei->title(), QString());
    EXPECT_EQ(h.mnuExport->title(), QString());
    EXPECT_EQ(h.mnuHTML->text(), QString());
    EXPECT_EQ(h.about->title(), QString());
    EXPECT_EQ(h.mnuAbout->text(), QString());
    EXPECT_EQ(h.mnuOptionen->text(), QString());
    // The joins keep the field word's place and their blanks.
    EXPECT_EQ(h.cmdMappe->text(), QStringLiteral(" "));
    EXPECT_EQ(h.cmbFormat1->toolTip(), QStringLiteral(" "));
    EXPECT_EQ(h.cmbQualitaet1->toolTip(), QStringLiteral("  "));
    EXPECT_EQ(h.cmbQualitaet->toolTip(), QString());
    // Not in the table, and not the main window's.
    EXPECT_EQ(h.lbWer1->text(), QStringLiteral("Ausleiher"));
    EXPECT_EQ(h.fremdesNeu->text(), QStringLiteral("Neu (anderes Fenster)"));
    EXPECT_EQ(h.fremdesNeu->toolTip(), QStringLiteral("fremd"));
}

TEST(przSprache, SetsEachTargetAndEmptiesWhatTheFileLacks)
{
    TempFolder folder;
    folder.write("deutsch.lng",
                 "; Kopf\r\n" +
                     sektion("hauptFENSTER", {"Label1=Ordner", "Label2=Qualität", "Label3=Medium", "Label6=Leiher",
                                              "Button10=ausleihen", "cmb5=sfilter", "cmb1=wählen",
                                              "Menu1=&Akte", "Menu3=Ausgabe", "Menu34=&Hilfe-Info", "Menu32=Ein&stellungen",
                                              "Label8=Erfasst:", "Label11=Nach Datum",
                                              "Label11Text=Sortiert nach dem Datum", "Button2=&Anlegen",
                                              "Feld1=Der Titel"}));
    FakeServices fake(folder.path());
    Hauptfenster h;
    frame::Feldwoerter woerter;

    frame::przSprache(&h.fenster, fake.services, QStringLiteral("deutsch.lng"), woerter);

    EXPECT_EQ(woerter.mappe(), QStringLiteral("Ordner"));
    EXPECT_EQ(woerter.format(), QStringLiteral("Medium"));
    EXPECT_EQ(woerter.ausleiher(), QStringLiteral("Leiher"));
    EXPECT_EQ(woerter.titel(), QString());

    struct Fall {
        const char* was;
        QString ist;
        const char* soll;
    };
    const Fall faelle[] = {
        {"cmdMappe: field word, one blank, value", h.cmdMappe->text(), "Ordner ausleihen"},
        {"cmbQualität: field word and value without a blank", h.cmbQualitaet->toolTip(), "Qualitätsfilter"},
        {"cmbQualität1: two blanks", h.cmbQualitaet1->toolTip(), "Qualität  wählen"},
        {"cmbFormat1: one blank", h.cmbFormat1->toolTip(), "Medium wählen"},
        {"Menu34 names the menu", h.about->title(), "&Hilfe-Info"},
        {"Menu34 names its entry too", h.mnuAbout->text(), "&Hilfe-Info"},
        {"a menu of the menu bar", h.mnuDatei->title(), "&Akte"},
        {"a submenu", h.mnuExport->title(), "Ausgabe"},
        {"an entry of the menu bar", h.mnuOptionen->text(), "Ein&stellungen"},
        {"an entry whose key is missing", h.mnuHTML->text(), ""},
        {"a label", h.label4->text(), "Erfasst:"},
        {"a check box", h.chkdat->text(), "Nach Datum"},
        {"Label11Text on the label", h.datum->toolTip(), "Sortiert nach dem Datum"},
        {"Label11Text on the check box", h.chkdat->toolTip(), "Sortiert nach dem Datum"},
        {"a button's caption", h.neu->text(), "&Anlegen"},
        {"a button's tooltip whose key is missing", h.neu->toolTip(), ""},
        {"cmdMappe's tooltip whose key is missing", h.cmdMappe->toolTip(), ""},
        {"an entry field", h.tfTitel->toolTip(), "Der Titel"},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(f.ist, QString::fromUtf8(f.soll)) << f.was;
    EXPECT_EQ(h.lbWer1->text(), QStringLiteral("Ausleiher")) << "field words change no control here";
}

TEST(przSprache, CutsAValueTo199CharactersWhileOtherBuffersTakeMore)
{
    TempFolder folder;
    const QByteArray lang(250, 'x');
    folder.write("deutsch.lng", sektion("Hauptfenster", {}) + "Label8=" + lang + "\r\n" + "Label1=" + lang + "\r\n" +
                                    sektion("About", {}) + "Label1=" + lang + "\r\n");
    FakeServices fake(folder.path());
    Hauptfenster h;
    frame::Feldwoerter woerter;

    frame::przSprache(&h.fenster, fake.services, QStringLiteral("deutsch.lng"), woerter);

    EXPECT_EQ(h.label4->text(), QString(199, QLatin1Char('x')));
    EXPECT_EQ(woerter.mappe(), QString(199, QLatin1Char('x')));
    EXPECT_EQ(frame::sprachText(fake.services, QStringLiteral("deutsch.lng"), QStringLiteral("About"),
                                QStringLiteral("Label1"), 400),
              QString(250, QLatin1Char('x')));
    EXPECT_EQ(frame::Sprachdatei(fake.services, QStringLiteral("deutsch.lng"), 10)
                  .text(QStringLiteral("about"), QStringLiteral("LABEL1")),
              QString(9, QLatin1Char('x')));
}

TEST(przSprache, FindsTargetsOnlyAmongTheWindowsOwnControls)
{
    Hauptfenster h;
    const QStringList fehlend = frame::fehlendeZiele(&h.fenster, frame::hauptfensterTabelle());

    for (const char* da : {"Label4", "Datum", "chkdat", "Neu", "cmdMappe", "tfTitel", "cmbQualität1", "cmbFormat1",
                           "cmbQualität", "mnuDatei", "mnuExport", "mnuHTML", "About", "mnuAbout", "mnuOptionen"})
        EXPECT_FALSE(fehlend.contains(QString::fromUtf8(da))) << da;
    // The other window's button of that name is not the main window's.
    for (const char* weg : {"cmdAusleihen", "cmdEdit", "mnuCredits", "Ausgeliehen", "cmbWer"})
        EXPECT_TRUE(fehlend.contains(QString::fromUtf8(weg))) << weg;
    EXPECT_EQ(frame::sprachZiel(&h.fenster, QStringLiteral("Neu")), h.neu);
    EXPECT_EQ(frame::sprachZiel(&h.fenster, QStringLiteral("lbWer_1")), h.lbWer1);
}

TEST(przSprache, TableReadsThe111KeysOfTheMainWindowWithTheFieldWordsFirst)
{
    QSet<QString> schluessel;
    bool feldwoerterVorbei = false;
    int letzteMenu34 = -1;
    int menu36 = -1;
    int zeile = 0;
    for (const frame::Sprachzeile& z : frame::hauptfensterTabelle()) {
        EXPECT_STREQ(z.sektion, "Hauptfenster");
        const QString key = QString::fromUtf8(z.schluessel);
        schluessel.insert(key);
        if (z.eigenschaft == frame::Eigenschaft::Feldwort) {
            EXPECT_FALSE(feldwoerterVorbei) << "field word " << z.schluessel << " read after a join may use it";
            EXPECT_EQ(key, QStringLiteral("Label%1").arg(z.wort));
        } else {
            feldwoerterVorbei = true;
            EXPECT_GE(z.wort, 0);
            EXPECT_LE(z.wort, 7);
            EXPECT_STRNE(z.ziel, "") << z.schluessel;
        }
        if (key == QLatin1String("Menu34"))
            letzteMenu34 = zeile;
        if (key == QLatin1String("Menu36"))
            menu36 = zeile;
        ++zeile;
    }
    EXPECT_EQ(schluessel.size(), 111);
    EXPECT_GT(letzteMenu34, menu36) << "mnuAbout takes Menu34 after Menu36";
}

TEST(Meldungstexte, ComeFromTheFileWhenOneIsNamedElseBuiltInOnRequest)
{
    TempFolder folder;
    folder.write("eigen.lng", sektion("Hauptfenster", {"Fehler1=Nichts da", "FrageText1=weg damit?"}));
    FakeServices fake(folder.path());
    const QString datei = QStringLiteral("eigen.lng");
    using frame::OhneDatei;

    EXPECT_EQ(frame::fehler(fake.services, datei, 1), QStringLiteral("Nichts da"));
    EXPECT_EQ(frame::frageText(fake.services, datei, 1, OhneDatei::Eingebaut), QStringLiteral("weg damit?"));
    EXPECT_EQ(frame::fehlerText(fake.services, datei, 6, OhneDatei::Eingebaut), QString())
        << "a named file's missing key stays empty";

    EXPECT_EQ(frame::fehler(fake.services, QString(), 1), QString());
    EXPECT_EQ(frame::fehlerText(fake.services, QString(), 7), QString());
    EXPECT_EQ(frame::fehler(fake.services, QString(), 1, OhneDatei::Eingebaut), QStringLiteral("Kein Datensatz!"));
    EXPECT_EQ(frame::fehlerText(fake.services, QString(), 8, OhneDatei::Eingebaut),
              QStringLiteral("Diese CD ist bereits ausgeliehen!"));
    EXPECT_EQ(frame::frage(fake.services, QString(), 1, OhneDatei::Eingebaut), QStringLiteral("wirklich löschen?"));
    EXPECT_EQ(frame::meldung(fake.services, QString(), QStringLiteral("Fehler9"), OhneDatei::Eingebaut), QString());
    EXPECT_TRUE(fake.messages.shown.empty());
}

// The keys that the windows read, section by section, besides the main
// window's table.
struct Schluesselreihe {
    const char* sektion;
    std::initializer_list<const char*> schluessel;
};

const Schluesselreihe WeitereSchluessel[] = {
    {"Hauptfenster",
     {"Label13", "Label14", "Fehler1", "Fehler4", "FehlerText1", "FehlerText2", "FehlerText3", "FehlerText6",
      "FehlerText7", "FehlerText8", "Frage1", "FrageText1"}},
    {"HTML",
     {"Caption", "Button1", "Button2", "Button3", "ButtonText1", "ButtonText2", "ButtonText3", "Label1", "Label2",
      "Opt1"}},
    {"Mappe", {"Caption", "Button1", "Button2", "ButtonText1", "ButtonText2", "Label1", "Label2", "cmb1", "cmb2"}},
    {"Statistik Ausleihe",
     {"Caption", "Titel", "Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7", "Opt1", "Opt2",
      "Button1", "Button2", "Button3"}},
    {"About", {"Caption", "lblDescription", "Label1", "Web", "Mail", "Exe"}},
    {"Credits", {"Caption", "Label1", "Link1", "Link2", "Link3"}},
    {"Cover",
     {"Caption", "Button1", "Button2", "Button3", "Button4", "ButtonText1", "ButtonText2", "ButtonText3",
      "ButtonText4"}},
    {"CDeinlesen",
     {"Caption", "Button1", "Button2", "Button3", "Button4", "Button5", "Button6", "Button7", "ButtonText1",
      "ButtonText2", "ButtonText3", "ButtonText4", "ButtonText5", "ButtonText6", "ButtonText7", "Label0", "Label1",
      "Label2", "Label3", "Label4", "Label5", "Feld1", "Feld2", "Feld3", "Feld4", "Feld5", "Feld6", "Feld7",
      "Feld8"}},
    {"Volltextsuche Titel", {"Caption", "Label1"}},
    {"Volltextsuche Info", {"Caption", "Label1"}},
};

TEST(deutschLng, IsAValidUtf8FileWithCrLfAndNoDoubledKeys)
{
    QFile datei(ShippedFile);
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly)) << ShippedFile.toStdString();
    const QByteArray bytes = datei.readAll();
    EXPECT_TRUE(bytes.startsWith(";")) << "a comment header first";
    const Rohdatei roh = rohLesen(bytes);
    EXPECT_TRUE(roh.fehler.isEmpty()) << roh.fehler.join(QLatin1Char('\n')).toStdString();
}

TEST(deutschLng, HoldsEveryKeyThatTheWindowsRead)
{
    QFile datei(ShippedFile);
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    const Rohdatei roh = rohLesen(datei.readAll());
    TempFolder folder;
    ASSERT_TRUE(QFile::copy(ShippedFile, folder.file("deutsch.lng")));
    FakeServices fake(folder.path());
    const frame::Sprachdatei sprache(fake.services, QStringLiteral("deutsch.lng"));

    // The two check boxes have no caption of their own: the labels beside them name them.
    const QSet<QString> ohneText = {QStringLiteral("Label11"), QStringLiteral("Label12")};
    auto pruefe = [&](const QString& sektion, const QString& schluessel) {
        EXPECT_TRUE(roh.werte.value(sektion.toLower()).contains(schluessel.toLower()))
            << "[" << sektion.toStdString() << "] " << schluessel.toStdString() << " missing";
        const bool leer = sektion == frame::HauptfensterSektion && ohneText.contains(schluessel);
        EXPECT_EQ(sprache.text(sektion, schluessel).isEmpty(), leer)
            << "[" << sektion.toStdString() << "] " << schluessel.toStdString();
    };
    for (const frame::Sprachzeile& z : frame::hauptfensterTabelle())
        pruefe(QString::fromUtf8(z.sektion), QString::fromUtf8(z.schluessel));
    for (const Schluesselreihe& reihe : WeitereSchluessel)
        for (const char* s : reihe.schluessel)
            pruefe(QString::fromUtf8(reihe.sektion), QString::fromUtf8(s));

    EXPECT_EQ(sprache.text(QStringLiteral("Hauptfenster"), QStringLiteral("Label1")), QStringLiteral("Mappe"));
    EXPECT_EQ(sprache.text(QStringLiteral("Hauptfenster"), QStringLiteral("Label5")), QStringLiteral("Anzahl CDs"));
    EXPECT_EQ(sprache.text(QStringLiteral("Hauptfenster"), QStringLiteral("Label7")), QStringLiteral("Kategorie"));
    EXPECT_EQ(sprache.text(QStringLiteral("Hauptfenster"), QStringLiteral("cmb5")).left(1), QStringLiteral("s"))
        << "joined to the field word Qualität without a blank";
}

TEST(deutschLng, BuiltInMessagesAreTheShippedTexts)
{
    TempFolder folder;
    ASSERT_TRUE(QFile::copy(ShippedFile, folder.file("deutsch.lng")));
    FakeServices fake(folder.path());
    const QStringList schluessel = frame::eingebauteMeldungen();
    ASSERT_FALSE(schluessel.isEmpty());
    for (const QString& s : schluessel)
        EXPECT_EQ(frame::eingebauteMeldung(s), frame::meldung(fake.services, QStringLiteral("deutsch.lng"), s))
            << s.toStdString();
    // Every message key that a procedure reads has one.
    for (const char* s : WeitereSchluessel[0].schluessel) {
        if (QByteArray(s).startsWith("Fehler") || QByteArray(s).startsWith("Frage")) {
            EXPECT_TRUE(schluessel.contains(QString::fromUtf8(s))) << s;
        }
    }
}

TEST(deutschLng, GivesTheMainWindowItsDesignTexts)
{
    TempFolder folder;
    ASSERT_TRUE(QFile::copy(ShippedFile, folder.file("deutsch.lng")));
    FakeServices fake(folder.path());
    Hauptfenster h;
    frame::Feldwoerter woerter;

    frame::przSprache(&h.fenster, fake.services, QStringLiteral("deutsch.lng"), woerter);

    EXPECT_EQ(h.label4->text(), QStringLiteral("Eingetragen am:"));
    EXPECT_EQ(h.neu->text(), QStringLiteral("&Neu"));
    EXPECT_EQ(h.cmdMappe->text(), QStringLiteral("Mappe ausleihen"));
    EXPECT_EQ(h.cmbQualitaet->toolTip(), QStringLiteral("Qualitätsfilter"));
    EXPECT_EQ(h.datum->toolTip(), QStringLiteral("Ruft die Datensätze nach dem Datum sortiert auf"));
    EXPECT_EQ(h.about->title(), QStringLiteral("&Info"));
    EXPECT_EQ(h.mnuAbout->text(), QStringLiteral("&Info"));
    EXPECT_EQ(h.mnuDatei->title(), QStringLiteral("&Datei"));
}
