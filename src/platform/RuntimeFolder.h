#pragma once

#include <QString>

// The per-user folder for locks and sockets: $XDG_RUNTIME_DIR, else a
// private folder of ours in the temporary folder. Ends in "/".
QString GetRuntimeFolder();
