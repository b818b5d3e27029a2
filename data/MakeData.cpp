// Lays out the shipped data of a program folder: the starting settings, the
// language file, help and style sheet, the six background pictures and an
// empty catalogue at the current schema. What a user may have changed is only
// written where it is missing.
#include "data/Backgrounds.h"
#include "frame/Katalogschema.h"
#include "platform/db/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

namespace {

bool copy(const QString& source, const QString& target, bool replace)
{
    if (QFileInfo::exists(target)) {
        if (!replace)
            return true;
        QFile a(source);
        QFile b(target);
        if (a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly) && a.readAll() == b.readAll())
            return true;
        QFile::remove(target);
    }
    return QFile::copy(source, target);
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: rdx_mkdata <data folder> <program folder>\n");
        return 2;
    }
    const QString quelle = QString::fromLocal8Bit(argv[1]);
    const QString ziel = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(ziel + QStringLiteral("/bilder"));
    QDir().mkpath(ziel + QStringLiteral("/covers"));

    bool ok = true;
    for (const char* name : {"Cd.ini", "deutsch.lng"})
        ok = copy(quelle + '/' + name, ziel + '/' + name, false) && ok;
    for (const char* name : {"help.html", "css.css"})
        ok = copy(quelle + '/' + name, ziel + '/' + name, true) && ok;

    if (!QFileInfo::exists(ziel + QStringLiteral("/bilder/Voyager.jpg"))) {
        QString fehler;
        if (!shipped::renderBackgrounds(ziel + QStringLiteral("/bilder"), &fehler)) {
            std::fprintf(stderr, "background pictures: %s\n", qPrintable(fehler));
            ok = false;
        }
    }

    const QString katalog = ziel + QStringLiteral("/filme.mdb");
    if (!QFileInfo::exists(katalog)) {
        try {
            auto datenbank = db::Database::create(katalog);
            frame::schema::anlegen(*datenbank, frame::schema::AktuelleVersion);
        } catch (const db::DbError& e) {
            std::fprintf(stderr, "catalogue: %s\n", qPrintable(e.message()));
            QFile::remove(katalog);
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
