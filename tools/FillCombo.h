#pragma once
// Fills a combo box from the first column of a query.
// To be folded into the catalogue's shared FillCombo once both programs link it.
#include "platform/db/Database.h"
#include "platform/vb/VbControls.h"

#include <QString>
#include <QVariantList>

namespace tools {

// Clears the box (list and text) and adds the first column of every row as
// text, in query order; Null adds nothing. A query that fails (an old catalogue
// without the column) leaves the box empty. Never selects an entry.
void FillCombo(vb::ComboBox& box, db::Database& datenbank, const QString& sql, const QVariantList& werte = {});

}  // namespace tools
