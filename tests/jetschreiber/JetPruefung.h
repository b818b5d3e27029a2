#pragma once
// Reads a written Jet file back with both readers that are not ours and
// expects each to give every table, column and value as written.
#include "tests/support/JetLeser.h"
#include "tests/support/JetSchreiber.h"

#include <gtest/gtest.h>

#define JET_LESER_NOETIG()                                                   \
    do {                                                                     \
        if (const QString fehlt = jettest::mdbtoolsFehlt(); !fehlt.isEmpty()) { \
            GTEST_SKIP() << fehlt.toStdString();                               \
        }                                                                      \
        if (const QString fehlt = jettest::mdbReaderFehlt(); !fehlt.isEmpty()) { \
            GTEST_SKIP() << fehlt.toStdString();                               \
        }                                                                      \
    } while (false)

namespace jetpruefung {

// The user tables in this order, with their columns and rows.
void erwarteGelesen(const QString& pfad, const std::vector<jettest::TabelleMitZeilen>& erwartet);

// Only through mdb-reader (the whole file) or only through mdbtools (one table
// each), for the callers that need one of them.
void erwarteVonMdbReader(const jettest::JsLesung& lesung, const std::vector<jettest::TabelleMitZeilen>& erwartet);
void erwarteVonMdbtools(const QString& pfad, const jettest::TabelleMitZeilen& erwartet);

// How a value of a column reads in the harness's JSON and in mdb-export,
// as comparable text ("s:" text, "n:" number, "b:" boolean, "null").
QString jsForm(const QJsonValue& v);
QString jsErwartet(const jettest::Spalte& spalte, const jettest::Wert& wert);
// nullopt: mdbtools cannot show the value as it is (see mdbDatum).
std::optional<std::optional<QString>> mdbErwartet(const jettest::Spalte& spalte, const jettest::Wert& wert);

}  // namespace jetpruefung
