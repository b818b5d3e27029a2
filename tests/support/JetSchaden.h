#pragma once
// Catalogues of the Windows program damaged on purpose, as a damaged disk or a
// flipped byte leaves them: each a small catalogue written by the Jet writer,
// then changed where libmdb would follow it (a page number, a page map, a
// table definition, a row offset, a long value) or cut at a page boundary.
// The reader's, the conversion's and the child program's tests refuse each
// with its reason; the fuzz target's seeds hold the two that crashed libmdb.
#include "tests/support/JetKatalog.h"

#include <functional>
#include <vector>

namespace jettest {

// The undamaged catalogue they start from (version 1.4.1): titles with memos in
// their row, on one long value row and on a chain of pages, sub-entries,
// lendings; texts with characters outside the Basic Multilingual Plane.
KatalogInhalt schadensKatalog();

struct Schaden {
    const char* name;
    // Writes the damaged file.
    std::function<void(const QString& pfad)> anlegen;
    // What the reason names (a part of the message).
    const char* grund;
};

const std::vector<Schaden>& schaeden();

}  // namespace jettest
