#include "download/HttpTransfer.h"

#include "download/CurlHandles.h"
#include "download/UrlParts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QScopeGuard>
#include <exception>

namespace {

// Bytes handed on per progress update and pass of event handling.
constexpr qsizetype ChunkSize = 1025;
// How long one wait for the network lasts before events are handled again.
constexpr int PollMs = 10;
// A Content-Length value must fit this buffer with its terminating zero.
constexpr qsizetype LengthBufferSize = 1024;
const char* const AgentName = "IExplorer";
const char* const AllowedSchemes = "http,https";

// A Content-Length value as a number of bytes, or -1 when it is no decimal number.
qint64 ParseLength(const QByteArray& value) {
    if (value.isEmpty())
        return -1;
    for (char c : value)
        if (c < '0' || c > '9')
            return -1;
    bool ok = false;
    const qint64 length = value.toLongLong(&ok);
    return ok ? length : -1;
}

// One transfer from the request to the closing of the file.
class Fetch {
public:
    Fetch(TransferState& state, StatusDisplay& display, const TransferLimits& limits, bool toFile,
          const QString& fileName, bool requireLength, QByteArray& text)
        : m_state(state), m_display(display), m_limits(limits), m_toFile(toFile),
          m_requireLength(requireLength), m_text(text), m_file(fileName),
          m_maxBytes(toFile ? limits.maxFileBytes : limits.maxPageBytes) {}

    bool run(const UrlParts& parts) {
        if (!IsTransferScheme(parts.Scheme))
            return false;
        const CurlMulti multi(curl_multi_init());
        const CurlEasy easy(curl_easy_init());
        if (!multi || !easy || !configure(easy.get(), RequestURL(parts)))
            return false;
        const CurlAttachment attachment(multi.get(), easy.get());
        if (!attachment.ok())
            return false;
        return finish(pump(multi.get()));
    }

private:
    bool configure(CURL* easy, const QString& url) {
        const QByteArray address = url.toUtf8();
        const QByteArray caBundle =
            (m_limits.caBundle.isEmpty() ? qEnvironmentVariable("DAYGLASS_CA_BUNDLE")
                                         : m_limits.caBundle)
                .toLocal8Bit();
        // Proxies come from libcurl's reading of http_proxy, https_proxy,
        // all_proxy and no_proxy. No cache exists to bypass: every transfer
        // has fresh handles and connections.
        bool ok =
            curl_easy_setopt(easy, CURLOPT_URL, address.constData()) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, AllowedSchemes) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, AllowedSchemes) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_USERAGENT, AgentName) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_REFERER, AgentName) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_MAXREDIRS, long{m_limits.maxRedirects}) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, long{m_limits.connectTimeoutMs}) ==
                CURLE_OK &&
            // The body is read until the server closes, so that more bytes
            // than announced are seen as such.
            curl_easy_setopt(easy, CURLOPT_IGNORE_CONTENT_LENGTH, 1L) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Fetch::onHeader) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_HEADERDATA, this) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Fetch::onBody) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_WRITEDATA, this) == CURLE_OK;
        if (ok && !caBundle.isEmpty())
            ok = curl_easy_setopt(easy, CURLOPT_CAINFO, caBundle.constData()) == CURLE_OK;
        return ok;
    }

    // Runs the transfer to its end, handling events while it waits; gives
    // libcurl's result, or nothing when the transfer was given up.
    std::optional<CURLcode> pump(CURLM* multi) {
        m_sinceActivity.start();
        for (;;) {
            int running = 0;
            if (curl_multi_perform(multi, &running) != CURLM_OK || m_failed)
                return std::nullopt;
            if (running == 0)
                break;
            if (curl_multi_poll(multi, nullptr, 0, PollMs, nullptr) != CURLM_OK)
                return std::nullopt;
            // Chunks taken since the last wait have had their pass each.
            if (m_chunksSinceWait == 0)
                QCoreApplication::processEvents();
            m_chunksSinceWait = 0;
            if (m_state.AbortRequested || m_sinceActivity.elapsed() > m_limits.stallTimeoutMs)
                return std::nullopt;
        }
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &left))
            if (message->msg == CURLMSG_DONE)
                return message->data.result;
        return std::nullopt;
    }

    // The answer's headers are in: the length is known and the body may come.
    bool beginBody() {
        if (m_state.AbortRequested)
            return false;
        if (!m_lengthSeen && m_requireLength)
            return false;
        if (m_lengthSeen) {
            m_length = ParseLength(m_lengthValue);
            if (m_length < 0 || m_length > m_maxBytes)
                return false;
        }
        if (m_toFile) {
            if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                return false;
        } else {
            m_text.clear();
        }
        m_bodyBegun = true;
        return true;
    }

    // Hands on one block from libcurl chunk by chunk; false gives up.
    bool takeBlock(const char* data, qsizetype size) {
        if (!m_bodyBegun && !beginBody())
            return false;
        for (qsizetype at = 0; at < size; at += ChunkSize) {
            if (m_state.AbortRequested)
                return false;
            const qsizetype piece = std::min(ChunkSize, size - at);
            if (m_received + piece > m_maxBytes)
                return false;
            if (m_toFile) {
                if (m_file.write(data + at, piece) != piece)
                    return false;
            } else {
                m_text.append(data + at, piece);
            }
            m_received += piece;
            if (m_length > 0)
                m_display.ShowProgress(m_received, m_length);
            QCoreApplication::processEvents();
            ++m_chunksSinceWait;
        }
        return true;
    }

    bool finish(std::optional<CURLcode> result) {
        if (result && !m_failed && *result == CURLE_OK && !m_bodyBegun && !beginBody())
            m_failed = true;
        // Once the body has begun, a failed read only ends it, as the end of
        // the data does; the received count decides.
        bool ok = result && !m_failed && m_bodyBegun &&
                  (m_toFile ? m_received == m_length : m_received > 0);
        if (m_file.isOpen()) {
            ok = m_file.flush() && ok;
            m_file.close();
            if (!ok)
                m_file.remove();
        }
        return ok;
    }

    static size_t onHeader(char* data, size_t size, size_t count, void* self) {
        Fetch& fetch = *static_cast<Fetch*>(self);
        const QByteArray line = QByteArray::fromRawData(data, qsizetype(size * count));
        fetch.m_sinceActivity.restart();
        if (line.startsWith("HTTP/")) {
            // A new answer (after a redirect): only the last one's length counts.
            fetch.m_lengthSeen = false;
        } else if (!fetch.m_lengthSeen && line.size() > 15 &&
                   qstrnicmp(line.constData(), "Content-Length:", 15) == 0) {
            const QByteArray value = line.mid(15).trimmed();
            if (value.size() < LengthBufferSize) {
                fetch.m_lengthSeen = true;
                fetch.m_lengthValue = value;
            }
        }
        return size * count;
    }

    static size_t onBody(char* data, size_t size, size_t count, void* self) {
        Fetch& fetch = *static_cast<Fetch*>(self);
        const size_t total = size * count;
        if (fetch.m_failed)
            return 0;
        fetch.m_sinceActivity.restart();
        try {
            if (fetch.takeBlock(data, qsizetype(total)))
                return total;
        } catch (const std::exception&) {
            // No exception may cross libcurl; it fails the transfer.
        }
        fetch.m_failed = true;
        return 0;
    }

    TransferState& m_state;
    StatusDisplay& m_display;
    const TransferLimits& m_limits;
    const bool m_toFile;
    const bool m_requireLength;
    QByteArray& m_text;
    QFile m_file;
    const qint64 m_maxBytes;
    QElapsedTimer m_sinceActivity;
    bool m_failed = false;
    bool m_bodyBegun = false;
    bool m_lengthSeen = false;
    QByteArray m_lengthValue;
    qint64 m_length = 0;
    qint64 m_received = 0;
    int m_chunksSinceWait = 0;
};

} // namespace

bool HttpTransfer::FetchURL(const QString& URL, bool ToFile, const QString& FileName,
                            bool RequireLength, QByteArray& Text) {
    if (m_state.TransferActive) {
        m_state.AbortRequested = true;
        return false;
    }
    m_state.TransferActive = true;
    const UrlParts parts = SplitURL(URL);
    m_state.AbortRequested = false;
    const auto ended = qScopeGuard([this] {
        m_display.ProgressEnd();
        m_state.TransferActive = false;
    });
    Fetch fetch(m_state, m_display, m_limits, ToFile, FileName, RequireLength, Text);
    return fetch.run(parts);
}

QByteArray HttpTransfer::GetPageText(const QString& URL) {
    QByteArray text;
    if (!FetchURL(URL, false, {}, false, text))
        text.clear();
    return text;
}

bool HttpTransfer::DownloadToFile(const QString& URL, const QString& FileName) {
    QByteArray scratch;
    return FetchURL(URL, true, FileName, true, scratch);
}
