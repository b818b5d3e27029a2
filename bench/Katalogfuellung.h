#pragma once
#include "platform/system/Services.h"

#include <QString>
#include <cstdio>
#include <vector>

namespace bench {

// Message boxes of a benchmark: written to stderr, answered with OK, the last one kept.
class StilleMeldungen : public sys::MessageService {
public:
    int msgBox(const QString& text, int, const QString&) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        letzte = text;
        return sys::mb::Ok;
    }
    QString letzte;
};

// A catalogue of n titles at the current schema, every tenth with a
// sub-entry, every twentieth lent; titles scrambled against the index order.
void katalogFuellen(const QString& path, int n);

// The middle value of a run of measurements.
double median(std::vector<double> werte);

}  // namespace bench
