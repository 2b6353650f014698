#include "WinHttpTransfer.h"

#include "WideText.h"
#include "Win32Error.h"
#include "WinHttpSession.h"

#include <algorithm>
#include <cwchar>
#include <stdexcept>
#include <string_view>
#include <windows.h>
#include <winhttp.h>

namespace corvano {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

struct InternetDeleter
{
    void operator()(void* handle) const { ::WinHttpCloseHandle(handle); }
};
using Internet = std::unique_ptr<void, InternetDeleter>;

struct EventDeleter
{
    void operator()(void* event) const { ::CloseHandle(event); }
};
using Event = std::unique_ptr<void, EventDeleter>;

Event newEvent(bool manualReset)
{
    HANDLE event = ::CreateEventW(nullptr, manualReset, FALSE, nullptr);
    if (!event)
        throw std::runtime_error("the system cannot create an event");
    return Event(event);
}

// What WinHTTP's completions hand the worker. It lives until WinHTTP reports the request's
// handle closing, since WinHTTP may still write into the buffer or call back until then; the
// notice itself deletes it.
struct Channel
{
    Event done = newEvent(false);
    DWORD status = 0;
    DWORD bytes = 0;
    DWORD error = 0;
    // The last redirect's target as the response named it, for a system that cannot tell the
    // request's own address.
    std::wstring redirectedTo;
    char buffer[16384];
};

void CALLBACK onStatus(HINTERNET, DWORD_PTR context, DWORD status, void* information, DWORD length)
{
    auto* channel = reinterpret_cast<Channel*>(context);
    if (!channel)
        return; // the session's and the connection's own notices
    switch (status) {
    case WINHTTP_CALLBACK_STATUS_HANDLE_CLOSING:
        delete channel;
        return;
    case WINHTTP_CALLBACK_STATUS_REDIRECT: {
        // Before the headers of the last response, whose event orders it for the worker. Some
        // systems count the terminating zero in the length, some give no length.
        const auto* target = static_cast<const wchar_t*>(information);
        const std::wstring_view given(target, length ? length : std::wcslen(target));
        channel->redirectedTo = given.substr(0, given.find(L'\0'));
        return;
    }
    case WINHTTP_CALLBACK_STATUS_REQUEST_ERROR:
        channel->error = static_cast<WINHTTP_ASYNC_RESULT*>(information)->dwError;
        break;
    case WINHTTP_CALLBACK_STATUS_READ_COMPLETE:
        channel->bytes = length;
        break;
    case WINHTTP_CALLBACK_STATUS_SENDREQUEST_COMPLETE:
    case WINHTTP_CALLBACK_STATUS_HEADERS_AVAILABLE:
        break;
    default:
        return;
    }
    // Written before the event is set, read after the worker's wait returns: the event orders
    // them.
    channel->status = status;
    ::SetEvent(channel->done.get());
}

// The address split as WinHTTP takes it.
struct Address
{
    std::wstring host;
    std::wstring pathAndQuery;
    INTERNET_PORT port = 0;
    bool secure = false;
};

bool crack(const std::string& text, long remotePort, Address& address)
{
    const std::wstring wide = WideText::fromUtf8(text);
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUrlPathLength =
        parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!::WinHttpCrackUrl(wide.c_str(), static_cast<DWORD>(wide.size()), 0, &parts) ||
        parts.dwHostNameLength == 0)
        return false;
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)
        return false;
    address.host.assign(parts.lpszHostName, parts.dwHostNameLength);
    address.pathAndQuery.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    address.pathAndQuery.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (address.pathAndQuery.empty() || address.pathAndQuery.front() != L'/')
        address.pathAndQuery.insert(0, L"/");
    address.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    // An address without a port of its own goes to the one set for plain HTTP.
    const wchar_t* afterHost = parts.lpszHostName + parts.dwHostNameLength;
    const bool hasPort = *afterHost == L':' || (*afterHost == L']' && afterHost[1] == L':');
    address.port = hasPort || address.secure ? parts.nPort : static_cast<INTERNET_PORT>(remotePort);
    return true;
}

} // namespace

// What the caller's thread and the worker share: the event a cancel sets, which every wait of
// the worker watches, so cancelling never waits for a time-out.
class WinHttpTransfer::Control : public ThreadedTransfer::Control
{
public:
    void cancel() override { ::SetEvent(m_cancelled.get()); }
    HANDLE event() const { return m_cancelled.get(); }

private:
    Event m_cancelled = newEvent(true);
};

// Runs one request on the worker thread.
class WinHttpTransfer::Worker
{
public:
    Worker(Request request, std::shared_ptr<Control> control,
           std::function<void(TransferState)> onState)
        : m_request(std::move(request)), m_control(std::move(control)),
          m_onState(std::move(onState))
    {}

    Result run()
    {
        Address address;
        if (!crack(m_request.address, m_request.remotePort, address))
            return failed(TransferFailure::Failed, "the address is not a valid URL");
        Internet session(
            WinHttpSession::open(m_request.direct, WideText::fromUtf8(m_request.address)));
        if (!session)
            return systemFailure(::GetLastError());
        ::WinHttpSetStatusCallback(session.get(), &onStatus,
                                   WINHTTP_CALLBACK_FLAG_ALL_COMPLETIONS |
                                       WINHTTP_CALLBACK_FLAG_HANDLES |
                                       WINHTTP_CALLBACK_FLAG_REDIRECT,
                                   0);
        const int idle = static_cast<int>(std::min<long>(m_request.idleSeconds, 2000000) * 1000);
        ::WinHttpSetTimeouts(session.get(), idle, idle, idle, idle);
        Internet connection(::WinHttpConnect(session.get(), address.host.c_str(), address.port, 0));
        if (!connection)
            return systemFailure(::GetLastError());
        m_deadline = Clock::now() + std::chrono::seconds(m_request.requestTimeout);
        m_lastByte = Clock::now();
        return request(connection.get(), address);
    }

private:
    enum class Wait
    {
        Completed,
        TimedOut,
        Cancelled
    };

    Result request(HINTERNET connection, const Address& address)
    {
        HINTERNET handle = ::WinHttpOpenRequest(
            connection, L"GET", address.pathAndQuery.c_str(), nullptr, WINHTTP_NO_REFERER,
            WINHTTP_DEFAULT_ACCEPT_TYPES, address.secure ? WINHTTP_FLAG_SECURE : 0);
        if (!handle)
            return systemFailure(::GetLastError());
        auto channel = std::make_unique<Channel>();
        configure(handle, *channel);
        m_onState(TransferState::Connecting);
        exchange(handle, *channel);
        close(handle, std::move(channel));
        return std::move(m_result);
    }

    void configure(HINTERNET handle, Channel& channel)
    {
        // The channel is the request's context from the start, not only once it is sent: a
        // send that fails at once still reports the handle closing to it, so close() does
        // not wait for a notice that would never come.
        auto context = reinterpret_cast<DWORD_PTR>(&channel);
        ::WinHttpSetOption(handle, WINHTTP_OPTION_CONTEXT_VALUE, &context, sizeof context);
        DWORD policy = WINHTTP_OPTION_REDIRECT_POLICY_ALWAYS;
        ::WinHttpSetOption(handle, WINHTTP_OPTION_REDIRECT_POLICY, &policy, sizeof policy);
        DWORD redirects = kMaxRedirects;
        ::WinHttpSetOption(handle, WINHTTP_OPTION_MAX_HTTP_AUTOMATIC_REDIRECTS, &redirects,
                           sizeof redirects);
        // Compressed pages arrive smaller; a system without decompression asks for none.
        DWORD decompression = WINHTTP_DECOMPRESSION_FLAG_ALL;
        ::WinHttpSetOption(handle, WINHTTP_OPTION_DECOMPRESSION, &decompression,
                           sizeof decompression);
    }

    // Sends the request and reads the body into m_result, or records the failure there.
    void exchange(HINTERNET handle, Channel& channel)
    {
        const auto context = reinterpret_cast<DWORD_PTR>(&channel);
        if (!::WinHttpSendRequest(handle, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA,
                                  0, 0, context))
            return fail(::GetLastError());
        if (!await(channel, WINHTTP_CALLBACK_STATUS_SENDREQUEST_COMPLETE))
            return;
        if (!::WinHttpReceiveResponse(handle, nullptr))
            return fail(::GetLastError());
        if (!await(channel, WINHTTP_CALLBACK_STATUS_HEADERS_AVAILABLE) || !acceptStatus(handle))
            return;
        m_result.contentType = header(handle, WINHTTP_QUERY_CONTENT_TYPE);
        m_result.effectiveUrl = finalAddress(handle, channel);
        while (m_result.body.size() < kReadSize) {
            const auto room = static_cast<DWORD>(
                std::min(sizeof channel.buffer, kReadSize - m_result.body.size()));
            if (!::WinHttpReadData(handle, channel.buffer, room, nullptr))
                return fail(::GetLastError());
            if (!await(channel, WINHTTP_CALLBACK_STATUS_READ_COMPLETE))
                return;
            if (channel.bytes == 0) {
                // A body closed short counts when some of it came; with none of a promised
                // body, the page was not fetched.
                if (m_result.body.empty() && promisesBody(handle))
                    failed(TransferFailure::Failed, "the connection closed before the body came");
                return; // the whole body has come
            }
            if (m_result.body.empty())
                m_onState(TransferState::ReceivingResponse);
            m_result.body.append(channel.buffer, channel.bytes);
        }
    }

    // Blocks until WinHTTP completes the step, a cancel comes, or the idle limit or the
    // request's time limit runs out. True when the step completed as expected.
    bool await(Channel& channel, DWORD expected)
    {
        const auto now = Clock::now();
        const auto left =
            std::min(m_lastByte + std::chrono::seconds(m_request.idleSeconds), m_deadline) - now;
        const auto milliseconds =
            std::max<long long>(0, std::chrono::ceil<std::chrono::milliseconds>(left).count());
        const HANDLE events[] = {channel.done.get(), m_control->event()};
        const DWORD woken = ::WaitForMultipleObjects(
            2, events, FALSE, static_cast<DWORD>(std::min<long long>(milliseconds, 0x7FFFFFFF)));
        if (woken == WAIT_OBJECT_0 + 1) {
            failed(TransferFailure::Cancelled, "cancelled");
            return false;
        }
        if (woken != WAIT_OBJECT_0) {
            failed(TransferFailure::TimedOut, "Timeout was reached");
            return false;
        }
        m_lastByte = Clock::now();
        if (channel.status == WINHTTP_CALLBACK_STATUS_REQUEST_ERROR) {
            fail(channel.error);
            return false;
        }
        return channel.status == expected;
    }

    // Error statuses fail the transfer, as they would fail a browser's: the body is an error
    // page, not the list the user asked for.
    bool acceptStatus(HINTERNET handle)
    {
        DWORD status = 0;
        DWORD size = sizeof status;
        if (!::WinHttpQueryHeaders(handle, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                                   WINHTTP_HEADER_NAME_BY_INDEX, &status, &size,
                                   WINHTTP_NO_HEADER_INDEX)) {
            fail(::GetLastError());
            return false;
        }
        if (status < 400)
            return true;
        failed(TransferFailure::Failed,
               "The requested URL returned error: " + std::to_string(status));
        return false;
    }

    static bool promisesBody(HINTERNET handle)
    {
        const std::string length = header(handle, WINHTTP_QUERY_CONTENT_LENGTH);
        return !length.empty() && length.find_first_not_of('0') != std::string::npos;
    }

    static std::string header(HINTERNET handle, DWORD which)
    {
        DWORD size = 0;
        ::WinHttpQueryHeaders(handle, which, WINHTTP_HEADER_NAME_BY_INDEX, nullptr, &size,
                              WINHTTP_NO_HEADER_INDEX);
        if (size == 0)
            return {};
        std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
        if (!::WinHttpQueryHeaders(handle, which, WINHTTP_HEADER_NAME_BY_INDEX, value.data(), &size,
                                   WINHTTP_NO_HEADER_INDEX))
            return {};
        value.resize(size / sizeof(wchar_t));
        return WideText::toUtf8(value);
    }

    // The address of the page received, after any redirects. Where the system cannot say
    // (Wine's WinHTTP), the address asked for when nothing redirected it, or the redirect's
    // target when that is a whole address; otherwise none is known.
    std::string finalAddress(HINTERNET handle, const Channel& channel) const
    {
        DWORD size = 0;
        ::WinHttpQueryOption(handle, WINHTTP_OPTION_URL, nullptr, &size);
        std::wstring address(size / sizeof(wchar_t) + 1, L'\0');
        if (size == 0 || !::WinHttpQueryOption(handle, WINHTTP_OPTION_URL, address.data(), &size))
            return fallbackAddress(channel);
        address.resize(size / sizeof(wchar_t));
        while (!address.empty() && address.back() == L'\0')
            address.pop_back();
        return WideText::toUtf8(address);
    }

    std::string fallbackAddress(const Channel& channel) const
    {
        if (channel.redirectedTo.empty())
            return m_request.address;
        Address whole;
        return crack(WideText::toUtf8(channel.redirectedTo), m_request.remotePort, whole)
                   ? WideText::toUtf8(channel.redirectedTo)
                   : std::string();
    }

    // WinHTTP calls back until it reports the handle closing, which may come long after a
    // cancel (Wine's comes when the silent server's wait runs out); the channel is handed to
    // that notice, so the worker ends at once and a closing window is not held open.
    static void close(HINTERNET handle, std::unique_ptr<Channel> channel)
    {
        if (::WinHttpCloseHandle(handle))
            channel.release();
    }

    void fail(DWORD error)
    {
        if (error == ERROR_WINHTTP_TIMEOUT)
            failed(TransferFailure::TimedOut, "Timeout was reached");
        else if (error == ERROR_WINHTTP_OPERATION_CANCELLED)
            failed(TransferFailure::Cancelled, "cancelled");
        else
            systemFailure(error);
    }

    Result systemFailure(DWORD error)
    {
        return failed(TransferFailure::Failed,
                      Win32Error::text(error, ::GetModuleHandleW(L"winhttp.dll")));
    }

    Result failed(TransferFailure failure, std::string text)
    {
        m_result.body.clear();
        m_result.effectiveUrl.clear();
        m_result.failure = failure;
        m_result.failureText = std::move(text);
        return m_result;
    }

    Request m_request;
    std::shared_ptr<Control> m_control;
    std::function<void(TransferState)> m_onState;
    Result m_result;
    Clock::time_point m_lastByte;
    Clock::time_point m_deadline;
};

WinHttpTransfer::WinHttpTransfer(EventPoster& poster, std::chrono::seconds idleLimit)
    : ThreadedTransfer(poster, idleLimit, driverOf<Worker, Control>())
{}

} // namespace corvano
