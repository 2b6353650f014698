#include "FolderList.h"

#include "DriveFolders.h"
#include "FolderChain.h"
#include "Subfolders.h"

#include <algorithm>
#include <commctrl.h>
#include <optional>
#include <shellapi.h>

namespace corvano {

namespace {

// Each level of the chain sits this much further right; the gaps around a picture.
constexpr int kIndentTwips = 180;
constexpr int kGapTwips = 60;

HICON folderIcon(UINT openOrClosed)
{
    SHFILEINFOW info{};
    ::SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                     SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES | openOrClosed);
    return info.hIcon;
}

int iconSize(Dpi dpi)
{
    return dpi.systemMetric(SM_CYSMICON);
}

} // namespace

FolderList::FolderList(HWND listBox, Dpi dpi)
    : m_list(listBox), m_dpi(dpi), m_closedFolder(folderIcon(0)),
      m_openFolder(folderIcon(SHGFI_OPENICON))
{
    ::SetWindowSubclass(m_list, &FolderList::subclassProcedure, 0,
                        reinterpret_cast<DWORD_PTR>(this));
    fitRows(dpi);
}

FolderList::~FolderList()
{
    if (m_list)
        ::RemoveWindowSubclass(m_list, &FolderList::subclassProcedure, 0);
}

bool FolderList::setPath(const std::wstring& folder)
{
    std::optional<std::vector<Row>> rows = rowsOf(DriveFolders::fullPath(folder));
    if (!rows)
        return false;
    m_path = openRow(*rows).path;
    show(std::move(*rows), m_path);
    return true;
}

void FolderList::refresh()
{
    // The highlighted folder stays highlighted while it is still there.
    std::optional<std::vector<Row>> rows = rowsOf(m_path);
    if (rows)
        show(std::move(*rows), highlightedPath());
}

std::optional<std::vector<FolderList::Row>> FolderList::rowsOf(const std::wstring& fullPath)
{
    std::vector<FolderLink> chain = FolderChain::of(fullPath);
    const auto subfolders = chain.empty() ? std::nullopt : Subfolders::of(chain.back().path);
    if (!subfolders)
        return std::nullopt;
    std::vector<Row> rows;
    for (FolderLink& link : chain)
        rows.push_back(
            {std::move(link.name), std::move(link.path), static_cast<int>(rows.size()), true});
    const int level = static_cast<int>(rows.size());
    const std::wstring& open = rows.back().path;
    const std::wstring above = open.ends_with(L'\\') ? open : open + L'\\';
    for (const std::wstring& name : *subfolders)
        rows.push_back({name, above + name, level, false});
    return rows;
}

const FolderList::Row& FolderList::openRow(const std::vector<Row>& rows)
{
    return *std::find_if(rows.rbegin(), rows.rend(), [](const Row& row) { return row.open; });
}

std::wstring FolderList::highlightedPath() const
{
    const LRESULT index = ::SendMessageW(m_list, LB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<std::size_t>(index) >= m_rows.size())
        return {};
    return m_rows[static_cast<std::size_t>(index)].path;
}

void FolderList::show(std::vector<Row> rows, const std::wstring& highlighted)
{
    ::SendMessageW(m_list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(m_list, LB_RESETCONTENT, 0, 0);
    m_rows = std::move(rows);
    // What was highlighted and has gone gives way to the open folder.
    LRESULT highlight = LB_ERR;
    LRESULT open = LB_ERR;
    for (const Row& row : m_rows) {
        const LRESULT index =
            ::SendMessageW(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.name.c_str()));
        if (row.path == highlighted)
            highlight = index;
        if (row.path == m_path)
            open = index;
    }
    if (highlight == LB_ERR)
        highlight = open;
    ::SendMessageW(m_list, LB_SETCURSEL, static_cast<WPARAM>(highlight), 0);
    ::SendMessageW(m_list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(m_list, nullptr, TRUE);
}

void FolderList::openFolderAt(LRESULT index)
{
    // A folder that vanished or became unreadable since it was listed stays closed.
    if (index >= 0 && static_cast<std::size_t>(index) < m_rows.size())
        setPath(std::wstring(m_rows[static_cast<std::size_t>(index)].path));
}

int FolderList::rowHeight(Dpi dpi)
{
    return iconSize(dpi) + dpi.pixels(kGapTwips);
}

void FolderList::fitRows(Dpi dpi)
{
    m_dpi = dpi;
    const HDC dc = ::GetDC(m_list);
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(m_list, WM_GETFONT, 0, 0));
    const HGDIOBJ old = ::SelectObject(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_list, dc);
    const int height = std::max(rowHeight(dpi), static_cast<int>(metrics.tmHeight) + 2);
    ::SendMessageW(m_list, LB_SETITEMHEIGHT, 0, height);
}

void FolderList::draw(const DRAWITEMSTRUCT& item) const
{
    const HDC dc = item.hDC;
    const RECT& area = item.rcItem;
    const bool selected = item.itemState & ODS_SELECTED;
    ::FillRect(dc, &area, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID < m_rows.size()) {
        const Row& row = m_rows[item.itemID];
        const int icon = iconSize(m_dpi);
        const int left =
            area.left + m_dpi.pixels(kGapTwips) + row.level * m_dpi.pixels(kIndentTwips);
        ::DrawIconEx(dc, left, area.top + (area.bottom - area.top - icon) / 2,
                     row.open ? m_openFolder.get() : m_closedFolder.get(), icon, icon, 0, nullptr,
                     DI_NORMAL);
        RECT text = area;
        text.left = left + icon + m_dpi.pixels(kGapTwips);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        ::DrawTextW(dc, row.name.c_str(), static_cast<int>(row.name.size()), &text,
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (item.itemState & ODS_FOCUS)
        ::DrawFocusRect(dc, &area);
}

LRESULT CALLBACK FolderList::subclassProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR, DWORD_PTR self)
{
    auto* list = reinterpret_cast<FolderList*>(self);
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(window, &FolderList::subclassProcedure, 0);
        list->m_list = nullptr;
        return ::DefSubclassProc(window, message, wParam, lParam);
    }
    return list->handleMessage(message, wParam, lParam);
}

LRESULT FolderList::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND list = m_list;
    switch (message) {
    case WM_GETDLGCODE: {
        // Enter is the list's own key: the window's keyboard handling must not take it.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        const LRESULT code = ::DefSubclassProc(list, message, wParam, lParam);
        if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN)
            return code | DLGC_WANTMESSAGE;
        return code;
    }
    case WM_KEYDOWN:
        if (wParam != VK_RETURN)
            break;
        openFolderAt(::SendMessageW(list, LB_GETCURSEL, 0, 0));
        return 0;
    case WM_CHAR:
        if (wParam == L'\r')
            return 0;
        break;
    case WM_LBUTTONDBLCLK: {
        const LRESULT result = ::DefSubclassProc(list, message, wParam, lParam);
        // Only a double click on a row opens it, not one below the last row.
        const LRESULT hit = ::SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam);
        if (HIWORD(hit) == 0)
            openFolderAt(LOWORD(hit));
        return result;
    }
    default:
        break;
    }
    return ::DefSubclassProc(list, message, wParam, lParam);
}

} // namespace corvano
