#pragma once

#include <QString>

// A site is one line of text: name, 18 spaces and "{", the URL, "}", then
// "G" when GIF pictures are wanted too or "N" when not.

// The entry text, or empty when the name or the URL is empty.
QString ComposeSiteEntry(const QString& name, const QString& url, bool hasGIF);

QString GetSiteName(const QString& entry);
QString GetSiteURL(const QString& entry);
bool GetSiteHasGIF(const QString& entry);

// The text without its trailing space characters (only the character 32).
QString TrimTrailingSpaces(const QString& text);
