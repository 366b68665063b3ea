#include "app/InstanceGuard.h"
#include "TestDoubles.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace tw;

TEST(InstanceGuard, SecondStartOnSameRunDirActivatesTheFirst) {
    test::TempRunDir run;
    InstanceGuard first(run.path());
    ASSERT_TRUE(first.claim());
    QSignalSpy shown(&first, &InstanceGuard::activationRequested);
    InstanceGuard second(run.path());
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(shown.wait(2000));
}

TEST(InstanceGuard, DifferentRunDirsRunSideBySide) {
    test::TempRunDir a, b;
    InstanceGuard first(a.path()), second(b.path());
    EXPECT_TRUE(first.claim());
    EXPECT_TRUE(second.claim());
    EXPECT_NE(first.name(), second.name());
}

TEST(InstanceGuard, ReleasedGuardLetsTheNextStartIn) {
    test::TempRunDir run;
    {
        InstanceGuard first(run.path());
        ASSERT_TRUE(first.claim());
    }
    InstanceGuard next(run.path());
    EXPECT_TRUE(next.claim());
}
