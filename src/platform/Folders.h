#pragma once

#include <QString>

// Folder paths always end in "/" once they went through AddTrailingBackslash.

// CSIDL number of the per-user local application data folder.
constexpr int CSIDL_LOCAL_APPDATA = 28;

// Trims characters 0..32 from both ends, then appends "/" unless the text is
// empty or already ends in "/" or "\".
QString AddTrailingBackslash(const QString& path);

bool FolderExists(const QString& path);

// True when the folder exists or could be created with its parents; paths
// shorter than four characters are never created.
bool EnsureFolder(const QString& path);

// The folder a CSIDL number stands for, or empty when there is none here.
QString GetSpecialFolder(int csidl);

// The data folder: <local application data>/Vorlix/<product>/, beside the
// program when there is no such folder, the temporary folder when it cannot
// be created.
QString GetDataFolder(const QString& product, bool create);

QString GetTempFolder();
QString GetExeFileName();
QString GetExeFolder();

// The fixed per-user folder that holds the composed wallpaper and the screen
// saver; never a shared or world-writable place. Created when missing.
QString GetWindowsFolder();
