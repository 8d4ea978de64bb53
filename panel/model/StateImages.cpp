#include "panel/model/StateImages.h"

#include <algorithm>
#include <stdexcept>

#include "resources/resource.h"

namespace quennet {

namespace {

constexpr int cells = 3;
// The mask colour of the bitmaps (their top-left pixel) and of the cells' margins.
constexpr COLORREF mask_colour = RGB(255, 0, 0);

int drawing_id(int drawing_size) noexcept {
    switch (drawing_size) {
    case 32: return IDB_CHECKBOXES_32;
    case 24: return IDB_CHECKBOXES_24;
    default: return IDB_CHECKBOXES;
    }
}

// A memory device context with a bitmap selected, restored and freed however the scope ends.
class bitmap_dc {
public:
    bitmap_dc(HDC like, HBITMAP bitmap) : dc_(CreateCompatibleDC(like)) {
        if (!dc_) throw std::runtime_error("no device context for the check box images");
        old_ = SelectObject(dc_, bitmap);
    }
    ~bitmap_dc() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    bitmap_dc(const bitmap_dc&) = delete;
    bitmap_dc& operator=(const bitmap_dc&) = delete;
    HDC get() const noexcept { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

sonavel::unique_hbitmap load_drawing(HINSTANCE module, int drawing_size) {
    // No LR_LOADTRANSPARENT: where it applies, it paints the mask colour over with the window colour and
    // the image list finds nothing left to mask.
    sonavel::unique_hbitmap bitmap(static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(drawing_id(drawing_size)), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap) throw std::runtime_error("the check box bitmap cannot be loaded");
    return bitmap;
}

// The three drawings, each centred in its cell of `size`, on the mask colour.
sonavel::unique_hbitmap centred_cells(HBITMAP drawing, int drawing_size, StateImageSize size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.width * cells;
    info.bmiHeader.biHeight = size.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    sonavel::unique_hbitmap strip(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!strip) throw std::runtime_error("the check box images cannot be made");
    bitmap_dc target(nullptr, strip.get());
    bitmap_dc source(nullptr, drawing);
    sonavel::unique_hbrush mask(CreateSolidBrush(mask_colour));
    const RECT all{0, 0, size.width * cells, size.height};
    FillRect(target.get(), &all, mask.get());
    const int x = (size.width - drawing_size) / 2;
    const int y = (size.height - drawing_size) / 2;
    for (int cell = 0; cell < cells; ++cell)
        BitBlt(target.get(), cell * size.width + x, y, drawing_size, drawing_size, source.get(), cell * drawing_size, 0,
               SRCCOPY);
    return strip;
}

}  // namespace

StateImageSize state_image_size(int icon_size, int line_height) noexcept {
    const int width = std::max(icon_size, 16);
    return {width, std::max(width, line_height)};
}

int state_drawing_size(int cell_width) noexcept {
    if (cell_width >= 32) return 32;
    if (cell_width >= 24) return 24;
    return 16;
}

sonavel::unique_himagelist make_state_images(HINSTANCE module, StateImageSize size) {
    const int drawing_size = state_drawing_size(size.width);
    sonavel::unique_hbitmap drawing = load_drawing(module, drawing_size);
    sonavel::unique_hbitmap strip = centred_cells(drawing.get(), drawing_size, size);
    sonavel::unique_himagelist images(ImageList_Create(size.width, size.height, ILC_MASK | ILC_COLOR24, cells, 0));
    if (!images) throw std::runtime_error("the check box image list cannot be created");
    if (ImageList_AddMasked(images.get(), strip.get(), mask_colour) < 0)
        throw std::runtime_error("the check box images cannot be added to their list");
    return images;
}

}  // namespace quennet
