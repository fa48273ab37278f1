#pragma once

#include <QString>
#include <QStringList>

// What site processing needs from the main window. Values are read when they
// are needed, since events handled during a transfer may change them.
class SiteProcessorHost {
public:
    virtual ~SiteProcessorHost() = default;

    virtual qint64 MinFileSize() const = 0;        // smallest accepted file, in bytes
    virtual int MinXSize() const = 0;              // smallest accepted width, in pixels
    virtual int MinYSize() const = 0;              // smallest accepted height, in pixels
    virtual bool OnlyFirstFile() const = 0;        // stop at the first picture a page gives
    virtual bool OnlyRecent() const = 0;           // whether chkOnlyRecent is ticked
    virtual int KeepImage() const = 0;             // the value of spnKeepImage
    virtual void SetKeepImageEnabled(bool on) = 0; // enables or disables spnKeepImage
    virtual QString ImageFolderText() const = 0;   // the text in edtFolder as it stands now
    virtual QStringList& DownloadList() = 0;       // pictures taken, oldest first
    virtual int SiteCount() const = 0;             // entries in the site list, ticked or not
    // Wallpaper composition of a picture file; newPicture is off for a known one.
    virtual void SetImageAsWP(const QString& file, bool newPicture) = 0;
};
