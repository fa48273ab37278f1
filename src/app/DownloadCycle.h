#pragma once

#include <QString>
#include <QtGlobal>

class LongTimer;
class SiteListModel;
struct TransferState;

// What a download cycle needs from the main window.
class DownloadCycleHost {
public:
    virtual ~DownloadCycleHost() = default;
    // Downloads from one site; true when a link gave a picture.
    virtual bool ProcessSite(const QString& siteName, const QString& siteURL, bool allowGIF,
                             bool setAsWallpaper, bool showMessages, bool onlyNew) = 0;
    // Begins or ends a busy period.
    virtual void SetProcessing(bool busy) = 0;
    // Redraws the site list so the bold row follows the current site.
    virtual void UpdateDisplay() = 0;
    virtual bool IsConnected() = 0;
    virtual bool DownloadFromAll() const = 0;
    virtual bool ActiveNetConnection() const = 0;
    virtual bool NoWallpaperChanging() const = 0;
    // The value of the interval spin box and the unit's item index (-1 for none).
    virtual int CheckCount() const = 0;
    virtual int CheckUnit() const = 0;
};

// The interval in minutes: count times 1 for minutes (0), 1440 for days (2),
// and 60 for hours (1) and anything else.
qint64 GetCheckMinutes(int count, int unit);

// The download cycle: rotation through the ticked sites, the cycle timer,
// the connection check and the busy period around each cycle.
class DownloadCycle {
public:
    static constexpr qint64 kOfflineRetryMs = 600000;

    DownloadCycle(DownloadCycleHost& host, SiteListModel& sites, int& currentSite,
                  TransferState& transfer, LongTimer& timer)
        : m_host(host), m_sites(sites), m_currentSite(currentSite), m_transfer(transfer),
          m_timer(timer) {}

    void CheckForSites();
    bool GetNextCurrentSite();
    // Makes the row current and, with process, downloads from it at once.
    void SetSiteCurrent(int index, bool process);
    void DisableTimer();
    void EnableTimer();

    // Whether the last cycle was skipped for want of a connection.
    bool skippedOffline() const { return m_skippedOffline; }

private:
    DownloadCycleHost& m_host;
    SiteListModel& m_sites;
    int& m_currentSite;
    TransferState& m_transfer;
    LongTimer& m_timer;
    bool m_skippedOffline = false;
};
