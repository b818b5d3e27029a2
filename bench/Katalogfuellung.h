#pragma once
#include <QString>
#include <vector>

namespace bench {

// A catalogue of n titles at the current schema, every tenth with a
// sub-entry, every twentieth lent; titles scrambled against the index order.
// Ten formats (one title in ten is "VCD"), six qualities, sixty folders,
// seven categories, dates over 25 years; every 997th title has Null folder,
// category and date.
void katalogFuellen(const QString& path, int n);

// The middle value of a run of measurements.
double median(std::vector<double> werte);

}  // namespace bench
