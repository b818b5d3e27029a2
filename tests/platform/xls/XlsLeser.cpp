#include "tests/platform/xls/XlsLeser.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QDate>
#include <QFile>
#include <QLocale>
#include <QProcess>

#include <freexl.h>

#include <cmath>
#include "tests/Quellordner.h"

namespace testing_support {

namespace {

// Runs one of the scripts beside this file on `path`; false with *fehler set when it fails.
bool skriptAusfuehren(QProcess& python, const char* skript, const QString& path, QString* fehler)
{
    // The system interpreter, where the Debian package installs xlrd.
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(RDX_SOURCE_DIR "/tests/platform/xls/") + QLatin1String(skript), path});
    if (!python.waitForFinished(300000) || python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0) {
        *fehler = QStringLiteral("python3 %1: %2 %3")
                      .arg(QLatin1String(skript), python.errorString(), QString::fromUtf8(python.readAllStandardError()));
        return false;
    }
    return true;
}

}  // namespace

XlsMappe xlsLesen(const QString& path)
{
    XlsMappe mappe;
    QProcess python;
    if (!skriptAusfuehren(python, "xls_lesen.py", path, &mappe.fehler))
        return mappe;
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

QString sstPruefen(const QString& path)
{
    QProcess python;
    QString fehler;
    if (!skriptAusfuehren(python, "sst_pruefen.py", path, &fehler))
        return fehler;
    return QString::fromUtf8(python.readAllStandardOutput() + python.readAllStandardError()).trimmed();
}

namespace {

QString zahl(double v)
{
    if (v == std::floor(v) && std::fabs(v) < 1e15)
        return QString::number(qlonglong(v));
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

QString freexlZelle(const FreeXL_CellValue& z)
{
    switch (z.type) {
    case FREEXL_CELL_NULL: return QString();
    case FREEXL_CELL_INT: return QStringLiteral("n:") + QString::number(z.value.int_value);
    case FREEXL_CELL_DOUBLE: return QStringLiteral("n:") + zahl(z.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT: return QStringLiteral("s:") + QString::fromUtf8(z.value.text_value);
    case FREEXL_CELL_DATE:
        return QStringLiteral("d:") +
               QDate::fromString(QString::fromUtf8(z.value.text_value), Qt::ISODate).toString(QStringLiteral("dd.MM.yyyy"));
    default: return QStringLiteral("?:%1").arg(int(z.type));
    }
}

}  // namespace

XlsMappe freexlLesen(const QString& path)
{
    XlsMappe mappe;
    const void* h = nullptr;
    const QByteArray name = QFile::encodeName(path);
    auto fehler = [&](const char* was, int rc) {
        mappe.fehler = QStringLiteral("freexl %1: %2").arg(QLatin1String(was)).arg(rc);
        if (h)
            freexl_close(h);
        return mappe;
    };
    if (const int rc = freexl_open(name.constData(), &h); rc != FREEXL_OK)
        return fehler("open", rc);
    unsigned int info = 0;
    if (const int rc = freexl_get_info(h, FREEXL_BIFF_VERSION, &info); rc != FREEXL_OK)
        return fehler("info", rc);
    mappe.biff = int(info) * 10;
    if (const int rc = freexl_get_info(h, FREEXL_BIFF_SHEET_COUNT, &info); rc != FREEXL_OK)
        return fehler("sheet count", rc);
    for (unsigned short s = 0; s < info; ++s) {
        XlsBlatt blatt;
        const char* blattname = nullptr;
        if (const int rc = freexl_get_worksheet_name(h, s, &blattname); rc != FREEXL_OK)
            return fehler("sheet name", rc);
        blatt.name = QString::fromUtf8(blattname);
        if (const int rc = freexl_select_active_worksheet(h, s); rc != FREEXL_OK)
            return fehler("select", rc);
        unsigned int zeilen = 0;
        unsigned short spalten = 0;
        if (const int rc = freexl_worksheet_dimensions(h, &zeilen, &spalten); rc != FREEXL_OK)
            return fehler("dimensions", rc);
        for (unsigned int r = 0; r < zeilen; ++r) {
            QStringList zeile;
            for (unsigned short c = 0; c < spalten; ++c) {
                FreeXL_CellValue z;
                if (const int rc = freexl_get_cell_value(h, r, c, &z); rc != FREEXL_OK)
                    return fehler("cell", rc);
                zeile << freexlZelle(z);
            }
            blatt.zeilen.push_back(std::move(zeile));
        }
        mappe.blaetter.push_back(std::move(blatt));
    }
    freexl_close(h);
    mappe.gelesen = true;
    return mappe;
}

}  // namespace testing_support
