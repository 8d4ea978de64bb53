#pragma once
// Asks how a value changes across the whole library (the new value, or the separators of a split) and
// shows what will happen before anything is written: the number of files, a few of their names and, for a
// rename into a value that exists, the merge note. Modal, over the panel's window. Main thread.
#include <string>

#include "panel/model/LibraryValueChange.h"
#include "ui/Dialog.h"

namespace quennet {

class LibraryValueDialog final : public Dialog {
public:
    // `library`: the tracks the preview and the change look at, taken when the command started.
    LibraryValueDialog(LibraryValueChange change, sonavel::metadb_handle_list library)
        : Dialog(/*modal=*/true), change_(std::move(change)), library_(std::move(library)) {}

    INT_PTR dialog_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) override;

    // After OK: the change as the user left it, and its files with their new records.
    const LibraryValueChange& change() const noexcept { return change_; }
    LibraryChangePlan take_plan() { return std::move(plan_); }


private:
    void on_init_dialog();
    void on_ok();
    // Reads the controls into the change and shows its preview.
    void preview();
    void show_kind_controls();

    LibraryValueChange change_;
    sonavel::metadb_handle_list library_;
    // The files carrying the value, found once: each edit of the change looks at these only.
    sonavel::metadb_handle_list carriers_;
    LibraryChangePlan plan_;
    // Preview changes come from the user, not from filling the controls at the start.
    bool filling_ = false;
};

}  // namespace quennet
