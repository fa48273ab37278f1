#include "desktop/ScreenSaver.h"

#include "platform/Folders.h"
#include "platform/Prompts.h"
#include "platform/Registry.h"

#include <QFileInfo>

const char* const kScreenSaverDownloadPage = "https://www.vorlix.com/ombrix/";

void SetScreenSaverFolder(const QString& folder) {
    WriteMakerSetting("Ombrix", "", "LastDir", folder);
    WriteMakerSetting("Ombrix", "", "Mode", "3");
}

bool IsScreenSaverShowingFolder(const QString& folder) {
    const QString lastDir =
        AddTrailingBackslash(ReadMakerSetting("Ombrix", "", "LastDir").toUpper());
    if (lastDir != AddTrailingBackslash(folder.toUpper()))
        return false;
    return ReadMakerSetting("Ombrix", "", "Mode") == "3";
}

QString LocateScreenSaver(Prompts& prompts, const std::function<void(const QString&)>& openUrl) {
    QString path = ReadMakerSetting("Ombrix", "", "Screensaver_Location");
    if (path.isEmpty())
        path = AddTrailingBackslash(GetWindowsFolder()) + "ombrix.scr";
    if (!QFileInfo(path).isFile())
        path.clear();
    if (path.isEmpty() &&
        prompts.askYesNo(PromptKind::Confirmation,
                         "The Ombrix Screen Saver could not be found.  Would you like to "
                         "download it now?"))
        openUrl(kScreenSaverDownloadPage);
    return path;
}
