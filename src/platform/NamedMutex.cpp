#include "platform/NamedMutex.h"

#include "platform/RuntimeFolder.h"

#include <QFile>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

NamedMutex::NamedMutex(const QString& name) {
    const QByteArray path = QFile::encodeName(GetRuntimeFolder() + name);
    m_fd = ::open(path.constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd >= 0)
        ::flock(m_fd, LOCK_SH | LOCK_NB);
}

NamedMutex::~NamedMutex() {
    if (m_fd >= 0)
        ::close(m_fd);
}
