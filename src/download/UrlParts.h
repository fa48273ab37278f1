#pragma once

#include <QString>

// A site or picture address taken apart for a transfer.
struct UrlParts {
    QString Scheme; // lower case; "http" when the address names none
    QString Host;   // everything between "://" and the first "/", a ":port" included
    QString Path;   // from the first "/" after the host to the end; may be empty
};

// Splits URL into scheme, host and path. Only "scheme://" at the very start
// counts as a scheme, so "server1/x" is host "server1" and path "/x".
UrlParts SplitURL(const QString& URL);

// True for the schemes a transfer may use: http and https.
bool IsTransferScheme(const QString& scheme);

// The address to request: scheme, "://", host and path ("/" for an empty path).
QString RequestURL(const UrlParts& parts);
