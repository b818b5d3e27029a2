#include "frame/Einstellungen.h"
#include "tests/support/Doubles.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

struct Fall {
    const char* section;
    const char* key;
    QString frame::Einstellungen::*wert;
};

const Fall Faelle[] = {
    {"Version", "Nr", &frame::Einstellungen::versionNr},
    {"DB", "DB Name0", &frame::Einstellungen::dbName},
    {"DB", "DB Version", &frame::Einstellungen::dbVersion},
    {"Design", "Default", &frame::Einstellungen::standard},
    {"Design", "Bild", &frame::Einstellungen::bild},
    {"Design", "Sprache", &frame::Einstellungen::sprache},
    {"Design", "TextFarbe", &frame::Einstellungen::textFarbe},
    {"Design", "TextFont", &frame::Einstellungen::textFont},
    {"Design", "TextBold", &frame::Einstellungen::textBold},
    {"Design", "TextSize", &frame::Einstellungen::textSize},
    {"Design", "Backcolor", &frame::Einstellungen::backcolor},
    {"Design", "Deutsch", &frame::Einstellungen::deutsch},
    {"Design", "Englisch", &frame::Einstellungen::englisch},
    {"Design", "DeuEngl", &frame::Einstellungen::deuEngl},
    {"Funktionen", "Edit Mode", &frame::Einstellungen::editMode},
    {"Funktionen", "Sortierung", &frame::Einstellungen::sortierung},
    {"Funktionen", "Sortierungsfunktion", &frame::Einstellungen::sortierungsfunktion},
    {"Funktionen", "6tes Feld", &frame::Einstellungen::sechstesFeld},
    {"URL", "Film", &frame::Einstellungen::film},
    {"Funktionen", "Sortierung3", &frame::Einstellungen::sortierung3},
    {"Funktionen", "AusleiherListe", &frame::Einstellungen::ausleiherListe},
    {"Funktionen", "Erinnerungsfunktion", &frame::Einstellungen::erinnerungsfunktion},
    {"Funktionen", "Erinnerungsintervall", &frame::Einstellungen::erinnerungsintervall},
    {"Funktionen", "Formatfilter", &frame::Einstellungen::formatfilter},
};

}  // namespace

TEST(przInilesen, TakesEveryKeyUnchangedIntoItsValue)
{
    TempFolder folder;
    QByteArray ini;
    int n = 0;
    for (const char* section : {"Version", "DB", "Design", "Funktionen", "URL"}) {
        ini += "[" + QByteArray(section) + "]\r\n";
        n = 0;
        for (const auto& f : Faelle) {
            ++n;
            // Lower-case key names in the file: keys are found whatever their case.
            if (QByteArray(f.section) == section)
                ini += QByteArray(f.key).toLower() + "=Wert " + QByteArray::number(n) + " Äö\r\n";
        }
    }
    folder.write("Cd.ini", ini);
    FakeServices fake(folder.path());

    frame::Einstellungen werte;
    frame::przInilesen(fake.services, werte);

    n = 0;
    for (const auto& f : Faelle)
        EXPECT_EQ(werte.*(f.wert), QStringLiteral("Wert %1 Äö").arg(++n)) << f.section << "/" << f.key;
    EXPECT_EQ(werte.iniPfad, folder.file("Cd.ini"));
    EXPECT_EQ(folder.read("Cd.ini"), ini) << "a complete file is not written to";
}

TEST(przInilesen, WritesWhiteBackgroundWhenBackcolorIsMissingOrEmptyButReadsItOnlyNextTime)
{
    for (const QByteArray& start : {QByteArray(), QByteArray("[Design]\r\nBackcolor=\r\nTextFarbe=255\r\n")}) {
        TempFolder folder;
        if (!start.isEmpty())
            folder.write("Cd.ini", start);
        FakeServices fake(folder.path());

        frame::Einstellungen erste;
        frame::przInilesen(fake.services, erste);
        EXPECT_EQ(erste.backcolor, "");
        EXPECT_EQ(erste.dbName, "") << "no default for the database name";

        frame::Einstellungen zweite;
        frame::przInilesen(fake.services, zweite);
        EXPECT_EQ(zweite.backcolor, "16777215");
        if (!start.isEmpty()) {
            EXPECT_EQ(zweite.textFarbe, "255");
        }
    }
}

TEST(przInilesen, ValuesAreCutToTheReadBufferAndComparedAsStored)
{
    TempFolder folder;
    folder.write("Cd.ini", "[Funktionen]\nSortierung=kf\nErinnerungsintervall=" + QByteArray(250, '7') + "\n");
    FakeServices fake(folder.path());
    frame::Einstellungen werte;
    frame::przInilesen(fake.services, werte);
    EXPECT_EQ(werte.sortierung, "kf");
    EXPECT_EQ(werte.erinnerungsintervall, QString(199, QLatin1Char('7')));
}
