#include "platform/Registry.h"
#include "TempHome.h"
#include "platform/AutoStart.h"
#include "platform/Errors.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(Registry, WritesReadsAndDeletesValues) {
    TempHome home;
    const QString key = "SOFTWARE\\Vorlix\\Ombrix\\";
    EXPECT_EQ(ReadRegistryText(key, "LastDir", RegistryRoot::CurrentUser), "");
    WriteRegistryText(key, "LastDir", "/home/u/Pictures/", RegistryRoot::CurrentUser);
    WriteRegistryText(key, "Mode", "3", RegistryRoot::CurrentUser);
    EXPECT_EQ(ReadMakerSetting("Ombrix", "", "LastDir"), "/home/u/Pictures/");
    EXPECT_EQ(ReadMakerSetting("Ombrix", "", "Mode"), "3");
    EXPECT_EQ(ReadRegistryText(key, "Mode", RegistryRoot::LocalMachine), "");
    WriteMakerSetting("Ombrix", "", "Mode", "");
    EXPECT_EQ(ReadMakerSetting("Ombrix", "", "Mode"), "");
    EXPECT_EQ(ReadMakerSetting("Ombrix", "", "LastDir"), "/home/u/Pictures/");
    EXPECT_TRUE(QFile::exists(home.configHome() +
                              "/Vorlix/Registry/HKEY_CURRENT_USER/SOFTWARE/Vorlix/Ombrix.reg"));
}

TEST(Registry, KeepsAwkwardNamesAndValuesIntact) {
    TempHome home;
    const QString name = "a=b\\c";
    const QString value = "line one\r\nline=two\\";
    WriteMakerSetting("Ombrix", "", name, value);
    WriteMakerSetting("Ombrix", "", "plain", "x");
    EXPECT_EQ(ReadMakerSetting("Ombrix", "", name), value);
    EXPECT_EQ(ReadMakerSetting("Ombrix", "", "plain"), "x");
}

TEST(Registry, KeyThatCannotBeCreatedRaisesTheSavingError) {
    TempHome home;
    QFile blocker(home.configHome() + "/Vorlix");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        WriteMakerSetting("Ombrix", "", "LastDir", "/x/");
        FAIL() << "no error raised";
    } catch (const EDayglassError& e) {
        EXPECT_EQ(e.text(), "Error encountered saving registry");
    }
    EXPECT_THROW(WriteRegistryText("..\\..", "x", "y", RegistryRoot::CurrentUser), EDayglassError);
}

TEST(AutoStart, WritesAQuotedCommandWithStartAndRemovesIt) {
    TempHome home;
    EXPECT_FALSE(IsAutoStart());
    SetAutoStart(true, "/opt/day glass/$bin/dayglass");
    EXPECT_TRUE(IsAutoStart());
    QFile file(home.configHome() + "/autostart/dayglass.desktop");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray entry = file.readAll();
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(entry.contains("\nExec=\"/opt/day glass/\\$bin/dayglass\" /start\n"));
    file.close();
    SetAutoStart(false, "/opt/dayglass");
    EXPECT_FALSE(IsAutoStart());
    EXPECT_FALSE(file.exists());
    SetAutoStart(false, "/opt/dayglass");
}
