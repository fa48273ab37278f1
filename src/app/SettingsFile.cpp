#include "app/SettingsFile.h"

using namespace SettingsKeys;

QString SettingsFile::text(const char* key) const {
    return m_ini.ReadString(kSection, key, QString());
}

void SettingsFile::put(const char* key, const QString& value) {
    m_ini.WriteString(kSection, key, value);
}

int SettingsFile::read(const IntegerKey& key) const {
    return key.clamp(TextToInteger(text(key.key), key.defaultValue));
}

bool SettingsFile::read(const BoolKey& key) const {
    return TextToBool(text(key.key), key.defaultValue);
}

TColor SettingsFile::read(const ColourKey& key) const {
    return TextToColour(text(key.key), key.defaultValue);
}

QString SettingsFile::read(const TextKey& key) const {
    return text(key.key);
}

void SettingsFile::write(const IntegerKey& key, int value) {
    put(key.key, QString::number(value));
}

void SettingsFile::write(const BoolKey& key, bool value) {
    put(key.key, BoolToText(value));
}

void SettingsFile::write(const ColourKey& key, TColor value) {
    put(key.key, ColourToText(value));
}

void SettingsFile::write(const TextKey& key, const QString& value) {
    put(key.key, value);
}
