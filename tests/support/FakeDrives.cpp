#include "tests/support/FakeDrives.h"

namespace testing_support {

FakeDisc* FakeDrives::disc(const QString& letter)
{
    const QString wanted = sys::driveLetter(letter);
    for (FakeDisc& d : discs)
        if (!wanted.isEmpty() && d.letter == wanted)
            return &d;
    return nullptr;
}

QList<sys::Drive> FakeDrives::list()
{
    QList<sys::Drive> drives;
    for (const FakeDisc& d : discs)
        drives.append(sys::Drive{d.letter, d.type, d.ready ? d.root : QString(), d.ready ? d.label : QString()});
    return drives;
}

sys::DriveDetails FakeDrives::details(const QString& letter)
{
    const FakeDisc* d = disc(letter);
    if (!d || !d->ready)
        return {};
    return sys::DriveDetails{true, d->label, d->fileSystem, d->serial, d->totalBytes, d->freeBytes};
}

QString FakeDrives::folderOf(const QString& drivePath)
{
    const sys::DrivePath path = sys::splitDrivePath(drivePath);
    const FakeDisc* d = disc(path.letter);
    if (!d || !d->ready)
        return {};
    return path.inside.isEmpty() ? d->root : d->root + QLatin1Char('/') + path.inside;
}

void FakeDrives::openTray(const QString& letter)
{
    trayLog.append(QStringLiteral("open ") + letter);
}

void FakeDrives::closeTray(const QString& letter)
{
    trayLog.append(QStringLiteral("close ") + letter);
}

}  // namespace testing_support
