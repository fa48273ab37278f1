#pragma once

#include <QString>

// String values kept the way the Windows registry kept them, in one small
// key/value file per key path under $XDG_CONFIG_HOME/Vorlix/Registry/
// (<root>/<key path>.reg), so the screen saver can read what we hand it.
enum class RegistryRoot { CurrentUser, LocalMachine };

// The file that holds the values of a key; empty for a key path that does not
// name a place inside the store.
QString RegistryKeyFile(const QString& keyPath, RegistryRoot root);

// Writes the value, or deletes it when value is empty. Raises EDayglassError
// "Error encountered saving registry" when the key cannot be created, and
// the system's own text when the value cannot be written.
void WriteRegistryText(const QString& keyPath, const QString& name, const QString& value,
                       RegistryRoot root);

// The value, or empty when the key or the value is missing.
QString ReadRegistryText(const QString& keyPath, const QString& name, RegistryRoot root);

// The same under the current user's "SOFTWARE\Vorlix\<product>\<subKey>".
void WriteMakerSetting(const QString& product, const QString& subKey, const QString& name,
                       const QString& value);
QString ReadMakerSetting(const QString& product, const QString& subKey, const QString& name);
