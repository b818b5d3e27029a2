#include "catalogue/Scanliste.h"

namespace katalog {

Scaneintrag eintragTeilen(const QString& eintrag)
{
    const qsizetype doppelpunkt = eintrag.lastIndexOf(QLatin1Char(':'));
    if (doppelpunkt < 0)
        return {eintrag, QString()};
    return {eintrag.left(doppelpunkt), eintrag.mid(doppelpunkt + 1)};
}

QString unterordnerName(const QString& eintrag)
{
    const QString name = eintragTeilen(eintrag).name;
    if (name.size() >= 4 && name.at(name.size() - 4) == QLatin1Char('.'))
        return name.left(name.size() - 4);
    return eintrag;
}

QString freierName(const QString& name, const QString& eltern, const std::function<bool(const QString&)>& vergeben,
                   int breite)
{
    auto gekürzt = [&](const QString& anhang) { return name.left(qMax(0, breite - int(anhang.size()))) + anhang; };
    if (name.size() <= breite && !vergeben(name))
        return name;
    const QString klammer = QStringLiteral(" [") + eltern + QStringLiteral("]");
    QString kandidat = gekürzt(klammer);
    for (int n = 2; vergeben(kandidat); ++n)
        kandidat = gekürzt(klammer + QStringLiteral(" (%1)").arg(n));
    return kandidat;
}

QString infoText(const QStringList& namen)
{
    QString text;
    for (const QString& n : namen) {
        if (!n.isEmpty())
            text += n + QStringLiteral(", ");
    }
    return text;
}

}  // namespace katalog
