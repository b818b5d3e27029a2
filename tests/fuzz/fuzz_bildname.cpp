// Any title as the name of a downloaded cover: a name that the check lets
// through is written inside the covers folder and nowhere else.
// Input: one byte (bit 0: UTF-16), then the title.
#include "platform/system/Web.h"
#include "tests/fuzz/Fuzzeingabe.h"

#include <QDirIterator>
#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    static const fuzz::Arbeitsordner ordner("bildname");
    static const QString covers = [] {
        const QString pfad = ordner.pfad() + QStringLiteral("/Rondavex/covers");
        QDir().mkpath(pfad);
        return pfad;
    }();
    if (groesse == 0)
        return 0;
    const QString titel = fuzz::text(fuzz::bytes(daten + 1, groesse - 1),
                                     (daten[0] & 1) != 0);
    const QString name = titel + QStringLiteral(".jpg");
    if (!sys::fileNameStaysInFolder(name))
        return 0;

    // Written the way the download writes it: the folder, "/" and the name.
    QFile bild(covers + u'/' + name);
    if (!bild.open(QIODevice::WriteOnly))
        return 0;  // too long for the file system, for instance
    bild.close();
    // Every entry of the work folder: its two folders and the one new file.
    QStringList neu;
    for (QDirIterator alle(ordner.pfad(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                           QDirIterator::Subdirectories);
         alle.hasNext();) {
        const QString eintrag = alle.next();
        if (eintrag != covers && eintrag != ordner.pfad() + QStringLiteral("/Rondavex"))
            neu << eintrag;
    }
    fuzz::pruefen(neu.size() == 1 && QFileInfo(neu.first()).isFile() && QFileInfo(neu.first()).absolutePath() == covers,
                  "the cover lies in the covers folder, nowhere else");
    fuzz::pruefen(QFile::remove(bild.fileName()), "the cover can be removed again");
    return 0;
}
