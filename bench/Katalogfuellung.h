#pragma once
#include <QString>

namespace bench {

// A catalogue of n titles at the current schema, every tenth with a
// sub-entry, every twentieth lent; titles scrambled against the index order.
void katalogFuellen(const QString& path, int n);

}  // namespace bench
