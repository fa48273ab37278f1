#include "platform/IniFile.h"
#include "FileSizeLimit.h"
#include "TempHome.h"
#include "TestFiles.h"
#include "platform/Errors.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {



} // namespace

TEST(IniFile, WritesEachValueAtOnceInFirstWrittenOrder) {
    TempHome home;
    const QString path = home.path() + "/Settings.dat";
    IniFile ini(path);
    ini.WriteString("Settings", "B", "1");
    EXPECT_EQ(contents(path), "[Settings]\r\nB=1\r\n");
    ini.WriteString("Settings", "A", "two");
    ini.WriteString("Settings", "b", "3");
    EXPECT_EQ(contents(path), "[Settings]\r\nb=3\r\nA=two\r\n");
    EXPECT_EQ(IniFile(path).ReadString("settings", "B", "?"), "3");
}

TEST(IniFile, ReadsForeignFilesAndKeepsWhatItDoesNotKnow) {
    TempHome home;
    const QString path = home.path() + "/Settings.dat";
    writeRaw(path, "; comment\n[Other]\nX=1\n\n[Settings]\r\n Key = spaced value \rEmpty=\n");
    IniFile ini(path);
    EXPECT_EQ(ini.ReadString("Settings", "Key", "?"), "spaced value");
    EXPECT_EQ(ini.ReadString("Settings", "Empty", "?"), "");
    EXPECT_EQ(ini.ReadString("Settings", "Missing", "?"), "?");
    EXPECT_EQ(ini.ReadString("Other", "Key", "?"), "?");
    ini.WriteString("Other", "Y", "2");
    EXPECT_EQ(contents(path), "; comment\r\n[Other]\r\nX=1\r\nY=2\r\n\r\n[Settings]\r\n Key = "
                              "spaced value \r\nEmpty=\r\n");
}

TEST(IniFile, FailedWriteRaisesAndLeavesTheFileAsItWas) {
    TempHome home;
    const QString path = home.path() + "/Settings.dat";
    IniFile ini(path);
    ini.WriteString("Settings", "A", "1");
    {
        FileSizeLimit limit(64);
        EXPECT_THROW(ini.WriteString("Settings", "B", QString(200, 'x')), EDayglassError);
    }
    EXPECT_EQ(contents(path), "[Settings]\r\nA=1\r\n");
    ini.WriteString("Settings", "C", "3");
    EXPECT_EQ(contents(path), "[Settings]\r\nA=1\r\nC=3\r\n");
}
