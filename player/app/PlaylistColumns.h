#pragma once
// The playlist view's columns: which fields it shows, in which order and how wide, the sort indicator
// of the column last sorted by, and the header's menu of columns (the usual ones, ticked when shown,
// and any other field by name). Columns are (re)made in their display order with sub-item numbers
// 0, 1, ...; the user may drag them into another order and resize them. Main thread.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "player/app/ViewLayout.h"

namespace player {

struct KnownColumn {
    const char* field;
    const wchar_t* title;
    int width;
};

class PlaylistColumns {
public:
    // Fields that are no tags: the file's name and its whole path.
    static constexpr const char* file_name_field = "%filename%";
    static constexpr const char* path_field = "%path%";
    // Artist, Album, Track, Title, Date, Genre, Mood, File name, Path: the header menu's order.
    static const std::vector<KnownColumn>& known();
    // Artist, Title, Genre, File name, Album, Track, Date.
    static std::vector<ColumnLayout> defaults();
    // The title a column of the field shows: a known column's, else the field's name.
    static std::wstring title_of(const std::string& field);

    explicit PlaylistColumns(HWND list);

    // Makes the columns anew (empty: the defaults); unusable entries are left out.
    void set(std::vector<ColumnLayout> columns);
    // The columns in their display order with their widths now.
    std::vector<ColumnLayout> layout() const;
    // The field of a sub-item; empty for none.
    const std::string& field(int subitem) const;
    int count() const noexcept { return int(fields_.size()); }
    // Shows the sort indicator on the sub-item's column (-1: none), up or down.
    void show_sorted(int subitem, bool descending);

    // Shows or hides the field's column; the last column stays.
    void toggle(const std::string& field);
    // The header's menu at a screen point; `ask_field` asks the user for another field's name (empty:
    // none chosen).
    void show_menu(HWND owner, POINT screen, const std::function<std::string()>& ask_field);

private:
    HWND list_;
    std::vector<std::string> fields_;  // by sub-item
};

}  // namespace player
