#pragma once
// A program folder with a small catalogue for driving the main window: titles
// with umlauts, apostrophes and pattern characters, lent titles, sub-entries
// and rows with Null cells as older versions and the tools grid leave them.
#include "catalogue/frmFilme.h"
#include "tests/support/Doubles.h"
#include "tests/support/TempFolder.h"

#include <QByteArray>
#include <QStringList>

#include <memory>

namespace testing_support {

struct Filmkatalog {
    // `cdIni` adds lines ("[Funktionen]\r\nSortierung=FK\r\n"); `leer` makes a catalogue without titles.
    explicit Filmkatalog(const QByteArray& cdIni = {}, bool leer = false);

    // The main window after its start.
    frmFilme& fenster();
    // The rows of lfListe, and their titles (the text before the first Tab).
    QStringList zeilen() const;
    QStringList titel() const;
    // Runs a statement on the catalogue through a connection of its own.
    void ausführen(const QString& sql, const QVariantList& werte = {}) const;

    TempFolder folder;
    FakeServices fake;
    std::unique_ptr<frmFilme> f;
};

// Writes the "Cd.ini" of a ready installation (no first-run message) into the
// folder and adds the given lines ("[Funktionen]\r\nSortierung=FK\r\n").
void cdIniSchreiben(const TempFolder& folder, const QByteArray& zeilen);

// The titles of the catalogue in German title order.
QStringList alleTitel();

}  // namespace testing_support
