#pragma once

#include <QString>

// The desktop's autostart entry: $XDG_CONFIG_HOME/autostart/dayglass.desktop.
QString AutoStartFile();

// Writes the entry to run the program with "/start", or removes it. Raises
// EDayglassError when the entry cannot be written or removed.
void SetAutoStart(bool enabled, const QString& exeFileName);

// True when the entry exists and names a command.
bool IsAutoStart();
