// A program that dies of an access violation at once. The test run starts it to check that a crashing
// Windows test ends and fails, instead of waiting in the debugger until the test's timeout.
#include <cstdio>

int main() {
    std::puts("crashing on purpose");
    std::fflush(stdout);
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    return 0;
}
