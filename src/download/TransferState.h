#pragma once

#include <QString>
#include <QtGlobal>

// The two flags of the main window that a transfer and the loops around it share.
struct TransferState {
    // True from the moment a transfer is accepted until it has ended; set only by FetchURL.
    bool TransferActive = false;
    // Asks the running transfer and site processing to stop at their next check.
    bool AbortRequested = false;
};

// What a transfer may cost before it is given up as failed.
struct TransferLimits {
    int connectTimeoutMs = 30'000;           // to make a connection (name look-up and TLS included)
    int stallTimeoutMs = 60'000;             // without a single byte arriving
    int maxRedirects = 10;                   // redirects followed for one request
    qint64 maxPageBytes = 16 * 1024 * 1024;  // body of a page read into memory
    qint64 maxFileBytes = 256 * 1024 * 1024; // body of a picture written to a file
    // PEM file of the authorities trusted for https; empty: the system's, or the
    // file named by the environment variable DAYGLASS_CA_BUNDLE when that is set.
    QString caBundle;
};
