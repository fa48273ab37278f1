#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <map>
#include <optional>

// Points HOME and the XDG folders at a fresh temporary folder for the life of
// the object, and puts the old values back afterwards.
class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    QString path() const { return m_dir.path(); }
    QString dataHome() const { return path() + "/.local/share"; }
    QString configHome() const { return path() + "/.config"; }
    QString runtimeDir() const { return path() + "/run"; }
    // The data folder the program uses inside this home, with a trailing "/".
    QString dataFolder() const { return dataHome() + "/Vorlix/Dayglass/"; }

private:
    void set(const char* name, const QString& value);

    QTemporaryDir m_dir;
    std::map<QByteArray, std::optional<QByteArray>> m_saved;
};
