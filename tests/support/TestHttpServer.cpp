#include "TestHttpServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#ifndef DAYGLASS_SOURCE_DIR
#error "DAYGLASS_SOURCE_DIR must name the source tree"
#endif

namespace {

constexpr int StartTimeoutMs = 20000;
constexpr int CommandTimeoutMs = 10000;

QJsonArray headerArray(const QList<QPair<QByteArray, QByteArray>>& headers) {
    QJsonArray result;
    for (const auto& [name, value] : headers)
        result.append(QJsonArray{QString::fromLatin1(name), QString::fromLatin1(value)});
    return result;
}

} // namespace

std::optional<QByteArray> TestHttpServer::Request::header(const QByteArray& name) const {
    for (const auto& [n, v] : headers)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return v;
    return std::nullopt;
}

TestHttpServer::TestHttpServer(const QString& root, Scheme scheme)
    : m_scheme(scheme == Https ? "https" : "http") {
    QStringList args{QStringLiteral(DAYGLASS_SOURCE_DIR "/tests/support/http_server.py")};
    if (!root.isEmpty())
        args << "--root" << root;
    if (scheme == Https)
        args << "--https" << m_certDir.path();
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start("/usr/bin/python3", args);
    if (!m_process.waitForStarted(StartTimeoutMs)) {
        m_error = "cannot start the server: " + m_process.errorString();
        return;
    }
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(StartTimeoutMs)) {
            m_error = "the server did not report its port";
            return;
        }
    }
    const QJsonObject ready = QJsonDocument::fromJson(m_process.readLine()).object();
    m_port = static_cast<quint16>(ready.value("port").toInt());
    m_certificate = ready.value("cert").toString();
    if (m_port == 0)
        m_error = "the server reported no port";
}

TestHttpServer::~TestHttpServer() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString TestHttpServer::url(const QString& path) const {
    return QString("%1://127.0.0.1:%2%3").arg(m_scheme).arg(m_port).arg(path);
}

QByteArray TestHttpServer::command(const QByteArray& json) {
    m_process.write(json + "\n");
    m_process.waitForBytesWritten(CommandTimeoutMs);
    while (!m_process.canReadLine())
        if (!m_process.waitForReadyRead(CommandTimeoutMs))
            return {};
    return m_process.readLine();
}

void TestHttpServer::route(const QString& path, const Route& route) {
    QJsonObject o{{"cmd", "route"},
                  {"path", path},
                  {"status", route.status},
                  {"headers", headerArray(route.headers)},
                  {"body_b64", QString::fromLatin1(route.body.toBase64())},
                  {"header_delay", route.headerDelay},
                  {"chunk", route.chunk},
                  {"delay", route.chunkDelay},
                  {"stall_after", static_cast<double>(route.stallAfter)},
                  {"stall", route.stallFor}};
    if (!route.sendLength)
        o["length"] = "none";
    else if (route.announcedLength >= 0)
        o["length"] = static_cast<double>(route.announcedLength);
    command(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

void TestHttpServer::redirect(const QString& path, const QString& location, int status) {
    Route r;
    r.status = status;
    r.headers = {{"Location", location.toLatin1()}};
    r.body = "moved";
    route(path, r);
}

QList<TestHttpServer::Request> TestHttpServer::requests() {
    QList<Request> result;
    const QJsonObject answer = QJsonDocument::fromJson(command(R"({"cmd":"requests"})")).object();
    for (const QJsonValue& v : answer.value("requests").toArray()) {
        const QJsonObject o = v.toObject();
        Request r{o.value("method").toString().toLatin1(),
                  o.value("target").toString().toLatin1(),
                  o.value("version").toString().toLatin1(),
                  {}};
        for (const QJsonValue& h : o.value("headers").toArray())
            r.headers.append(
                {h.toArray().at(0).toString().toLatin1(), h.toArray().at(1).toString().toLatin1()});
        result.append(r);
    }
    return result;
}

QList<TestHttpServer::Request> TestHttpServer::requestsFor(const QString& path) {
    QList<Request> result;
    for (const Request& r : requests())
        if (r.target.endsWith(path.toLatin1()))
            result.append(r);
    return result;
}

void TestHttpServer::clearRequests() {
    command(R"({"cmd":"clear"})");
}
