#include "download/ResolveLink.h"

#include <curl/curl.h>

#include <cctype>
#include <memory>

namespace {

constexpr qsizetype MaxResolvedLength = 500;

struct UrlFree {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
struct TextFree {
    void operator()(char* text) const { curl_free(text); }
};

bool IsWhite(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool IsHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Percent-encodes controls, spaces, bytes above 127, the characters that may
// not stand in a URL, and any "%" that does not begin an escape.
QByteArray EncodeUnsafe(const QByteArray& text) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    static constexpr QByteArrayView Unsafe = "\"<>\\^`{|}";
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool brokenEscape =
            byte == '%' && !(i + 2 < text.size() && IsHex(text[i + 1]) && IsHex(text[i + 2]));
        if (byte <= 0x20 || byte >= 0x7F || Unsafe.contains(static_cast<char>(byte)) ||
            brokenEscape) {
            out.append('%');
            out.append(Digits[byte >> 4]);
            out.append(Digits[byte & 0x0F]);
        } else {
            out.append(static_cast<char>(byte));
        }
    }
    return out;
}

// A reference with its own scheme, such as "g:h" or "https://x/".
bool HasScheme(const QByteArray& ref) {
    if (ref.isEmpty() || !std::isalpha(static_cast<unsigned char>(ref[0])))
        return false;
    for (const char c : ref) {
        if (c == ':')
            return true;
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return false;
}

QString UrlText(CURLU* url) {
    char* raw = nullptr;
    if (curl_url_get(url, CURLUPART_URL, &raw, 0) != CURLUE_OK)
        return {};
    const std::unique_ptr<char, TextFree> text(raw);
    return QString::fromUtf8(text.get());
}

// Resolves ref against base as a relative reference. curl's own resolution
// leaves three forms wrong, so they are handled here: a reference with its
// own scheme stands alone, an empty one is the base, and a fragment alone
// replaces only the base's fragment.
QString Combine(const QByteArray& base, const QByteArray& ref) {
    const std::unique_ptr<CURLU, UrlFree> url(curl_url());
    if (!url)
        return {};
    const unsigned int flags = CURLU_NON_SUPPORT_SCHEME;
    if (HasScheme(ref)) {
        if (curl_url_set(url.get(), CURLUPART_URL, ref.constData(), flags) != CURLUE_OK)
            return QString::fromUtf8(ref);
        return UrlText(url.get());
    }
    if (curl_url_set(url.get(), CURLUPART_URL, base.constData(), flags | CURLU_GUESS_SCHEME) !=
        CURLUE_OK)
        return {};
    CURLUcode rc = CURLUE_OK;
    if (ref.isEmpty())
        rc = curl_url_set(url.get(), CURLUPART_FRAGMENT, nullptr, 0);
    else if (ref.startsWith('#'))
        rc = curl_url_set(url.get(), CURLUPART_FRAGMENT, ref.constData() + 1, 0);
    else
        rc = curl_url_set(url.get(), CURLUPART_URL, ref.constData(), flags);
    return rc == CURLUE_OK ? UrlText(url.get()) : QString();
}

} // namespace

QString ResolveLink(const QString& baseUrl, const QString& link) {
    if (baseUrl.isEmpty())
        return link;
    if (link.toUpper().contains(QLatin1String("TP:/")))
        return link;
    QByteArray ref = link.toUtf8();
    while (!ref.isEmpty() && IsWhite(ref.back()))
        ref.chop(1);
    const QString combined = Combine(EncodeUnsafe(baseUrl.trimmed().toUtf8()), EncodeUnsafe(ref));
    return combined.size() > MaxResolvedLength ? QString() : combined;
}
