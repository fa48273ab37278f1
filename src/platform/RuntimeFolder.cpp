#include "platform/RuntimeFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

QString GetRuntimeFolder() {
    const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(xdg) && QFileInfo(xdg).isDir())
        return xdg + "/";
    const QString own = QDir::tempPath() + "/dayglass-" + QString::number(getuid());
    QDir().mkpath(own);
    QFile::setPermissions(own, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return own + "/";
}
