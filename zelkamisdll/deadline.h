#pragma once

#include <chrono>

// A moment on the monotonic clock by which a wait must end.
class Deadline
{
public:
    static Deadline afterSeconds(int seconds)
    {
        return Deadline(std::chrono::steady_clock::now() + std::chrono::seconds(seconds));
    }

    // Milliseconds left, rounded up, 0 once passed.
    int remainingMilliseconds() const
    {
        const auto left = end_ - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero())
            return 0;
        return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
    }

private:
    explicit Deadline(std::chrono::steady_clock::time_point end)
        : end_(end)
    {
    }
    std::chrono::steady_clock::time_point end_;
};
