#include "XvfbServer.h"

#include <QDeadlineTimer>
#include <QStandardPaths>

namespace {

std::optional<QByteArray> SavedVariable(const char* name) {
    if (!qEnvironmentVariableIsSet(name))
        return std::nullopt;
    return qgetenv(name);
}

void RestoreVariable(const char* name, const std::optional<QByteArray>& value) {
    if (value)
        qputenv(name, *value);
    else
        qunsetenv(name);
}

} // namespace

bool XvfbServer::available() {
    return !QStandardPaths::findExecutable("Xvfb").isEmpty();
}

XvfbServer::XvfbServer(QSize screenSize, int depth) : m_screenSize(screenSize) {
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.setStandardInputFile(QProcess::nullDevice());
    // -displayfd 1: the server chooses a free display and writes its number
    // to standard output once it accepts connections.
    m_process.start(
        "Xvfb", {"-displayfd", "1", "-screen", "0",
                 QString("%1x%2x%3").arg(screenSize.width()).arg(screenSize.height()).arg(depth),
                 "-nolisten", "tcp", "-noreset"});
    if (!m_process.waitForStarted(10000)) {
        m_error = "Xvfb could not be started: " + m_process.errorString();
        return;
    }
    QByteArray output;
    const QDeadlineTimer deadline(20000);
    while (!output.contains('\n') && !deadline.hasExpired() &&
           m_process.state() == QProcess::Running) {
        m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        output += m_process.readAllStandardOutput();
    }
    bool ok = false;
    const int number = output.trimmed().toInt(&ok);
    if (!ok) {
        m_error = "Xvfb did not report a display: " +
                  QString::fromLocal8Bit(m_process.readAllStandardError());
        return;
    }
    m_display = QString(":%1").arg(number);
}

XvfbServer::~XvfbServer() {
    if (m_exported) {
        RestoreVariable("DISPLAY", m_oldDisplay);
        RestoreVariable("WAYLAND_DISPLAY", m_oldWayland);
    }
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }
}

void XvfbServer::exportDisplay() {
    if (!m_exported) {
        m_oldDisplay = SavedVariable("DISPLAY");
        m_oldWayland = SavedVariable("WAYLAND_DISPLAY");
        m_exported = true;
    }
    qputenv("DISPLAY", m_display.toLocal8Bit());
    qunsetenv("WAYLAND_DISPLAY");
}
