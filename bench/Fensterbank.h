#pragma once
// The main window of a catalogue benchmark, set up as the program opens it.
#include "bench/Katalogfuellung.h"

#include <memory>

class frmFilme;

namespace bench {

// How far the main window is brought before the measuring starts.
enum class Stand {
    geladen,   // loaded
    gezeigt,   // loaded, shown, its events handled
    gelistet,  // shown with the whole title list
};

// The main window on the bank's catalogue: "Cd.ini" written, the form loaded and
// brought to `stand`; null when the ini or the load fails.
std::unique_ptr<frmFilme> hauptfenster(Katalogbank& bank, Stand stand);

}  // namespace bench
