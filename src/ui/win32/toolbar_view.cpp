#include "ui/win32/toolbar_view.h"

#include <vector>

#include "ui/win32/form_window.h"

namespace orv::ui::win32 {

namespace {

constexpr WORD kFirstCommand = 1000;

// One picture as a 32-bit top-down bitmap at `size` pixels, nearest neighbour: the mask colour stays exact.
HBITMAP bitmapOf(const ToolbarImage& image, int size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) return nullptr;
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            uint32_t color = image.pixels[(y * ToolbarImage::kSize / size) * ToolbarImage::kSize +
                                          x * ToolbarImage::kSize / size];
            // 0x00BBGGRR to the bitmap's blue-green-red order.
            pixels[y * size + x] = ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
        }
    }
    return bitmap;
}

}  // namespace

ToolbarView::ToolbarView(FormWindow& owner, Toolbar& model) : ControlView(owner, model), toolbar_(model) {
    create(TOOLBARCLASSNAMEW, TBSTYLE_FLAT | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0, Text{});
    SendMessageW(hwnd(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    buildImages();
    addButtons();
    fitButtons();
}

// Buttons that would stand partly outside the toolbar's design width are not shown half cut: only whole
// buttons.
void ToolbarView::fitButtons() {
    RECT client;
    GetClientRect(hwnd(), &client);
    for (size_t i = 0; i < toolbar_.buttons().size(); ++i) {
        auto command = static_cast<WPARAM>(kFirstCommand + i);
        SendMessageW(hwnd(), TB_HIDEBUTTON, command, FALSE);
    }
    for (size_t i = 0; i < toolbar_.buttons().size(); ++i) {
        RECT item{};
        SendMessageW(hwnd(), TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item));
        if (item.right > client.right) {
            SendMessageW(hwnd(), TB_HIDEBUTTON, static_cast<WPARAM>(kFirstCommand + i), TRUE);
        }
    }
}

void ToolbarView::buildImages() {
    int size = owner().scale().scaled(ToolbarImage::kSize);
    images_.reset(
        ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, static_cast<int>(toolbar_.images().size()), 0));
    COLORREF mask = toolbar_.maskColor() & 0x00FFFFFFu;
    for (const ToolbarImage& image : toolbar_.images()) {
        UniqueGdiObject bitmap(bitmapOf(image, size));
        ImageList_AddMasked(images_.get(), static_cast<HBITMAP>(bitmap.get()), mask);
    }
    SendMessageW(hwnd(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
    SendMessageW(hwnd(), TB_SETBITMAPSIZE, 0, MAKELPARAM(size, size));
}

void ToolbarView::addButtons() {
    while (SendMessageW(hwnd(), TB_DELETEBUTTON, 0, 0) != FALSE) {
    }
    std::vector<TBBUTTON> buttons;
    for (size_t i = 0; i < toolbar_.buttons().size(); ++i) {
        TBBUTTON button{};
        button.iBitmap = toolbar_.buttons()[i].imageIndex;
        button.idCommand = static_cast<int>(kFirstCommand + i);
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON;
        buttons.push_back(button);
    }
    SendMessageW(hwnd(), TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
}

void ToolbarView::update(Property property) {
    if (property == Property::Content || property == Property::List) {
        buildImages();
        addButtons();
        fitButtons();
        return;
    }
    ControlView::update(property);
    if (property == Property::Bounds) fitButtons();
}

void ToolbarView::command(WORD, WORD id) {
    if (id < kFirstCommand || static_cast<size_t>(id - kFirstCommand) >= toolbar_.buttons().size()) return;
    // A copy: the handler may change the toolbar's buttons.
    Text key = toolbar_.buttons()[id - kFirstCommand].key;
    toolbar_.click(key);
}

void ToolbarView::dpiChanged() {
    ControlView::dpiChanged();
    buildImages();
    fitButtons();
}

}  // namespace orv::ui::win32
