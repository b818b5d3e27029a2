#include "reports/ExcelAusgabe.h"

#include "frame/Katalogschema.h"
#include "platform/db/Database.h"
#include "tests/platform/xls/XlsLeser.h"
#include "tests/reports/Berichtkatalog.h"
#include "tests/support/Doubles.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

using reports::ExcelAusgabe;
using reports::Excelweise;
using testing_support::FakeServices;
using testing_support::freexlLesen;
using testing_support::TempFolder;
using testing_support::XlsMappe;
using testing_support::xlsLesen;

namespace {

const QStringList FilmeSpalten = {"Titel", "Anzahl", "Format", "Qualität", "Mappe", "Wer",   "Info",
                                  "Dten",  "Datum",  "Cat",    "AusDatum", "Cover", "Size", "Unterordner"};

// A catalogue in a program folder: three titles, one with every column empty
// but its key, and two sub-entries.
struct Katalog : testing_support::Berichtkatalog {
    Katalog()
    {
        titel(testing_support::AlleFilmspalten, {"Zorro", 1.5, "DVD", "1", "A1", "O'Brien", "Info; mit \"Zeichen\"",
                                                 "dt", "2024-03-05", "Abenteuer", "05.03.2024", "-", "4700", "-"});
        titel(testing_support::AlleFilmspalten, {"Ärger im Büro", 2, "MP3", "2", "B7", "-", "Größe ß", "dt", QVariant(),
                                                 "Komödie", "-", "-", "700", "1"});
        d->execute(QStringLiteral("INSERT INTO Filme (Titel) VALUES ('Matrix')"));
        d->execute(QStringLiteral("INSERT INTO Unterordner (Titel, Titel2, Anzahl, Size) VALUES (?, ?, ?, ?)"),
                   {"Ärger im Büro", "Ärger im Büro Teil 2", 2, "350"});
        d->execute(QStringLiteral("INSERT INTO Unterordner (Titel, Titel2, Anzahl, Size) VALUES (?, ?, ?, ?)"),
                   {"Ärger im Büro", "Ärger im Büro Teil 1", 1, "350"});
    }
    ExcelAusgabe ausgabe() { return ExcelAusgabe(fake.messages, fake.services.programFolder, *d); }
};

const QStringList ZorroZeile = {"s:Zorro", "n:1.5", "s:DVD", "s:1", "s:A1", "s:O'Brien", "s:Info; mit \"Zeichen\"",
                                "s:dt", "d:05.03.2024", "s:Abenteuer", "s:05.03.2024", "s:-", "s:4700", "s:-"};
const QStringList AergerZeile = {"s:Ärger im Büro", "n:2", "s:MP3", "s:2", "s:B7", "s:-", "s:Größe ß", "s:dt", "",
                                 "s:Komödie", "s:-", "s:-", "s:700", "s:1"};
const QStringList MatrixZeile = {"s:Matrix", "", "", "", "", "", "", "", "", "", "", "", "", ""};

QStringList kopf(const QStringList& spalten)
{
    QStringList out;
    for (const QString& s : spalten)
        out << QStringLiteral("s:") + s;
    return out;
}

// The rows of the one sheet "cds", as libfreexl reads them cell by cell.
std::vector<QStringList> blattCds(const QString& path)
{
    const XlsMappe m = freexlLesen(path);
    EXPECT_TRUE(m.gelesen) << m.fehler.toStdString();
    EXPECT_EQ(m.biff, 80);
    if (m.blaetter.size() != 1) {
        ADD_FAILURE() << "sheets: " << m.blaetter.size();
        return {};
    }
    EXPECT_EQ(m.blaetter[0].name, QStringLiteral("cds"));
    return m.blaetter[0].zeilen;
}

struct Quellfall {
    const char* name;
    const char* mappe;
    const char* quelle;
    QVariantList werte;
    QStringList spalten;
    std::vector<QStringList> zeilen;
};

void PrintTo(const Quellfall& f, std::ostream* os)
{
    *os << f.name;
}

class ExcelAusgabeQuellen : public testing::TestWithParam<Quellfall> {};

}  // namespace

TEST_P(ExcelAusgabeQuellen, WritesHeaderAndRowsIntoTheProgramFolderAndConfirms)
{
    const Quellfall& f = GetParam();
    Katalog k;
    // A file dialog may have moved the current folder elsewhere.
    TempFolder anderswo;
    const QString vorher = QDir::currentPath();
    QDir::setCurrent(anderswo.path());
    const bool geschrieben = k.ausgabe().ausgeben(Excelweise::MitWiederholung, QString::fromUtf8(f.mappe),
                                                  QString::fromUtf8(f.quelle), f.werte);
    QDir::setCurrent(vorher);

    ASSERT_TRUE(geschrieben);
    EXPECT_TRUE(QDir(anderswo.path()).isEmpty());
    std::vector<QStringList> erwartet = {kopf(f.spalten)};
    erwartet.insert(erwartet.end(), f.zeilen.begin(), f.zeilen.end());
    EXPECT_EQ(blattCds(k.folder.file(QString::fromUtf8(f.mappe))), erwartet);
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    EXPECT_EQ(k.fake.messages.shown[0].prompt,
              QStringLiteral("Die Excel Datei wurde im Programmverzeichnis unter dem Namen '") + f.mappe +
                  QStringLiteral("' abgelegt."));
    EXPECT_EQ(k.fake.messages.shown[0].flags, sys::mb::Information);
    EXPECT_EQ(k.fake.messages.shown[0].title, QStringLiteral("Excel Ausgabe"));
}

INSTANTIATE_TEST_SUITE_P(
    Quellen, ExcelAusgabeQuellen,
    testing::Values(
        Quellfall{"WholeTableInGermanOrder", "CDs.xls", " from filme order by Titel COLLATE DEUTSCH", {}, FilmeSpalten,
                  {AergerZeile, MatrixZeile, ZorroZeile}},
        Quellfall{"BoundValueWithAQuote", "Wer.xls", " from filme where Wer = ? order by Titel;", {"o'brien"},
                  FilmeSpalten, {ZorroZeile}},
        Quellfall{"LikeWithTheEnginesWildcards", "VolltextsucheTitel.xls",
                  " from Filme where Titel like ? order by Titel;", {"*ÄRGER*"}, FilmeSpalten, {AergerZeile}},
        Quellfall{"EmptySourceGivesTheHeaderOnly", "Format.xls", " from filme where Format = ? order by Titel;",
                  {"VCD"}, FilmeSpalten, {}},
        Quellfall{"SubEntriesInTitleOrder", "Unterordner.xls",
                  " from Unterordner order by Titel, Titel2 COLLATE DEUTSCH;", {},
                  {"Titel", "Titel2", "Anzahl", "Format", "Qualität", "Info", "Dten", "Cat", "Cover", "Size", "Mappe",
                   "Wer"},
                  {{"s:Ärger im Büro", "s:Ärger im Büro Teil 1", "n:1", "", "", "", "", "", "", "s:350", "", ""},
                   {"s:Ärger im Büro", "s:Ärger im Büro Teil 2", "n:2", "", "", "", "", "", "", "s:350", "", ""}}},
        Quellfall{"DerivedTableWithSumsOfDecimalCommaTexts", "Statistik.xls",
                  " from (select Format as Wert, count(*) as Anzahl, sum(denum(Size)) as Summe from Filme "
                  "where Format is not null group by Format order by Format)",
                  {}, {"Wert", "Anzahl", "Summe"}, {{"s:DVD", "n:1", "n:4700"}, {"s:MP3", "n:1", "n:700"}}}),
    [](const testing::TestParamInfo<Quellfall>& p) { return std::string(p.param.name); });

namespace reports {
void PrintTo(Excelweise weise, std::ostream* os)
{
    *os << (weise == Excelweise::MitWiederholung ? "MitWiederholung" : "NachLeeren");
}
}  // namespace reports

namespace {

class ExcelAusgabeWeise : public testing::TestWithParam<Excelweise> {};

std::string weiseName(const testing::TestParamInfo<Excelweise>& info)
{
    return info.param == Excelweise::MitWiederholung ? "WithRetry" : "AfterClearing";
}

}  // namespace

TEST_P(ExcelAusgabeWeise, ReplacesAWorkbookFromAnEarlierExport)
{
    Katalog k;
    k.folder.write(QStringLiteral("CDs.xls"), "an earlier workbook");
    ASSERT_TRUE(k.ausgabe().ausgeben(GetParam(), QStringLiteral("CDs.xls"), QStringLiteral(" from filme where Titel = ?"),
                                     {"Matrix"}));
    EXPECT_EQ(blattCds(k.folder.file(QStringLiteral("CDs.xls"))),
              (std::vector<QStringList>{kopf(FilmeSpalten), MatrixZeile}));
    EXPECT_EQ(k.fake.messages.prompts(), QStringList{ExcelAusgabe::bestaetigung(QStringLiteral("CDs.xls"))});
    EXPECT_EQ(QDir(k.folder.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"CDs.xls", "filme.ldb", "filme.mdb"}));
}

TEST_P(ExcelAusgabeWeise, AFailedExportReportsItselfAndKeepsTheEarlierWorkbook)
{
    Katalog k;
    k.folder.write(QStringLiteral("CDs.xls"), "an earlier workbook");
    // A statement that fails, and a workbook name that is taken by a folder.
    QDir(k.folder.path()).mkdir(QStringLiteral("Ordner.xls"));
    const struct {
        const char* mappe;
        const char* quelle;
    } faelle[] = {{"CDs.xls", " from gibtsnicht"}, {"CDs.xls", " from filme where"}, {"Neu.xls", " from filme order"},
                  {"Ordner.xls", " from filme"}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.quelle);
        k.fake.messages.shown.clear();
        auto ausgabe = k.ausgabe();
        EXPECT_FALSE(ausgabe.ausgeben(GetParam(), QString::fromUtf8(f.mappe), QString::fromUtf8(f.quelle)));
        EXPECT_FALSE(ausgabe.fehler().isEmpty());
        ASSERT_EQ(k.fake.messages.shown.size(), 1u);
        EXPECT_EQ(k.fake.messages.shown[0].prompt, QStringLiteral("Die Datei '") + f.mappe +
                                                       QStringLiteral("' konnte im Programmverzeichnis nicht geschrieben werden."));
        EXPECT_EQ(k.fake.messages.shown[0].flags, sys::mb::Critical);
        EXPECT_EQ(k.fake.messages.shown[0].title, QStringLiteral("Excel Ausgabe"));
    }
    EXPECT_EQ(k.folder.read(QStringLiteral("CDs.xls")), QByteArray("an earlier workbook"));
    EXPECT_EQ(QDir(k.folder.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"CDs.xls", "filme.ldb", "filme.mdb"}));
    EXPECT_TRUE(QFileInfo(k.folder.file(QStringLiteral("Ordner.xls"))).isDir());
}

INSTANTIATE_TEST_SUITE_P(Weisen, ExcelAusgabeWeise, testing::Values(Excelweise::MitWiederholung, Excelweise::NachLeeren),
                         weiseName);

TEST(ExcelAusgabe, FirstAttemptRefusesAnExistingWorkbookAsTheEngineDid)
{
    Katalog k;
    auto ausgabe = k.ausgabe();
    ASSERT_TRUE(ausgabe.schreiben(QStringLiteral("CDs.xls"), QStringLiteral(" from filme"), {}, false));
    const QByteArray erstes = k.folder.read(QStringLiteral("CDs.xls"));
    k.d->execute(QStringLiteral("DELETE FROM Filme"));
    EXPECT_FALSE(ausgabe.schreiben(QStringLiteral("CDs.xls"), QStringLiteral(" from filme"), {}, false));
    EXPECT_EQ(k.folder.read(QStringLiteral("CDs.xls")), erstes);
    ASSERT_TRUE(ausgabe.schreiben(QStringLiteral("CDs.xls"), QStringLiteral(" from filme"), {}, true));
    EXPECT_EQ(blattCds(k.folder.file(QStringLiteral("CDs.xls"))), std::vector<QStringList>{kopf(FilmeSpalten)});
    EXPECT_TRUE(k.fake.messages.shown.empty());
}

TEST(ExcelAusgabe, ConfirmationWithoutATitleOfItsOwnShowsTheProgramsTitle)
{
    Katalog k;
    ASSERT_TRUE(k.ausgabe().ausgeben(Excelweise::MitWiederholung, QStringLiteral("Wer.xls"),
                                     QStringLiteral(" from filme where Wer = ?"), {"-"}, QString()));
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    EXPECT_EQ(k.fake.messages.shown[0].title, QString());
    EXPECT_EQ(k.fake.messages.shown[0].prompt, ExcelAusgabe::bestaetigung(QStringLiteral("Wer.xls")));
}

namespace {

QString wiederholt(const QString& stück, int länge)
{
    QString s;
    while (s.size() < länge)
        s += stück;
    s.truncate(länge);
    return s;
}

}  // namespace

// More rows than a sheet holds, with long, umlaut and Cyrillic texts: a
// workbook of several megabytes that needs continuation sheets and DIFAT
// sectors, read by both readers, every cell compared. (libfreexl cannot follow
// a text over more than two records: the longest texts are read by xlrd below.)
TEST(ExcelAusgabe, ALargeCatalogueReadsBackCellByCellOnContinuationSheets)
{
    Katalog k;
    k.d->execute(QStringLiteral("DELETE FROM Filme"));
    const int n = 70000;
    const QString lang300 = wiederholt(QStringLiteral("Кино и Öl "), 300);
    const QString lang8000 = wiederholt(QStringLiteral("Größe äöü ß "), 8000);
    auto info = [&](int i) {
        switch (i) {
        case 1: return lang300;
        case 2: return lang8000;
        default: return QStringLiteral("%1 Eine längere Beschreibung der Scheibe, mit Umlauten äöü und Кириллица, "
                                       "damit die Mappe groß wird.").arg(i);
        }
    };
    {
        db::Database::Transaction t(*k.d);
        for (int i = 0; i < n; ++i)
            k.titel(QStringLiteral("Titel, Anzahl, Datum, Size, Info"),
                    {QStringLiteral("Titel %1").arg(i, 6, 10, QLatin1Char('0')), i % 3 ? QVariant(i % 5 + 0.5) : QVariant(),
                     i % 2 ? QVariant(QStringLiteral("2024-03-05")) : QVariant(), QStringLiteral("4700"), info(i)});
        t.commit();
    }
    const QString pfad = k.folder.file(QStringLiteral("CDs.xls"));
    ASSERT_TRUE(k.ausgabe().schreiben(QStringLiteral("CDs.xls"), QStringLiteral(" from filme order by Titel"), {}, true));
    EXPECT_GT(QFileInfo(pfad).size(), 7'000'000);

    const XlsMappe m = freexlLesen(pfad);
    ASSERT_TRUE(m.gelesen) << m.fehler.toStdString();
    ASSERT_EQ(m.blaetter.size(), 2u);
    EXPECT_EQ(m.blaetter[0].name, QStringLiteral("cds"));
    EXPECT_EQ(m.blaetter[1].name, QStringLiteral("cds2"));
    int i = 0;
    for (const auto& blatt : m.blaetter) {
        ASSERT_FALSE(blatt.zeilen.empty());
        EXPECT_EQ(blatt.zeilen[0], kopf(FilmeSpalten));
        for (size_t r = 1; r < blatt.zeilen.size(); ++r, ++i) {
            const QString text = info(i);
            const QStringList erwartet = {QStringLiteral("s:Titel %1").arg(i, 6, 10, QLatin1Char('0')),
                                          i % 3 ? QStringLiteral("n:%1").arg(i % 5 + 0.5) : QString(), "", "", "", "",
                                          QStringLiteral("s:") + text, "",
                                          i % 2 ? QStringLiteral("d:05.03.2024") : QString(), "", "", "",
                                          QStringLiteral("s:4700"), ""};
            ASSERT_EQ(blatt.zeilen[r], erwartet) << "row " << i;
        }
    }
    EXPECT_EQ(i, n);

    const XlsMappe xlrd = xlsLesen(pfad);
    ASSERT_TRUE(xlrd.gelesen) << xlrd.fehler.toStdString();
    EXPECT_EQ(xlrd.warnungen, QString());
    EXPECT_TRUE(xlrd.blaetter == m.blaetter);
}

TEST(ExcelAusgabe, ATextOverTheCellLimitIsCutAndTheRestOfTheRowKept)
{
    Katalog k;
    const QString lang = wiederholt(QStringLiteral("Жx"), 40000);
    k.d->execute(QStringLiteral("UPDATE Filme SET Info = ? WHERE Titel = 'Matrix'"), {lang});
    ASSERT_TRUE(k.ausgabe().schreiben(QStringLiteral("CDs.xls"), QStringLiteral(" from filme where Titel = 'Matrix'"), {},
                                      true));
    const XlsMappe m = xlsLesen(k.folder.file(QStringLiteral("CDs.xls")));
    ASSERT_TRUE(m.gelesen) << m.fehler.toStdString();
    EXPECT_EQ(m.warnungen, QString());
    ASSERT_EQ(m.blaetter.size(), 1u);
    QStringList zeile = MatrixZeile;
    zeile[6] = QStringLiteral("s:") + lang.left(32767);
    EXPECT_EQ(m.blaetter[0].zeilen, (std::vector<QStringList>{kopf(FilmeSpalten), zeile}));
}
