#pragma once

#include <QByteArray>
#include <QProcess>
#include <QSize>
#include <QString>
#include <optional>

// A private Xvfb on a display number the server picks itself (so parallel
// tests never collide), ready once the constructor returns, stopped by the
// destructor.
class XvfbServer {
public:
    // Whether Xvfb is installed; tests skip without it.
    static bool available();

    explicit XvfbServer(QSize screenSize = QSize(1024, 768), int depth = 24);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool started() const { return !m_display.isEmpty(); }
    QString error() const { return m_error; }
    // ":N", the value for DISPLAY.
    QString display() const { return m_display; }
    QSize screenSize() const { return m_screenSize; }

    // Points DISPLAY at this server and clears WAYLAND_DISPLAY until destruction.
    void exportDisplay();

private:
    QProcess m_process;
    QSize m_screenSize;
    QString m_display;
    QString m_error;
    bool m_exported = false;
    std::optional<QByteArray> m_oldDisplay;
    std::optional<QByteArray> m_oldWayland;
};
