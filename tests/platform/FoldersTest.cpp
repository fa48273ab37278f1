#include "platform/Folders.h"
#include "TempHome.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(AddTrailingBackslash, TrimsControlAndBlankCharactersThenAddsOneSeparator) {
    struct Case {
        QString in;
        QString out;
    };
    const Case cases[] = {
        {"  /home/pictures  ", "/home/pictures/"},
        {"/home/pictures/", "/home/pictures/"},
        {"C:\\Pictures\\", "C:\\Pictures\\"},
        {"   ", ""},
        {"", ""},
        {QString("\t/x\x01"), "/x/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AddTrailingBackslash(c.in), c.out) << c.in.toStdString();
}

TEST(EnsureFolder, CreatesMissingParentsButNeverShortPaths) {
    TempHome home;
    const QString deep = home.path() + "/a/b/c/";
    EXPECT_TRUE(EnsureFolder(deep));
    EXPECT_TRUE(FolderExists(deep));
    EXPECT_TRUE(EnsureFolder(deep));
    EXPECT_FALSE(EnsureFolder("/zq"));
    EXPECT_FALSE(QDir("/zq").exists());
    QFile file(home.path() + "/plainfile");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(EnsureFolder(home.path() + "/plainfile"));
    EXPECT_FALSE(EnsureFolder(home.path() + "/plainfile/sub"));
}

TEST(GetDataFolder, LivesUnderXdgDataHomeAndIsCreated) {
    TempHome home;
    const QString folder = GetDataFolder("Dayglass", true);
    EXPECT_EQ(folder, home.dataFolder());
    EXPECT_TRUE(FolderExists(folder));
}

TEST(GetDataFolder, FallsBackToTheTemporaryFolderWhenItCannotBeCreated) {
    TempHome home;
    // A plain file where the folder should go makes creating it impossible.
    QFile blocker(home.dataHome() + "/Vorlix");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_EQ(GetDataFolder("Dayglass", true), GetTempFolder());
    EXPECT_EQ(GetDataFolder("Dayglass", false), home.dataFolder());
}

TEST(GetWindowsFolder, IsAPrivateFolderInTheUsersDataHome) {
    TempHome home;
    const QString folder = GetWindowsFolder();
    EXPECT_TRUE(folder.startsWith(home.dataHome() + "/"));
    EXPECT_TRUE(folder.endsWith("/"));
    EXPECT_TRUE(FolderExists(folder));
}
