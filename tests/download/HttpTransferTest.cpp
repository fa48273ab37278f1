#include "download/HttpTransfer.h"

#include "FileSizeLimit.h"
#include "TestHttpServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <arpa/inet.h>
#include <functional>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <optional>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QByteArray Pattern(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((i * 31 + 7) % 256);
    return bytes;
}

// Sets or removes an environment variable for the life of the object.
class EnvValue {
public:
    EnvValue(const char* name, const std::optional<QByteArray>& value) : m_name(name) {
        if (qEnvironmentVariableIsSet(name))
            m_old = qgetenv(name);
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    ~EnvValue() {
        if (m_old)
            qputenv(m_name, *m_old);
        else
            qunsetenv(m_name);
    }
    EnvValue(const EnvValue&) = delete;
    EnvValue& operator=(const EnvValue&) = delete;

private:
    const char* m_name;
    std::optional<QByteArray> m_old;
};

struct RecordingOutput : StatusOutput {
    void ShowCaption(const QString& text) override {
        captions << text;
        if (onCaption)
            onCaption(text);
    }
    void ShowToolTip(const QString& text) override { toolTips << text; }
    QStringList captions;
    QStringList toolTips;
    std::function<void(const QString&)> onCaption;
};

class HttpTransferTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.isRunning()) << server.error().toStdString();
        ASSERT_TRUE(dir.isValid());
    }

    HttpTransfer transfer() { return HttpTransfer(state, display, limits); }
    bool download(const QString& url, const QString& name) {
        return transfer().DownloadToFile(url, file(name));
    }
    QString file(const QString& name) const { return dir.filePath(name); }
    static QByteArray contents(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The display is back at rest and the transfer flag down.
    void expectEnded() const {
        EXPECT_FALSE(state.TransferActive);
        EXPECT_EQ(display.shown().Caption, "Dayglass");
        EXPECT_EQ(display.shown().ToolTip, "Dayglass");
    }

    // Requests through a proxy would miss the loopback server.
    EnvValue noProxy1{"http_proxy", std::nullopt};
    EnvValue noProxy2{"https_proxy", std::nullopt};
    EnvValue noProxy3{"all_proxy", std::nullopt};
    EnvValue noProxy4{"HTTPS_PROXY", std::nullopt};
    EnvValue noProxy5{"ALL_PROXY", std::nullopt};
    EnvValue noCaBundle{"DAYGLASS_CA_BUNDLE", std::nullopt};
    TransferState state;
    RecordingOutput out;
    StatusDisplay display{out};
    TransferLimits limits;
    QTemporaryDir dir;
    TestHttpServer server;
};

TEST_F(HttpTransferTest, SendsOneHttp10GetWithTheFixedHeaders) {
    server.route("/page", {.body = "hello"});
    EXPECT_EQ(transfer().GetPageText(server.url("/page")), "hello");
    const auto seen = server.requests();
    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(seen[0].method, "GET");
    EXPECT_EQ(seen[0].target, "/page");
    EXPECT_EQ(seen[0].version, "HTTP/1.0");
    EXPECT_EQ(seen[0].header("User-Agent"), QByteArray("IExplorer"));
    EXPECT_EQ(seen[0].header("Referer"), QByteArray("IExplorer"));
    EXPECT_EQ(seen[0].header("Accept"), QByteArray("*/*"));
    EXPECT_EQ(seen[0].header("Host"), QString("127.0.0.1:%1").arg(server.port()).toLatin1());
    QSet<QByteArray> names;
    for (const auto& header : seen[0].headers)
        names.insert(header.first.toLower());
    EXPECT_EQ(names, QSet<QByteArray>({"host", "user-agent", "referer", "accept"}));
}

struct ResultCase {
    const char* name;
    bool toFile;
    TestHttpServer::Route route;
    bool result;
    qsizetype expectedBytes; // what the file or the text holds afterwards; -1: no file
};

class ResultRules : public HttpTransferTest, public ::testing::WithParamInterface<ResultCase> {};

TEST_P(ResultRules, FollowTheReceivedCount) {
    const ResultCase& c = GetParam();
    server.route("/body", c.route);
    const QString url = server.url("/body");
    if (c.toFile) {
        EXPECT_EQ(download(url, "out.bin"), c.result);
        if (c.expectedBytes < 0) {
            EXPECT_FALSE(QFile::exists(file("out.bin")));
        } else {
            EXPECT_EQ(contents(file("out.bin")), c.route.body.left(c.expectedBytes));
        }
    } else {
        QByteArray text = "old";
        EXPECT_EQ(transfer().FetchURL(url, false, {}, false, text), c.result);
        EXPECT_EQ(transfer().GetPageText(url), c.route.body.left(c.expectedBytes));
    }
    expectEnded();
}

const QByteArray Body5000 = Pattern(5000);

INSTANTIATE_TEST_SUITE_P(
    Step14, ResultRules,
    ::testing::Values(
        ResultCase{"FileExactLength", true, {.body = Body5000}, true, 5000},
        ResultCase{
            "FileOneByteShort", true, {.body = Body5000, .announcedLength = 5001}, false, -1},
        ResultCase{"FileOneByteLong", true, {.body = Body5000, .announcedLength = 4999}, false, -1},
        ResultCase{"FileWithoutLength", true, {.body = Body5000, .sendLength = false}, false, -1},
        ResultCase{"FileEmptyAndAnnouncedSo", true, {.body = ""}, true, 0},
        ResultCase{"FileOfAnErrorPage", true, {.status = 404, .body = "not here"}, true, 8},
        ResultCase{"PageWithoutLength", false, {.body = Body5000, .sendLength = false}, true, 5000},
        ResultCase{
            "PageShorterThanAnnounced", false, {.body = "abc", .announcedLength = 10}, true, 3},
        ResultCase{"PageLongerThanAnnounced",
                   false,
                   {.body = Body5000, .announcedLength = 10},
                   true,
                   5000},
        ResultCase{"EmptyPage", false, {.body = "", .sendLength = false}, false, 0},
        ResultCase{"PageOfAnErrorStatus", false, {.status = 500, .body = "oops"}, true, 4},
        ResultCase{"PageSlowlyInSmallPieces",
                   false,
                   {.body = Body5000, .chunk = 700, .chunkDelay = 0.01},
                   true,
                   5000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HttpTransferTest, ALengthThatIsNoNumberFailsTheTransfer) {
    for (const char* value : {"abc", "-5", "12x", "", "99999999999999999999999"}) {
        SCOPED_TRACE(value);
        server.route("/odd",
                     {.body = "abc", .headers = {{"Content-Length", value}}, .sendLength = false});
        EXPECT_EQ(transfer().GetPageText(server.url("/odd")), "");
        EXPECT_FALSE(download(server.url("/odd"), "odd.bin"));
        EXPECT_FALSE(QFile::exists(file("odd.bin")));
    }
}

TEST_F(HttpTransferTest, ReplacesAnExistingFileOnSuccess) {
    QFile old(file("pic.jpg"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(Pattern(9000).toUpper());
    old.close();
    server.route("/pic.jpg", {.body = Body5000});
    EXPECT_TRUE(download(server.url("/pic.jpg"), "pic.jpg"));
    EXPECT_EQ(contents(file("pic.jpg")), Body5000);
}

TEST_F(HttpTransferTest, ServesBinaryBytesExactlyAndFilesFromTheFolder) {
    QTemporaryDir root;
    QFile big(root.filePath("big.bin"));
    const QByteArray bytes = Pattern(3 * 1024 * 1024 + 17);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(bytes);
    big.close();
    TestHttpServer folder(root.path());
    EXPECT_TRUE(download(folder.url("/big.bin"), "big.bin"));
    EXPECT_EQ(contents(file("big.bin")), bytes);
    EXPECT_EQ(transfer().GetPageText(folder.url("/big.bin")), bytes);
}

TEST_F(HttpTransferTest, ShowsProgressPerChunkOfAtMost1025Bytes) {
    // At 102500 bytes one chunk of 1025 is one percent: any larger piece
    // would skip a percentage.
    const QByteArray body = Pattern(102500);
    server.route("/pic", {.body = body});
    std::optional<int> handledAt;
    int lastPercent = -1;
    out.onCaption = [&](const QString& caption) {
        const QRegularExpressionMatch m =
            QRegularExpression("^Dayglass - Downloading Image (\\d+)%$").match(caption);
        if (!m.hasMatch())
            return;
        lastPercent = m.captured(1).toInt();
        if (lastPercent == 50)
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [&] { handledAt = lastPercent; },
                Qt::QueuedConnection);
    };
    display.SetDisplay("Before", "before");
    EXPECT_TRUE(download(server.url("/pic"), "pic"));
    QList<int> percents;
    for (const QString& caption : out.captions)
        if (caption.startsWith("Dayglass - Downloading Image "))
            percents << caption.mid(29).chopped(1).toInt();
    ASSERT_FALSE(percents.isEmpty());
    for (qsizetype i = 1; i < percents.size(); ++i)
        EXPECT_EQ(percents[i], percents[i - 1] + 1);
    EXPECT_EQ(percents.last(), 100);
    EXPECT_EQ(out.toolTips.filter("Dayglass - Downloading 100%").size(), 1);
    // An event posted while one chunk is shown is handled before the next.
    EXPECT_EQ(handledAt, 50);
    expectEnded();
}

TEST_F(HttpTransferTest, APageWithoutLengthShowsNoPercentage) {
    server.route("/page", {.body = Pattern(50000), .sendLength = false});
    EXPECT_EQ(transfer().GetPageText(server.url("/page")).size(), 50000);
    EXPECT_TRUE(out.captions.filter("Downloading").isEmpty());
    expectEnded();
}

TEST_F(HttpTransferTest, FollowsRedirectsAndKeepsTheFinalBodyOnly) {
    TestHttpServer other;
    ASSERT_TRUE(other.isRunning());
    other.route("/final.jpg", {.body = Body5000});
    server.redirect("/here", "/there");
    server.route("/there", {.body = "final page", .sendLength = false});
    server.redirect("/away", other.url("/final.jpg"), 301);
    EXPECT_EQ(transfer().GetPageText(server.url("/here")), "final page");
    // The length of the redirect's answer must not stand for the final one.
    EXPECT_FALSE(download(server.url("/here"), "nolength"));
    EXPECT_FALSE(QFile::exists(file("nolength")));
    EXPECT_TRUE(download(server.url("/away"), "other.jpg"));
    EXPECT_EQ(contents(file("other.jpg")), Body5000);
    const auto final = other.requestsFor("/final.jpg");
    ASSERT_EQ(final.size(), 1);
    EXPECT_EQ(final[0].version, "HTTP/1.0");
    EXPECT_EQ(final[0].header("Referer"), QByteArray("IExplorer"));
}

TEST_F(HttpTransferTest, FollowsTenRedirectsButNotEleven) {
    for (int i = 0; i < 11; ++i)
        server.redirect(QString("/r%1").arg(i), QString("/r%1").arg(i + 1));
    server.route("/r11", {.body = "end"});
    EXPECT_EQ(transfer().GetPageText(server.url("/r1")), "end");
    EXPECT_EQ(transfer().GetPageText(server.url("/r0")), "");
    server.redirect("/loop", "/loop");
    EXPECT_EQ(transfer().GetPageText(server.url("/loop")), "");
    expectEnded();
}

TEST_F(HttpTransferTest, RefusesSchemesOtherThanHttpAndHttps) {
    server.route("/x", {.body = "data"});
    const QString hostPort = QString("127.0.0.1:%1").arg(server.port());
    for (const QString& url : {"ftp://" + hostPort + "/x", QString("file:///etc/hostname"),
                               "gopher://" + hostPort + "/x", "dict://" + hostPort + "/x"}) {
        SCOPED_TRACE(url.toStdString());
        EXPECT_EQ(transfer().GetPageText(url), "");
        EXPECT_FALSE(transfer().DownloadToFile(url, file("x")));
        EXPECT_FALSE(QFile::exists(file("x")));
        expectEnded();
    }
    EXPECT_TRUE(server.requests().isEmpty());
    for (const QString& target : {"ftp://" + hostPort + "/x", QString("file:///etc/hostname")}) {
        SCOPED_TRACE(target.toStdString());
        server.redirect("/jump", target);
        EXPECT_EQ(transfer().GetPageText(server.url("/jump")), "");
        EXPECT_FALSE(download(server.url("/jump"), "jump"));
        EXPECT_FALSE(QFile::exists(file("jump")));
    }
}

TEST_F(HttpTransferTest, AMissingSchemeMeansHttpOnTheGivenPort) {
    server.route("/x", {.body = "plain"});
    EXPECT_EQ(transfer().GetPageText(QString("127.0.0.1:%1/x").arg(server.port())), "plain");
    EXPECT_EQ(transfer().GetPageText(QString("HTTP://127.0.0.1:%1/x").arg(server.port())), "plain");
}

TEST_F(HttpTransferTest, HttpsWorksWithATrustedCertificateOnly) {
    TestHttpServer tls({}, TestHttpServer::Https);
    ASSERT_TRUE(tls.isRunning()) << tls.error().toStdString();
    tls.route("/secure.jpg", {.body = Body5000});
    tls.route("/page", {.body = "secret page", .sendLength = false});
    // The system's authorities do not know the test certificate.
    EXPECT_FALSE(download(tls.url("/secure.jpg"), "untrusted"));
    EXPECT_FALSE(QFile::exists(file("untrusted")));
    limits.caBundle = tls.certificateFile();
    EXPECT_TRUE(download(tls.url("/secure.jpg"), "secure.jpg"));
    EXPECT_EQ(contents(file("secure.jpg")), Body5000);
    EXPECT_EQ(transfer().GetPageText(tls.url("/page")), "secret page");
    // From plain http to https through a redirect, trusted by the environment.
    limits.caBundle.clear();
    const EnvValue ca("DAYGLASS_CA_BUNDLE", tls.certificateFile().toLocal8Bit());
    server.redirect("/up", tls.url("/page"));
    EXPECT_EQ(transfer().GetPageText(server.url("/up")), "secret page");
    EXPECT_EQ(tls.requestsFor("/page").last().version, "HTTP/1.0");
}

TEST_F(HttpTransferTest, UsesAProxyFromTheEnvironment) {
    TestHttpServer proxy;
    ASSERT_TRUE(proxy.isRunning());
    proxy.route("http://dayglass.invalid/page", {.body = "via proxy"});
    const EnvValue env("http_proxy", proxy.url("").toLatin1());
    EXPECT_EQ(transfer().GetPageText("http://dayglass.invalid/page"), "via proxy");
    ASSERT_EQ(proxy.requests().size(), 1);
    EXPECT_EQ(proxy.requests()[0].target, "http://dayglass.invalid/page");
}

TEST_F(HttpTransferTest, FailsWhenNothingListens) {
    quint16 port = 0;
    {
        TestHttpServer gone;
        port = gone.port();
    }
    EXPECT_EQ(transfer().GetPageText(QString("http://127.0.0.1:%1/").arg(port)), "");
    expectEnded();
}

// A listening socket whose backlog is full: new connections are never made.
class FullBacklog {
public:
    FullBacklog() {
        m_listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        bind(m_listener, reinterpret_cast<sockaddr*>(&address), size);
        listen(m_listener, 0);
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &size);
        m_port = ntohs(address.sin_port);
        for (int& filler : m_fillers) {
            filler = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            ::connect(filler, reinterpret_cast<sockaddr*>(&address), size);
        }
    }
    ~FullBacklog() {
        for (int filler : m_fillers)
            close(filler);
        close(m_listener);
    }
    FullBacklog(const FullBacklog&) = delete;
    FullBacklog& operator=(const FullBacklog&) = delete;
    quint16 port() const { return m_port; }

private:
    int m_listener = -1;
    int m_fillers[4] = {-1, -1, -1, -1};
    quint16 m_port = 0;
};

TEST_F(HttpTransferTest, GivesUpOnAConnectionThatCannotBeMade) {
    FullBacklog backlog;
    limits.connectTimeoutMs = 300;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(transfer().GetPageText(QString("http://127.0.0.1:%1/").arg(backlog.port())), "");
    EXPECT_LT(clock.elapsed(), 20000);
    expectEnded();
}

TEST_F(HttpTransferTest, GivesUpOnAServerThatStalls) {
    limits.stallTimeoutMs = 300;
    server.route("/noheaders", {.body = "late", .headerDelay = 60});
    server.route("/midway", {.body = Body5000, .stallAfter = 2000, .stallFor = 60});
    server.route("/slow", {.body = Pattern(3000), .chunk = 500, .chunkDelay = 0.1});
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(transfer().GetPageText(server.url("/noheaders")), "");
    EXPECT_EQ(transfer().GetPageText(server.url("/midway")), "");
    EXPECT_FALSE(download(server.url("/midway"), "midway"));
    EXPECT_FALSE(QFile::exists(file("midway")));
    EXPECT_LT(clock.elapsed(), 30000);
    // Slow but steady is not a stall.
    EXPECT_EQ(transfer().GetPageText(server.url("/slow")).size(), 3000);
    expectEnded();
}

TEST_F(HttpTransferTest, StopsAtTheSizeCapsLeavingNoFile) {
    limits.maxPageBytes = 10000;
    limits.maxFileBytes = 20000;
    server.route("/page-at-cap", {.body = Pattern(10000), .sendLength = false});
    server.route("/page-over-cap", {.body = Pattern(10001), .sendLength = false});
    server.route("/page-announced-over", {.body = "small", .announcedLength = 10001});
    server.route("/file-at-cap", {.body = Pattern(20000)});
    server.route("/file-announced-over", {.body = Pattern(20001)});
    server.route("/file-longer-than-said", {.body = Pattern(30000), .announcedLength = 100});
    EXPECT_EQ(transfer().GetPageText(server.url("/page-at-cap")).size(), 10000);
    EXPECT_EQ(transfer().GetPageText(server.url("/page-over-cap")), "");
    EXPECT_EQ(transfer().GetPageText(server.url("/page-announced-over")), "");
    EXPECT_TRUE(download(server.url("/file-at-cap"), "at-cap"));
    for (const char* name : {"/file-announced-over", "/file-longer-than-said"}) {
        EXPECT_FALSE(download(server.url(name), "over"));
        EXPECT_FALSE(QFile::exists(file("over")));
    }
    const TransferLimits defaults;
    EXPECT_EQ(defaults.maxPageBytes, 16 * 1024 * 1024);
    EXPECT_EQ(defaults.maxFileBytes, 256 * 1024 * 1024);
    EXPECT_EQ(defaults.connectTimeoutMs, 30000);
    EXPECT_EQ(defaults.stallTimeoutMs, 60000);
    EXPECT_EQ(defaults.maxRedirects, 10);
}

TEST_F(HttpTransferTest, AFileThatCannotBeWrittenFailsAndIsRemoved) {
    server.route("/pic", {.body = Pattern(200000)});
    {
        const FileSizeLimit full(50000);
        EXPECT_FALSE(download(server.url("/pic"), "pic"));
    }
    EXPECT_FALSE(QFile::exists(file("pic")));
    EXPECT_FALSE(transfer().DownloadToFile(server.url("/pic"), file("missing/folder/pic")));
    expectEnded();
}

TEST_F(HttpTransferTest, AnAbortWhileWaitingForTheAnswerEndsTheTransfer) {
    server.route("/late", {.body = "late", .headerDelay = 60});
    QTimer::singleShot(100, [&] { state.AbortRequested = true; });
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(transfer().GetPageText(server.url("/late")), "");
    EXPECT_LT(clock.elapsed(), 30000);
    EXPECT_TRUE(state.AbortRequested);
    expectEnded();
}

TEST_F(HttpTransferTest, AnAbortAfterTheHeadersCreatesNoFile) {
    server.route("/headers-only", {.body = Body5000, .stallAfter = 0, .stallFor = 60});
    QTimer::singleShot(300, [&] { state.AbortRequested = true; });
    EXPECT_FALSE(download(server.url("/headers-only"), "pic"));
    EXPECT_FALSE(QFile::exists(file("pic")));
    EXPECT_TRUE(state.AbortRequested);
    expectEnded();
}

TEST_F(HttpTransferTest, AnAbortBetweenChunksStopsBeforeTheNextChunk) {
    const QByteArray body = Pattern(102500);
    server.route("/pic", {.body = body});
    out.onCaption = [&](const QString& caption) {
        if (caption == "Dayglass - Downloading Image 30%")
            state.AbortRequested = true;
    };
    EXPECT_FALSE(download(server.url("/pic"), "pic"));
    EXPECT_FALSE(QFile::exists(file("pic")));
    EXPECT_EQ(out.captions.filter("Downloading Image").last(), "Dayglass - Downloading Image 30%");

    out.captions.clear();
    QByteArray text;
    EXPECT_FALSE(transfer().FetchURL(server.url("/pic"), false, {}, false, text));
    // Nothing was taken after the chunk that reached 30%.
    EXPECT_EQ(PercentOf(text.size(), 102500), 30);
    EXPECT_EQ(text, Pattern(102500).left(text.size()));
    EXPECT_TRUE(state.AbortRequested);
    expectEnded();
}

TEST_F(HttpTransferTest, AStaleAbortRequestIsClearedByTheNextTransfer) {
    server.route("/page", {.body = "fresh"});
    state.AbortRequested = true;
    EXPECT_EQ(transfer().GetPageText(server.url("/page")), "fresh");
    EXPECT_FALSE(state.AbortRequested);
}

TEST_F(HttpTransferTest, ANestedTransferIsRefusedAndAbortsTheRunningOne) {
    server.route("/pic", {.body = Pattern(102500)});
    server.route("/other", {.body = "other"});
    std::optional<bool> nested;
    qsizetype captionsBefore = 0, captionsAfter = 0;
    out.onCaption = [&](const QString& caption) {
        if (caption != "Dayglass - Downloading Image 10%" || nested)
            return;
        EXPECT_TRUE(state.TransferActive);
        captionsBefore = out.captions.size();
        QByteArray text = "untouched";
        nested = transfer().FetchURL(server.url("/other"), false, {}, false, text);
        captionsAfter = out.captions.size();
        EXPECT_EQ(text, "untouched");
        EXPECT_TRUE(state.TransferActive);
        EXPECT_TRUE(state.AbortRequested);
    };
    EXPECT_FALSE(download(server.url("/pic"), "pic"));
    EXPECT_EQ(nested, false);
    EXPECT_EQ(captionsAfter, captionsBefore);
    EXPECT_TRUE(server.requestsFor("/other").isEmpty());
    EXPECT_TRUE(state.AbortRequested);
    EXPECT_FALSE(QFile::exists(file("pic")));
    expectEnded();
}

TEST_F(HttpTransferTest, TheEventLoopRunsWhileTheServerIsSlow) {
    server.route("/slow-start", {.body = "ok", .headerDelay = 0.6});
    server.route("/stalls", {.body = Body5000, .stallAfter = 1000, .stallFor = 0.6});
    for (const char* path : {"/slow-start", "/stalls"}) {
        SCOPED_TRACE(path);
        int ticks = 0;
        QTimer timer;
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start();
        EXPECT_FALSE(transfer().GetPageText(server.url(path)).isEmpty());
        EXPECT_GE(ticks, 5);
    }
}

} // namespace
