#include "killedwriter.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <string>

void killWriterRepeatedly(const std::function<void()>& write, const std::function<void()>& check, int rounds,
                          int maxPauseMicroseconds)
{
    const unsigned seed = std::random_device {}();
    SCOPED_TRACE("random seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> pause(0, maxPauseMicroseconds);

    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const pid_t writer = fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            for (;;)
                write();
        }
        usleep(static_cast<useconds_t>(pause(random)));
        ASSERT_EQ(kill(writer, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(writer, &status, 0), writer);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the writer ended by itself";
        check();
        if (::testing::Test::HasFatalFailure() || ::testing::Test::HasNonfatalFailure())
            return;
    }
}
