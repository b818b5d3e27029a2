#include "tests/platform/xls/XlsLeser.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace testing_support {

XlsMappe xlsLesen(const QString& path)
{
    XlsMappe mappe;
    QProcess python;
    // The system interpreter, where the Debian package installs xlrd.
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(RDX_SOURCE_DIR "/tests/platform/xls/xls_lesen.py"), path});
    if (!python.waitForFinished(300000) || python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0) {
        mappe.fehler = QStringLiteral("python3 xls_lesen.py: %1 %2")
                           .arg(python.errorString(), QString::fromUtf8(python.readAllStandardError()));
        return mappe;
    }
    mappe.warnungen = QString::fromUtf8(python.readAllStandardError());
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(python.readAllStandardOutput(), &parseError);
    if (doc.isNull()) {
        mappe.fehler = parseError.errorString();
        return mappe;
    }
    const QJsonObject root = doc.object();
    mappe.biff = root.value(QStringLiteral("biff")).toInt();
    for (const QJsonValue s : root.value(QStringLiteral("sheets")).toArray()) {
        XlsBlatt blatt;
        blatt.name = s[QStringLiteral("name")].toString();
        for (const QJsonValue r : s[QStringLiteral("rows")].toArray()) {
            QStringList zeile;
            for (const QJsonValue c : r.toArray())
                zeile << c.toString();
            blatt.zeilen.push_back(std::move(zeile));
        }
        mappe.blaetter.push_back(std::move(blatt));
    }
    mappe.gelesen = true;
    return mappe;
}

}  // namespace testing_support
