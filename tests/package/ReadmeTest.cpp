// The README names, for each command of scripts/rondavex.sh, exactly the
// packages that the command installs.
#include "tests/Quellordner.h"
#include "tests/support/TempFolder.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>

using testing_support::fileBytes;

namespace {

using Pakete = QSet<QString>;

QString quelle(const char* datei)
{
    return QString::fromUtf8(fileBytes(QStringLiteral(RDX_SOURCE_DIR "/") + datei));
}

std::string liste(const Pakete& pakete)
{
    QStringList namen(pakete.begin(), pakete.end());
    std::sort(namen.begin(), namen.end());
    return namen.join(' ').toStdString();
}

// The words of the script's array that `anfang` opens ("packages=(", ...),
// each "${name[@]}" replaced by the words of that array in `bekannt`.
Pakete feld(const QString& skript, const QString& anfang, const QHash<QString, Pakete>& bekannt = {})
{
    const auto treffer =
        QRegularExpression(QStringLiteral("^") + QRegularExpression::escape(anfang) + QStringLiteral("([^)]*)\\)"),
                           QRegularExpression::MultilineOption)
            .match(skript);
    EXPECT_TRUE(treffer.hasMatch()) << anfang.toStdString();
    Pakete pakete;
    static const QRegularExpression verweis(QStringLiteral("^\"\\$\\{(\\w+)\\[@\\]\\}\"$"));
    for (const QString& wort : treffer.captured(1).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts)) {
        if (const auto v = verweis.match(wort); v.hasMatch())
            pakete += bekannt.value(v.captured(1));
        else
            pakete += wort;
    }
    return pakete;
}

// The names in backticks in `text`.
Pakete inBackticks(const QString& text)
{
    Pakete pakete;
    static const QRegularExpression name(QStringLiteral("`([^`]+)`"));
    for (auto i = name.globalMatch(text); i.hasNext();)
        pakete += i.next().captured(1);
    return pakete;
}

}  // namespace

TEST(Readme, NamesForEachCommandThePackagesThatTheScriptInstalls)
{
    const QString skript = quelle("scripts/rondavex.sh");
    const Pakete alle = feld(skript, "packages=(");
    const Pakete werkzeuge = feld(skript, "package_tools=(");
    const Pakete paket = feld(skript, "package) packages+=(", {{"package_tools", werkzeuge}});
    Pakete test = feld(skript, "test) packages+=(", {{"package_tools", werkzeuge}});
    // Node.js comes from apt only when none is there.
    for (auto i = QRegularExpression("missing\\+=\\(([a-z0-9.+-]+)\\)").globalMatch(skript); i.hasNext();)
        test += i.next().captured(1);
    ASSERT_FALSE(alle.isEmpty() || paket.isEmpty() || test.isEmpty());

    const QString readme = quelle("README.md");
    const qsizetype anfang = readme.indexOf("All three install what is missing");
    ASSERT_GE(anfang, 0);
    // One paragraph, its lines joined.
    const QString absatz = readme.mid(anfang, readme.indexOf("\n\n", anfang) - anfang).simplified();
    const qsizetype paketTeil = absatz.indexOf("The package command adds");
    const qsizetype testTeil = absatz.indexOf("The test command adds");
    ASSERT_TRUE(paketTeil > 0 && testTeil > paketTeil) << absatz.toStdString();
    const Pakete readmeAlle = inBackticks(absatz.left(paketTeil));
    const Pakete readmePaket = inBackticks(absatz.mid(paketTeil, testTeil - paketTeil));
    // "The test command adds those as well, and …"
    const Pakete readmeTest = inBackticks(absatz.mid(testTeil)) + readmePaket;

    EXPECT_EQ(liste(readmeAlle), liste(alle)) << "every command";
    EXPECT_EQ(liste(readmePaket), liste(paket)) << "package";
    EXPECT_EQ(liste(readmeTest), liste(test)) << "test";
}
