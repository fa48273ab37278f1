#pragma once

#include "app/SettingsKeys.h"
#include "platform/IniFile.h"

// Typed reading and writing of the "Settings" section; a missing key or an
// unreadable value gives the key's default. Writes raise EDayglassError.
class SettingsFile {
public:
    explicit SettingsFile(const QString& path) : m_ini(path) {}

    int read(const SettingsKeys::IntegerKey& key) const;
    bool read(const SettingsKeys::BoolKey& key) const;
    TColor read(const SettingsKeys::ColourKey& key) const;
    QString read(const SettingsKeys::TextKey& key) const;

    void write(const SettingsKeys::IntegerKey& key, int value);
    void write(const SettingsKeys::BoolKey& key, bool value);
    void write(const SettingsKeys::ColourKey& key, TColor value);
    void write(const SettingsKeys::TextKey& key, const QString& value);

private:
    QString text(const char* key) const;
    void put(const char* key, const QString& value);

    IniFile m_ini;
};
