#pragma once

#include <QString>

class Prompts;
class TerminationSignals;

// One download cycle without a window or a tray icon, for scripts and
// timers: loads the settings, runs the cycle, saves as Exit does. Prints
// each change of the status display (a live line on a terminal) and a last
// line naming the picture and the wallpaper file, or why none was taken.
// A termination signal stops the download at its next check; the run still
// saves. Returns the exit status: 0 when a new picture was taken, 1 otherwise.
int RunOnce(Prompts& prompts, const QString& exeFileName, TerminationSignals& termination);
