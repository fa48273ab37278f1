#include "wallpaper/WallpaperBackends.h"
#include "wallpaper/DesktopWallpaper.h"

#include "ScopedVariable.h"
#include "TempHome.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <gtest/gtest.h>
#include <optional>

namespace {

using B = WallpaperBackend;

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The text of a GVariant string as `gsettings get` prints it.
QString GVariantText(QString printed) {
    printed = printed.trimmed();
    if (printed.size() < 2)
        return printed;
    printed = printed.mid(1, printed.size() - 2);
    QString out;
    for (int i = 0; i < printed.size(); ++i) {
        if (printed[i] == '\\' && i + 1 < printed.size())
            ++i;
        out += printed[i];
    }
    return out;
}

// A real gsettings over a keyfile in a temporary home.
class GSettingsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("gsettings").isEmpty())
            GTEST_SKIP() << "gsettings is not installed";
    }

    QString get(const QString& schema, const QString& key) {
        QProcess process;
        process.start("gsettings", {"get", schema, key});
        EXPECT_TRUE(process.waitForFinished(10000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }

    // Compiles a schema with only the wallpaper keys of a desktop that is not installed here.
    void addSchema(const QString& id, const QString& keys) {
        const QString dir = home.path() + "/schemas";
        QDir().mkpath(dir);
        const QString xml = QString("<schemalist>"
                                    "<enum id='dayglass.test.style'>"
                                    "<value nick='none' value='0'/><value nick='wallpaper' "
                                    "value='1'/><value nick='centered' value='2'/>"
                                    "<value nick='scaled' value='3'/></enum>"
                                    "<schema id='%1' path='/%2/'>%3</schema></schemalist>")
                                .arg(id, QString(id).replace('.', '/'), keys);
        ASSERT_TRUE(WriteFile(dir + "/" + id + ".gschema.xml", xml.toUtf8()));
        ASSERT_EQ(QProcess::execute("glib-compile-schemas", {dir}), 0);
        schemaDir.emplace("GSETTINGS_SCHEMA_DIR", dir);
    }

    TempHome home;
    ScopedVariable backend{"GSETTINGS_BACKEND", "keyfile"};
    std::optional<ScopedVariable> schemaDir;
};

TEST_F(GSettingsFixture, GnomeTakesThePictureForLightAndDarkStyleAndTheChosenOption) {
    // A name gsettings and URIs both have to quote.
    const QString file = home.path() + "/it's a \\ wall paper.bmp";
    for (const bool tile : {true, false}) {
        ApplyWallpaperBackend(B::Gnome, file, tile);
        const QString schema = "org.gnome.desktop.background";
        EXPECT_EQ(get(schema, "picture-options"), tile ? "'wallpaper'" : "'centered'");
        for (const char* key : {"picture-uri", "picture-uri-dark"}) {
            const QUrl uri(GVariantText(get(schema, key)));
            EXPECT_EQ(uri.scheme(), "file") << key;
            EXPECT_EQ(uri.toLocalFile(), file) << key;
        }
    }
}

TEST_F(GSettingsFixture, SetDesktopWallpaperUsesTheForcedBackend) {
    ScopedVariable forced("DAYGLASS_WALLPAPER_BACKEND", "gnome");
    ScopedVariable desktop("XDG_CURRENT_DESKTOP", "KDE");
    SetDesktopWallpaper(home.path() + "/DGLS_WP.bmp", true);
    EXPECT_EQ(QUrl(GVariantText(get("org.gnome.desktop.background", "picture-uri"))).toLocalFile(),
              home.path() + "/DGLS_WP.bmp");
}

TEST_F(GSettingsFixture, SetDesktopWallpaperWithBackendNoneTouchesNothing) {
    ScopedVariable forced("DAYGLASS_WALLPAPER_BACKEND", "none");
    ScopedVariable desktop("XDG_CURRENT_DESKTOP", "GNOME");
    SetDesktopWallpaper(home.path() + "/DGLS_WP.bmp", false);
    EXPECT_FALSE(QFile::exists(home.configHome() + "/glib-2.0/settings/keyfile"));
}

TEST_F(GSettingsFixture, MateTakesAPlainPathAndItsOwnOption) {
    addSchema("org.mate.background",
              "<key name='picture-filename' type='s'><default>''</default></key>"
              "<key name='picture-options' enum='dayglass.test.style'><default>'scaled'</default>"
              "</key>");
    const QString file = home.path() + "/my wall'paper.bmp";
    ApplyWallpaperBackend(B::Mate, file, true);
    EXPECT_EQ(GVariantText(get("org.mate.background", "picture-filename")), file);
    EXPECT_EQ(get("org.mate.background", "picture-options"), "'wallpaper'");
}

TEST_F(GSettingsFixture, CinnamonWithoutADarkKeyGetsTheUriAndOption) {
    addSchema("org.cinnamon.desktop.background",
              "<key name='picture-uri' type='s'><default>''</default></key>"
              "<key name='picture-options' enum='dayglass.test.style'><default>'scaled'</default>"
              "</key>");
    const QString file = home.path() + "/DGLS_WP.bmp";
    ApplyWallpaperBackend(B::Cinnamon, file, false);
    EXPECT_EQ(
        QUrl(GVariantText(get("org.cinnamon.desktop.background", "picture-uri"))).toLocalFile(),
        file);
    EXPECT_EQ(get("org.cinnamon.desktop.background", "picture-options"), "'centered'");
}

TEST_F(GSettingsFixture, AMissingSchemaIsAFailure) {
    EXPECT_THROW(ApplyWallpaperBackend(B::Mate, home.path() + "/x.bmp", false),
                 EDesktopWallpaperError);
}

TEST(WallpaperCommandTest, ReturnsTheOutputOfAProgramThatSucceeds) {
    EXPECT_EQ(RunWallpaperCommand({"printf", {"%s-%s", "a b", "c"}}), "a b-c");
}

TEST(WallpaperCommandTest, FailuresRaise) {
    struct Case {
        const char* name;
        WallpaperCommand command;
        int timeoutMs;
        const char* inMessage;
    };
    const Case cases[] = {
        {"missing program", {"dayglass-no-such-tool", {}}, 5000, "could not be started"},
        {"non-zero exit", {"sh", {"-c", "echo refused >&2; exit 3"}}, 5000, "exit code 3: refused"},
        {"hung program", {"sleep", {"10"}}, 200, "did not finish"},
        {"crash", {"sh", {"-c", "kill -SEGV $$"}}, 5000, "crashed"},
    };
    for (const Case& c : cases) {
        try {
            RunWallpaperCommand(c.command, c.timeoutMs);
            ADD_FAILURE() << c.name << " did not raise";
        } catch (const EDesktopWallpaperError& error) {
            EXPECT_NE(std::string(error.what()).find(c.inMessage), std::string::npos)
                << c.name << ": " << error.what();
        }
    }
}

TEST(WallpaperCommandsTest, XfceSetsStyleAndImageOfEveryMonitorAndWorkspace) {
    const QStringList properties{"/backdrop/screen0/monitorHDMI-1/workspace0/last-image",
                                 "/backdrop/screen0/monitorHDMI-1/workspace0/image-style",
                                 "/backdrop/screen0/monitorDP-2/workspace1/last-image",
                                 "/backdrop/single-workspace-mode", "/desktop-icons/last-image"};
    const auto commands = XfceWallpaperCommands(properties, "/w/DGLS_WP.bmp", true);
    const QString xfconf = "xfconf-query";
    const QList<WallpaperCommand> expected{
        {xfconf,
         {"-c", "xfce4-desktop", "-p", "/backdrop/screen0/monitorHDMI-1/workspace0/image-style",
          "-n", "-t", "int", "-s", "2"}},
        {xfconf,
         {"-c", "xfce4-desktop", "-p", "/backdrop/screen0/monitorHDMI-1/workspace0/last-image",
          "-n", "-t", "string", "-s", "/w/DGLS_WP.bmp"}},
        {xfconf,
         {"-c", "xfce4-desktop", "-p", "/backdrop/screen0/monitorDP-2/workspace1/image-style", "-n",
          "-t", "int", "-s", "2"}},
        {xfconf,
         {"-c", "xfce4-desktop", "-p", "/backdrop/screen0/monitorDP-2/workspace1/last-image", "-n",
          "-t", "string", "-s", "/w/DGLS_WP.bmp"}},
    };
    EXPECT_EQ(commands, expected);
    EXPECT_EQ(XfceWallpaperCommands(properties, "/w/DGLS_WP.bmp", false)[0].arguments.last(), "1");
}

TEST(WallpaperCommandsTest, EachDesktopGetsItsOwnWordsForTileAndCentre) {
    struct Case {
        WallpaperCommand tiled;
        WallpaperCommand centred;
        WallpaperCommand expectedTiled;
        QString centredWord;
    };
    const QString file = "/home/a b/DGLS_WP.bmp";
    const Case cases[] = {
        {PcmanfmWallpaperCommand(B::Lxqt, file, true),
         PcmanfmWallpaperCommand(B::Lxqt, file, false),
         {"pcmanfm-qt", {"--set-wallpaper", file, "--wallpaper-mode", "tile"}},
         "center"},
        {PcmanfmWallpaperCommand(B::Lxde, file, true),
         PcmanfmWallpaperCommand(B::Lxde, file, false),
         {"pcmanfm", {"--set-wallpaper", file, "--wallpaper-mode", "tile"}},
         "center"},
        // sway splits its command at spaces, so the path is quoted.
        {SwayWallpaperCommand(file, true),
         SwayWallpaperCommand(file, false),
         {"swaymsg", {"output", "*", "bg", "\"/home/a b/DGLS_WP.bmp\"", "tile"}},
         "center"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.tiled, c.expectedTiled);
        EXPECT_EQ(c.centred.arguments.last(), c.centredWord);
    }
    EXPECT_EQ(SwayWallpaperCommand("/a\"b\\c.bmp", false).arguments[3], "\"/a\\\"b\\\\c.bmp\"");
}

TEST(WallpaperCommandsTest, KdeScriptIsValidJavaScriptThatSetsEveryDesktop) {
    if (QStandardPaths::findExecutable("node").isEmpty())
        GTEST_SKIP() << "node is not installed";
    // The script runs against a stand-in of Plasma's scripting API; the
    // path is one that needs escaping in a JavaScript literal.
    const QString file = "/home/o\"brien\\x/DGLS_WP.bmp";
    for (const bool tile : {true, false}) {
        const QString harness =
            "var written = [];\n"
            "function desktops() { return [0, 1].map(function (i) { return {\n"
            "  writeConfig: function (k, v) { written.push([i, this.wallpaperPlugin,\n"
            "    this.currentConfigGroup.join('/'), k, v]); } }; }); }\n" +
            KdeWallpaperScript(file, tile) + "console.log(JSON.stringify(written));\n";
        QProcess node;
        node.start("node", {"-e", harness});
        ASSERT_TRUE(node.waitForFinished(10000));
        ASSERT_EQ(node.exitCode(), 0) << node.readAllStandardError().toStdString();
        const QString uri = QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded);
        const QString mode = tile ? "3" : "6";
        QString expected;
        for (int i = 0; i < 2; ++i)
            expected += QString("%1[%2,\"org.kde.image\",\"Wallpaper/org.kde.image/General\","
                                "\"Image\",\"%3\"],[%2,\"org.kde.image\",\"Wallpaper/"
                                "org.kde.image/General\",\"FillMode\",%4]")
                            .arg(i ? "," : "")
                            .arg(i)
                            .arg(QString(uri).replace("\\", "\\\\").replace("\"", "\\\""), mode);
        EXPECT_EQ(QString::fromUtf8(node.readAllStandardOutput()).trimmed(), "[" + expected + "]");
    }
    const WallpaperCommand command = KdeWallpaperCommand(file, true);
    EXPECT_EQ(command.program, "dbus-send");
    EXPECT_EQ(command.arguments.mid(0, 6),
              QStringList({"--session", "--dest=org.kde.plasmashell", "--type=method_call",
                           "--print-reply", "/PlasmaShell", "org.kde.PlasmaShell.evaluateScript"}));
    EXPECT_EQ(command.arguments[6], "string:" + KdeWallpaperScript(file, true));
}

// Xfce's listing and writes, through a recording xfconf-query on PATH.
class XfceFlowTest : public ::testing::Test {
protected:
    void install(const QByteArray& listing) {
        ASSERT_TRUE(WriteFile(home.path() + "/listing", listing));
        const QString script = home.path() + "/bin/xfconf-query";
        QDir().mkpath(home.path() + "/bin");
        ASSERT_TRUE(WriteFile(script, "#!/bin/sh\n"
                                      "if [ \"$3\" = -l ]; then cat \"$HOME/listing\"; exit 0; fi\n"
                                      "printf '%s|' \"$@\" >> \"$HOME/log\"\n"
                                      "echo >> \"$HOME/log\"\n"));
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        path.emplace("PATH", home.path() + "/bin:" + qEnvironmentVariable("PATH"));
    }
    QStringList log() {
        QFile file(home.path() + "/log");
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    TempHome home;
    std::optional<ScopedVariable> path;
};

TEST_F(XfceFlowTest, WritesWhatTheListingNames) {
    install("/backdrop/screen0/monitor0/workspace0/last-image\n"
            "/backdrop/screen0/monitor0/workspace0/color-style\n");
    ApplyWallpaperBackend(B::Xfce, "/w/DGLS_WP.bmp", false);
    EXPECT_EQ(log(), QStringList({"-c|xfce4-desktop|-p|/backdrop/screen0/monitor0/workspace0/"
                                  "image-style|-n|-t|int|-s|1|",
                                  "-c|xfce4-desktop|-p|/backdrop/screen0/monitor0/workspace0/"
                                  "last-image|-n|-t|string|-s|/w/DGLS_WP.bmp|"}));
}

TEST_F(XfceFlowTest, NoBackdropIsAFailure) {
    install("/desktop-icons/style\n");
    EXPECT_THROW(ApplyWallpaperBackend(B::Xfce, "/w/DGLS_WP.bmp", false), EDesktopWallpaperError);
    EXPECT_TRUE(log().isEmpty());
}

TEST(DesktopWallpaperTest, NoRecognisedDesktopOrAnUnknownForcedNameRaises) {
    TempHome home;
    ScopedVariable desktop("XDG_CURRENT_DESKTOP", "Hyprland");
    ScopedVariable session("DESKTOP_SESSION", "");
    ScopedVariable sway("SWAYSOCK", "");
    ScopedVariable wayland("WAYLAND_DISPLAY", "wayland-1");
    {
        ScopedVariable forced("DAYGLASS_WALLPAPER_BACKEND", "");
        EXPECT_THROW(SetDesktopWallpaper(home.path() + "/DGLS_WP.bmp", false),
                     EDesktopWallpaperError);
    }
    ScopedVariable forced("DAYGLASS_WALLPAPER_BACKEND", "amiga");
    EXPECT_THROW(SetDesktopWallpaper(home.path() + "/DGLS_WP.bmp", false), EDesktopWallpaperError);
}

TEST(DesktopWallpaperTest, AMissingDesktopToolRaises) {
    TempHome home;
    ScopedVariable path("PATH", home.path());
    for (const B backend : {B::Kde, B::Xfce, B::Lxqt, B::Lxde, B::Sway, B::Gnome})
        EXPECT_THROW(ApplyWallpaperBackend(backend, home.path() + "/DGLS_WP.bmp", false),
                     EDesktopWallpaperError)
            << WallpaperBackendName(backend).toStdString();
}

} // namespace
