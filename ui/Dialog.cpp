#include "ui/Dialog.h"

#include <exception>

#include "host/ComponentClient.h"
#include "sdk/core_api.h"
#include "sdk/errors.h"
#include "sdk/ui_services.h"
#include "ui/LogLine.h"
#include "ui/ScreenClamp.h"

namespace quennet {

Dialog::~Dialog() = default;

HINSTANCE resource_module() {
    if (HINSTANCE module = ComponentClient::instance().module()) return module;
    return GetModuleHandleW(nullptr);
}

bool Dialog::create(WORD resource, HWND parent) {
    const HINSTANCE module = resource_module();
    if (modal_) {
        const INT_PTR result = DialogBoxParamW(module, MAKEINTRESOURCEW(resource), parent, &shared_dialog_proc,
                                               reinterpret_cast<LPARAM>(this));
        return result == IDOK;
    }
    if (!window_ || !IsWindow(window_)) {
        const HWND created = CreateDialogParamW(module, MAKEINTRESOURCEW(resource), parent, &shared_dialog_proc,
                                                reinterpret_cast<LPARAM>(this));
        if (created) ShowWindow(created, SW_SHOWNORMAL);
        return true;
    }
    bring_into_view(window_);
    return false;
}

INT_PTR CALLBACK Dialog::shared_dialog_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lparam);
        if (!self) return 0;
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (!self) return 0;
    }
    // No exception may unwind through the system's dialog manager: what fails is reported and the message
    // counts as not handled.
    try {
        return self->route(window, message, wparam, lparam);
    } catch (const std::exception& e) {
        log_line("Window message " + std::to_string(message) + " failed: " + sonavel::message_of(e));
    } catch (...) {
        log_line("Window message " + std::to_string(message) + " failed");
    }
    return 0;
}

INT_PTR Dialog::route(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        if (!modal_) sonavel::standard_api_create_t<sonavel::modeless_dialog_manager>()->add(window);
        break;
    case WM_DESTROY: {
        window_ = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        // The object hears of its window's end even when the registry cannot be reached; the failure
        // is reported after that.
        std::exception_ptr failure;
        if (!modal_) {
            try {
                sonavel::standard_api_create_t<sonavel::modeless_dialog_manager>()->remove(window);
            } catch (...) {
                failure = std::current_exception();
            }
        }
        const INT_PTR result = dialog_proc(window, message, wparam, lparam);
        if (failure) std::rethrow_exception(failure);
        return result;
    }
    case WM_GETMINMAXINFO: {
        auto& info = *reinterpret_cast<MINMAXINFO*>(lparam);
        if (min_track_width != 0) info.ptMinTrackSize.x = min_track_width;
        if (min_track_height != 0) info.ptMinTrackSize.y = min_track_height;
        break;
    }
    default:
        break;
    }
    return dialog_proc(window, message, wparam, lparam);
}

}  // namespace quennet
