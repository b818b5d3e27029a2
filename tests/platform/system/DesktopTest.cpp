#include "platform/system/DesktopSettings.h"
#include "platform/system/QtDialogs.h"
#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImage>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

using testing_support::TempFolder;

namespace {

// A home of its own for each test; the environment comes back afterwards.
class DesktopSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : Names)
            m_saved.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        qputenv("HOME", home.path().toUtf8());
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_CURRENT_DESKTOP");
    }
    void TearDown() override
    {
        for (const auto& s : m_saved) {
            if (s.set)
                qputenv(s.name, s.value);
            else
                qunsetenv(s.name);
        }
    }

    QString picture(const QString& name)
    {
        const QString path = pictures.file(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QImage(4, 3, QImage::Format_RGB32).save(path, "PNG");
        return path;
    }
    QString config(const QString& name, const QByteArray& text)
    {
        return home.write(".config/" + name, text);
    }
    // A settings tool that knows one key.
    QString fakeGSettings(const QByteArray& schemaAndKey, const QByteArray& printed)
    {
        const QString path = home.write("bin/gsettings",
                                        "#!/bin/sh\nif [ \"$1 $2 $3\" = \"get " + schemaAndKey + "\" ]; then\n  echo \"" +
                                            printed + "\"\nelse\n  exit 1\nfi\n");
        QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    TempFolder home;
    TempFolder pictures;
    const QString noGSettings = QStringLiteral("/nonexistent/gsettings");

private:
    static constexpr const char* Names[] = {"HOME", "XDG_CONFIG_HOME", "XDG_CURRENT_DESKTOP", "PATH"};
    struct Saved {
        const char* name;
        QByteArray value;
        bool set;
    };
    std::vector<Saved> m_saved;
};

QByteArray kdeConfig(const QByteArray& images)
{
    return "[ActionPlugins][0]\nRightButton;NoModifier=org.kde.contextmenu\n\n"
           "[Containments][1][Applets][2][Configuration]\nImage=/usr/share/icons/start.png\n\n" +
           images;
}

}  // namespace

TEST_F(DesktopSettingsTest, ReadsThePlasmaWallpaperDecodingItsAddress)
{
    const QString path = picture("Meine Bilder/Wall 1.JPG");
    config("plasma-org.kde.plasma.desktop-appletsrc",
           kdeConfig("[Containments][1][Wallpaper][org.kde.image][General]\nImage=" +
                     QUrl::fromLocalFile(path).toEncoded() + "\n"));
    EXPECT_TRUE(QUrl::fromLocalFile(path).toEncoded().contains("%20"));
    EXPECT_EQ(sys::DesktopSettings(noGSettings).wallpaper(), path);
}

TEST_F(DesktopSettingsTest, PlasmaTakesTheFirstScreenWhosePictureExistsAndAPackagesLargestPicture)
{
    const QString zweiter = picture("zwei.png");
    qputenv("XDG_CONFIG_HOME", (home.path() + "/andere").toUtf8());
    home.write("andere/plasma-org.kde.plasma.desktop-appletsrc",
               kdeConfig("[Containments][1][Wallpaper][org.kde.image][General]\nImage=/weg/eins.png\n\n"
                         "[Containments][7][Wallpaper][org.kde.image][General]\nImage=" +
                         zweiter.toUtf8() + "\n"));
    EXPECT_EQ(sys::DesktopSettings(noGSettings).wallpaper(), zweiter);

    picture("Next/contents/images/1024x768.png");
    const QString groesstes = picture("Next/contents/images/1920x1080.png");
    picture("Next/contents/images/800x600.png");
    home.write("andere/plasma-org.kde.plasma.desktop-appletsrc",
               kdeConfig("[Containments][1][Wallpaper][org.kde.image][General]\nImage=" +
                         pictures.file("Next").toUtf8() + "/\n"));
    EXPECT_EQ(sys::DesktopSettings(noGSettings).wallpaper(), groesstes);
}

TEST_F(DesktopSettingsTest, ReadsTheXfceLastImage)
{
    const QString path = picture("xfce-blue.jpg");
    config("xfce4/xfconf/xfce-perchannel-xml/xfce4-desktop.xml",
           "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<channel name=\"xfce4-desktop\" version=\"1.0\">\n"
           "  <property name=\"backdrop\" type=\"empty\">\n    <property name=\"screen0\" type=\"empty\">\n"
           "      <property name=\"monitor0\" type=\"empty\">\n        <property name=\"workspace0\" type=\"empty\">\n"
           "          <property name=\"color-style\" type=\"int\" value=\"0\"/>\n"
           "          <property name=\"last-image\" type=\"string\" value=\"" +
               path.toUtf8() + "\"/>\n        </property>\n      </property>\n    </property>\n  </property>\n"
                               "</channel>\n");
    EXPECT_EQ(sys::DesktopSettings(noGSettings).wallpaper(), path);
}

TEST_F(DesktopSettingsTest, TheRunningDesktopsOwnSettingsComeFirst)
{
    const QString kde = picture("kde.png");
    const QString xfce = picture("xfce.png");
    config("plasma-org.kde.plasma.desktop-appletsrc", kdeConfig("[Containments][1][Wallpaper][org.kde.image][General]\nImage=" + kde.toUtf8() + "\n"));
    config("xfce4/xfconf/xfce-perchannel-xml/xfce4-desktop.xml",
           "<channel name=\"xfce4-desktop\"><property name=\"last-image\" type=\"string\" value=\"" + xfce.toUtf8() +
               "\"/></channel>");
    const QString gnome = picture("gnome.png");
    const QString tool = fakeGSettings("org.gnome.desktop.background picture-uri",
                                       "'" + QUrl::fromLocalFile(gnome).toEncoded() + "'");

    const std::pair<const char*, QString> faelle[] = {
        {"XFCE", xfce}, {"KDE", kde}, {"ubuntu:GNOME", gnome}, {"", kde}, {"Unbekannt", kde}};
    for (const auto& [desktop, erwartet] : faelle) {
        SCOPED_TRACE(desktop);
        qputenv("XDG_CURRENT_DESKTOP", desktop);
        EXPECT_EQ(sys::DesktopSettings(tool).wallpaper(), erwartet);
    }
}

TEST_F(DesktopSettingsTest, AsksTheGnomeFamilySettingsToolForItsAddressOrPath)
{
    const QString path = picture("Gnome Bild.png");
    struct Fall {
        const char* desktop;
        QByteArray key;
        QByteArray printed;
    };
    const Fall faelle[] = {
        {"GNOME", "org.gnome.desktop.background picture-uri", "'" + QUrl::fromLocalFile(path).toEncoded() + "'"},
        {"GNOME", "org.gnome.desktop.background picture-uri-dark", "'" + QUrl::fromLocalFile(path).toEncoded() + "'"},
        {"X-Cinnamon", "org.cinnamon.desktop.background picture-uri", "'" + QUrl::fromLocalFile(path).toEncoded() + "'"},
        {"MATE", "org.mate.background picture-filename", "'" + path.toUtf8() + "'"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.key.toStdString());
        qputenv("XDG_CURRENT_DESKTOP", f.desktop);
        EXPECT_EQ(sys::DesktopSettings(fakeGSettings(f.key, f.printed)).wallpaper(), path);
    }
    // Found in PATH when named bare.
    fakeGSettings("org.gnome.desktop.background picture-uri", "'" + QUrl::fromLocalFile(path).toEncoded() + "'");
    qputenv("PATH", (home.path() + "/bin").toUtf8());
    EXPECT_EQ(sys::DesktopSettings().wallpaper(), path);
}

TEST_F(DesktopSettingsTest, NothingSetOrAPictureThatIsGoneGivesNothing)
{
    EXPECT_EQ(sys::DesktopSettings(noGSettings).wallpaper(), "");

    config("plasma-org.kde.plasma.desktop-appletsrc",
           kdeConfig("[Containments][1][Wallpaper][org.kde.image][General]\nImage=file:///weg/Wall.jpg\n"));
    config("xfce4/xfconf/xfce-perchannel-xml/xfce4-desktop.xml",
           "<channel name=\"xfce4-desktop\"><property name=\"last-image\" type=\"string\" value=\"/weg/x.jpg\"/>"
           "</channel>");
    const QString tool = fakeGSettings("org.gnome.desktop.background picture-uri", "''");
    EXPECT_EQ(sys::DesktopSettings(tool).wallpaper(), "");
    EXPECT_EQ(sys::DesktopSettings(fakeGSettings("org.gnome.desktop.background picture-uri",
                                                 "'https://example.org/bild.jpg'"))
                  .wallpaper(),
              "");
}

TEST_F(DesktopSettingsTest, TheSystemInformationProgramIsTheFirstKnownOneInPath)
{
    TempFolder bin;
    qputenv("PATH", bin.path().toUtf8());
    EXPECT_EQ(sys::DesktopSettings().systemInformationProgram(), "");

    for (const char* name : {"xfce4-taskmanager", "kinfocenter", "gnome-system-monitor"}) {
        const QString path = bin.write(name, "#!/bin/sh\n");
        QFile(path).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    }
    bin.write("hardinfo", "not executable");
    EXPECT_EQ(sys::DesktopSettings().systemInformationProgram(), bin.file("kinfocenter"));
}

// ---------------------------------------------------------------- the real dialogs

namespace {

// Closes the dialog that the next modal call opens.
void answerNextDialog(bool accept)
{
    QTimer::singleShot(0, [accept] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        accept ? dialog->accept() : dialog->reject();
    });
}

}  // namespace

TEST(QtDialogs, ColoursTravelAsWindowsColourNumbersAndACancelGivesNothing)
{
    sys::QtDialogs dialogs;
    answerNextDialog(true);
    EXPECT_EQ(dialogs.chooseColor(0x800000), 0x800000);  // dark blue
    answerNextDialog(true);
    EXPECT_EQ(dialogs.chooseColor(0x0000FF), 0x0000FF);  // red
    answerNextDialog(false);
    EXPECT_EQ(dialogs.chooseColor(255), std::nullopt);
}

TEST(QtDialogs, TheFontComesBackAsChosenAndACancelGivesNothing)
{
    // A family of this machine with a bold face, so that the dialog can keep the choice.
    QString family;
    for (const QString& f : QFontDatabase::families()) {
        if (QFontDatabase::styles(f).contains(QStringLiteral("Bold"))) {
            family = f;
            break;
        }
    }
    if (family.isEmpty())
        GTEST_SKIP() << "no font with a bold face installed";
    sys::QtDialogs dialogs;
    answerNextDialog(true);
    const auto font = dialogs.chooseFont({family, true, 12});
    ASSERT_TRUE(font);
    EXPECT_EQ(font->name, family);
    EXPECT_TRUE(font->bold);
    EXPECT_DOUBLE_EQ(font->size, 12);
    answerNextDialog(false);
    EXPECT_EQ(dialogs.chooseFont({family, false, 9.75}), std::nullopt);
}

TEST(QtDialogs, ACancelledFileDialogGivesNothing)
{
    sys::QtDialogs dialogs;
    answerNextDialog(false);
    EXPECT_EQ(dialogs.openFile({}, QDir::tempPath(), QStringLiteral("Bilddateien (*.bmp *.jpg *.jpeg)")), "");
}
