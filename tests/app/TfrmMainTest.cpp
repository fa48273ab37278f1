#include "app/TfrmMain.h"
#include "FileSizeLimit.h"
#include "ScriptedPrompts.h"
#include "TempHome.h"
#include "TestFiles.h"
#include "app/DoubleClickLabel.h"
#include "platform/Registry.h"
#include "sites/SiteListModel.h"

#include "platform/LongTimer.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {



const QByteArray kSource = "Alpha                  {http://a.example/}N\r\n"
                           "Bikini Beach                  {http://b.example/}N\r\n"
                           "Gamma                  {http://c.example/pic.jpg}G\r\n";

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(writeRaw(exeFolder() + "Source.dat", kSource)); }

    QString exeFolder() const { return home.path() + "/bin/"; }
    QString exe() const { return exeFolder() + "dayglass"; }
    QString data(const QString& name) const { return home.dataFolder() + name; }

    TfrmMain& start(const QString& firstArgument = {}) {
        TfrmMainOptions options;
        options.prompts = &prompts;
        options.exeFileName = exe();
        options.firstArgument = firstArgument;
        window = std::make_unique<TfrmMain>(options);
        return *window;
    }
    void writeSettings(const QByteArray& lines) {
        writeRaw(data("Settings.dat"), "[Settings]\r\n" + lines);
    }

    TempHome home;
    ScriptedPrompts prompts;
    std::unique_ptr<TfrmMain> window;
};

} // namespace

TEST_F(MainWindowTest, LaysOutBothPagesAsDesigned) {
    TfrmMain& w = start();
    EXPECT_EQ(w.windowTitle(), "Dayglass");
    EXPECT_EQ(w.size(), QSize(484, 527));
    EXPECT_EQ(w.PageControl1->count(), 2);
    EXPECT_EQ(w.PageControl1->tabText(0), " Image Site List ");
    EXPECT_EQ(w.PageControl1->tabText(1), "  Settings  ");
    EXPECT_EQ(w.PageControl1->currentIndex(), 0);
    EXPECT_EQ(w.btnChangeNow->text(), "Change Now!");
    EXPECT_EQ(w.btnChangeNow->toolTip(), "Download from the next site in your schedule");
    EXPECT_EQ(w.btnOK->toolTip(), "Save changes and send DGLS to the System Tray (your wallpaper "
                                  "will begin automatic changing)");
    EXPECT_EQ(w.cmbCheckTime->count(), 3);
    EXPECT_EQ(w.cmbCheckTime->itemText(2), "days");
    EXPECT_EQ(w.spnCheckMinutes->maximum(), 2400);
    EXPECT_EQ(w.spnKeepImage->maximum(), 1000000);
    EXPECT_FALSE(w.btnOmbrixSettings->isEnabled());
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_FALSE(w.LowColourIcons());
    EXPECT_FALSE(w.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(MainWindowTest, FirstStartBuildsTheSiteListFromTheDefaultsAndShowsTheDefaults) {
    TfrmMain& w = start();
    EXPECT_TRUE(prompts.shown().isEmpty()) << prompts.texts().join("|").toStdString();
    ASSERT_EQ(w.sites().count(), 3);
    EXPECT_TRUE(w.sites().SiteSelected(0));
    EXPECT_FALSE(w.sites().SiteSelected(1));
    EXPECT_TRUE(w.sites().SiteSelected(2));
    EXPECT_EQ(contents(data("Sites.dat")),
              "Alpha                  {http://a.example/}N\r\n"
              "*Bikini Beach                  {http://b.example/}N\r\n"
              "Gamma                  {http://c.example/pic.jpg}G\r\n");
    EXPECT_TRUE(w.chkAutoStart->isChecked());
    EXPECT_FALSE(QFile::exists(data("Settings.dat")));
    EXPECT_FALSE(w.chkCustomBG->isChecked());
    EXPECT_EQ(w.BackgroundColor2(), 0x404040u);
    EXPECT_EQ(w.MinXSize(), 130);
    EXPECT_EQ(w.MinFileSize(), 12288);
    EXPECT_EQ(w.spnCheckMinutes->value(), 8);
    EXPECT_EQ(w.cmbCheckTime->currentIndex(), 1);
    EXPECT_FALSE(w.DownloadFromAll());
    EXPECT_TRUE(w.OnlyFirstFile());
    EXPECT_TRUE(w.TrayIconShown());
    EXPECT_TRUE(w.chkOnlyRecent->isChecked());
    EXPECT_TRUE(w.spnKeepImage->isEnabled());
    EXPECT_EQ(w.spnKeepImage->value(), 50);
    EXPECT_TRUE(w.ActiveNetConnection());
    EXPECT_EQ(w.edtFolder->text(), home.dataFolder() + "Images/");
    EXPECT_TRUE(w.rdbCenterWP->isChecked());
    EXPECT_FALSE(w.rdbRandomWP->isEnabled());
    EXPECT_EQ(w.CurrentSite(), -1);
    EXPECT_TRUE(w.downloadList().isEmpty());
}

TEST_F(MainWindowTest, SavingTheDefaultsWritesEveryKeyInOrder) {
    start().SaveSettings();
    EXPECT_TRUE(prompts.shown().isEmpty()) << prompts.texts().join("|").toStdString();
    const QByteArray expected = defaultSettingsText(home.dataFolder() + "Images/");
    EXPECT_EQ(contents(data("Settings.dat")), expected);
    EXPECT_EQ(contents(data("Files.dat")), "");
    EXPECT_EQ(ReadMakerSetting("Ombrix", "", "DGLSOutputPath"), home.dataFolder() + "Images/");
    EXPECT_EQ(ReadMakerSetting("Ombrix", "", "DGLSEXEPath"), exe());
    EXPECT_EQ(ReadMakerSetting("Ombrix", "", "LastDir"), "");
    EXPECT_TRUE(contents(home.configHome() + "/autostart/dayglass.desktop")
                    .contains("Exec=\"" + exe().toUtf8() + "\" /start\n"));

    // A second start reads everything back, and saving again changes nothing.
    window.reset();
    start().SaveSettings();
    EXPECT_EQ(contents(data("Settings.dat")), expected);
    EXPECT_EQ(window->sites().count(), 3);
}

TEST_F(MainWindowTest, ChangedValuesSurviveARoundTrip) {
    TfrmMain& w = start();
    w.spnCheckMinutes->setValue(15);
    w.cmbCheckTime->setCurrentIndex(0);
    w.rdbstretchWP->setChecked(true);
    w.chkOnlyRecent->setChecked(false);
    w.chkAutoStart->setChecked(false);
    w.sites().setTicked(0, false);
    w.setCurrentSite(2);
    w.downloadList() = QStringList{"/p/a.jpg", "/p/b.jpg"};
    w.SaveSettings();
    EXPECT_FALSE(QFile::exists(home.configHome() + "/autostart/dayglass.desktop"));
    window.reset();
    TfrmMain& again = start();
    EXPECT_EQ(again.spnCheckMinutes->value(), 15);
    EXPECT_EQ(again.cmbCheckTime->currentIndex(), 0);
    EXPECT_TRUE(again.rdbstretchWP->isChecked());
    EXPECT_FALSE(again.chkOnlyRecent->isChecked());
    EXPECT_FALSE(again.spnKeepImage->isEnabled());
    EXPECT_FALSE(again.chkAutoStart->isChecked());
    EXPECT_FALSE(again.sites().SiteSelected(0));
    EXPECT_EQ(again.CurrentSite(), 2);
    EXPECT_EQ(again.downloadList(), QStringList({"/p/a.jpg", "/p/b.jpg"}));
}

TEST_F(MainWindowTest, StoredValuesAreReadTheForgivingWay) {
    writeSettings("CheckTime=5000\r\nKeepImage=0\r\nCheckMethod=7\r\n"
                  "DownloadFromAll=1\r\nOnlyRecent=1\r\nNoWallpaperChanging=yes\r\n"
                  "OnlyFirstFile=-1\r\nBackgroundColor2=clred\r\nBackgroundColor1=bogus\r\n"
                  "BackgroundStyle=$2\r\nMinXSize=abc\r\nSaveFolder=\r\n"
                  "StretchWP=True\r\nTileWP=True\r\nCenterWP=False\r\nCurrentSite=7\r\n");
    TfrmMain& w = start();
    EXPECT_EQ(w.spnCheckMinutes->value(), 2400);
    EXPECT_EQ(w.spnKeepImage->value(), 1);
    EXPECT_EQ(w.cmbCheckTime->currentIndex(), -1);
    EXPECT_FALSE(w.DownloadFromAll());
    EXPECT_TRUE(w.chkOnlyRecent->isChecked());
    EXPECT_TRUE(w.NoWallpaperChanging());
    EXPECT_TRUE(w.OnlyFirstFile());
    EXPECT_EQ(w.BackgroundColor2(), 0x0000FFu);
    EXPECT_EQ(w.BackgroundColor1(), 0u);
    EXPECT_EQ(w.BackgroundStyle(), 2);
    EXPECT_TRUE(w.chkCustomBG->isChecked());
    EXPECT_EQ(w.MinXSize(), 130);
    EXPECT_EQ(w.edtFolder->text(), home.dataFolder() + "Images/");
    EXPECT_TRUE(w.rdbTileWP->isChecked());
    EXPECT_FALSE(w.rdbstretchWP->isChecked());
    EXPECT_FALSE(w.chkCustomBG->isEnabled());
    EXPECT_FALSE(w.btnSetBG->isEnabled());
    EXPECT_EQ(w.CurrentSite(), 7);
    w.SaveSettings();
    const QByteArray saved = contents(data("Settings.dat"));
    EXPECT_TRUE(saved.contains("\r\nCheckMethod=-1\r\n"));
    EXPECT_TRUE(saved.contains("\r\nCheckTime=2400\r\n"));
    EXPECT_TRUE(saved.contains("\r\nBackgroundColor2=clRed\r\n"));
    EXPECT_TRUE(saved.contains("\r\nBackgroundStyle=2\r\n"));
}

TEST_F(MainWindowTest, UntickedCustomBackgroundSavesStyleZero) {
    writeSettings("BackgroundStyle=1\r\n");
    TfrmMain& w = start();
    EXPECT_TRUE(w.chkCustomBG->isChecked());
    EXPECT_TRUE(w.rdbRandomWP->isEnabled());
    w.chkCustomBG->setChecked(false);
    EXPECT_FALSE(w.rdbRandomWP->isEnabled());
    w.SaveSettings();
    EXPECT_TRUE(contents(data("Settings.dat")).contains("BackgroundStyle=0\r\n"));
}

TEST_F(MainWindowTest, ScreenSaverBoxFollowsItsRegistryValues) {
    const QString saver = home.path() + "/ombrix.scr";
    writeRaw(saver, "binary");
    WriteMakerSetting("Ombrix", "", "Screensaver_Location", saver);
    struct Case {
        QString lastDir;
        QString mode;
        bool ticked;
    };
    const QString folder = home.path() + "/Pics/";
    writeSettings("SaveFolder=" + folder.toUtf8() + "\r\n");
    const Case cases[] = {
        {folder.toUpper().chopped(1), "3", true},
        {folder, "03", false},
        {home.path() + "/Other/", "3", false},
    };
    for (const Case& c : cases) {
        WriteMakerSetting("Ombrix", "", "LastDir", c.lastDir);
        WriteMakerSetting("Ombrix", "", "Mode", c.mode);
        TfrmMain& w = start();
        EXPECT_EQ(w.chkDisplayinOmbrix->isChecked(), c.ticked) << c.lastDir.toStdString();
        EXPECT_EQ(w.chkDisplayinOmbrix->isEnabled(), !c.ticked);
        EXPECT_EQ(w.btnOmbrixSettings->isEnabled(), c.ticked);
    }
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_F(MainWindowTest, TickingTheScreenSaverBoxWithoutOneOffersTheDownloadAndUnticks) {
    TfrmMain& w = start();
    prompts.answerNext(PromptAnswer::No);
    w.chkDisplayinOmbrix->setChecked(true);
    ASSERT_EQ(prompts.shown().size(), 1);
    EXPECT_EQ(prompts.shown()[0].kind, PromptKind::Confirmation);
    EXPECT_EQ(prompts.shown()[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompts.shown()[0].text, "The Ombrix Screen Saver could not be found.  Would you "
                                       "like to download it now?");
    EXPECT_FALSE(w.chkDisplayinOmbrix->isChecked());
    EXPECT_FALSE(w.btnOmbrixSettings->isEnabled());
}

TEST_F(MainWindowTest, OkWithNoSiteTickedAsksFirst) {
    writeRaw(data("Sites.dat"), "*A{u}N\r\n");
    TfrmMain& w = start();
    w.show();
    prompts.answerNext(PromptAnswer::No);
    QTest::mouseClick(w.btnOK, Qt::LeftButton);
    ASSERT_EQ(prompts.shown().size(), 1);
    EXPECT_EQ(prompts.shown()[0].kind, PromptKind::Information);
    EXPECT_EQ(prompts.shown()[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompts.shown()[0].text,
              "You have not selected any sites.  Are you sure you want to continue");
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(QFile::exists(data("Settings.dat")));

    prompts.answerNext(PromptAnswer::Yes);
    QTest::mouseClick(w.btnOK, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(QFile::exists(data("Settings.dat")));
}

TEST_F(MainWindowTest, OkWithATickedSiteSavesWithoutAsking) {
    TfrmMain& w = start();
    w.show();
    QTest::mouseClick(w.btnOK, Qt::LeftButton);
    EXPECT_TRUE(prompts.shown().isEmpty());
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(QFile::exists(data("Settings.dat")));
}

TEST_F(MainWindowTest, CancelRestoresWhatIsOnDisk) {
    TfrmMain& w = start();
    w.show();
    w.SaveSettings();
    QFile::remove(data("Settings.dat"));
    w.downloadList().append("/p/new.jpg");
    w.sites().setTicked(0, false);
    w.sites().appendRow("Extra{x}N", true);
    w.spnCheckMinutes->setValue(99);
    QTest::mouseClick(w.btnCancel, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.sites().count(), 3);
    EXPECT_TRUE(w.sites().SiteSelected(0));
    EXPECT_EQ(w.spnCheckMinutes->value(), 8);
    EXPECT_TRUE(w.downloadList().isEmpty());
    EXPECT_FALSE(QFile::exists(data("Settings.dat")));
}

TEST_F(MainWindowTest, DoubleClicksSaveAndChooseTheCurrentSite) {
    TfrmMain& w = start();
    w.show();
    QTest::mouseDClick(w.Label1, Qt::LeftButton);
    EXPECT_TRUE(QFile::exists(data("Settings.dat")));

    w.Label6DblClick();
    ASSERT_EQ(prompts.texts(), QStringList({"You have not selected a site."}));
    EXPECT_EQ(prompts.shown()[0].kind, PromptKind::Information);
    EXPECT_EQ(w.CurrentSite(), -1);
    w.fbxSites->selectionModel()->select(w.sites().index(2), QItemSelectionModel::Select);
    QTest::mouseDClick(w.Label6, Qt::LeftButton);
    EXPECT_EQ(w.CurrentSite(), 2);
    EXPECT_TRUE(w.sites().data(w.sites().index(2), Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(w.sites().data(w.sites().index(0), Qt::FontRole).value<QFont>().bold());
}

TEST_F(MainWindowTest, ShowingTheWindowAbortsDownloadsAndStopsTheTimer) {
    TfrmMain& w = start("/START");
    w.Timer1->setInterval(100000);
    w.Timer1->start();
    w.OneInstance1InstanceStarted({"/start"});
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.AbortRequested());
    w.OneInstance1InstanceStarted({});
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.AbortRequested());
    EXPECT_FALSE(w.Timer1->isActive());
}

TEST_F(MainWindowTest, ClosingSavesOnce) {
    TfrmMain& w = start();
    w.show();
    w.close();
    EXPECT_TRUE(QFile::exists(data("Settings.dat")));
    QFile::remove(data("Settings.dat"));
    w.close();
    EXPECT_FALSE(QFile::exists(data("Settings.dat")));
}

TEST_F(MainWindowTest, UnreadableSiteListIsReportedAndStopsTheLoadThere) {
    QDir().mkpath(data("Sites.dat"));
    writeSettings("CurrentSite=2\r\nCheckTime=3\r\n");
    writeRaw(data("Files.dat"), "/p/a.jpg\r\n");
    TfrmMain& w = start();
    ASSERT_EQ(prompts.texts(), QStringList({"An error was encountered loading your settings"}));
    EXPECT_EQ(prompts.shown()[0].kind, PromptKind::Error);
    EXPECT_EQ(w.sites().count(), 0);
    EXPECT_EQ(w.spnCheckMinutes->value(), 3);
    EXPECT_EQ(w.CurrentSite(), 0);
    EXPECT_TRUE(w.downloadList().isEmpty());
}

TEST_F(MainWindowTest, MissingDefaultListIsReportedAndRetriedNextTime) {
    QFile::remove(exeFolder() + "Source.dat");
    TfrmMain& w = start();
    EXPECT_EQ(prompts.texts(), QStringList({"An error was encountered loading your settings"}));
    EXPECT_EQ(w.sites().count(), 0);
    EXPECT_FALSE(QFile::exists(data("Sites.dat")));
}

TEST_F(MainWindowTest, FailedSaveShowsBothMessagesAndKeepsWhatWasWritten) {
    TfrmMain& w = start();
    QFile::remove(data("Sites.dat"));
    QDir().mkpath(data("Sites.dat"));
    w.SaveSettings();
    ASSERT_EQ(prompts.texts(),
              QStringList({"Er", "An error was encountered saving your settings"}));
    EXPECT_EQ(prompts.shown()[0].kind, PromptKind::Plain);
    EXPECT_EQ(prompts.shown()[1].kind, PromptKind::Error);
    EXPECT_EQ(prompts.shown()[1].buttons, PromptButtons::Ok);
    const QByteArray saved = contents(data("Settings.dat"));
    EXPECT_TRUE(saved.contains("RandomWP=False\r\n"));
    EXPECT_FALSE(saved.contains("CurrentSite="));
    EXPECT_FALSE(QFile::exists(data("Files.dat")));
}

TEST_F(MainWindowTest, RefusedRegistryKeyIsReportedWithItsOwnText) {
    TfrmMain& w = start();
    writeRaw(home.configHome() + "/Vorlix", "blocks the registry store");
    w.SaveSettings();
    EXPECT_EQ(prompts.texts(), QStringList({"Error encountered saving registry",
                                            "An error was encountered saving your settings"}));
    EXPECT_FALSE(contents(data("Settings.dat")).contains("MinXSize"));
}

TEST_F(MainWindowTest, WriteCutShortByAFullDiskLeavesThePreviousSettingsWhole) {
    TfrmMain& w = start();
    w.SaveSettings();
    const QByteArray before = contents(data("Settings.dat"));
    w.spnCheckMinutes->setValue(42);
    {
        FileSizeLimit limit(before.size() - 1);
        w.SaveSettings();
    }
    EXPECT_EQ(prompts.texts().value(1), "An error was encountered saving your settings");
    EXPECT_EQ(contents(data("Settings.dat")), before);
    EXPECT_TRUE(QDir(home.dataFolder()).entryList({"Settings.dat.*"}, QDir::Files).isEmpty());
}
