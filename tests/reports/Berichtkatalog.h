#pragma once
// A program folder with an empty catalogue at the current schema, for the
// reports and exports to read.
#include "frame/Katalogschema.h"
#include "platform/db/Database.h"
#include "tests/support/Doubles.h"
#include "tests/support/TempFolder.h"

#include <memory>

namespace testing_support {

struct Berichtkatalog {
    Berichtkatalog()
    {
        d = db::Database::create(pfad);
        frame::schema::anlegen(*d, frame::schema::AktuelleVersion);
    }
    // Adds a title: values bound to the columns of the list ("Titel, Anzahl").
    void titel(const QString& spalten, const QVariantList& werte)
    {
        QStringList fragen;
        for (qsizetype i = 0; i < werte.size(); ++i)
            fragen << QStringLiteral("?");
        d->execute(QStringLiteral("INSERT INTO Filme (%1) VALUES (%2)").arg(spalten, fragen.join(QLatin1Char(','))),
                   werte);
    }

    TempFolder folder;
    FakeServices fake{folder.path()};
    QString pfad = folder.file(QStringLiteral("filme.mdb"));
    std::unique_ptr<db::Database> d;
};

// Every column of Filme, in the table's order.
inline const QString AlleFilmspalten = QStringLiteral(
    "Titel, Anzahl, Format, Qualität, Mappe, Wer, Info, Dten, Datum, Cat, AusDatum, Cover, Size, Unterordner");

}  // namespace testing_support
