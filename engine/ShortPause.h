#pragma once
#include <chrono>

// Lets the calling thread wait about `span` (a millisecond or less) without
// holding a core, as the lights' sender does between two messages of a
// burst. It may return a little early; the caller checks its own clock.
void PauseBriefly(std::chrono::microseconds span);
