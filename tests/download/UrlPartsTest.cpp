#include "download/UrlParts.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* url;
    const char* scheme;
    const char* host;
    const char* path;
    const char* request;
};

const SplitCase SplitCases[] = {
    {"HTTP://Server1/a/b.jpg", "http", "Server1", "/a/b.jpg", "http://Server1/a/b.jpg"},
    {"server1/x", "http", "server1", "/x", "http://server1/x"},
    {"http://server1", "http", "server1", "", "http://server1/"},
    {"https://server1/x", "https", "server1", "/x", "https://server1/x"},
    {"http://server1:8080/x", "http", "server1:8080", "/x", "http://server1:8080/x"},
    {"localhost:8080/x?a=1", "http", "localhost:8080", "/x?a=1", "http://localhost:8080/x?a=1"},
    {"ftp://h/x", "ftp", "h", "/x", "ftp://h/x"},
    {"FILE:///etc/passwd", "file", "", "/etc/passwd", "file:///etc/passwd"},
    // "://" after a "/" is part of the path, not a scheme.
    {"host/go?to=http://x/y", "http", "host", "/go?to=http://x/y", "http://host/go?to=http://x/y"},
};

TEST(SplitURL, TakesSchemeHostAndPathApart) {
    for (const SplitCase& c : SplitCases) {
        SCOPED_TRACE(c.url);
        const UrlParts parts = SplitURL(c.url);
        EXPECT_EQ(parts.Scheme, c.scheme);
        EXPECT_EQ(parts.Host, c.host);
        EXPECT_EQ(parts.Path, c.path);
        EXPECT_EQ(RequestURL(parts), c.request);
    }
}

TEST(SplitURL, OnlyHttpAndHttpsAreTransferSchemes) {
    EXPECT_TRUE(IsTransferScheme("http"));
    EXPECT_TRUE(IsTransferScheme("https"));
    for (const char* scheme : {"ftp", "file", "gopher", "HTTP", ""})
        EXPECT_FALSE(IsTransferScheme(scheme)) << scheme;
}

} // namespace
