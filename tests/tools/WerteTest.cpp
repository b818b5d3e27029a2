// Value replacement: the lists of a field and one value replaced in every title.
#include "tests/frame/Katalogfixture.h"
#include "tests/tools/ToolsFixture.h"
#include "tests/support/ZweistelligeJahre.h"

#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <deque>
#include <string>

using namespace testing_support;

namespace {

const QString Fehlt = QStringLiteral(
    "Es fehlen noch Angaben. \r\nBitte eine Datenbank und zwei zu ändernden Werte wählen oder eingeben!");

// A catalogue "filme" whose titles hold the given values of one field, with
// one sub-entry holding the first value.
QString katalogMit(Programmordner& o, const QString& feld, const QStringList& werte)
{
    const QString pfad = o.folder.file("filme.mdb");
    auto db = katalogAnlegen(pfad, QStringLiteral("1.4.1"));
    db->execute("DELETE FROM Filme");
    int n = 0;
    for (const QString& w : werte)
        db->execute(QStringLiteral("INSERT INTO Filme (Titel, \"%1\") VALUES (?, ?)").arg(feld),
                    {QStringLiteral("Titel %1").arg(++n), w});
    if (feld != QLatin1String("Datum"))
        db->execute(QStringLiteral("INSERT INTO Unterordner (Titel, Titel2, \"%1\") VALUES ('Titel 1', 'Teil', ?)")
                        .arg(feld),
                    {werte.value(0)});
    return pfad;
}

std::unique_ptr<frmTools> mitKatalog(Programmordner& o)
{
    auto f = o.starten();
    wählen(f->cmbDBU, QStringLiteral("filme"));
    return f;
}

QRadioButton* option(frmTools& f, const QString& feld)
{
    if (feld == QLatin1String("Format"))
        return f.optFormat;
    if (feld == QLatin1String("Mappe"))
        return f.optMappe;
    if (feld == QLatin1String("Cat"))
        return f.optCat;
    if (feld == QStringLiteral("Qualität"))
        return f.optQualität;
    return f.optDatum;
}

struct Ersetzung {
    const char* name;
    QString feld;
    QStringList vorher;
    QString alt, neu;
    QStringList nachher;
    QString abgewiesen;  // the one message of a refusal, asked nothing before; "" = replaced
};

void PrintTo(const Ersetzung& e, std::ostream* os)
{
    *os << e.name;
}

class Ersetzen : public testing::TestWithParam<Ersetzung> {};

TEST_P(Ersetzen, ChangesEveryTitleHoldingTheOldValueAndNothingElse)
{
    const Ersetzung& e = GetParam();
    Programmordner o;
    const QString pfad = katalogMit(o, e.feld, e.vorher);
    auto f = mitKatalog(o);
    option(*f, e.feld)->click();
    f->cmbCombo->setText(e.alt);
    f->cmbCombo1->setText(e.neu);
    o.fake.messages.answer(sys::mb::Ok);
    f->cmdÄndern->click();

    const QString frage = e.alt + QStringLiteral(" gegen ") + e.neu + QStringLiteral(" ersetzen?");
    if (e.abgewiesen.isEmpty()) {
        ASSERT_EQ(o.fake.messages.prompts(), (QStringList{frage, "Aktion erfolgreich ausgeführt"}));
        EXPECT_EQ(o.fake.messages.shown[0].title, QStringLiteral("Umbenennen"));
        EXPECT_EQ(o.fake.messages.shown[1].title, QStringLiteral("Tools"));
        EXPECT_EQ(o.fake.messages.shown[1].flags, sys::mb::OkOnly);
    } else {
        ASSERT_EQ(o.fake.messages.prompts(), QStringList{e.abgewiesen});
        EXPECT_EQ(o.fake.messages.shown[0].title, QStringLiteral("Datenfelder ändern"));
        EXPECT_EQ(o.fake.messages.shown[0].flags, sys::mb::Exclamation);
    }
    f.reset();
    QStringList nachher;
    for (const QStringList& z : roh(pfad, QStringLiteral("SELECT \"%1\" FROM Filme ORDER BY Titel").arg(e.feld)))
        nachher << z[0];
    EXPECT_EQ(nachher, e.nachher);
    if (e.feld != QLatin1String("Datum")) {
        EXPECT_EQ(rohWert(pfad, QStringLiteral("SELECT \"%1\" FROM Unterordner").arg(e.feld)), e.vorher.value(0))
            << "sub-entries keep their values";
    }
    EXPECT_EQ(rohWert(pfad, "PRAGMA integrity_check"), QStringLiteral("ok"));
}

INSTANTIATE_TEST_SUITE_P(
    Felder, Ersetzen,
    testing::Values(
        Ersetzung{"FormatOhneRuecksichtAufGross", "Format", {"DVD", "dvd", "VCD"}, "dvd", "DVD-R",
                  {"DVD-R", "DVD-R", "VCD"}, ""},
        Ersetzung{"MappeMitUmlauten", "Mappe", {"Ärger", "ärger", "Arger"}, "ärger", "Ä1",
                  {"Ä1", "Ä1", "Arger"}, ""},
        Ersetzung{"KategorieMitApostroph", "Cat", {"Director's", "Drama"}, "Director's", "Kino's",
                  {"Kino's", "Drama"}, ""},
        // The width counts characters, not bytes: four umlauts fill a quality.
        Ersetzung{"QualitaetGanzVoll", "Qualität", {"1", "2"}, "1", "ÄÖÜß", {"ÄÖÜß", "2"}, ""},
        Ersetzung{"FormatGanzVoll", "Format", {"DVD"}, "DVD", "DVD-R 9 GB", {"DVD-R 9 GB"}, ""},
        Ersetzung{"KeinTitelMitAltemWert", "Format", {"DVD"}, "VHS", "DVD-R", {"DVD"},
                  "Kein Datensatz hat im Feld \"Format\" den Wert \"VHS\". Es wurde nichts geändert."},
        Ersetzung{"ProzentIstKeinMuster", "Mappe", {"M1", "M2"}, "%", "M3", {"M1", "M2"},
                  "Kein Datensatz hat im Feld \"Mappe\" den Wert \"%\". Es wurde nichts geändert."},
        Ersetzung{"KeinTitelMitAltemDatum", "Datum", {"2020-02-01"}, "02.02.2020", "3.4.2022", {"2020-02-01"},
                  "Kein Datensatz hat im Feld \"Datum\" den Wert \"02.02.2020\". Es wurde nichts geändert."},
        Ersetzung{"ZuLangFuerQualitaet", "Qualität", {"1", "1", "2"}, "1", "12345", {"1", "1", "2"},
                  "Der neue Wert \"12345\" ist zu lang: Das Feld \"Qualität\" fasst höchstens 4 Zeichen."},
        Ersetzung{"ElfZeichenFuerFormat", "Format", {"DVD", "VCD"}, "DVD", "DVD-R 9 GB+", {"DVD", "VCD"},
                  "Der neue Wert \"DVD-R 9 GB+\" ist zu lang: Das Feld \"Format\" fasst höchstens 10 Zeichen."},
        Ersetzung{"ZuLangFuerKategorie", "Cat", {"Drama"}, "Drama", "Science Fiction %3 Doku", {"Drama"},
                  "Der neue Wert \"Science Fiction %3 Doku\" ist zu lang: Das Feld \"Kategorie\" fasst höchstens "
                  "20 Zeichen."},
        Ersetzung{"DatumAlsDeutschesDatum", "Datum", {"2020-02-01", "2021-03-04"}, "01.02.2020", "3.4.2022",
                  {"2022-04-03", "2021-03-04"}, ""},
        Ersetzung{"DatumDasKeinesIst", "Datum", {"2020-02-01"}, "01.02.2020", "morgen", {"2020-02-01"},
                  "\"morgen\" ist kein Datum. Bitte ein Datum wie \"31.12.2024\" angeben!"},
        Ersetzung{"AltesDatumDasKeinesIst", "Datum", {"2020-02-01"}, "gestern", "3.4.2022", {"2020-02-01"},
                  "\"gestern\" ist kein Datum. Bitte ein Datum wie \"31.12.2024\" angeben!"},
        // Characters, not UTF-16 units: four emoji (eight units) fill a quality.
        Ersetzung{"EmojiFuellenDieQualitaetInZeichen", "Qualität", {"1", "2"}, "1",
                  QStringLiteral("\U0001F3AC\U0001F3AC\U0001F3AC\U0001F3AC"),
                  {QStringLiteral("\U0001F3AC\U0001F3AC\U0001F3AC\U0001F3AC"), "2"}, ""},
        Ersetzung{"EinEmojiZuVielFuerDieQualitaet", "Qualität", {"1"}, "1",
                  QStringLiteral("\U0001F3AC\U0001F3AC\U0001F3ACÄ\U0001F3AC"), {"1"},
                  QStringLiteral("Der neue Wert \"\U0001F3AC\U0001F3AC\U0001F3ACÄ\U0001F3AC\" ist zu lang: Das Feld "
                                 "\"Qualität\" fasst höchstens 4 Zeichen.")}),
    [](const testing::TestParamInfo<Ersetzung>& fall) { return std::string(fall.param.name); });

TEST(Werte, ListsHoldEachValueOnceInGermanOrder)
{
    Programmordner o;
    katalogMit(o, "Mappe", {"b2", "Ärger", "arger", "B2", "Zelt", "ärger"});
    auto f = mitKatalog(o);
    f->optMappe->click();
    const QStringList liste = einträge(f->cmbCombo);
    ASSERT_EQ(liste.size(), 4) << liste.join('|').toStdString();
    EXPECT_EQ(liste[0].toLower(), QStringLiteral("arger"));
    EXPECT_EQ(liste[1].toLower(), QStringLiteral("ärger"));
    EXPECT_EQ(liste[2].toLower(), QStringLiteral("b2"));
    EXPECT_EQ(liste[3], QStringLiteral("Zelt"));
    EXPECT_EQ(einträge(f->cmbCombo1), liste);
    EXPECT_EQ(f->cmbCombo->text(), QString()) << "the fill clears the text and picks nothing";
    EXPECT_TRUE(o.fake.messages.shown.empty());
}

TEST(Werte, DatesAreListedAsDayMonthYearInDateOrder)
{
    Programmordner o;
    const QString pfad = katalogMit(o, "Datum", {"2021-03-04", "2020-12-31", "2021-03-04"});
    {
        auto db = db::Database::open(pfad);
        db->execute("INSERT INTO Filme (Titel) VALUES ('ohne Datum')");
    }
    auto f = mitKatalog(o);
    f->optDatum->click();
    EXPECT_EQ(einträge(f->cmbCombo), (QStringList{"31.12.2020", "04.03.2021"}));
}

TEST(Werte, AnOptionBeforeAWorkingCatalogueChangesNothing)
{
    Programmordner o;
    o.katalog("filme");
    auto f = o.starten();
    for (QRadioButton* opt : {f->optFormat, f->optDatum}) {
        o.fake.messages.shown.clear();
        opt->click();
        ASSERT_EQ(o.fake.messages.shown.size(), 1u);
        EXPECT_EQ(o.fake.messages.shown[0].prompt, QStringLiteral("Bitte erst eine Datenbank wählen!"));
        EXPECT_EQ(o.fake.messages.shown[0].title, QStringLiteral("Datenbank wählen"));
        EXPECT_EQ(o.fake.messages.shown[0].flags, sys::mb::Critical);
        EXPECT_EQ(f->cmbCombo->text(), QString());
        EXPECT_EQ(f->cmbCombo1->text(), QString());
    }
    o.fake.messages.shown.clear();
    f->optFormat->setChecked(true);
    f->cmbCombo->setText(QStringLiteral("DVD"));
    f->cmbCombo1->setText(QStringLiteral("VCD"));
    f->cmdÄndern->click();
    EXPECT_EQ(o.fake.messages.prompts(), QStringList{Fehlt}) << "the replacement asks nothing without a catalogue";
    EXPECT_FALSE(QFile::exists(o.folder.file(".mdb")));
    EXPECT_EQ(o.dateien(), (QStringList{"Cd.ini", "filme.mdb"}));
}

TEST(Werte, AChosenCatalogueThatIsGoneIsNamed)
{
    Programmordner o;
    katalogMit(o, "Format", {"DVD"});
    auto f = mitKatalog(o);
    f->optFormat->click();
    // Meanwhile another program renamed it.
    ASSERT_TRUE(QFile::rename(o.folder.file("filme.mdb"), o.folder.file("anders.mdb")));
    f->cmbCombo->setText(QStringLiteral("DVD"));
    f->cmbCombo1->setText(QStringLiteral("VCD"));
    f->cmdÄndern->click();
    EXPECT_EQ(o.fake.messages.prompts(),
              QStringList{"Die Datenbank \"" + o.folder.file("filme.mdb")
                          + "\" gibt es nicht. Bitte eine andere Datenbank wählen!"});
    EXPECT_EQ(o.dateien(), (QStringList{"Cd.ini", "anders.mdb"}));
}

TEST(Werte, AnOldCatalogueWithoutTheColumnListsNothingQuietly)
{
    Programmordner o;
    o.katalog("filme", "1.0.8");  // no Cat yet
    auto f = mitKatalog(o);
    f->optCat->click();
    EXPECT_EQ(f->cmbCombo->count(), 0);
    EXPECT_TRUE(o.fake.messages.shown.empty());
}

TEST(Werte, EmptyValuesAreReportedWithoutAQuestionAndCancelChangesNothing)
{
    Programmordner o;
    const QString pfad = katalogMit(o, "Format", {"DVD"});
    auto f = mitKatalog(o);
    f->optFormat->click();
    f->cmbCombo->setText(QStringLiteral("DVD"));
    f->cmbCombo1->setText(QString());
    f->cmdÄndern->click();
    EXPECT_EQ(o.fake.messages.prompts(), QStringList{Fehlt});

    o.fake.messages.shown.clear();
    f->cmbCombo1->setText(QStringLiteral("VCD"));
    o.fake.messages.answer(sys::mb::Cancel);
    f->cmdÄndern->click();
    EXPECT_EQ(o.fake.messages.prompts(), (QStringList{"DVD gegen VCD ersetzen?", "Aktion abgebrochen"}));
    f.reset();
    EXPECT_EQ(rohWert(pfad, "SELECT Format FROM Filme"), QStringLiteral("DVD"));
}

TEST(Werte, WithoutAnOptionTheClickDoesNothingAndListsStayAfterAReplacement)
{
    Programmordner o;
    const QString pfad = katalogMit(o, "Format", {"DVD"});
    auto f = mitKatalog(o);
    f->cmbCombo->setText(QStringLiteral("DVD"));
    f->cmbCombo1->setText(QStringLiteral("VCD"));
    f->cmdÄndern->click();
    EXPECT_TRUE(o.fake.messages.shown.empty());

    f->optFormat->click();
    f->cmbCombo->setText(QStringLiteral("DVD"));
    f->cmbCombo1->setText(QStringLiteral("VCD"));
    o.fake.messages.answer(sys::mb::Ok);
    f->cmdÄndern->click();
    EXPECT_EQ(einträge(f->cmbCombo), QStringList{"DVD"}) << "not refilled";
    EXPECT_FALSE(QFile::exists(o.folder.file("filme.ldb"))) << "the catalogue is free again";
}

// A date with a two-digit year, as the old or as the new value, is the day
// the main window reads in it: the title of the same day a century later stays.
std::vector<Ersetzung> zweistelligeDaten()
{
    static std::deque<std::string> namen;
    std::vector<Ersetzung> fälle;
    for (const Zweistellig& z : ZweistelligeJahre) {
        const QString tag = z.tag.toString(Qt::ISODate);
        const QString später = z.tag.addYears(100).toString(Qt::ISODate);
        const QString text = QString::fromUtf8(z.text);
        namen.push_back(std::string(z.name) + "Alt");
        fälle.push_back({namen.back().c_str(), "Datum", {tag, später}, text, "3.4.2022", {"2022-04-03", später}, ""});
        namen.push_back(std::string(z.name) + "Neu");
        fälle.push_back({namen.back().c_str(), "Datum", {"2020-02-01", später}, "01.02.2020", text, {tag, später}, ""});
    }
    return fälle;
}

INSTANTIATE_TEST_SUITE_P(Jahrhundert, Ersetzen, testing::ValuesIn(zweistelligeDaten()),
                         [](const testing::TestParamInfo<Ersetzung>& fall) { return std::string(fall.param.name); });

}  // namespace
