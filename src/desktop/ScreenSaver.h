#pragma once

#include <QString>
#include <functional>

class Prompts;

// The maker's screen saver reads the image folder from values we write
// under its key of the registry store.

// Writes LastDir := folder and Mode := "3".
void SetScreenSaverFolder(const QString& folder);

// True when LastDir names the same folder (case and trailing separator
// aside) and Mode is exactly "3".
bool IsScreenSaverShowingFolder(const QString& folder);

// The screen saver's program: the path it registered, else "ombrix.scr" in
// the fixed per-user folder; when there is none, asks whether to download
// it, opens the download page on Yes, and gives empty.
QString LocateScreenSaver(Prompts& prompts, const std::function<void(const QString&)>& openUrl);

extern const char* const kScreenSaverDownloadPage;
