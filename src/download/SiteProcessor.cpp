#include "download/SiteProcessor.h"

#include "download/FileNames.h"
#include "download/HttpTransfer.h"
#include "download/ImageLinks.h"
#include "download/ResolveLink.h"
#include "download/StatusDisplay.h"
#include "download/TransferState.h"
#include "platform/Folders.h"
#include "platform/Prompts.h"
#include "wallpaper/TIEFunctions.h"

#include <QFile>

#include <algorithm>
#include <exception>

namespace {

const QString PictureFilter = QStringLiteral("*.jpg;*.jpeg;*.bmp;");
const QString PictureAndGifFilter = QStringLiteral("*.jpg;*.jpeg;*.bmp;*.gif;");
const QString Downloading = QStringLiteral("Downloading...");

} // namespace

bool SiteProcessor::ProcessSite(const QString& SiteName, const QString& SiteURL, bool AllowGIF,
                                bool SetAsWallpaper, bool ShowMessages, bool OnlyNew) {
    bool found = false;
    try {
        m_state.AbortRequested = false;
        if (IsJpegFileName(SiteURL)) {
            const DownloadResult result =
                DownloadAnImage(SiteName, QString(), SiteURL, AllowGIF, SetAsWallpaper, OnlyNew);
            if (result == NoImage && !m_state.AbortRequested)
                Inform(ShowMessages, "No images could be found on the site: " + SiteName);
            if (result == ImageKnown && !m_state.AbortRequested)
                Inform(ShowMessages, "No new images could be found on the site: " + SiteName);
            return result == ImageTaken;
        }
        if (SiteURL.isEmpty()) {
            if (ShowMessages)
                m_prompts.message(PromptKind::Error, SiteName + " Error: No Site Specified.");
            return false;
        }
        m_display.SetDisplay("Processing Site: " + SiteName, Downloading);
        QStringList links;
        FindImageLinks(m_transfer.GetPageText(SiteURL), links);
        const qsizetype count = links.size();
        for (qsizetype i = 0; i < count; ++i) {
            m_display.SetDisplay("Processing Site: " + SiteName + " " +
                                     QString::number(PercentOf(i, count - 1)) + "%",
                                 Downloading);
            const DownloadResult result =
                DownloadAnImage(SiteName, SiteURL, links[i], AllowGIF, SetAsWallpaper, OnlyNew);
            if (result == ImageTaken) {
                found = true;
                if (m_host.OnlyFirstFile())
                    return found;
            }
            if (result == ImageKnown && (m_host.OnlyFirstFile() || i == count - 1)) {
                if (!m_state.AbortRequested)
                    Inform(ShowMessages, "No new images could be found on the site: " + SiteName);
                return found;
            }
            if (m_state.AbortRequested)
                return found;
        }
        if (!found)
            Inform(ShowMessages, "No images could be found on the page you specified.");
    } catch (const std::exception& error) {
        if (ShowMessages)
            m_prompts.message(PromptKind::Error,
                              SiteName + " Error: " + QString::fromLocal8Bit(error.what()));
    }
    return found;
}

DownloadResult SiteProcessor::DownloadAnImage(const QString& SiteName, const QString& PageURL,
                                              const QString& ImageLink, bool AllowGIF,
                                              bool SetAsWallpaper, bool OnlyNew) {
    if (!MatchesFileFilter(ImageLink, AllowGIF ? PictureAndGifFilter : PictureFilter))
        return NoImage;
    const QString folder = AddTrailingBackslash(m_host.ImageFolderText());
    if (folder.isEmpty())
        return NoImage; // no image folder: nowhere to put a picture
    // The site name is made a plain file name so the file stays in the folder.
    const QString baseName = folder + SiteFileStem(SiteName) + ExtensionOf(ImageLink);
    const QString localFile = UniqueFileName(baseName);
    const QString fullURL = ResolveLink(PageURL, ImageLink);
    EnsureFolder(folder);

    if (!m_transfer.DownloadToFile(fullURL, localFile)) {
        QFile::remove(localFile);
        return NoImage;
    }
    if (FileSizeOf(localFile) < m_host.MinFileSize()) {
        QFile::remove(localFile);
        return NoImage;
    }
    const QSize size = m_images.GetImageSize(localFile);
    if (size.width() < m_host.MinXSize() || size.height() < m_host.MinYSize()) {
        QFile::remove(localFile);
        return NoImage;
    }
    QString existing;
    if (ImageAlreadyDownloaded(localFile, baseName, existing)) {
        QFile::remove(localFile);
        if (OnlyNew)
            return ImageKnown;
        m_host.SetImageAsWP(existing, false);
        return ImageTaken;
    }
    AddToDownloadList(localFile);
    if (SetAsWallpaper)
        m_host.SetImageAsWP(localFile, true);
    return ImageTaken;
}

bool SiteProcessor::ImageAlreadyDownloaded(const QString& NewFile, const QString& BaseName,
                                           QString& ExistingFile) {
    ExistingFile.clear();
    const qint64 newSize = FileSizeOf(NewFile);
    const auto matches = [&](const QString& candidate) {
        return !candidate.isEmpty() && candidate != NewFile && FileSizeOf(candidate) == newSize;
    };
    if (matches(BaseName)) {
        ExistingFile = BaseName;
        return true;
    }
    const QStringList& list = m_host.DownloadList();
    const qsizetype window = std::max(0, m_host.SiteCount()) + 1;
    const qsizetype oldest = std::max<qsizetype>(0, list.size() - window);
    for (qsizetype i = list.size() - 1; i >= oldest; --i) {
        if (matches(list[i])) {
            ExistingFile = list[i];
            return true;
        }
    }
    return false;
}

void SiteProcessor::AddToDownloadList(const QString& FileName) {
    QStringList& list = m_host.DownloadList();
    list.append(FileName);
    if (!m_host.OnlyRecent())
        return;
    while (list.size() > std::max(m_host.KeepImage(), 1))
        QFile::remove(list.takeFirst()); // a file already gone is no matter
}

void SiteProcessor::chkOnlyRecentClick() {
    m_host.SetKeepImageEnabled(m_host.OnlyRecent());
}

void SiteProcessor::Inform(bool show, const QString& text) {
    if (show)
        m_prompts.message(PromptKind::Information, text);
}
