#include "Window.h"

#include "WindowIcon.h"

#include <system_error>

namespace corvano {

namespace {

void registerClass(const wchar_t* className, HBRUSH background, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    if (::GetClassInfoExW(::GetModuleHandleW(nullptr), className, &windowClass))
        return;
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    windowClass.hIcon = WindowIcon::large();
    windowClass.hIconSm = WindowIcon::small();
    if (!::RegisterClassExW(&windowClass))
        throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(),
                                "RegisterClassExW");
}

} // namespace

Window::~Window()
{
    destroy();
}

void Window::create(const Creation& creation)
{
    registerClass(creation.className, creation.background, &Window::windowProcedure);
    const RECT& place = creation.place;
    const HWND window = ::CreateWindowExW(
        creation.exStyle, creation.className, creation.title.c_str(), creation.style, place.left,
        place.top, place.right - place.left, place.bottom - place.top, creation.parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(creation.id)), ::GetModuleHandleW(nullptr),
        this);
    if (!window)
        throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(),
                                "CreateWindowExW");
}

void Window::destroy()
{
    if (m_handle)
        ::DestroyWindow(m_handle);
}

LRESULT Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(m_handle, message, wParam, lParam);
}

LRESULT CALLBACK Window::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_handle = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return ::DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = self->handleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->m_handle = nullptr;
    }
    return result;
}

} // namespace corvano
