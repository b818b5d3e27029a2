#include "frame/basHyperlink.h"
#include "frame/frmAbout.h"
#include "frame/frmCredits.h"
#include "tests/support/Doubles.h"
#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

QColor hintergrund(const QWidget* w)
{
    return w->palette().color(w->backgroundRole());
}

QColor textfarbe(const QWidget* w)
{
    return w->palette().color(QPalette::Active, w->foregroundRole());
}

// A program folder with a Cd.ini of the given [Design] lines and a language file.
struct Ordner {
    TempFolder folder;
    FakeServices fake{folder.path()};
    explicit Ordner(const QByteArray& design, const QByteArray& sprache = {})
    {
        folder.write("Cd.ini", "[Design]\r\n" + design);
        if (!sprache.isEmpty())
            folder.write("sprache.lng", sprache);
    }
};

const QByteArray Sprachdatei = "[About]\r\nCaption=Über das Programm\r\nlblDescription=Beschreibung\r\n"
                               "Label1=Besuchen Sie uns\r\nWeb=Zur Homepage\r\nMail=eMail schreiben\r\n"
                               "Exe=Herunterladen\r\n"
                               "[Credits]\r\nCaption=Dank\r\nLabel1=Beteiligt waren:\r\nLink1=Autor\r\n"
                               "Link2=Grafik\r\nLink3=Tests\r\n";

}  // namespace

TEST(frmAbout, VersionShowsMajorMinorAndRevision)
{
    const std::pair<const char*, const char*> faelle[] = {
        {"1.4.0.6", "Version 1.4.6"},  // the third part of a four-part version is left out
        {"1.4.1", "Version 1.4.1"},
        {"2.0", "Version 2.0.0"},
        {"", "Version 0.0.0"},
    };
    for (const auto& [version, text] : faelle)
        EXPECT_EQ(frmAbout::versionText(QString::fromUtf8(version)), QString::fromUtf8(text)) << version;

    Ordner o("Default=0\r\n");
    QCoreApplication::setApplicationVersion(QStringLiteral("1.4.0.6"));
    frmAbout about(o.fake.services, nullptr);
    about.Form_Load();
    EXPECT_EQ(about.lblVersion->text(), QStringLiteral("Version 1.4.6"));
    EXPECT_EQ(about.lblTitle->text(), QStringLiteral("Rondavex"));
    QCoreApplication::setApplicationVersion({});
}

TEST(frmAbout, WithoutLanguageFileKeepsItsTextsAndItsEmptyLinksStillOpen)
{
    Ordner o("Default=0\r\nSprache=\r\n");
    frmAbout about(o.fake.services, nullptr);
    about.Form_Load();
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Info zur Rondavex"));
    EXPECT_TRUE(about.Label1->text().startsWith(QStringLiteral("Besuchen Sie mich im Internet")));
    EXPECT_FALSE(about.lblDescription->text().isEmpty());

    for (QLineEdit* box : {about.txtHyperlink, about.txtHyperlink1, about.txtHyperlink2}) {
        EXPECT_TRUE(box->text().isEmpty());
        basHyperlink::HyperlinkClick(box, o.fake.shell);
    }
    EXPECT_EQ(o.fake.shell.opened, (QStringList{QStringLiteral("http://www.rondavex.example/"),
                                                QStringLiteral("mailto:autor@rondavex.example"),
                                                QStringLiteral("http://www.rondavex.example/download/Rondavex.zip")}));
}

TEST(frmAbout, TextsComeFromTheNamedLanguageFileWithTheirBuffers)
{
    // About reads with 400 characters, Credits with 200: values are cut to 399 and 199.
    const QByteArray lang(450, 'x');
    Ordner o("Default=0\r\nSprache=sprache.lng\r\n", Sprachdatei);

    frmAbout about(o.fake.services, nullptr);
    about.Form_Load();
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Über das Programm"));
    EXPECT_EQ(about.lblDescription->text(), QStringLiteral("Beschreibung"));
    EXPECT_EQ(about.Label1->text(), QStringLiteral("Besuchen Sie uns"));
    EXPECT_EQ(about.txtHyperlink->text(), QStringLiteral("Zur Homepage"));
    EXPECT_EQ(about.txtHyperlink1->text(), QStringLiteral("eMail schreiben"));
    EXPECT_EQ(about.txtHyperlink2->text(), QStringLiteral("Herunterladen"));

    frmCredits credits(o.fake.services, nullptr);
    credits.Form_Load();
    EXPECT_EQ(credits.windowTitle(), QStringLiteral("Dank"));
    EXPECT_EQ(credits.Label1->text(), QStringLiteral("Beteiligt waren:"));
    EXPECT_EQ(credits.txtHyperlink->text(), QStringLiteral("Autor"));
    EXPECT_EQ(credits.txtHyperlink1->text(), QStringLiteral("Grafik"));
    EXPECT_EQ(credits.txtHyperlink2->text(), QStringLiteral("Tests"));

    Ordner lang2("Default=0\r\nSprache=sprache.lng\r\n",
                 "[About]\r\nCaption=" + lang + "\r\n[Credits]\r\nCaption=" + lang + "\r\n");
    frmAbout langAbout(lang2.fake.services, nullptr);
    langAbout.Form_Load();
    EXPECT_EQ(langAbout.windowTitle().size(), 399);
    EXPECT_TRUE(langAbout.lblDescription->text().isEmpty()) << "a missing key empties its text";
    frmCredits langCredits(lang2.fake.services, nullptr);
    langCredits.Form_Load();
    EXPECT_EQ(langCredits.windowTitle().size(), 199);
}

TEST(frmAbout, ColoursUnlessDefaultIsZeroAndSkipsWhatIsNoColour)
{
    struct Fall {
        const char* design;
        bool hintergrund;  // the window takes the blue background
        bool text;         // the labels take the green text colour
    } const faelle[] = {
        {"Default=0\r\nBackcolor=16711680\r\nTextFarbe=65280\r\n", false, false},
        {"Default=\r\nBackcolor=16711680\r\nTextFarbe=65280\r\n", true, true},
        {"Default=1\r\nBackcolor=16711680\r\nTextFarbe=65280\r\n", true, true},
        {"Backcolor=16711680\r\nTextFarbe=65280\r\n", true, true},
        {"Default=1\r\nBackcolor=blau\r\nTextFarbe=65280\r\n", false, true},
        {"Default=1\r\nBackcolor=16711680\r\nTextFarbe=\r\n", true, false},
    };
    const QColor blau(0, 0, 255), grün(0, 255, 0);
    for (const auto& f : faelle) {
        Ordner o(f.design);
        frmAbout about(o.fake.services, nullptr);
        const QColor vorherHinten = hintergrund(&about);
        const QColor vorherIcon = hintergrund(about.picIcon);
        const QColor vorherText = textfarbe(about.Label1);
        about.Form_Load();
        EXPECT_EQ(hintergrund(&about), f.hintergrund ? blau : vorherHinten) << f.design;
        EXPECT_EQ(hintergrund(about.picIcon), f.hintergrund ? blau : vorherIcon) << f.design;
        for (QLabel* l : {about.lblDescription, about.Label1, about.lblTitle, about.lblVersion})
            EXPECT_EQ(textfarbe(l), f.text ? grün : vorherText) << f.design << l->objectName().toStdString();
        for (QLineEdit* box : {about.txtHyperlink, about.txtHyperlink1, about.txtHyperlink2}) {
            // The links sit on the window's background, in the link colour.
            EXPECT_EQ(box->palette().color(QPalette::Base), hintergrund(&about)) << f.design;
            EXPECT_EQ(box->palette().color(QPalette::Active, QPalette::Text), QColor(255, 0, 0)) << f.design;
        }

        // The Credits window follows the same rule: a value that is no number is skipped.
        frmCredits credits(o.fake.services, nullptr);
        const QColor creditsHinten = hintergrund(&credits);
        credits.Form_Load();
        EXPECT_EQ(hintergrund(&credits), f.hintergrund ? blau : creditsHinten) << f.design;
        EXPECT_EQ(textfarbe(credits.Label1), f.text ? grün : vorherText) << f.design;
        for (QLineEdit* box : {credits.txtHyperlink, credits.txtHyperlink1, credits.txtHyperlink2}) {
            EXPECT_EQ(box->palette().color(QPalette::Base), hintergrund(&credits)) << f.design;
            EXPECT_EQ(box->palette().color(QPalette::Active, QPalette::Text), QColor(255, 0, 0))
                << "the link look replaces the text colour: " << f.design;
        }
        EXPECT_TRUE(o.fake.messages.shown.empty());
    }
}

TEST(frmAbout, CreditsLinksAreMailAddresses)
{
    Ordner o("Default=0\r\n");
    frmCredits credits(o.fake.services, nullptr);
    credits.Form_Load();
    for (QLineEdit* box : {credits.txtHyperlink, credits.txtHyperlink1, credits.txtHyperlink2})
        basHyperlink::HyperlinkClick(box, o.fake.shell);
    ASSERT_EQ(o.fake.shell.opened.size(), 3);
    for (const QString& a : o.fake.shell.opened)
        EXPECT_TRUE(a.startsWith(QStringLiteral("mailto:"))) << a.toStdString();
    EXPECT_EQ(o.fake.shell.opened.removeDuplicates(), 0);
}

TEST(frmAbout, SystemInformationStartsTheDesktopsProgramOrSaysItIsMissing)
{
    struct Fall {
        const char* programm;
        bool startGelingt;
        bool meldung;
    } const faelle[] = {
        {"/usr/bin/systeminfo", true, false},
        {"", true, true},
        {"/usr/bin/systeminfo", false, true},
    };
    for (const auto& f : faelle) {
        Ordner o("Default=0\r\n");
        o.fake.desktop.systemInformation = QString::fromUtf8(f.programm);
        o.fake.shell.succeed = f.startGelingt;
        frmAbout about(o.fake.services, nullptr);
        about.Form_Load();
        about.cmdSysInfo->click();
        EXPECT_EQ(o.fake.shell.started, *f.programm ? QStringList{QString::fromUtf8(f.programm)} : QStringList{});
        if (f.meldung) {
            ASSERT_EQ(o.fake.messages.shown.size(), 1u) << f.programm;
            EXPECT_EQ(o.fake.messages.shown[0].prompt, QStringLiteral("Systeminformationen sind momentan nicht verfügbar"));
            EXPECT_EQ(o.fake.messages.shown[0].flags, sys::mb::OkOnly);
            EXPECT_EQ(o.fake.messages.shown[0].title, QStringLiteral("Rondavex"));
        } else {
            EXPECT_TRUE(o.fake.messages.shown.empty());
        }
    }
}

TEST(frmAbout, EachWindowExistsOnceStaysOnTopAndLoadsAgainAfterItClosed)
{
    Ordner o("Default=0\r\nSprache=sprache.lng\r\n", Sprachdatei);
    frmAbout* about = frmAbout::zeigen(o.fake.services, nullptr);
    EXPECT_EQ(frmAbout::zeigen(o.fake.services, nullptr), about);
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(about->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(about->windowTitle(), QStringLiteral("Über das Programm"));

    about->cmdOK->click();
    EXPECT_FALSE(about->isVisible());
    o.folder.write("sprache.lng", "[About]\r\nCaption=Neu gelesen\r\n");
    frmAbout* wieder = frmAbout::zeigen(o.fake.services, nullptr);
    EXPECT_EQ(wieder->windowTitle(), QStringLiteral("Neu gelesen"));
    wieder->close();

    frmCredits* credits = frmCredits::zeigen(o.fake.services, nullptr);
    EXPECT_EQ(frmCredits::zeigen(o.fake.services, nullptr), credits);
    EXPECT_TRUE(credits->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    credits->cmdOK->click();
    EXPECT_FALSE(credits->isVisible());
    QApplication::processEvents();
}

TEST(frmAbout, AWindowBelongsToTheContextItWasMadeWith)
{
    QPointer<frmAbout> erster;
    {
        Ordner a("Default=0\r\nSprache=sprache.lng\r\n", "[About]\r\nCaption=Erster Ordner\r\n");
        erster = frmAbout::zeigen(a.fake.services, nullptr);
        ASSERT_TRUE(erster);
        // Another context, as the next test has, gets a window of its own, read from its own folder.
        Ordner b("Default=0\r\nSprache=sprache.lng\r\n", "[About]\r\nCaption=Zweiter Ordner\r\n");
        frmAbout* zweiter = frmAbout::zeigen(b.fake.services, nullptr);
        ASSERT_NE(zweiter, nullptr);
        EXPECT_NE(zweiter, erster.data());
        EXPECT_EQ(zweiter->windowTitle(), QStringLiteral("Zweiter Ordner"));
        EXPECT_EQ(erster->windowTitle(), QStringLiteral("Erster Ordner"));
        EXPECT_TRUE(erster->isVisible());
    }
    // The window still open went with its context.
    EXPECT_TRUE(erster.isNull());
}
