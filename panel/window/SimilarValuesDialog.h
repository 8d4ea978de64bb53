#pragma once
// Lists the groups of similar values of the panel's field in the library, each value with its number of
// files, and lets the user choose the value to keep; the others of its group are then merged into it
// (through the rename preview). Modal, over the panel's window. Main thread.
#include <string>
#include <vector>

#include "panel/model/LibraryValueChange.h"
#include "panel/model/SimilarValues.h"
#include "ui/Dialog.h"

namespace quennet {

class SimilarValuesDialog final : public Dialog {
public:
    SimilarValuesDialog(std::string field, const sonavel::metadb_handle_list& library);

    INT_PTR dialog_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) override;

    // After OK: the rename of the chosen group's other values into the value kept.
    LibraryValueChange merge() const;

private:
    void on_init_dialog();
    void on_selection();
    void on_keep();
    // The group and value of the selected line; false for a line that is no value.
    bool selected(std::size_t& group, std::size_t& value) const;

    std::string field_;
    std::vector<SimilarGroup> groups_;
    // Per line of the list: group and value index, or the group's header.
    struct Line {
        std::size_t group;
        std::size_t value;  // npos: the group's header line
    };
    std::vector<Line> lines_;
    std::size_t kept_group_ = 0;
    std::size_t kept_value_ = 0;
};

}  // namespace quennet
