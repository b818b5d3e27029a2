#pragma once
// Filling a combo box from a query, shared by the windows of both programs.
#include "platform/db/Database.h"
#include "platform/db/RowReader.h"
#include "platform/vb/VbControls.h"

#include <QString>
#include <QVariantList>

// The text a cell of the reader's row shows: "" for Null (and for a column
// of -1), a number as CStr writes it ("2", "2,5").
QString zellenText(const db::RowReader& zeile, int spalte);

// Empties the box (entries and text) and adds the first column of every row,
// in the query's order; a Null adds nothing. A query that fails leaves the
// box with the rows read before the failure.
void FillCombo(vb::ComboBox& box, db::Database& datenbank, const QString& sql, const QVariantList& werte = {});
