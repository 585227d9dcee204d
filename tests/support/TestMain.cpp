// The entry point of every suite. It ends the process as soon as the results are printed: a
// thread that a test left running may hold a lock that exit-time clean-up would then wait for
// forever, and the results are already complete.
#include <windows.h>
#include <gtest/gtest.h>
#include <cstdio>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    fflush(stdout);
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(result));
    return result;
}
