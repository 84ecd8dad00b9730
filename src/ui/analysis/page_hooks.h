#pragma once
// What a result page asks of the main window around a long command.

#include <functional>

struct JobHooks {
    std::function<void()> onJobStart; // records JobStart
    std::function<void()> onJobEnd;   // CalculateTime
    void start() const { if (onJobStart) onJobStart(); }
    void end() const { if (onJobEnd) onJobEnd(); }
};
