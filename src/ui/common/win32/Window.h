#pragma once

#include <string>
#include <windows.h>

namespace corvano {

// A window of a class of our own whose messages go to a C++ object. The object owns the
// window: destroying the object destroys the window. A derived class that handles messages
// sent while its window is destroyed (WM_DESTROY) calls destroy() in its own destructor.
class Window
{
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND handle() const { return m_handle; }

protected:
    struct Creation
    {
        const wchar_t* className;
        DWORD style;
        DWORD exStyle = 0;
        std::wstring title{};
        HWND parent = nullptr;
        RECT place{};
        int id = 0; // a child window's control number
        // The class's background; null: the handler paints it all.
        HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    };

    Window() = default;
    // Registers the class on its first use; throws std::system_error when the window cannot
    // be made.
    void create(const Creation& creation);
    void destroy();
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);

    HWND m_handle = nullptr;
};

} // namespace corvano
