#include "ui/win32/vertex_grid_view.h"

#include <algorithm>
#include <string>

#include "automation/value.h"
#include "ui/form.h"
#include "ui/win32/form_window.h"
#include "ui/win32/module_instance.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_toolkit.h"

namespace orv::ui::win32 {

using automation::Text;
using ui::TextRows;

namespace {

enum MenuCommand : UINT { kInsertRow = 1, kRemoveRows, kCopy, kPaste };

// Looks again for queued input that no later input of the grid's would hand on (the edit closed by a click
// elsewhere, say): timer messages come only when nothing else is waiting, so a yield never spins on it.
constexpr UINT_PTR kQueuedInputTimer = 1;

bool keyDown(int key) {
    return GetKeyState(key) < 0;
}

bool isInput(UINT message) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_CHAR:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_CONTEXTMENU:
            return true;
        default:
            return false;
    }
}

class Clipboard {
  public:
    explicit Clipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~Clipboard() {
        if (open_) CloseClipboard();
    }
    Clipboard(const Clipboard&) = delete;
    Clipboard& operator=(const Clipboard&) = delete;
    bool open() const { return open_; }

  private:
    bool open_;
};

struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static void close(HGLOBAL handle) { GlobalFree(handle); }
};
using UniqueGlobalMemory = UniqueHandle<GlobalMemoryTraits>;

}  // namespace

VertexGridView::VertexGridView(FormWindow& owner, ui::VertexTable& model)
    : ControlView(owner, model), table_(model), locale_(automation::NumberLocale::user()) {
    create(owner.toolkit().gridClassName(), WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN,
           WS_EX_CLIENTEDGE, Text{}, this);
    editor_.reset(CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 0, 0, hwnd(), nullptr,
                                  moduleInstance(), nullptr));
    SetWindowSubclass(editor_.get(), &VertexGridView::editorProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
    table_.finishEdit = [this] { finishEdit(true, 0, 0, false); };
    dpiChanged();
}

VertexGridView::~VertexGridView() {
    if (editor_) RemoveWindowSubclass(editor_.get(), &VertexGridView::editorProcedure, 1);
    if (hwnd() != nullptr) SetWindowLongPtrW(hwnd(), GWLP_USERDATA, 0);
    // The editor is a child of the grid: it goes with it.
    editor_.release();
}

void VertexGridView::forgetWindow() {
    // Without its window the view edits nothing: the table must not call back into it.
    table_.finishEdit = nullptr;
    editing_.reset();
    queuedInput_.clear();
    if (editor_) RemoveWindowSubclass(editor_.get(), &VertexGridView::editorProcedure, 1);
    editor_.release();
    ControlView::forgetWindow();
}

void VertexGridView::dpiChanged() {
    ControlView::dpiChanged();
    grown_.clear();
    SendMessageW(editor_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(owner().font(false)), FALSE);
    measure();
    updateScrollBars();
    InvalidateRect(hwnd(), nullptr, FALSE);
}

// --- Geometry ---

int32_t VertexGridView::dataRows() const {
    return std::max<int32_t>(0, table_.Rows() - 1);
}
int32_t VertexGridView::columns() const {
    return std::max<int32_t>(0, table_.Cols());
}

void VertexGridView::measure() {
    HDC dc = GetDC(hwnd());
    HGDIOBJ previous = SelectObject(dc, owner().font(false));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const DpiScale& scale = owner().scale();
    padding_ = scale.scaled(4);
    rowHeight_ = metrics.tmHeight + scale.scaled(5);
    widths_.assign(static_cast<size_t>(columns()), 0);
    // Widths are counted in digits: the coordinates are what must fit.
    SIZE digit{};
    GetTextExtentPoint32W(dc, L"0", 1, &digit);
    int character = std::max<int>(metrics.tmAveCharWidth, digit.cx);
    for (int32_t c = 0; c < columns(); ++c) {
        const auto& definition = table_.column(c);
        SIZE header{};
        GetTextExtentPoint32W(dc, wide(definition.header), static_cast<int>(definition.header.size()),
                              &header);
        int characters = definition.width > 0 ? definition.width : 8;
        widths_[static_cast<size_t>(c)] = std::max<int>(characters * character, header.cx) + 2 * padding_;
    }
    if (!widths_.empty()) {
        // The row numbers of the first column must fit however many rows there are.
        std::wstring digits(std::to_wstring(std::max<int32_t>(dataRows(), 1)).size(), L'0');
        SIZE number{};
        GetTextExtentPoint32W(dc, digits.c_str(), static_cast<int>(digits.size()), &number);
        widths_[0] = std::max<int>(widths_[0], number.cx + 2 * padding_);
    }
    grown_.resize(widths_.size(), 0);
    for (size_t c = 0; c < widths_.size(); ++c) widths_[c] = std::max(widths_[c], grown_[c]);
    SelectObject(dc, previous);
    ReleaseDC(hwnd(), dc);
}

int VertexGridView::fullRows() const {
    RECT client;
    GetClientRect(hwnd(), &client);
    return std::max(1, static_cast<int>((client.bottom - rowHeight_) / rowHeight_));
}

int VertexGridView::columnLeft(int32_t column) const {
    if (column == 0 || widths_.empty()) return 0;
    int x = widths_[0];
    if (column < leftColumn_) {
        for (int32_t c = column; c < leftColumn_; ++c) x -= widths_[static_cast<size_t>(c)];
        return x;
    }
    for (int32_t c = leftColumn_; c < column; ++c) x += widths_[static_cast<size_t>(c)];
    return x;
}

RECT VertexGridView::cellRect(Cell cell) const {
    int left = columnLeft(cell.column);
    int top = cell.row == 0 ? 0 : (cell.row - topRow_ + 1) * rowHeight_;
    int width =
        cell.column < static_cast<int32_t>(widths_.size()) ? widths_[static_cast<size_t>(cell.column)] : 0;
    return RECT{left, top, left + width, top + rowHeight_};
}

std::optional<VertexGridView::Cell> VertexGridView::hitTest(POINT point, bool clamp) const {
    if (widths_.empty()) return std::nullopt;
    RECT client;
    GetClientRect(hwnd(), &client);
    if (clamp) {
        point.x = std::clamp<LONG>(point.x, 0, std::max<LONG>(0, client.right - 1));
        point.y = std::clamp<LONG>(point.y, rowHeight_, std::max<LONG>(rowHeight_, client.bottom - 1));
    }
    int32_t row = point.y < rowHeight_ ? 0 : topRow_ + (point.y - rowHeight_) / rowHeight_;
    if (row > dataRows()) {
        if (!clamp) return std::nullopt;
        row = dataRows();
    }
    int32_t column = -1;
    if (point.x < widths_[0]) {
        column = 0;
    } else {
        int x = widths_[0];
        for (int32_t c = leftColumn_; c < columns(); ++c) {
            x += widths_[static_cast<size_t>(c)];
            if (point.x < x) {
                column = c;
                break;
            }
        }
        if (column < 0) {
            if (!clamp) return std::nullopt;
            column = columns() - 1;
        }
    }
    return Cell{row, column};
}

VertexGridView::Cell VertexGridView::cursor() const {
    return Cell{std::clamp<int32_t>(table_.CurrentRow(), 1, std::max<int32_t>(1, dataRows())),
                std::clamp<int32_t>(table_.currentColumn(), 1, std::max<int32_t>(1, columns() - 1))};
}

VertexGridView::Selection VertexGridView::selection() const {
    Cell last{std::clamp<int32_t>(extent_.row, 1, std::max<int32_t>(1, dataRows())),
              std::clamp<int32_t>(extent_.column, 1, std::max<int32_t>(1, columns() - 1))};
    Cell first{std::clamp<int32_t>(anchor_.row, 1, std::max<int32_t>(1, dataRows())),
               std::clamp<int32_t>(anchor_.column, 1, std::max<int32_t>(1, columns() - 1))};
    Selection s{std::min(first.row, last.row), std::max(first.row, last.row),
                std::min(first.column, last.column), std::max(first.column, last.column)};
    if (rowSelection_) {
        s.firstColumn = 1;
        s.lastColumn = columns() - 1;
    }
    return s;
}

// --- Drawing ---

void VertexGridView::paint(HDC dc, const RECT& client) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    if (widths_.empty()) return;
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ previousFont = SelectObject(dc, owner().font(false));
    HPEN gridPen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
    HGDIOBJ previousPen = SelectObject(dc, gridPen);
    bool focused = GetFocus() == hwnd() || GetFocus() == editor_.get();
    Selection chosen = selection();
    Cell current = cursor();
    int32_t rows = dataRows();

    std::vector<int32_t> shown{0};
    for (int32_t c = leftColumn_; c < columns() && columnLeft(c) < client.right; ++c) shown.push_back(c);

    bool grew = false;
    auto drawText = [&](const Text& text, RECT box, UINT align) {
        SIZE extent{};
        GetTextExtentPoint32W(dc, wide(text), static_cast<int>(text.size()), &extent);
        for (int32_t c = 0; c < columns(); ++c) {
            // A column too narrow for what it shows grows (and stays grown): every number is read whole.
            if (box.left == columnLeft(c) && extent.cx + 2 * padding_ > box.right - box.left) {
                grown_[static_cast<size_t>(c)] = widths_[static_cast<size_t>(c)] = extent.cx + 2 * padding_;
                grew = true;
                break;
            }
        }
        InflateRect(&box, -padding_, 0);
        DrawTextW(dc, wide(text), static_cast<int>(text.size()), &box,
                  align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    };
    auto drawFixed = [&](RECT box, const Text& text, UINT align) {
        FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &box, BDR_RAISEDINNER, BF_RECT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        drawText(text, box, align);
    };

    for (int32_t c : shown) drawFixed(cellRect(Cell{0, c}), table_.column(c).header, DT_CENTER);
    for (int32_t row = topRow_; row <= rows; ++row) {
        RECT line = cellRect(Cell{row, 0});
        if (line.top >= client.bottom) break;
        for (int32_t c : shown) {
            RECT box = cellRect(Cell{row, c});
            Text text = table_.displayText(row, c, locale_);
            if (c == 0) {
                drawFixed(box, text, DT_RIGHT);
                continue;
            }
            bool selected = row >= chosen.firstRow && row <= chosen.lastRow && c >= chosen.firstColumn &&
                            c <= chosen.lastColumn && !(row == current.row && c == current.column);
            if (selected) {
                FillRect(dc, &box, GetSysColorBrush(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
                SetTextColor(dc, GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            } else {
                SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            }
            drawText(text, box, table_.column(c).kind == 2 ? DT_RIGHT : DT_LEFT);
            MoveToEx(dc, box.left, box.bottom - 1, nullptr);
            LineTo(dc, box.right - 1, box.bottom - 1);
            LineTo(dc, box.right - 1, box.top - 1);
        }
    }
    if (rows > 0 && current.row >= topRow_) {
        RECT box = cellRect(current);
        if (box.top < client.bottom && box.left >= widths_[0]) {
            HBRUSH frame = GetSysColorBrush(focused ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
            for (int i = 0; i < owner().scale().scaled(2); ++i) {
                FrameRect(dc, &box, frame);
                InflateRect(&box, -1, -1);
            }
        }
    }
    SelectObject(dc, previousPen);
    DeleteObject(gridPen);
    SelectObject(dc, previousFont);
    if (grew) {
        updateScrollBars();
        InvalidateRect(hwnd(), nullptr, FALSE);
    }
}

// A fill writes millions of cells: one invalidation stands for all of them until the next paint.
void VertexGridView::refreshLater() {
    if (refreshPending_) return;
    refreshPending_ = true;
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void VertexGridView::update(Property property) {
    switch (property) {
        case Property::Bounds:
        case Property::Visible:
        case Property::Enabled:
        case Property::Font:
        case Property::ToolTip:
            ControlView::update(property);
            break;
        default:
            refreshLater();
            break;
    }
}

void VertexGridView::updateScrollBars() {
    int32_t rows = dataRows();
    SCROLLINFO vertical{};
    vertical.cbSize = sizeof(vertical);
    vertical.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    vertical.nMax = std::max<int32_t>(0, rows - 1);
    vertical.nPage = static_cast<UINT>(fullRows());
    vertical.nPos = topRow_ - 1;
    SetScrollInfo(hwnd(), SB_VERT, &vertical, TRUE);

    RECT client;
    GetClientRect(hwnd(), &client);
    int room = client.right - (widths_.empty() ? 0 : widths_[0]);
    int fitting = 0;
    for (int32_t c = columns() - 1, used = 0; c >= 1; --c) {
        used += widths_[static_cast<size_t>(c)];
        if (used > room) break;
        ++fitting;
    }
    SCROLLINFO horizontal{};
    horizontal.cbSize = sizeof(horizontal);
    horizontal.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    horizontal.nMax = std::max<int32_t>(0, columns() - 2);
    horizontal.nPage = static_cast<UINT>(std::max(1, fitting));
    horizontal.nPos = leftColumn_ - 1;
    SetScrollInfo(hwnd(), SB_HORZ, &horizontal, TRUE);
}

void VertexGridView::scrollTo(int32_t topRow, int32_t leftColumn) {
    int32_t lastTop = std::max<int32_t>(1, dataRows() - fullRows() + 1);
    topRow = std::clamp<int32_t>(topRow, 1, lastTop);
    leftColumn = std::clamp<int32_t>(leftColumn, 1, std::max<int32_t>(1, columns() - 1));
    if (topRow == topRow_ && leftColumn == leftColumn_) return;
    topRow_ = topRow;
    leftColumn_ = leftColumn;
    updateScrollBars();
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void VertexGridView::ensureVisible(Cell cell) {
    int32_t top = topRow_;
    if (cell.row < top) top = cell.row;
    if (cell.row >= top + fullRows()) top = cell.row - fullRows() + 1;
    int32_t left = leftColumn_;
    if (cell.column >= 1 && cell.column < left) left = cell.column;
    RECT client;
    GetClientRect(hwnd(), &client);
    while (left < cell.column) {
        int right = widths_[0];
        for (int32_t c = left; c <= cell.column; ++c) right += widths_[static_cast<size_t>(c)];
        if (right <= client.right) break;
        ++left;
    }
    scrollTo(top, left);
}

// --- Cursor and editing ---

VertexGridView::Cell VertexGridView::stepped(Cell from, int32_t rowStep, int32_t columnStep,
                                             bool wrap) const {
    Cell to{from.row + rowStep, from.column + columnStep};
    int32_t lastColumn = columns() - 1;
    if (wrap && to.column > lastColumn && from.row < dataRows()) to = Cell{from.row + 1, 1};
    if (wrap && to.column < 1 && from.row > 1) to = Cell{from.row - 1, lastColumn};
    return Cell{std::clamp<int32_t>(to.row, 1, std::max<int32_t>(1, dataRows())),
                std::clamp<int32_t>(to.column, 1, std::max<int32_t>(1, lastColumn))};
}

void VertexGridView::moveCursor(Cell cell, bool extend) {
    if (dataRows() == 0 || columns() < 2) return;
    cell = stepped(cell, 0, 0, false);
    if (extend) {
        extent_ = cell;
        ensureVisible(cell);
        InvalidateRect(hwnd(), nullptr, FALSE);
        return;
    }
    anchor_ = extent_ = cell;
    rowSelection_ = false;
    ensureVisible(cell);
    InvalidateRect(hwnd(), nullptr, FALSE);
    ++busy_;
    table_.userMovesTo(cell.row, cell.column);
    --busy_;
}

void VertexGridView::beginEdit(const Text& text, bool typed) {
    if (busy_ > 0 || dataRows() == 0 || columns() < 2) return;
    Cell cell = cursor();
    ensureVisible(cell);
    anchor_ = extent_ = cell;
    rowSelection_ = false;
    editing_ = Editing{cell, typed};
    RECT box = cellRect(cell);
    InflateRect(&box, -owner().scale().scaled(2), -owner().scale().scaled(2));
    SetWindowTextW(editor_.get(), wide(text));
    SetWindowPos(editor_.get(), HWND_TOP, box.left, box.top, box.right - box.left, box.bottom - box.top,
                 SWP_SHOWWINDOW);
    SetFocus(editor_.get());
    auto end = static_cast<LPARAM>(text.size());
    SendMessageW(editor_.get(), EM_SETSEL, static_cast<WPARAM>(end), end);
}

void VertexGridView::finishEdit(bool commit, int32_t rowStep, int32_t columnStep, bool wrap) {
    if (!editing_) return;
    Editing done = *editing_;
    editing_.reset();
    Text text = windowText(editor_.get());
    if (GetFocus() == editor_.get()) SetFocus(hwnd());
    ShowWindow(editor_.get(), SW_HIDE);
    InvalidateRect(hwnd(), nullptr, FALSE);
    if (commit) {
        ++busy_;
        table_.userCommits(done.cell.row, done.cell.column, text, locale_);
        --busy_;
    }
    if (rowStep != 0 || columnStep != 0) moveCursor(stepped(done.cell, rowStep, columnStep, wrap), false);
}

bool VertexGridView::editorKey(WPARAM key) {
    bool shift = modifiers().shift;
    switch (key) {
        case VK_RETURN:
            finishEdit(true, shift ? -1 : 1, 0, false);
            return true;
        case VK_TAB:
            finishEdit(true, 0, shift ? -1 : 1, true);
            return true;
        case VK_ESCAPE:
            finishEdit(false, 0, 0, false);
            return true;
        case VK_UP:
        case VK_DOWN:
            finishEdit(true, key == VK_UP ? -1 : 1, 0, false);
            return true;
        case VK_PRIOR:
        case VK_NEXT:
            finishEdit(true, key == VK_PRIOR ? -fullRows() : fullRows(), 0, false);
            return true;
        case VK_LEFT:
        case VK_RIGHT:
            if (!editing_ || !editing_->typed) return false;
            finishEdit(true, 0, key == VK_LEFT ? -1 : 1, false);
            return true;
        default:
            return false;
    }
}

// --- Rows and clipboard ---

void VertexGridView::insertRow() {
    int32_t after = dataRows() == 0 ? 0 : cursor().row;
    int32_t column = cursor().column;
    ++busy_;
    table_.userInsertsRow(after);
    --busy_;
    refreshLater();
    moveCursor(Cell{after + 1, column}, false);
}

void VertexGridView::removeRows() {
    if (dataRows() == 0) return;
    Selection chosen = selection();
    int32_t column = cursor().column;
    ++busy_;
    table_.userRemovesRows(chosen.firstRow, chosen.lastRow - chosen.firstRow + 1);
    --busy_;
    refreshLater();
    if (dataRows() > 0) moveCursor(Cell{std::min(chosen.firstRow, dataRows()), column}, false);
}

void VertexGridView::selectAll() {
    if (dataRows() == 0) return;
    anchor_ = Cell{1, 1};
    extent_ = Cell{dataRows(), columns() - 1};
    rowSelection_ = true;
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void VertexGridView::copy() {
    if (dataRows() == 0) return;
    Selection chosen = selection();
    TextRows rows;
    rows.reserve(static_cast<size_t>(chosen.lastRow - chosen.firstRow + 1));
    for (int32_t row = chosen.firstRow; row <= chosen.lastRow; ++row) {
        auto& cells = rows.emplace_back();
        for (int32_t c = chosen.firstColumn; c <= chosen.lastColumn; ++c)
            cells.push_back(table_.editText(row, c, locale_));
    }
    Text text = ui::writeTabSeparated(rows);
    size_t bytes = (text.size() + 1) * sizeof(char16_t);
    UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return;
    void* target = GlobalLock(memory.get());
    if (target == nullptr) return;
    std::copy_n(text.c_str(), text.size() + 1, static_cast<char16_t*>(target));
    GlobalUnlock(memory.get());
    Clipboard clipboard(hwnd());
    if (!clipboard.open()) return;
    EmptyClipboard();
    // The clipboard owns the memory once it has taken it.
    if (SetClipboardData(CF_UNICODETEXT, memory.get()) != nullptr) memory.release();
}

void VertexGridView::paste() {
    Text text;
    {
        Clipboard clipboard(hwnd());
        if (!clipboard.open()) return;
        HANDLE data = GetClipboardData(CF_UNICODETEXT);
        if (data == nullptr) return;
        const auto* source = static_cast<const char16_t*>(GlobalLock(data));
        if (source == nullptr) return;
        text = source;
        GlobalUnlock(data);
    }
    pasteRows(ui::readTabSeparated(text));
}

// Row by row from the cursor on, each as the model's paste of one row (its RowEnter, one CellCommit).
void VertexGridView::pasteRows(const TextRows& rows) {
    if (rows.empty() || columns() < 2) return;
    Cell start = dataRows() == 0 ? Cell{1, 1} : cursor();
    if (rowSelection_) start.column = 1;
    ++busy_;
    for (size_t i = 0; i < rows.size(); ++i) {
        int32_t row = start.row + static_cast<int32_t>(i);
        // One row below the one before: while the table's rows are locked the insert waits, and the count
        // has not grown yet.
        if (dataRows() < row) table_.userInsertsRow(row - 1);
        table_.userPastesRow(row, start.column, rows[i], locale_);
    }
    --busy_;
    anchor_ = Cell{start.row, start.column};
    extent_ = Cell{start.row + static_cast<int32_t>(rows.size()) - 1, columns() - 1};
    rowSelection_ = false;
    refreshLater();
    ensureVisible(cursor());
}

void VertexGridView::showContextMenu(POINT screen) {
    UniqueMenu menu(CreatePopupMenu());
    UINT rowsState = dataRows() > 0 ? MF_ENABLED : MF_GRAYED;
    AppendMenuW(menu.get(), MF_STRING, kInsertRow, L"Insertar fila\tInsert");
    AppendMenuW(menu.get(), MF_STRING | rowsState, kRemoveRows, L"Eliminar filas\tCtrl+Supr");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING | rowsState, kCopy, L"Copiar\tCtrl+C");
    AppendMenuW(menu.get(), MF_STRING, kPaste, L"Pegar\tCtrl+V");
    if (screen.x == -1 && screen.y == -1) {
        RECT box = cellRect(cursor());
        screen = POINT{box.left, box.bottom};
        ClientToScreen(hwnd(), &screen);
    }
    UINT chosen = static_cast<UINT>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                   screen.x, screen.y, 0, hwnd(), nullptr));
    switch (chosen) {
        case kInsertRow:
            insertRow();
            break;
        case kRemoveRows:
            removeRows();
            break;
        case kCopy:
            copy();
            break;
        case kPaste:
            paste();
            break;
        default:
            break;
    }
}

// --- Keyboard order ---

bool VertexGridView::wantsKey(const MSG& message) const {
    if (message.hwnd == editor_.get()) return true;
    switch (message.wParam) {
        case VK_TAB:
            return !keyDown(VK_CONTROL);
        case VK_RETURN:
            return true;
        default:
            return false;
    }
}

// --- Window procedures ---

LRESULT CALLBACK VertexGridView::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<VertexGridView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->hwnd() != window) return DefWindowProcW(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT CALLBACK VertexGridView::editorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                                 UINT_PTR, DWORD_PTR self) noexcept {
    auto& grid = *reinterpret_cast<VertexGridView*>(self);
    switch (message) {
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS | DefSubclassProc(window, message, wParam, lParam);
        case WM_KEYDOWN:
        case WM_CHAR:
            // Typed while the edit was open, handled after it closed: they belong to the grid now.
            if (!grid.editing_) return grid.receiveInput(message, wParam, lParam);
            if (message == WM_KEYDOWN && grid.editorKey(wParam)) {
                grid.handleQueuedInput();
                return 0;
            }
            if (message == WM_CHAR && (wParam == L'\r' || wParam == L'\t' || wParam == 0x1B)) return 0;
            break;
        case WM_KILLFOCUS: {
            LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            grid.finishEdit(true, 0, 0, false);
            return result;
        }
        default:
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

VertexGridView::Modifiers VertexGridView::modifiers() const {
    if (replayed_) return *replayed_;
    return Modifiers{keyDown(VK_CONTROL), keyDown(VK_SHIFT), keyDown(VK_MENU)};
}

LRESULT VertexGridView::receiveInput(UINT message, WPARAM wParam, LPARAM lParam) {
    // While the table's events run (a commit's handlers, the per-row yields of a large table, a host handler
    // that lets messages run), input waits its turn: no key, character or click is dropped, and none acts on
    // a table a handler is still reading.
    if (busy_ > 0 || !queuedInput_.empty()) {
        queuedInput_.push_back(QueuedInput{message, wParam, lParam, modifiers()});
        SetTimer(hwnd(), kQueuedInputTimer, USER_TIMER_MINIMUM, nullptr);
        handleQueuedInput();
        return 0;
    }
    LRESULT result = input(message, wParam, lParam);
    handleQueuedInput();
    return result;
}

void VertexGridView::handleQueuedInput() {
    if (handlingQueue_) return;
    handlingQueue_ = true;
    while (busy_ == 0 && !queuedInput_.empty() && hwnd() != nullptr) {
        QueuedInput next = queuedInput_.front();
        queuedInput_.pop_front();
        std::optional<Modifiers> outer = std::exchange(replayed_, next.modifiers);
        input(next.message, next.wParam, next.lParam);
        replayed_ = outer;
    }
    if (queuedInput_.empty() && hwnd() != nullptr) KillTimer(hwnd(), kQueuedInputTimer);
    handlingQueue_ = false;
}

LRESULT VertexGridView::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (isInput(message)) return receiveInput(message, wParam, lParam);
    if (message == WM_TIMER && wParam == kQueuedInputTimer) {
        handleQueuedInput();
        return 0;
    }
    return input(message, wParam, lParam);
}

LRESULT VertexGridView::input(UINT message, WPARAM wParam, LPARAM lParam) {
    const Modifiers held = modifiers();
    bool control = held.control;
    bool shift = held.shift;
    switch (message) {
        case WM_PAINT: {
            if (refreshPending_) {
                refreshPending_ = false;
                measure();
                updateScrollBars();
                scrollTo(topRow_, leftColumn_);
            }
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd(), &ps);
            RECT client;
            GetClientRect(hwnd(), &client);
            // Drawn off screen first: a scroll repaints the whole view without flicker.
            HDC memory = CreateCompatibleDC(dc);
            HBITMAP bitmap =
                CreateCompatibleBitmap(dc, std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom));
            HGDIOBJ previous = SelectObject(memory, bitmap);
            paint(memory, client);
            BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
            SelectObject(memory, previous);
            DeleteObject(bitmap);
            DeleteDC(memory);
            EndPaint(hwnd(), &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            updateScrollBars();
            scrollTo(topRow_, leftColumn_);
            if (editing_) finishEdit(true, 0, 0, false);
            InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_VSCROLL: {
            finishEdit(true, 0, 0, false);
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_ALL;
            GetScrollInfo(hwnd(), SB_VERT, &info);
            int32_t top = topRow_;
            switch (LOWORD(wParam)) {
                case SB_LINEUP:
                    --top;
                    break;
                case SB_LINEDOWN:
                    ++top;
                    break;
                case SB_PAGEUP:
                    top -= fullRows();
                    break;
                case SB_PAGEDOWN:
                    top += fullRows();
                    break;
                case SB_THUMBTRACK:
                case SB_THUMBPOSITION:
                    top = info.nTrackPos + 1;
                    break;
                case SB_TOP:
                    top = 1;
                    break;
                case SB_BOTTOM:
                    top = dataRows();
                    break;
                default:
                    break;
            }
            scrollTo(top, leftColumn_);
            return 0;
        }
        case WM_HSCROLL: {
            finishEdit(true, 0, 0, false);
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_ALL;
            GetScrollInfo(hwnd(), SB_HORZ, &info);
            int32_t left = leftColumn_;
            switch (LOWORD(wParam)) {
                case SB_LINELEFT:
                case SB_PAGELEFT:
                    --left;
                    break;
                case SB_LINERIGHT:
                case SB_PAGERIGHT:
                    ++left;
                    break;
                case SB_THUMBTRACK:
                case SB_THUMBPOSITION:
                    left = info.nTrackPos + 1;
                    break;
                default:
                    break;
            }
            scrollTo(topRow_, left);
            return 0;
        }
        case WM_MOUSEWHEEL: {
            finishEdit(true, 0, 0, false);
            UINT lines = 3;
            SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
            int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
            scrollTo(topRow_ - notches * static_cast<int32_t>(lines), leftColumn_);
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            SetFocus(hwnd());
            finishEdit(true, 0, 0, false);
            auto hit =
                hitTest(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}, false);
            if (!hit || hit->row == 0) return 0;
            if (hit->column == 0) {
                if (shift) {
                    extent_ = Cell{hit->row, columns() - 1};
                } else {
                    moveCursor(Cell{hit->row, cursor().column}, false);
                    anchor_ = Cell{hit->row, 1};
                    extent_ = Cell{hit->row, columns() - 1};
                }
                rowSelection_ = true;
                InvalidateRect(hwnd(), nullptr, FALSE);
            } else if (message == WM_LBUTTONDBLCLK) {
                moveCursor(*hit, false);
                beginEdit(table_.editText(hit->row, hit->column, locale_), false);
                return 0;
            } else {
                moveCursor(*hit, shift);
            }
            dragging_ = true;
            SetCapture(hwnd());
            return 0;
        }
        case WM_MOUSEMOVE:
            if (dragging_ && busy_ == 0) {
                auto hit = hitTest(
                    POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}, true);
                if (hit && hit->row > 0) {
                    extent_ =
                        Cell{hit->row, rowSelection_ ? columns() - 1 : std::max<int32_t>(1, hit->column)};
                    ensureVisible(extent_);
                    InvalidateRect(hwnd(), nullptr, FALSE);
                }
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (dragging_) {
                dragging_ = false;
                if (message == WM_LBUTTONUP) ReleaseCapture();
            }
            return 0;
        case WM_CONTEXTMENU:
            finishEdit(true, 0, 0, false);
            showContextMenu(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            return 0;
        case WM_KEYDOWN: {
            // Keys typed quickly after the one that started an edit were queued for the grid: they belong to
            // the edit.
            if (editing_) return SendMessageW(editor_.get(), message, wParam, lParam);
            Cell at = cursor();
            Cell corner = extent_;
            Cell from = shift ? corner : at;
            switch (wParam) {
                case VK_UP:
                    moveCursor(stepped(from, -1, 0, false), shift);
                    return 0;
                case VK_DOWN:
                    moveCursor(stepped(from, 1, 0, false), shift);
                    return 0;
                case VK_LEFT:
                    moveCursor(stepped(from, 0, -1, false), shift);
                    return 0;
                case VK_RIGHT:
                    moveCursor(stepped(from, 0, 1, false), shift);
                    return 0;
                case VK_PRIOR:
                    moveCursor(stepped(from, -fullRows(), 0, false), shift);
                    return 0;
                case VK_NEXT:
                    moveCursor(stepped(from, fullRows(), 0, false), shift);
                    return 0;
                case VK_HOME:
                    moveCursor(control ? Cell{1, 1} : Cell{from.row, 1}, shift);
                    return 0;
                case VK_END:
                    moveCursor(control ? Cell{dataRows(), columns() - 1} : Cell{from.row, columns() - 1},
                               shift);
                    return 0;
                case VK_TAB:
                    moveCursor(stepped(at, 0, shift ? -1 : 1, true), false);
                    return 0;
                case VK_RETURN:
                    moveCursor(stepped(at, shift ? -1 : 1, 0, false), false);
                    return 0;
                case VK_F2:
                    if (dataRows() > 0) beginEdit(table_.editText(at.row, at.column, locale_), false);
                    return 0;
                case VK_INSERT:
                    insertRow();
                    return 0;
                case VK_DELETE:
                    if (control) removeRows();
                    return 0;
                case 'A':
                    if (control) selectAll();
                    return 0;
                case 'C':
                    if (control) copy();
                    return 0;
                case 'V':
                    if (control) paste();
                    return 0;
                default:
                    break;
            }
            break;
        }
        case WM_CHAR:
            if (editing_) return SendMessageW(editor_.get(), message, wParam, lParam);
            // Control with Alt is AltGr, which types characters.
            if (wParam < 0x20 || (control && !held.alt)) return 0;
            beginEdit(Text(1, static_cast<char16_t>(wParam)), true);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd(), message, wParam, lParam);
}

}  // namespace orv::ui::win32
