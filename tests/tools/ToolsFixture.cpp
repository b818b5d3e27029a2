#include "tests/tools/ToolsFixture.h"

#include "frame/CdIni.h"
#include "tests/frame/Katalogfixture.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <sys/mount.h>

namespace testing_support {

Programmordner::Programmordner(const QByteArray& cdIni)
{
    fake.services.title = QStringLiteral("Tools");
    folder.write(QStringLiteral("Cd.ini"), cdIni);
}

std::unique_ptr<frmTools> Programmordner::starten()
{
    auto fenster = std::make_unique<frmTools>(fake.services);
    fenster->Form_Load();
    return fenster;
}

QString Programmordner::katalog(const QString& name, const QString& version)
{
    const QString pfad = folder.file(name + QStringLiteral(".mdb"));
    katalogAnlegen(pfad, version);
    return pfad;
}

QString Programmordner::ini(const QString& section, const QString& key) const
{
    return frame::cdIni(fake.services).read(section, key);
}

QStringList Programmordner::dateien() const
{
    // The settings file's own lock file stays for good (see platform/ini); it is no leftover.
    QStringList liste = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    liste.removeAll(QStringLiteral("Cd.ini.lock"));
    return liste;
}

KleinesLaufwerk::KleinesLaufwerk(const char* optionen)
{
    pfad = basis.file("lw");
    QDir().mkpath(pfad);
    bereit = ::mount("tmpfs", QFile::encodeName(pfad).constData(), "tmpfs", 0, optionen) == 0;
}

KleinesLaufwerk::~KleinesLaufwerk()
{
    if (bereit)
        ::umount2(QFile::encodeName(pfad).constData(), MNT_DETACH);
}

void KleinesLaufwerk::füllen(int freiKb) const
{
    QFile füllung(pfad + "/füllung");
    ASSERT_TRUE(füllung.open(QIODevice::WriteOnly));
    const QByteArray block(1024, 'x');
    while (füllung.write(block) == block.size() && füllung.flush()) {
    }
    füllung.close();
    füllung.resize(füllung.size() - qint64(freiKb) * 1024);
}

}  // namespace testing_support
