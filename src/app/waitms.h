#pragma once

// Pauses the caller for at least ms milliseconds while the program stays
// fully live: a local event loop runs timers, serial input, painting and
// clicks on other buttons until a single-shot timer ends it.
void waitMs(int ms);
