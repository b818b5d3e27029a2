#include "scan/Coverpfad.h"

#include <QFileInfo>

namespace scan {

namespace {

bool vollerPfad(const QString& coverNormal)
{
    return coverNormal == QLatin1String("1");
}

}  // namespace

QString coverDatei(const QString& referenz, const QString& coverNormal, const QString& programmordner)
{
    if (referenz.isEmpty() || referenz == QLatin1String("-"))
        return {};
    if (vollerPfad(coverNormal))
        return referenz;
    return programmordner + QStringLiteral("/covers/") + referenz;
}

QString coverReferenz(const QString& datei, const QString& coverNormal)
{
    return vollerPfad(coverNormal) ? datei : QFileInfo(datei).fileName();
}

}  // namespace scan
