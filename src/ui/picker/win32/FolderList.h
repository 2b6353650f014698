#pragma once

#include "ui/common/win32/ControlSet.h"

#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>
#include <windows.h>

namespace corvano {

// The folder list ("Dir1"), a list box drawn here: the ancestors of the open folder, the open
// folder and its subfolders, indented as a chain, each with a folder picture. A double click
// or Enter opens a folder; a single click only highlights it. The window that holds the list
// hands its WM_MEASUREITEM and WM_DRAWITEM for the list to rowHeight() and draw().
class FolderList
{
public:
    static constexpr ControlSet::Control kKind{L"LISTBOX",
                                               WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED |
                                                   LBS_HASSTRINGS | LBS_NOTIFY |
                                                   LBS_NOINTEGRALHEIGHT,
                                               WS_EX_CLIENTEDGE};

    // Takes over a list box made with kKind.
    FolderList(HWND listBox, Dpi dpi);
    ~FolderList();
    FolderList(const FolderList&) = delete;
    FolderList& operator=(const FolderList&) = delete;

    HWND handle() const { return m_list; }
    // The open folder: a root ends with "\", every other path does not.
    const std::wstring& path() const { return m_path; }
    // Opens the folder; false, with nothing changed, when it cannot be listed.
    bool setPath(const std::wstring& folder);
    // Lists the open folder's subfolders again as they now are.
    void refresh();

    // The height of a row before the list has its font.
    static int rowHeight(Dpi dpi);
    // Sizes the rows for the list's font and pictures at the resolution.
    void fitRows(Dpi dpi);
    void draw(const DRAWITEMSTRUCT& item) const;

private:
    struct Row
    {
        std::wstring name;
        std::wstring path;
        int level;
        bool open; // the open folder or one of its ancestors
    };
    struct IconDestroyer
    {
        void operator()(HICON icon) const { ::DestroyIcon(icon); }
    };
    using Icon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

    static LRESULT CALLBACK subclassProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR, DWORD_PTR self);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The chain down to the folder and its subfolders; nothing when it cannot be listed.
    static std::optional<std::vector<Row>> rowsOf(const std::wstring& fullPath);
    static const Row& openRow(const std::vector<Row>& rows);
    void openFolderAt(LRESULT index);
    void show(std::vector<Row> rows, const std::wstring& highlighted);
    std::wstring highlightedPath() const;

    HWND m_list;
    Dpi m_dpi;
    std::wstring m_path;
    std::vector<Row> m_rows;
    Icon m_closedFolder;
    Icon m_openFolder;
};

} // namespace corvano
