#pragma once
#include <QString>
#include <vector>

namespace bench {

// A catalogue of n titles at the current schema, every tenth with a
// sub-entry, every twentieth lent; titles scrambled against the index order.
void katalogFuellen(const QString& path, int n);

// The middle value of a run of measurements.
double median(std::vector<double> werte);

}  // namespace bench
