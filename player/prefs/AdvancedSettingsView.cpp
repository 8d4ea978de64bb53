#include "player/prefs/AdvancedSettingsView.h"

#include <windowsx.h>

#include <algorithm>
#include <string>

#include "player/win/GdiScope.h"
#include "sdk/utf8.h"
#include "sdk/win/uwin.h"

namespace player {
namespace {

using Kind = AdvancedSettingsTree::Kind;

// State images: none for branches and text entries, then a box off and on, a radio button off and on.
enum state_image : int { image_none = 0, image_box_off = 1, image_box_on = 2, image_radio_off = 3, image_radio_on = 4 };

sonavel::unique_himagelist make_state_images() {
    const int size = GetSystemMetrics(SM_CXSMICON);
    const UINT looks[] = {0, DFCS_BUTTONCHECK, DFCS_BUTTONCHECK | DFCS_CHECKED, DFCS_BUTTONRADIO,
                          DFCS_BUTTONRADIO | DFCS_CHECKED};
    constexpr int count = int(sizeof looks / sizeof looks[0]);
    sonavel::unique_himagelist images(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, count, 0));
    const COLORREF background = RGB(255, 0, 255);  // the mask colour
    window_dc screen(nullptr);
    sonavel::unique_hbitmap strip(CreateCompatibleBitmap(screen.get(), size * count, size));
    {
        unique_memory_dc dc(CreateCompatibleDC(screen.get()));
        selected_object selected(dc.get(), strip.get());
        RECT all = {0, 0, size * count, size};
        sonavel::unique_hbrush fill(CreateSolidBrush(background));
        FillRect(dc.get(), &all, fill.get());
        for (int i = 1; i < count; ++i) {
            RECT box = {i * size + 2, 2, (i + 1) * size - 1, size - 1};
            DrawFrameControl(dc.get(), &box, DFC_BUTTON, looks[i] | DFCS_FLAT);
        }
    }
    // The strip must be out of the memory context before the list copies it.
    ImageList_AddMasked(images.get(), strip.get(), background);
    return images;
}

int image_of(const AdvancedSettingsTree::Node& node) {
    switch (node.kind) {
    case Kind::checkbox: return node.checked ? image_box_on : image_box_off;
    case Kind::radio: return node.checked ? image_radio_on : image_radio_off;
    default: return image_none;
    }
}

bool is_box(const AdvancedSettingsTree::Node& node) { return node.kind == Kind::checkbox || node.kind == Kind::radio; }

}  // namespace

AdvancedSettingsView::AdvancedSettingsView(HWND parent, HFONT font, AdvancedSettingsTree& model)
    : model_(model), states_(make_state_images()) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    auto child = [&](DWORD ex_style, const wchar_t* cls, DWORD style, int id) {
        HWND made = CreateWindowExW(ex_style, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                                    reinterpret_cast<HMENU>(INT_PTR(id)), instance, nullptr);
        SendMessageW(made, WM_SETFONT, WPARAM(font), FALSE);
        return made;
    };
    tree_.reset(child(WS_EX_CLIENTEDGE, WC_TREEVIEWW,
                      WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                          TVS_DISABLEDRAGDROP,
                      id_tree));
    value_label_.reset(child(0, L"STATIC", SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS | SS_NOPREFIX, id_value_label));
    value_.reset(child(WS_EX_CLIENTEDGE, L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, id_value));
    TreeView_SetImageList(tree_.get(), states_.get(), TVSIL_STATE);
    items_.assign(model_.size(), nullptr);
    insert(model_.roots(), TVI_ROOT);
    for (std::size_t i = 0; i < model_.size(); ++i)
        if (items_[i] && !model_.node(i).children.empty()) TreeView_Expand(tree_.get(), items_[i], TVE_EXPAND);
    if (!model_.roots().empty()) TreeView_SelectItem(tree_.get(), items_[model_.roots().front()]);
    select_changed();
}

void AdvancedSettingsView::insert(const std::vector<std::size_t>& nodes, HTREEITEM parent) {
    for (std::size_t node : nodes) {
        std::wstring text = sonavel::utf8_to_wide(model_.label(node));
        TVINSERTSTRUCTW entry = {};
        entry.hParent = parent;
        entry.hInsertAfter = TVI_LAST;
        entry.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
        entry.item.pszText = text.data();
        entry.item.lParam = LPARAM(node);
        entry.item.stateMask = TVIS_STATEIMAGEMASK;
        entry.item.state = INDEXTOSTATEIMAGEMASK(image_of(model_.node(node)));
        items_[node] = reinterpret_cast<HTREEITEM>(
            SendMessageW(tree_.get(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&entry)));
        insert(model_.node(node).children, items_[node]);
    }
}

void AdvancedSettingsView::place(const RECT& area) {
    TEXTMETRICW metrics = {};
    {
        window_dc dc(value_.get());
        selected_object selected(dc.get(), reinterpret_cast<HFONT>(SendMessageW(value_.get(), WM_GETFONT, 0, 0)));
        GetTextMetricsW(dc.get(), &metrics);
    }
    const int line = metrics.tmHeight + metrics.tmExternalLeading;
    const int edit_height = line + 8, label_height = line + 2, gap = 6;
    const int width = area.right - area.left;
    const int edit_top = area.bottom - edit_height;
    const int label_top = edit_top - 2 - label_height;
    const int tree_bottom = std::max(int(area.top) + line, label_top - gap);
    SetWindowPos(tree_.get(), nullptr, area.left, area.top, width, tree_bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(value_label_.get(), nullptr, area.left, label_top, width, label_height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(value_.get(), nullptr, area.left, edit_top, width, edit_height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void AdvancedSettingsView::show_node(std::size_t node) {
    std::wstring text = sonavel::utf8_to_wide(model_.label(node));
    TVITEMW item = {};
    item.mask = TVIF_TEXT | TVIF_STATE;
    item.hItem = items_.at(node);
    item.pszText = text.data();
    item.stateMask = TVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(image_of(model_.node(node)));
    SendMessageW(tree_.get(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void AdvancedSettingsView::refresh() {
    for (std::size_t i = 0; i < model_.size(); ++i)
        if (items_[i]) show_node(i);
    select_changed();
}

void AdvancedSettingsView::select(std::size_t node) {
    if (items_.at(node)) TreeView_SelectItem(tree_.get(), items_[node]);
    select_changed();
}

void AdvancedSettingsView::edit_value() {
    if (!IsWindowEnabled(value_.get())) return;
    SetFocus(value_.get());
    SendMessageW(value_.get(), EM_SETSEL, 0, -1);
}

std::optional<std::size_t> AdvancedSettingsView::node_of(HTREEITEM item) const {
    if (!item) return std::nullopt;
    auto found = std::find(items_.begin(), items_.end(), item);
    if (found == items_.end()) return std::nullopt;
    return std::size_t(found - items_.begin());
}

std::optional<std::size_t> AdvancedSettingsView::selected_node() const { return node_of(TreeView_GetSelection(tree_.get())); }

void AdvancedSettingsView::toggle(std::size_t node) {
    model_.toggle(node);
    // A radio button switches its neighbours too.
    for (std::size_t i = 0; i < model_.size(); ++i)
        if (items_[i] && is_box(model_.node(i))) show_node(i);
    if (on_edited) on_edited();
}

void AdvancedSettingsView::select_changed() {
    auto node = selected_node();
    bool text = node && model_.node(*node).kind == Kind::text;
    syncing_ = true;
    sonavel::uSetWindowText(value_label_.get(), text ? (model_.node(*node).name + ":").c_str() : "");
    sonavel::uSetWindowText(value_.get(), text ? model_.node(*node).text.c_str() : "");
    syncing_ = false;
    EnableWindow(value_.get(), text);
}

void AdvancedSettingsView::value_changed() {
    if (syncing_) return;
    auto node = selected_node();
    if (!node || model_.node(*node).kind != Kind::text) return;
    model_.set_text(*node, sonavel::uGetWindowText(value_.get()));
    show_node(*node);
    if (on_edited) on_edited();
}

bool AdvancedSettingsView::click_on_box(bool anywhere_on_item) {
    DWORD at = GetMessagePos();
    TVHITTESTINFO hit = {};
    hit.pt = {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    ScreenToClient(tree_.get(), &hit.pt);
    TreeView_HitTest(tree_.get(), &hit);
    auto node = node_of(hit.hItem);
    if (!node || !is_box(model_.node(*node))) return false;
    const UINT on = anywhere_on_item ? (TVHT_ONITEMSTATEICON | TVHT_ONITEMLABEL) : TVHT_ONITEMSTATEICON;
    if (!(hit.flags & on)) return false;
    TreeView_SelectItem(tree_.get(), hit.hItem);
    toggle(*node);
    return true;
}

std::optional<LRESULT> AdvancedSettingsView::on_key(WORD key) {
    auto node = selected_node();
    if (!node) return std::nullopt;
    if (key == VK_SPACE && is_box(model_.node(*node))) {
        toggle(*node);
        return TRUE;  // not the start of an incremental search
    }
    if (key == VK_F2 && model_.node(*node).kind == Kind::text) {
        edit_value();
        return TRUE;
    }
    return std::nullopt;
}

std::optional<LRESULT> AdvancedSettingsView::on_notify(const NMHDR& header) {
    if (header.hwndFrom != tree_.get()) return std::nullopt;
    switch (header.code) {
    case TVN_SELCHANGEDW:
    case TVN_SELCHANGEDA:
        select_changed();
        return 0;
    case NM_CLICK:
        if (click_on_box(false)) return TRUE;
        return std::nullopt;
    case NM_DBLCLK:
        if (click_on_box(true)) return TRUE;
        // A double click on a text entry goes to its value, as F2 does.
        if (auto node = selected_node(); node && model_.node(*node).kind == Kind::text) return on_key(VK_F2);
        return std::nullopt;
    case TVN_KEYDOWN:
        return on_key(reinterpret_cast<const NMTVKEYDOWN&>(header).wVKey);
    }
    return std::nullopt;
}

void AdvancedSettingsView::on_command(int id, int code) {
    if (id == id_value && code == EN_CHANGE) value_changed();
}

}  // namespace player
