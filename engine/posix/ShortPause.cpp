#include "ShortPause.h"

#include <thread>

// The system's sleep keeps spans this short closely enough.
void PauseBriefly(std::chrono::microseconds span) {
    std::this_thread::sleep_for(span);
}
