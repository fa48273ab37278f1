#include "app/DownloadCycle.h"

#include "download/TransferState.h"
#include "platform/LongTimer.h"
#include "sites/SiteListModel.h"

namespace {

// Runs the closing steps however the guarded block is left.
template <typename F> class AtExit {
public:
    explicit AtExit(F f) : m_f(std::move(f)) {}
    ~AtExit() { m_f(); }
    AtExit(const AtExit&) = delete;
    AtExit& operator=(const AtExit&) = delete;

private:
    F m_f;
};

} // namespace

qint64 GetCheckMinutes(int count, int unit) {
    switch (unit) {
    case 0:
        return count;
    case 2:
        return qint64(count) * 1440;
    default:
        return qint64(count) * 60;
    }
}

void DownloadCycle::DisableTimer() {
    m_timer.stop();
}

void DownloadCycle::EnableTimer() {
    m_timer.setInterval(GetCheckMinutes(m_host.CheckCount(), m_host.CheckUnit()) * 60000);
    m_timer.start();
}

bool DownloadCycle::GetNextCurrentSite() {
    const int rows = m_sites.count();
    int tries = 0;
    do {
        // Wraps before adding so a saved INT_MAX cannot overflow.
        m_currentSite = m_currentSite >= rows - 1 ? 0 : m_currentSite + 1;
        ++tries;
        if (m_sites.SiteSelected(m_currentSite)) {
            m_host.UpdateDisplay();
            return true;
        }
    } while (tries <= rows);
    return false;
}

void DownloadCycle::CheckForSites() {
    DisableTimer();
    m_transfer.AbortRequested = false;
    m_skippedOffline = m_host.ActiveNetConnection() && !m_host.IsConnected();
    if (m_skippedOffline) {
        m_timer.setInterval(kOfflineRetryMs);
        m_timer.start();
        return;
    }
    m_host.SetProcessing(true);
    const AtExit guard([this] {
        m_host.SetProcessing(false);
        EnableTimer();
    });
    // A row below -1 can only come from an edited file; it counts as no site yet.
    if (m_currentSite < -1)
        m_currentSite = -1;
    if (!m_host.DownloadFromAll()) {
        for (int i = 0, rows = m_sites.count(); i < rows; ++i) {
            if (m_transfer.AbortRequested || !GetNextCurrentSite())
                break;
            if (m_host.ProcessSite(m_sites.SiteNameAt(m_currentSite),
                                   m_sites.SiteURLAt(m_currentSite),
                                   m_sites.SiteHasGIFAt(m_currentSite),
                                   !m_host.NoWallpaperChanging(), false, true))
                break;
        }
        return;
    }
    if (!GetNextCurrentSite())
        return;
    for (int row = 0; row < m_sites.count(); ++row) {
        if (!m_sites.SiteSelected(row))
            continue;
        if (m_transfer.AbortRequested)
            break;
        m_host.ProcessSite(m_sites.SiteNameAt(row), m_sites.SiteURLAt(row),
                           m_sites.SiteHasGIFAt(row),
                           row == m_currentSite && !m_host.NoWallpaperChanging(), false, true);
    }
}

void DownloadCycle::SetSiteCurrent(int index, bool process) {
    m_host.SetProcessing(true);
    const AtExit guard([this] { m_host.SetProcessing(false); });
    m_currentSite = index;
    if (process)
        m_host.ProcessSite(m_sites.SiteNameAt(index), m_sites.SiteURLAt(index),
                           m_sites.SiteHasGIFAt(index), !m_host.NoWallpaperChanging(), true, false);
}
