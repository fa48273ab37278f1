#pragma once

#include "download/StatusDisplay.h"
#include "download/TransferState.h"

#include <QByteArray>
#include <QString>

// Fetches pages and pictures with one HTTP/1.0 GET each, one transfer at a
// time, showing the percentage received and handling pending events while it
// waits and after every chunk of at most 1025 bytes.
class HttpTransfer {
public:
    // state and display belong to the main window and outlive the object.
    HttpTransfer(TransferState& state, StatusDisplay& display, TransferLimits limits = {})
        : m_state(state), m_display(display), m_limits(std::move(limits)) {}

    // Fetches URL into the file FileName (ToFile) or into Text. True when a file
    // received exactly the announced length, or a page at least one byte.
    // RequireLength fails an answer that announces no length. A failed file
    // transfer leaves no file behind. A call during a transfer only sets
    // AbortRequested and returns false.
    bool FetchURL(const QString& URL, bool ToFile, const QString& FileName, bool RequireLength,
                  QByteArray& Text);
    // The page at URL, or empty when it could not be fetched.
    QByteArray GetPageText(const QString& URL);
    // The body at URL into FileName; it must announce its length.
    bool DownloadToFile(const QString& URL, const QString& FileName);

    const TransferLimits& limits() const { return m_limits; }

private:
    TransferState& m_state;
    StatusDisplay& m_display;
    TransferLimits m_limits;
};
