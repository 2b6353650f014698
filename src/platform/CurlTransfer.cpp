#include "CurlTransfer.h"

#include <algorithm>
#include <curl/curl.h>
#include <mutex>
#include <stdexcept>

namespace corvano {

namespace {

struct CurlEasyDeleter
{
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};

struct CurlUrlDeleter
{
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};

struct CurlMultiDeleter
{
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};

// libcurl's process-wide start-up, which must not race or repeat while transfers run: done
// once, before the first transfer; the clean-up runs when the process ends.
class CurlLibrary
{
public:
    CurlLibrary() { curl_global_init(CURL_GLOBAL_DEFAULT); }
    ~CurlLibrary() { curl_global_cleanup(); }
    CurlLibrary(const CurlLibrary&) = delete;
    CurlLibrary& operator=(const CurlLibrary&) = delete;

    static void start() { static const CurlLibrary library; }
};

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

} // namespace

// What the user-interface thread and the worker share: a cancel request, and while a request
// runs, the handle whose wait a cancel interrupts, so cancelling never waits for a time-out.
class CurlTransfer::Control : public ThreadedTransfer::Control
{
public:
    void cancel() override
    {
        const std::lock_guard lock(m_mutex);
        m_cancelled = true;
        if (m_multi)
            curl_multi_wakeup(m_multi);
    }
    bool cancelled()
    {
        const std::lock_guard lock(m_mutex);
        return m_cancelled;
    }
    void attach(CURLM* multi)
    {
        const std::lock_guard lock(m_mutex);
        m_multi = multi;
    }

private:
    std::mutex m_mutex;
    bool m_cancelled = false;
    CURLM* m_multi = nullptr;
};

// Runs one request on the worker thread.
class CurlTransfer::Worker
{
public:
    Worker(Request request, std::shared_ptr<Control> control,
           std::function<void(TransferState)> onState)
        : m_request(std::move(request)), m_control(std::move(control)),
          m_onState(std::move(onState))
    {}

    Result run()
    {
        std::unique_ptr<CURL, CurlEasyDeleter> easy(curl_easy_init());
        std::unique_ptr<CURLU, CurlUrlDeleter> url(curl_url());
        if (!easy || !url)
            return failed(TransferFailure::Failed, "out of memory");
        if (!parseAddress(url.get()))
            return failed(TransferFailure::Failed, "the address is not a valid URL");
        configure(easy.get(), url.get());
        m_onState(TransferState::Connecting);
        const CURLcode code = perform(easy.get());
        return outcome(easy.get(), code);
    }

private:
    static std::size_t onBody(char* data, std::size_t, std::size_t size, void* self)
    {
        return static_cast<Worker*>(self)->take(data, size);
    }

    static int onProgress(void* self, curl_off_t, curl_off_t received, curl_off_t, curl_off_t)
    {
        static_cast<Worker*>(self)->heard(received);
        return 0;
    }

    static std::size_t onHeader(char*, std::size_t, std::size_t size, void* self)
    {
        static_cast<Worker*>(self)->m_lastByte = Clock::now();
        return size;
    }

    void heard(curl_off_t received)
    {
        if (received == m_received)
            return;
        m_received = received;
        m_lastByte = Clock::now();
    }

    // Drives the request through a multi handle, whose wait a cancel can wake at once. The
    // request ends once the read size is full, or when nothing has arrived for the idle limit
    // (timed here from the last byte: libcurl's own low-speed check averages over seconds).
    CURLcode perform(CURL* easy)
    {
        std::unique_ptr<CURLM, CurlMultiDeleter> multi(curl_multi_init());
        if (!multi || curl_multi_add_handle(multi.get(), easy) != CURLM_OK)
            return CURLE_OUT_OF_MEMORY;
        m_control->attach(multi.get());
        m_lastByte = Clock::now();
        CURLcode code = CURLE_OK;
        for (int running = 1;;) {
            if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
                code = CURLE_FAILED_INIT;
                break;
            }
            if (m_control->cancelled()) {
                code = CURLE_ABORTED_BY_CALLBACK;
                break;
            }
            // An ended transfer reports its own result, however long it was quiet before.
            if (running == 0 || m_result.body.size() >= kReadSize)
                break;
            const auto quiet = Clock::now() - m_lastByte;
            if (quiet >= m_idleLimit) {
                code = CURLE_OPERATION_TIMEDOUT;
                break;
            }
            // Waking each second at the least keeps the wait within what a poll can take.
            const auto left = std::min<std::chrono::milliseconds>(
                std::chrono::ceil<std::chrono::milliseconds>(m_idleLimit - quiet), 1s);
            curl_multi_poll(multi.get(), nullptr, 0, static_cast<int>(left.count()), nullptr);
        }
        m_control->attach(nullptr);
        int queued = 0;
        while (const CURLMsg* message = curl_multi_info_read(multi.get(), &queued)) {
            if (message->msg == CURLMSG_DONE && code == CURLE_OK)
                code = message->data.result;
        }
        curl_multi_remove_handle(multi.get(), easy);
        return code;
    }

    std::size_t take(const char* data, std::size_t size)
    {
        if (m_result.body.empty() && size > 0)
            m_onState(TransferState::ReceivingResponse);
        const std::size_t room = kReadSize - m_result.body.size();
        const std::size_t taken = std::min(room, size);
        m_result.body.append(data, taken);
        // Taking less than offered ends the transfer: the rest is never downloaded.
        return m_result.body.size() >= kReadSize ? taken : size;
    }

    bool parseAddress(CURLU* url)
    {
        if (curl_url_set(url, CURLUPART_URL, m_request.address.c_str(), 0) != CURLUE_OK)
            return false;
        char* port = nullptr;
        const bool hasPort = curl_url_get(url, CURLUPART_PORT, &port, 0) == CURLUE_OK;
        curl_free(port);
        if (!hasPort) {
            const std::string remotePort = std::to_string(m_request.remotePort);
            curl_url_set(url, CURLUPART_PORT, remotePort.c_str(), 0);
        }
        return true;
    }

    void configure(CURL* easy, CURLU* url)
    {
        curl_easy_setopt(easy, CURLOPT_CURLU, url);
        curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 10L);
        curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L);
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy, CURLOPT_TIMEOUT, m_request.requestTimeout);
        // Stopping never waits for a host-name lookup that is still running: its thread is
        // left to finish on its own.
        curl_easy_setopt(easy, CURLOPT_QUICK_EXIT, 1L);
        curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &Worker::onProgress);
        curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
        curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Worker::onHeader);
        curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(easy, CURLOPT_USERAGENT, "Corvano/1.0");
        curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "");
        if (m_request.direct)
            curl_easy_setopt(easy, CURLOPT_NOPROXY, "*");
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Worker::onBody);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    }

    Result outcome(CURL* easy, CURLcode code)
    {
        char* type = nullptr;
        if (curl_easy_getinfo(easy, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type)
            m_result.contentType = type;
        char* effective = nullptr;
        if (curl_easy_getinfo(easy, CURLINFO_EFFECTIVE_URL, &effective) == CURLE_OK && effective)
            m_result.effectiveUrl = effective;
        const bool capped = code == CURLE_WRITE_ERROR && m_result.body.size() >= kReadSize;
        // A body closed short of its announced length counts when some of it came: what came
        // is the page. With none of it, the page was not fetched.
        const bool shortBody = code == CURLE_PARTIAL_FILE && !m_result.body.empty();
        if (code == CURLE_OK || capped || shortBody)
            return std::move(m_result);
        if (code == CURLE_ABORTED_BY_CALLBACK)
            return failed(TransferFailure::Cancelled, "cancelled");
        if (code == CURLE_OPERATION_TIMEDOUT)
            return failed(TransferFailure::TimedOut, curl_easy_strerror(code));
        return failed(TransferFailure::Failed, curl_easy_strerror(code));
    }

    Result failed(TransferFailure failure, std::string text)
    {
        m_result.body.clear();
        m_result.effectiveUrl.clear();
        m_result.failure = failure;
        m_result.failureText = std::move(text);
        return std::move(m_result);
    }

    Request m_request;
    std::chrono::seconds m_idleLimit{m_request.idleSeconds};
    std::shared_ptr<Control> m_control;
    std::function<void(TransferState)> m_onState;
    Result m_result;
    Clock::time_point m_lastByte;
    curl_off_t m_received = 0;
};

CurlTransfer::CurlTransfer(EventPoster& poster, std::chrono::seconds idleLimit)
    : ThreadedTransfer(poster, idleLimit, driverOf<Worker, Control>())
{
    CurlLibrary::start();
}

} // namespace corvano
