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

class Uhr : public sys::Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// A catalogue of n titles at the current schema, every tenth with a
// sub-entry, every twentieth lent; titles scrambled against the index order.
// Ten formats (one title in ten is "VCD"; "DVD", "dvd" and "DVD-9"), twenty
// qualities, a thousand folders, thirty-five categories, sizes as texts ("0",
// "4,7", "800", ...), four language codes, dates over 25 years; every 997th
// title has Null folder, category and date.
void katalogFuellen(const QString& path, int n);

// A "Cd.ini" in the folder that starts the main window on "filme" without any
// message: the plain look, "KF" and the borrower as sixth cell.
bool cdIniSchreiben(const QString& ordner);

// What a catalogue benchmark starts from: the titles (first argument, default
// 100,000) and rounds (second argument), a catalogue "filme.mdb" of that many
// titles in a temporary program folder, and a services context over the folder
// whose message boxes go to stderr and whose clock is the machine's.
struct Katalogbank {
    Katalogbank(int argc, char** argv, int rundenVorgabe = 5);
    int n = 0;
    int runden = 0;
    QTemporaryDir folder;
    QString path;
    StilleMeldungen meldungen;
    Uhr uhr;
    sys::Services services;
};

// The file names of a scanned disc: "Datei<runde>_<00000>.avi", each followed by `anhang`.
QStringList dateinamen(int runde, int n, const QString& anhang = {});

// Windows drawn offscreen unless the caller named a platform: before the QApplication.
void offscreen();

// The middle value of a run of measurements.
double median(std::vector<double> werte);

}  // namespace bench
