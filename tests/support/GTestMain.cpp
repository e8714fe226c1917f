// The main of every test program. GoogleTest passes a run in which a test was skipped or disabled, or in which
// no test ran at all; a test that did not run proves nothing, so here each of these fails the run.

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    if (GTEST_FLAG_GET(list_tests))
        return result;
    const testing::UnitTest& unit = *testing::UnitTest::GetInstance();
    if (unit.test_to_run_count() == 0) {
        std::fprintf(stderr, "[  FAILED  ] no test ran\n");
        return 1;
    }
    if (unit.skipped_test_count() > 0) {
        std::fprintf(stderr, "[  FAILED  ] %d skipped: a skipped test fails the run\n", unit.skipped_test_count());
        return 1;
    }
    if (unit.disabled_test_count() > 0) {
        std::fprintf(stderr, "[  FAILED  ] %d disabled: a disabled test fails the run\n", unit.disabled_test_count());
        return 1;
    }
    return result;
}
