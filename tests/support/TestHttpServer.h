#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <optional>

// A loopback HTTP or HTTPS server (tests/support/http_server.py) for the life
// of the object: it listens on 127.0.0.1 on a free port, serves the files of
// a folder and the routes a test registers, and records every request it saw.
// Usage:
//   TestHttpServer server(folder);                  // or TestHttpServer(folder, Https)
//   server.route("/page", {.body = "<html>..."});  // scripted answer
//   server.redirect("/old", server.url("/page"));
//   fetch(server.url("/page")); server.requests().last().header("User-Agent");
class TestHttpServer {
public:
    enum Scheme { Http, Https };

    // One scripted answer. Defaults give "200 OK" with a Content-Length.
    struct Route {
        int status = 200;
        QByteArray body{};
        QList<QPair<QByteArray, QByteArray>> headers{}; // sent as given, in order
        bool sendLength = true;                         // false: no Content-Length header at all
        qint64 announcedLength = -1; // Content-Length to announce; -1: the body's size
        double headerDelay = 0;      // seconds before the status line is sent
        int chunk = 0;               // send the body in pieces of this size (0: at once)
        double chunkDelay = 0;       // seconds between pieces
        qint64 stallAfter = -1;      // after this many body bytes, send nothing more...
        double stallFor = 3600;      // ...for this long, keeping the connection open
    };

    // One request as the server saw it.
    struct Request {
        QByteArray method;
        QByteArray target;  // as sent: "/path?q", or "http://host/path" through a proxy
        QByteArray version; // "HTTP/1.0"
        QList<QPair<QByteArray, QByteArray>> headers;
        // The first header of that name (case-insensitive), or nothing.
        std::optional<QByteArray> header(const QByteArray& name) const;
    };

    // Serves files from root (none when empty); Https makes a test certificate.
    explicit TestHttpServer(const QString& root = {}, Scheme scheme = Http);
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    // False when the server could not be started (error() says why).
    bool isRunning() const { return m_port != 0; }
    QString error() const { return m_error; }
    quint16 port() const { return m_port; }
    // "http://127.0.0.1:<port>" (or https) followed by path.
    QString url(const QString& path = "/") const;
    // The PEM certificate the https server presents (empty for http).
    QString certificateFile() const { return m_certificate; }

    // Answers GET path (its path part, query included or not) with the route.
    void route(const QString& path, const Route& route);
    // Answers GET path with status and "Location: location".
    void redirect(const QString& path, const QString& location, int status = 302);

    QList<Request> requests();
    // The requests whose target ends with path.
    QList<Request> requestsFor(const QString& path);
    void clearRequests();

private:
    QByteArray command(const QByteArray& json);

    QProcess m_process;
    QTemporaryDir m_certDir;
    quint16 m_port = 0;
    QString m_scheme;
    QString m_certificate;
    QString m_error;
};
