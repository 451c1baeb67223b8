#pragma once

#include <functional>

// Runs `write` over and over in a forked child, kills the child with SIGKILL
// after a random pause of up to maxPauseMicroseconds and reaps it, `rounds`
// times; after each kill `check` runs in the parent and looks at what the
// writer left. The random seed is reported through a GoogleTest trace.
void killWriterRepeatedly(const std::function<void()>& write, const std::function<void()>& check, int rounds,
                          int maxPauseMicroseconds);
