#include "platform/Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString dataHome() {
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (QDir::isAbsolutePath(xdg))
        return xdg;
    const QString home = qEnvironmentVariable("HOME");
    if (QDir::isAbsolutePath(home))
        return home + "/.local/share";
    return {};
}

} // namespace

QString AddTrailingBackslash(const QString& path) {
    qsizetype begin = 0;
    qsizetype end = path.size();
    while (begin < end && path.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && path.at(end - 1).unicode() <= 32)
        --end;
    QString result = path.mid(begin, end - begin);
    if (!result.isEmpty() && !result.endsWith(u'/') && !result.endsWith(u'\\'))
        result += u'/';
    return result;
}

bool FolderExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool EnsureFolder(const QString& path) {
    if (FolderExists(path))
        return true;
    if (path.size() < 4)
        return false;
    return QDir().mkpath(path) && FolderExists(path);
}

QString GetSpecialFolder(int csidl) {
    if (csidl == CSIDL_LOCAL_APPDATA)
        return dataHome();
    return {};
}

QString GetDataFolder(const QString& product, bool create) {
    QString folder = GetSpecialFolder(CSIDL_LOCAL_APPDATA);
    if (!folder.isEmpty())
        folder = AddTrailingBackslash(folder) + "Vorlix/" + product + "/";
    else
        folder = GetExeFolder();
    if (create && !EnsureFolder(folder))
        folder = GetTempFolder();
    return folder;
}

QString GetTempFolder() {
    return AddTrailingBackslash(QDir::tempPath());
}

QString GetExeFileName() {
    const QString path = QCoreApplication::applicationFilePath();
    if (!path.isEmpty())
        return path;
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

QString GetExeFolder() {
    return AddTrailingBackslash(QFileInfo(GetExeFileName()).absolutePath());
}

QString GetWindowsFolder() {
    const QString home = dataHome();
    const QString folder =
        home.isEmpty() ? GetDataFolder("Dayglass", true) : home + "/Vorlix/Windows/";
    EnsureFolder(folder);
    return folder;
}
