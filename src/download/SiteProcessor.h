#pragma once

#include "download/SiteProcessorHost.h"

#include <QString>

class HttpTransfer;
class Prompts;
class StatusDisplay;
class TIEFunctions;
struct TransferState;

// What one link gave.
enum DownloadResult { NoImage = 0, ImageTaken = 1, ImageKnown = 2 };

// Turns one site into picture files in the image folder: fetches the page,
// downloads each accepted link, rejects what is too small or already known,
// keeps the download list and hands each picture taken to the wallpaper.
// Never raises; messages only when asked for.
class SiteProcessor {
public:
    SiteProcessor(SiteProcessorHost& host, HttpTransfer& transfer, StatusDisplay& display,
                  TransferState& state, Prompts& prompts, const TIEFunctions& images)
        : m_host(host), m_transfer(transfer), m_display(display), m_state(state),
          m_prompts(prompts), m_images(images) {}

    // True when at least one link gave a picture.
    bool ProcessSite(const QString& SiteName, const QString& SiteURL, bool AllowGIF,
                     bool SetAsWallpaper, bool ShowMessages, bool OnlyNew);

    // One link (or the site URL itself when PageURL is empty) into the image folder.
    DownloadResult DownloadAnImage(const QString& SiteName, const QString& PageURL,
                                   const QString& ImageLink, bool AllowGIF, bool SetAsWallpaper,
                                   bool OnlyNew);

    // Whether a file of NewFile's size is BaseName or among the newest entries
    // of the download list (site count + 1 of them); ExistingFile names it.
    bool ImageAlreadyDownloaded(const QString& NewFile, const QString& BaseName,
                                QString& ExistingFile);

    // Appends the picture and trims the oldest ones when only recent are kept.
    void AddToDownloadList(const QString& FileName);

    // spnKeepImage is enabled exactly when chkOnlyRecent is ticked.
    void chkOnlyRecentClick();

private:
    void Inform(bool show, const QString& text);

    SiteProcessorHost& m_host;
    HttpTransfer& m_transfer;
    StatusDisplay& m_display;
    TransferState& m_state;
    Prompts& m_prompts;
    const TIEFunctions& m_images;
};
