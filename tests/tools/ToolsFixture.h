#pragma once
// A temporary program folder for the tools window, with the doubles, and a
// plain reading of catalogues through the SQLite C API without our functions.
#include "tests/support/Doubles.h"
#include "tests/support/Kombis.h"
#include "tests/support/RohSqlite.h"
#include "tests/support/TempFolder.h"
#include "tools/frmTools.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace testing_support {

struct Programmordner {
    explicit Programmordner(const QByteArray& cdIni = "[DB]\r\nDB Name0=filme\r\n");
    TempFolder folder;
    FakeServices fake{folder.path()};

    // A frmTools of this folder after its Form_Load.
    std::unique_ptr<frmTools> starten();
    // The catalogue <name>.mdb at the version, with the fixture's three titles.
    QString katalog(const QString& name, const QString& version = QStringLiteral("1.4.1"));
    QString ini(const QString& section, const QString& key) const;
    // The files of the folder, sorted.
    QStringList dateien() const;
};

// A small tmpfs, so that a disk can be full or read-only. Needs root; `bereit`
// is false where it cannot be mounted.
struct KleinesLaufwerk {
    explicit KleinesLaufwerk(const char* optionen);
    ~KleinesLaufwerk();
    // Fills the disk with a file "füllung" until only about `freiKb` are left.
    void füllen(int freiKb) const;
    TempFolder basis;
    QString pfad;
    bool bereit = false;
};


}  // namespace testing_support
