#pragma once

#include <QStringList>

// The words of our own on the command line; every other first argument
// keeps its meaning ("/START" starts hidden, anything runs a cycle at once).
enum class CommandMode { Normal, Once, Help, Version };

CommandMode ModeOf(const QStringList& arguments);

// The text --help prints.
QString UsageText();
