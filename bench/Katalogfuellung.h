#pragma once
#include "platform/system/Services.h"

#include <QString>
#include <QTemporaryDir>
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

// What a catalogue benchmark starts from: the titles (first argument, default
// 100,000) and rounds (second argument), a catalogue "filme.mdb" of that many
// titles in a temporary program folder, and a services context over the folder
// whose message boxes go to stderr.
struct Katalogbank {
    Katalogbank(int argc, char** argv, int rundenVorgabe = 5);
    int n = 0;
    int runden = 0;
    QTemporaryDir folder;
    QString path;
    StilleMeldungen meldungen;
    sys::Services services;
};

// The middle value of a run of measurements.
double median(std::vector<double> werte);

}  // namespace bench
