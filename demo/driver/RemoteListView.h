#pragma once
// A list view of another process, read and hit-tested through a buffer in that process (list-view messages
// carry pointers, which are valid only in the list's own process).
#include <windows.h>

#include <string>

#include "sdk/win/unique_handle.h"

namespace demo {

class RemoteListView {
public:
    explicit RemoteListView(HWND list);
    ~RemoteListView();
    RemoteListView(const RemoteListView&) = delete;
    RemoteListView& operator=(const RemoteListView&) = delete;

    HWND window() const noexcept { return list_; }
    int count() const;
    std::wstring text(int item, int column = 0) const;
    // 0: no state image; 1 none, 2 all, 3 some in the component's panel.
    int state_image(int item) const;
    bool selected(int item) const;
    // Screen points where a user clicks the item's label and its check box; confirmed by hit testing.
    POINT label_point(int item) const;
    POINT check_box_point(int item) const;
    // The row whose column text equals `text`, or -1.
    int find(const std::wstring& text, int column = 0) const;

private:
    RECT rect(int item, int part) const;
    bool hits(POINT client, int item, UINT part) const;
    POINT to_screen(POINT client) const;

    HWND list_;
    sonavel::unique_kernel_handle process_;
    void* buffer_;  // in the list's process
};

}  // namespace demo
