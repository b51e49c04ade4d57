#pragma once
#include <chrono>

// How long each step of a print job may take before the printer is reported.
// Every wait on a printer has one of these limits; tests shorten them.
struct PrintLimits {
    using Duration = std::chrono::milliseconds;

    // Finding a printer's address by its name.
    Duration lookup{1500};
    // Reaching the printer, or the CUPS service, once its address is known.
    Duration connect{2000};
    // Asking a printer that answers whether it has paper: those that answer
    // do so at once, and one that stays silent is not asked again.
    Duration status{300};
    // A printer that takes no byte for this long, while sending or while it
    // empties what was sent, is stalled.
    Duration stall{2500};
    // However steadily a printer takes the bytes, sending one job is given
    // up after this.
    Duration job{30000};
};
