#include "TempHome.h"

#include <QDir>
#include <QFile>
#include <cstdlib>

TempHome::TempHome() {
    QDir().mkpath(dataHome());
    QDir().mkpath(configHome());
    QDir().mkpath(path() + "/.cache");
    QDir().mkpath(runtimeDir());
    QFile::setPermissions(runtimeDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    set("HOME", path());
    set("XDG_DATA_HOME", dataHome());
    set("XDG_CONFIG_HOME", configHome());
    set("XDG_CACHE_HOME", path() + "/.cache");
    set("XDG_RUNTIME_DIR", runtimeDir());
}

TempHome::~TempHome() {
    for (const auto& [name, value] : m_saved) {
        if (value)
            qputenv(name.constData(), *value);
        else
            qunsetenv(name.constData());
    }
}

void TempHome::set(const char* name, const QString& value) {
    if (!m_saved.count(name))
        m_saved[name] = qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name))
                                                        : std::nullopt;
    qputenv(name, value.toUtf8());
}
