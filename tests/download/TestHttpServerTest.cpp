#include "TestHttpServer.h"

#include <QTcpSocket>
#include <gtest/gtest.h>

namespace {

// Sends one raw HTTP/1.0 request and reads the whole answer until the server closes.
QByteArray rawGet(quint16 port, const QByteArray& target) {
    QTcpSocket socket;
    socket.connectToHost("127.0.0.1", port);
    if (!socket.waitForConnected(5000))
        return {};
    socket.write("GET " + target + " HTTP/1.0\r\nX-Probe: yes\r\n\r\n");
    QByteArray answer;
    while (socket.waitForReadyRead(5000))
        answer += socket.readAll();
    return answer + socket.readAll();
}

TEST(TestHttpServer, AnswersScriptedRoutesAndRecordsRequests) {
    TestHttpServer server;
    ASSERT_TRUE(server.isRunning()) << server.error().toStdString();
    server.route("/none", {.body = "abc", .sendLength = false});
    server.route("/short", {.body = "abc", .announcedLength = 10});
    server.redirect("/moved", "ftp://127.0.0.1/x", 301);

    EXPECT_TRUE(rawGet(server.port(), "/none").endsWith("\r\n\r\nabc"));
    EXPECT_FALSE(rawGet(server.port(), "/none").contains("Content-Length"));
    EXPECT_TRUE(rawGet(server.port(), "/short?q=1").contains("Content-Length: 10\r\n"));
    const QByteArray moved = rawGet(server.port(), "/moved");
    EXPECT_TRUE(moved.startsWith("HTTP/1.0 301"));
    EXPECT_TRUE(moved.contains("Location: ftp://127.0.0.1/x\r\n"));
    EXPECT_TRUE(rawGet(server.port(), "/missing").startsWith("HTTP/1.0 404"));

    const auto seen = server.requestsFor("/moved");
    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(seen[0].method, "GET");
    EXPECT_EQ(seen[0].version, "HTTP/1.0");
    EXPECT_EQ(seen[0].header("x-probe"), QByteArray("yes"));
    EXPECT_EQ(server.requests().size(), 5);
    server.clearRequests();
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST(TestHttpServer, ServesFilesFromItsFolderOnly) {
    QTemporaryDir dir;
    QFile file(dir.filePath("pic.bin"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(5000, 'x'));
    file.close();
    TestHttpServer server(dir.path());
    ASSERT_TRUE(server.isRunning());
    const QByteArray answer = rawGet(server.port(), "/pic.bin");
    EXPECT_TRUE(answer.contains("Content-Length: 5000\r\n"));
    EXPECT_TRUE(answer.endsWith(QByteArray(5000, 'x')));
    EXPECT_TRUE(rawGet(server.port(), "/../etc/passwd").startsWith("HTTP/1.0 404"));
}

TEST(TestHttpServer, HttpsModeMakesACertificate) {
    TestHttpServer server({}, TestHttpServer::Https);
    ASSERT_TRUE(server.isRunning()) << server.error().toStdString();
    EXPECT_TRUE(server.url("/x").startsWith("https://127.0.0.1:"));
    EXPECT_TRUE(QFile::exists(server.certificateFile()));
}

} // namespace
