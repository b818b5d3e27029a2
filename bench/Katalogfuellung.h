#pragma once
#include "platform/system/Services.h"

#include <QString>
#include <vector>

namespace bench {

// A catalogue of n titles at the current schema, every tenth with a
// sub-entry, every twentieth lent; titles scrambled against the index order.
// Ten formats (one title in ten is "VCD"), six qualities, sixty folders,
// seven categories, dates over 25 years; every 997th title has Null folder,
// category and date.
void katalogFuellen(const QString& path, int n);

// A "Cd.ini" in the folder that starts the main window on "filme" without any
// message: the plain look, "KF" and the borrower as sixth cell.
bool cdIniSchreiben(const QString& ordner);

// Message boxes go to stderr and answer OK; the clock is the machine's.
class StilleMeldungen : public sys::MessageService {
public:
    int msgBox(const QString& text, int flags, const QString& title) override;
};

class Uhr : public sys::Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// The services a benchmark's main window needs, over the program folder.
struct Dienste {
    explicit Dienste(const QString& ordner)
    {
        services.programFolder = ordner;
        services.messages = &meldungen;
        services.clock = &uhr;
    }
    StilleMeldungen meldungen;
    Uhr uhr;
    sys::Services services;
};

// The middle value of a run of measurements.
double median(std::vector<double> werte);

}  // namespace bench
