#include "player/app/PlaylistColumns.h"

#include <commctrl.h>

#include <algorithm>

#include "sdk/utf8.h"
#include "sdk/win/dpi.h"
#include "sdk/win/unique_handle.h"

namespace player {
namespace {

constexpr int default_width = 120;
constexpr int min_width = 8;
constexpr UINT command_other_field = 1000;

int index_of(const std::vector<std::string>& fields, const std::string& field) {
    auto found = std::find(fields.begin(), fields.end(), field);
    return found == fields.end() ? -1 : int(found - fields.begin());
}

}  // namespace

const std::vector<KnownColumn>& PlaylistColumns::known() {
    static const std::vector<KnownColumn> columns = {
        {"ARTIST", L"Artist", 140},    {"ALBUM", L"Album", 140},          {"TRACKNUMBER", L"Track", 50},
        {"TITLE", L"Title", 180},      {"DATE", L"Date", 70},             {"GENRE", L"Genre", 140},
        {"MOOD", L"Mood", 100},        {file_name_field, L"File", 220},   {path_field, L"Path", 300},
    };
    return columns;
}

std::vector<ColumnLayout> PlaylistColumns::defaults() {
    return {{"ARTIST", 140}, {"TITLE", 180}, {"GENRE", 140}, {file_name_field, 220},
            {"ALBUM", 140},  {"TRACKNUMBER", 50}, {"DATE", 70}};
}

std::wstring PlaylistColumns::title_of(const std::string& field) {
    for (const auto& column : known())
        if (field == column.field) return column.title;
    return sonavel::utf8_to_wide(field);
}

PlaylistColumns::PlaylistColumns(HWND list) : list_(list) {}

void PlaylistColumns::set(std::vector<ColumnLayout> columns) {
    if (columns.empty()) {
        // The defaults are widths at 96 DPI; widths the user left are kept as they are.
        columns = defaults();
        for (auto& column : columns) column.width = sonavel::scale_to_dpi(column.width, sonavel::window_dpi(list_));
    }
    while (!fields_.empty()) {
        ListView_DeleteColumn(list_, int(fields_.size()) - 1);
        fields_.pop_back();
    }
    for (const auto& column : columns) {
        if (column.field.empty() || index_of(fields_, column.field) >= 0) continue;
        std::wstring title = title_of(column.field);
        LVCOLUMNW item = {};
        item.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        item.pszText = title.data();
        item.cx = std::max(column.width, min_width);
        item.iSubItem = int(fields_.size());
        ListView_InsertColumn(list_, int(fields_.size()), &item);
        fields_.push_back(column.field);
    }
    InvalidateRect(list_, nullptr, TRUE);
}

std::vector<ColumnLayout> PlaylistColumns::layout() const {
    std::vector<int> order(fields_.size());
    if (!order.empty()) ListView_GetColumnOrderArray(list_, int(order.size()), order.data());
    std::vector<ColumnLayout> out;
    for (int subitem : order) {
        if (subitem < 0 || subitem >= count()) continue;
        out.push_back({fields_[std::size_t(subitem)], ListView_GetColumnWidth(list_, subitem)});
    }
    return out;
}

const std::string& PlaylistColumns::field(int subitem) const {
    static const std::string none;
    return subitem >= 0 && subitem < count() ? fields_[std::size_t(subitem)] : none;
}

void PlaylistColumns::show_sorted(int subitem, bool descending) {
    HWND header = ListView_GetHeader(list_);
    for (int i = 0; i < count(); ++i) {
        HDITEMW item = {};
        item.mask = HDI_FORMAT;
        Header_GetItem(header, i, &item);
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == subitem) item.fmt |= descending ? HDF_SORTDOWN : HDF_SORTUP;
        Header_SetItem(header, i, &item);
    }
}

void PlaylistColumns::toggle(const std::string& field) {
    std::vector<ColumnLayout> columns = layout();
    auto found = std::find_if(columns.begin(), columns.end(), [&](const ColumnLayout& c) { return c.field == field; });
    if (found != columns.end()) {
        if (columns.size() == 1) return;
        columns.erase(found);
    } else {
        int width = default_width;
        for (const auto& column : known())
            if (field == column.field) width = column.width;
        columns.push_back({field, sonavel::scale_to_dpi(width, sonavel::window_dpi(list_))});
    }
    set(columns);
}

void PlaylistColumns::show_menu(HWND owner, POINT screen, const std::function<std::string()>& ask_field) {
    sonavel::unique_hmenu menu(CreatePopupMenu());
    const auto& columns = known();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        bool shown = index_of(fields_, columns[i].field) >= 0;
        UINT flags = MF_STRING | (shown ? MF_CHECKED : 0) | (shown && count() == 1 ? MF_GRAYED : 0);
        AppendMenuW(menu.get(), flags, UINT(i + 1), columns[i].title);
    }
    // Other fields shown now can be hidden from here too.
    std::vector<std::string> others;
    for (const auto& field : fields_) {
        bool is_known = std::any_of(columns.begin(), columns.end(), [&](const KnownColumn& c) { return field == c.field; });
        if (is_known) continue;
        others.push_back(field);
        AppendMenuW(menu.get(), MF_STRING | MF_CHECKED | (count() == 1 ? MF_GRAYED : 0), UINT(100 + others.size() - 1),
                    title_of(field).c_str());
    }
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, command_other_field, L"&Other field...");
    UINT chosen = UINT(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x, screen.y, 0,
                                      owner, nullptr));
    if (chosen >= 1 && chosen <= columns.size()) {
        toggle(columns[chosen - 1].field);
    } else if (chosen >= 100 && chosen < 100 + others.size()) {
        toggle(others[chosen - 100]);
    } else if (chosen == command_other_field) {
        std::string field = ask_field();
        if (!field.empty() && index_of(fields_, field) < 0) toggle(field);
    }
}

}  // namespace player
