#pragma once

#include <curl/curl.h>
#include <memory>

// Owners of libcurl handles.
struct CurlEasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct CurlMultiDeleter {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
using CurlEasy = std::unique_ptr<CURL, CurlEasyDeleter>;
using CurlMulti = std::unique_ptr<CURLM, CurlMultiDeleter>;

// Keeps an easy handle attached to a multi handle for its own lifetime.
class CurlAttachment {
public:
    CurlAttachment(CURLM* multi, CURL* easy)
        : m_multi(multi), m_easy(easy), m_ok(curl_multi_add_handle(multi, easy) == CURLM_OK) {}
    ~CurlAttachment() {
        if (m_ok)
            curl_multi_remove_handle(m_multi, m_easy);
    }
    CurlAttachment(const CurlAttachment&) = delete;
    CurlAttachment& operator=(const CurlAttachment&) = delete;
    bool ok() const { return m_ok; }

private:
    CURLM* m_multi;
    CURL* m_easy;
    bool m_ok;
};
