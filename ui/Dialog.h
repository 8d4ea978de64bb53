#pragma once
// The base of every window the component builds from a dialog resource. One dialog procedure serves them
// all: WM_INITDIALOG binds the window to its object through the window's user data, WM_DESTROY unbinds it,
// and every message in between goes to the object's dialog_proc. Main thread only.
#include <windows.h>

#include <cstdint>

namespace quennet {

class Dialog {
public:
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // The result of the dialog procedure: non-zero when the message was handled.
    virtual INT_PTR dialog_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) = 0;

    // Modal: runs the dialog and returns true exactly when it ended with IDOK. Modeless: creates and shows
    // the window and returns true, or, when it exists already, brings it back onto the screen, raises and
    // activates it and returns false.
    bool create(WORD resource, HWND parent);

    // The bound window: null before WM_INITDIALOG and from WM_DESTROY on.
    HWND window() const noexcept { return window_; }
    bool modal() const noexcept { return modal_; }

    // The procedure to pass, with the object as creation parameter, to windows made from a template.
    static INT_PTR CALLBACK shared_dialog_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

protected:
    // A modeless dialog's window is registered with the host's modeless-dialog registry while it exists.
    explicit Dialog(bool modal) noexcept : modal_(modal) {}

    std::int32_t min_track_width = 0;
    std::int32_t min_track_height = 0;

private:
    INT_PTR route(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    HWND window_ = nullptr;
    bool modal_;
};

// The module that holds the component's resources: the component's own library, or the executable when
// no host loaded it (tests link the resources into themselves).
HINSTANCE resource_module();

}  // namespace quennet
