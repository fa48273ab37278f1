#include "platform/LongTimer.h"

#include <QElapsedTimer>
#include <QList>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Records when each timeout came, in ms since the timer was started.
class LongTimerTest : public ::testing::Test {
protected:
    void watch(LongTimer& timer) {
        QObject::connect(&timer, &LongTimer::timeout, [this] { fired << clock.elapsed(); });
    }
    void startClock() { clock.start(); }

    QElapsedTimer clock;
    QList<qint64> fired;
};

TEST_F(LongTimerTest, HoldsTheLongestIntervalTheControlsAllow) {
    constexpr qint64 days2400 = 207360000000LL;
    LongTimer timer;
    watch(timer);
    timer.setInterval(days2400);
    timer.start();
    EXPECT_EQ(timer.interval(), days2400);
    EXPECT_TRUE(timer.isActive());
    EXPECT_GT(timer.remainingTime(), days2400 - 5000);
    EXPECT_LE(timer.remainingTime(), days2400);
    // A QTimer given this much overflows and fires at once.
    QTest::qWait(50);
    EXPECT_TRUE(fired.isEmpty());
    EXPECT_TRUE(timer.isActive());
}

TEST_F(LongTimerTest, AShortIntervalFiresAndRepeats) {
    LongTimer timer;
    watch(timer);
    timer.setInterval(20);
    startClock();
    timer.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return fired.size() >= 3; }, 5000));
    EXPECT_GE(fired.first(), 19);
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), 20);
}

TEST_F(LongTimerTest, ALongIntervalWaitsThroughSeveralPieces) {
    LongTimer timer(nullptr, 20);
    watch(timer);
    timer.setInterval(90);
    startClock();
    timer.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return fired.size() >= 2; }, 5000));
    EXPECT_GE(fired[0], 89) << "a piece must not pass for the whole interval";
    EXPECT_GE(fired[1] - fired[0], 89) << "each repeat waits a whole interval again";
}

TEST_F(LongTimerTest, StopStops) {
    LongTimer timer(nullptr, 20);
    watch(timer);
    timer.setInterval(300);
    timer.start();
    QTest::qWait(30);
    timer.stop();
    EXPECT_FALSE(timer.isActive());
    EXPECT_EQ(timer.remainingTime(), -1);
    EXPECT_EQ(timer.interval(), 300) << "stopping keeps the interval";
    QTest::qWait(400);
    EXPECT_TRUE(fired.isEmpty());
}

TEST_F(LongTimerTest, StartRestartsAFullInterval) {
    LongTimer timer(nullptr, 20);
    watch(timer);
    timer.setInterval(300);
    startClock();
    timer.start();
    QTest::qWait(100);
    const qint64 restartedAt = clock.elapsed();
    timer.start();
    EXPECT_GT(timer.remainingTime(), 290);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fired.isEmpty(); }, 5000));
    EXPECT_GE(fired.first() - restartedAt, 299);

    // And after a stop, a start runs again.
    timer.stop();
    fired.clear();
    timer.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !fired.isEmpty(); }, 5000));
}

} // namespace
