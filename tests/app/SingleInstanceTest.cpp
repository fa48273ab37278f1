#include "app/SingleInstance.h"
#include "TempHome.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(SingleInstance, OnlyTheFirstClaimsAndLaterOnesHandTheirArgumentsOver) {
    TempHome home;
    SingleInstance first("dayglass-test");
    ASSERT_TRUE(first.claim());
    QSignalSpy started(&first, &SingleInstance::InstanceStarted);

    SingleInstance second("dayglass-test");
    EXPECT_FALSE(second.claim());
    QStringList many;
    for (int i = 0; i < 12; ++i)
        many.append(QString(i == 0 ? 400 : 3, QChar('a' + i)));
    ASSERT_TRUE(second.handOver(many));
    ASSERT_TRUE(started.wait(5000));
    const QStringList received = started.takeFirst().at(0).toStringList();
    ASSERT_EQ(received.size(), 10);
    EXPECT_EQ(received[0], QString(300, 'a'));
    EXPECT_EQ(received[9], "jjj");

    ASSERT_TRUE(second.handOver({}));
    ASSERT_TRUE(started.wait(5000));
    EXPECT_TRUE(started.takeFirst().at(0).toStringList().isEmpty());

    SingleInstance other("another-program");
    EXPECT_TRUE(other.claim());
}

TEST(SingleInstance, HandOverWithoutARunningCopyGivesUpAndTheNextClaimWins) {
    TempHome home;
    {
        SingleInstance gone("dayglass-test");
        ASSERT_TRUE(gone.claim());
    }
    SingleInstance late("dayglass-test");
    EXPECT_FALSE(late.handOver({"/start"}, 300));
    EXPECT_TRUE(late.claim());
}
