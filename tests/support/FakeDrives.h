#pragma once
// Folders presented as discs: each disc has its letter, type, state and sizes
// and a root folder. The discs may be changed between calls (a new disc in the
// drive); every tray command is recorded.
#include "platform/system/Drives.h"

#include <QStringList>
#include <vector>

namespace testing_support {

struct FakeDisc {
    QString letter;  // "D:"
    int type = sys::drivetype::CdRom;
    bool ready = true;
    QString label;
    QString fileSystem = QStringLiteral("iso9660");
    qint32 serial = 0;
    qint64 totalBytes = 0;
    qint64 freeBytes = 0;
    QString root;  // the folder on disk shown as the drive's root
};

class FakeDrives : public sys::Drives {
public:
    QList<sys::Drive> list() override;
    sys::DriveDetails details(const QString& letter) override;
    QString folderOf(const QString& drivePath) override;
    void openTray(const QString& letter) override;
    void closeTray(const QString& letter) override;

    FakeDisc* disc(const QString& letter);

    std::vector<FakeDisc> discs;
    QStringList trayLog;  // "open D:", "close D:"; the letter as it was asked for
};

}  // namespace testing_support
