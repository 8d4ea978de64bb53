#include "tests/popup/fake_panel.h"

#include "sdk/errors.h"
#include "ui/PopupPanelBase.h"
#include "ui/PopupPanelHost.h"

namespace popup_test {
namespace {
constexpr wchar_t window_class[] = L"PopupTestFakePanel";

// Registered with the test executable's services, beside the component's own.
dockwork::window_factory<FakePanel> fake_panel_factory;
dockwork::window_factory<WindowlessPanel> windowless_panel_factory;
}  // namespace

int FakePanel::live = 0;
bool FakePanel::ended_inside_own_procedure = false;

FakePanel::FakePanel() { ++live; }

FakePanel::~FakePanel() {
    --live;
    if (in_procedure_ > 0) ended_inside_own_procedure = true;
}

void FakePanel::load_config(sonavel::stream_reader& reader, std::size_t size, sonavel::abort_callback& abort) {
    loaded.resize(size);
    reader.read_object(loaded.data(), size, abort);
    if (loaded == bytes_t{'b', 'a', 'd'}) throw sonavel::exception_io_data();
}

void FakePanel::save_config(sonavel::stream_writer& writer, sonavel::abort_callback& abort) const {
    writer.write(state.data(), state.size(), abort);
}

HWND__* FakePanel::attach_window(HWND__* parent, const dockwork::window_host_ptr& window_host, int, int, int, int) {
    static const ATOM registered = [] {
        WNDCLASSEXW wc = {sizeof wc};
        wc.lpfnWndProc = &FakePanel::procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = window_class;
        return RegisterClassExW(&wc);
    }();
    (void)registered;
    host = window_host;
    window_.reset(CreateWindowExW(0, window_class, L"", WS_CHILD, 0, 0, 10, 10, parent, nullptr,
                                  GetModuleHandleW(nullptr), nullptr));
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return window_.get();
}

void FakePanel::close_window() {
    ++closed;
    window_.reset();
}

LRESULT CALLBACK FakePanel::procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<FakePanel*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wparam, lparam);
    switch (message) {
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_SHOWWINDOW:
        self->messages.push_back(message);
        break;
    case close_popup_message: {
        // A panel holds its host; the host knows its popup window.
        ++self->in_procedure_;
        auto* popup_host = dynamic_cast<quennet::PopupPanelHost*>(self->host.get_ptr());
        if (popup_host && popup_host->popup()) popup_host->popup()->destroy();
        // Only reached safely when the popup, which holds this panel, was not freed inside destroy().
        if (FakePanel::ended_inside_own_procedure) return 0;
        --self->in_procedure_;
        return 1;
    }
    case WM_DESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace popup_test
