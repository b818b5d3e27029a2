#include "platform/system/Dateigrund.h"

#include <QCoreApplication>
#include <QFileDevice>

#include <cerrno>
#include <cstring>

namespace sys {

namespace {

struct Ursache {
    int nummer;
    const char* text;
    const char* qtWortlaut;  // Qt words a few causes itself, translated with its texts
};

// Ordered: the first cause whose wording a file's error text holds wins.
constexpr Ursache Ursachen[] = {
    {ENOSPC, "Der Datenträger ist voll.", "No space left on device"},
    {EDQUOT, "Der Datenträger ist voll.", nullptr},
    {EROFS, "Der Datenträger ist schreibgeschützt.", nullptr},
    {EACCES, "Keine Berechtigung.", "Permission denied"},
    {EPERM, "Keine Berechtigung.", nullptr},
    {EISDIR, "Unter diesem Namen steht ein Ordner.", nullptr},
    {ENOENT, "Datei oder Ordner nicht gefunden.", "No such file or directory"},
    {ENOTDIR, "Datei oder Ordner nicht gefunden.", nullptr},
};

const char* const Allgemein = "Unbekannter Dateifehler";

QString systemwortlaut(int nummer)
{
    return QString::fromLocal8Bit(std::strerror(nummer));
}

}  // namespace

QString dateigrund(int fehlernummer)
{
    for (const Ursache& u : Ursachen) {
        if (u.nummer == fehlernummer)
            return QString::fromUtf8(u.text);
    }
    return QString::fromUtf8(Allgemein) + QStringLiteral(" (Fehlernummer %1).").arg(fehlernummer);
}

QString dateigrund(const QIODevice& datei)
{
    const QString text = datei.errorString();
    for (const Ursache& u : Ursachen) {
        if (text.contains(systemwortlaut(u.nummer))
            || (u.qtWortlaut && text.contains(QCoreApplication::translate("QIODevice", u.qtWortlaut))))
            return QString::fromUtf8(u.text);
    }
    // Qt's own wording, in whichever language its texts are loaded.
    if (text == QCoreApplication::translate("QSaveFile", "Filename refers to a directory")
        || text == QCoreApplication::translate("QIODevice", "file to open is a directory"))
        return dateigrund(EISDIR);
    const auto* dateigerät = qobject_cast<const QFileDevice*>(&datei);
    if (dateigerät
        && text == QCoreApplication::translate("QSaveFile", "Existing file %1 is not writable").arg(dateigerät->fileName()))
        return dateigrund(EACCES);
    return QString::fromUtf8(Allgemein) + QLatin1Char('.');
}

}  // namespace sys
