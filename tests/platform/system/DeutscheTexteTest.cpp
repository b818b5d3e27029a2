// Qt's own texts in German whatever the system's language (the suite runs
// under C.UTF-8), and the German reasons of real failing file operations.
#include "platform/system/Dateigrund.h"
#include "platform/system/ProgramContext.h"
#include "platform/system/QtPrinter.h"
#include "platform/system/QtServices.h"

#include "tests/support/FileSystemFaults.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QSaveFile>
#include <QTimer>
#include <QTranslator>

#include <cerrno>
#include <functional>

using namespace testing_support;

namespace {

// Qt's texts as the programs load them at their start, for one test.
class QtTexteDeutsch : public testing::Test {
protected:
    void SetUp() override
    {
        m_texte = sys::qtTexteDeutsch();
        ASSERT_TRUE(m_texte) << "qtbase_de missing (package qt6-translations-l10n)";
    }

private:
    std::unique_ptr<QTranslator> m_texte;
};

// The buttons of the modal window that opens next, as a user reads them;
// `schließen` then closes it.
QStringList knöpfeDesNächstenFensters(const std::function<void()>& öffnen,
                                       const std::function<void(QWidget*)>& schließen)
{
    QStringList texte;
    QTimer::singleShot(0, [&] {
        QWidget* fenster = QApplication::activeModalWidget();
        if (!fenster)
            return;
        for (const QAbstractButton* k : fenster->findChildren<QAbstractButton*>()) {
            if (k->isVisible() && !k->text().isEmpty())
                texte << QString(k->text()).remove(u'&');
        }
        schließen(fenster);
    });
    öffnen();
    return texte;
}

struct Kastenfall {
    const char* name;
    int knöpfe;
    QStringList texte;
};

void PrintTo(const Kastenfall& f, std::ostream* os)
{
    *os << f.name;
}

class DeutscheKnöpfe : public QtTexteDeutsch, public testing::WithParamInterface<Kastenfall> {};

}  // namespace

TEST_P(DeutscheKnöpfe, MessageBoxButtonsReadGerman)
{
    sys::QtMessageService meldungen;
    const QStringList texte = knöpfeDesNächstenFensters(
        [&] { meldungen.msgBox(QStringLiteral("Frage"), GetParam().knöpfe, QStringLiteral("Titel")); },
        [](QWidget* w) { static_cast<QMessageBox*>(w)->done(QMessageBox::Cancel); });
    QStringList sortiert = texte, erwartet = GetParam().texte;
    sortiert.sort();
    erwartet.sort();
    EXPECT_EQ(sortiert, erwartet);
}

INSTANTIATE_TEST_SUITE_P(Kästen, DeutscheKnöpfe,
                         testing::Values(Kastenfall{"Ok", sys::mb::OkOnly, {"OK"}},
                                         Kastenfall{"OkCancel", sys::mb::OkCancel, {"OK", "Abbrechen"}},
                                         Kastenfall{"YesNo", sys::mb::YesNo, {"Ja", "Nein"}},
                                         Kastenfall{"YesNoCancel", sys::mb::YesNoCancel, {"Ja", "Nein", "Abbrechen"}}),
                         [](const auto& fallInfo) { return std::string(fallInfo.param.name); });

using DeutscheDialoge = QtTexteDeutsch;

TEST_F(DeutscheDialoge, ThePrinterDialogReadsGerman)
{
    sys::QtPrinter drucker;
    const QStringList texte = knöpfeDesNächstenFensters([&] { drucker.setup(); },
                                                        [](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    EXPECT_TRUE(texte.contains("Drucken")) << texte.join(", ").toStdString();
    EXPECT_TRUE(texte.contains("Abbrechen")) << texte.join(", ").toStdString();
    EXPECT_FALSE(texte.contains("Cancel")) << texte.join(", ").toStdString();
}

namespace {

// A file written as the reports and downloads write theirs; the reason of its
// failure, or "" when it was written.
QString schreibenUndGrund(const QString& pfad, qint64 größe = 16)
{
    QSaveFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly))
        return sys::dateigrund(datei);
    const QByteArray bytes(größe, 'x');
    for (qint64 geschrieben = 0; geschrieben < größe;) {
        const qint64 n = datei.write(bytes.constData() + geschrieben, größe - geschrieben);
        if (n <= 0) {
            const QString grund = sys::dateigrund(datei);
            datei.cancelWriting();
            return grund;
        }
        geschrieben += n;
    }
    return datei.commit() ? QString() : sys::dateigrund(datei);
}

// A plain file opened for writing, as the copies of the catalogue do.
QString öffnenUndGrund(const QString& pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::WriteOnly) ? QString() : sys::dateigrund(datei);
}

const QString Ordner = QStringLiteral("Unter diesem Namen steht ein Ordner.");
const QString Fehlt = QStringLiteral("Datei oder Ordner nicht gefunden.");

// Qt words some causes itself, in English or, with its German texts loaded,
// in German: the reasons come out the same either way.
class Dateigrund : public testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        if (!GetParam())
            return;
        ASSERT_TRUE(m_qtTexte.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        QCoreApplication::installTranslator(&m_qtTexte);
    }
    void TearDown() override { QCoreApplication::removeTranslator(&m_qtTexte); }

private:
    QTranslator m_qtTexte;
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(QtTexte, Dateigrund, testing::Bool(),
                         [](const auto& fallInfo) { return std::string(fallInfo.param ? "Deutsch" : "Englisch"); });

TEST_P(Dateigrund, AFolderInTheWayAndAMissingFolderAreToldInGerman)
{
    TempFolder t;
    ASSERT_TRUE(QDir(t.path()).mkdir(QStringLiteral("bericht.html")));
    EXPECT_EQ(schreibenUndGrund(t.file("bericht.html")), Ordner);
    EXPECT_EQ(öffnenUndGrund(t.file("bericht.html")), Ordner);
    EXPECT_EQ(schreibenUndGrund(t.file("fehlt/bericht.html")), Fehlt);
    EXPECT_EQ(öffnenUndGrund(t.file("fehlt/bericht.html")), Fehlt);
    QFile lesen(t.file("fehlt.mdb"));
    EXPECT_FALSE(lesen.open(QIODevice::ReadOnly));
    EXPECT_EQ(sys::dateigrund(lesen), Fehlt);
    EXPECT_EQ(sys::dateigrund(EIO), QStringLiteral("Unbekannter Dateifehler (Fehlernummer 5)."));
}

TEST_P(Dateigrund, AReadOnlyFolderIsToldInGerman)
{
    TempFolder t;
    const QString ordner = t.file("nurlesen");
    ASSERT_TRUE(QDir(t.path()).mkdir(QStringLiteral("nurlesen")));
    QFile::setPermissions(t.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                        | QFileDevice::ReadOther | QFileDevice::ExeOther);
    QFile::setPermissions(ordner, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                      | QFileDevice::ExeOther);
    const int ergebnis = runUnprivileged([&] {
        return schreibenUndGrund(ordner + "/liste.xls") == QStringLiteral("Keine Berechtigung.")
                       && öffnenUndGrund(ordner + "/liste.xls") == QStringLiteral("Keine Berechtigung.")
                   ? 0
                   : 1;
    });
    QFile::setPermissions(ordner, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (ergebnis < 0)
        GTEST_SKIP() << "cannot run as an ordinary user";
    EXPECT_EQ(ergebnis, 0);
}

TEST_P(Dateigrund, AFullAndAReadOnlyDiskAreToldInGerman)
{
    TempFolder t;
    MountedTmpfs platte(t.path(), "size=64k");
    if (!platte.ok())
        GTEST_SKIP() << "tmpfs needs root";
    EXPECT_EQ(schreibenUndGrund(t.file("gross.txt"), 1 << 20), QStringLiteral("Der Datenträger ist voll."));
    ASSERT_TRUE(platte.remountReadOnly());
    EXPECT_EQ(schreibenUndGrund(t.file("klein.txt")), QStringLiteral("Der Datenträger ist schreibgeschützt."));
    EXPECT_EQ(öffnenUndGrund(t.file("klein.txt")), QStringLiteral("Der Datenträger ist schreibgeschützt."));
}
