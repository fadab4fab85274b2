#include "main_window.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>

#include "drawing_file.h"

namespace orv::host {

namespace {

constexpr wchar_t kClass[] = L"Orv_Host.MainWindow";
constexpr wchar_t kTitle[] = L"Orv Host";
constexpr UINT kRunOnUiThread = WM_APP + 1;
constexpr WORD kPolylineList = 200;
constexpr int kPanelWidth = 230;

HMENU makeMenu() {
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kOpen, L"&Abrir…\tCtrl+A");
    AppendMenuW(file, MF_STRING, kSave, L"&Guardar\tCtrl+G");
    AppendMenuW(file, MF_STRING, kSaveAs, L"Guardar &como…");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, kExit, L"&Salir");
    HMENU polyline = CreatePopupMenu();
    AppendMenuW(polyline, MF_STRING, kFocus, L"&Enfocar polilínea\tF5");
    AppendMenuW(polyline, MF_STRING, kEdit, L"E&ditar polilínea\tF6");
    HMENU view = CreatePopupMenu();
    AppendMenuW(view, MF_STRING, kFitAll, L"&Todo el dibujo\tInicio");
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&Archivo");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(polyline), L"&Polilínea");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), L"&Ver");
    return bar;
}

HWND makeToolbar(HWND parent) {
    HWND bar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS, 0, 0,
                               0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(bar, TB_SETIMAGELIST, 0, 0);
    struct Entry {
        WORD id;
        const wchar_t* text;
    };
    static constexpr Entry kButtons[] = {{kOpen, L"Abrir…"},
                                         {kSave, L"Guardar"},
                                         {0, nullptr},
                                         {kFocus, L"Enfocar polilínea"},
                                         {kEdit, L"Editar polilínea"},
                                         {0, nullptr},
                                         {kFitAll, L"Todo el dibujo"}};
    for (const Entry& entry : kButtons) {
        TBBUTTON button{};
        button.iBitmap = entry.id ? I_IMAGENONE : 8;
        button.idCommand = entry.id;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = entry.id ? BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT : BTNS_SEP;
        button.iString = reinterpret_cast<INT_PTR>(entry.text);
        SendMessageW(bar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    }
    SendMessageW(bar, TB_AUTOSIZE, 0, 0);
    return bar;
}

HWND makeChild(HWND parent, const wchar_t* type, const wchar_t* text, DWORD style, WORD id = 0) {
    HWND child = CreateWindowExW(std::wstring(type) == L"LISTBOX" ? WS_EX_CLIENTEDGE : 0, type, text,
                                 WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return child;
}

std::wstring fixed(double value) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%.3f", value);
    return text;
}

// The name the user sees for a file: its own name, or the sample's.
std::wstring shownName(const std::filesystem::path& path) {
    return path.empty() ? L"parcelas (ejemplo)" : path.filename().wstring();
}

std::optional<std::filesystem::path> askPath(HWND owner, bool saving, const std::filesystem::path& current) {
    wchar_t file[MAX_PATH] = {};
    if (!current.empty()) current.filename().wstring().copy(file, MAX_PATH - 1);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = L"Dibujos (*.orv)\0*.orv\0Todos los archivos\0*.*\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = L"orv";
    dialog.Flags = saving ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    const BOOL chosen = saving ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen) return std::nullopt;
    return std::filesystem::path(file);
}

}  // namespace

void MainWindow::registerClass(HINSTANCE instance) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = &MainWindow::procedure;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    type.lpszClassName = kClass;
    RegisterClassExW(&type);
    PlanView::registerClass(instance);
}

MainWindow::MainWindow(Drawing drawing, std::filesystem::path path)
    : drawing_(std::move(drawing)), path_(std::move(path)) {
    CreateWindowExW(0, kClass, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 1180, 780, nullptr,
                    makeMenu(), GetModuleHandleW(nullptr), this);
}

void MainWindow::create() {
    toolbar_ = makeToolbar(window_);
    statusBar_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0,
                                 0, 0, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
    const int parts[] = {300, 620, -1};
    SendMessageW(statusBar_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    layersLabel_ = makeChild(window_, L"STATIC", L"Capas", 0);
    layers_ = makeChild(window_, L"LISTBOX", L"", WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL);
    polylinesLabel_ = makeChild(window_, L"STATIC", L"Polilíneas", 0);
    polylines_ = makeChild(window_, L"LISTBOX", L"",
                           WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, kPolylineList);
    view_ = std::make_unique<PlanView>(window_, *this);
    answers_ = std::make_unique<EventAnswers>(drawing_, *view_, [this](const std::wstring& what) {
        setModified(true);
        status(2, what);
    });
}

void MainWindow::layout() {
    RECT area;
    GetClientRect(window_, &area);
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
    SendMessageW(statusBar_, WM_SIZE, 0, 0);
    RECT bar, foot;
    GetWindowRect(toolbar_, &bar);
    GetWindowRect(statusBar_, &foot);
    const int top = bar.bottom - bar.top + 2, bottom = area.bottom - (foot.bottom - foot.top);
    const int layersHeight = 130, label = 18;
    MoveWindow(layersLabel_, 6, top + 2, kPanelWidth - 10, label, TRUE);
    MoveWindow(layers_, 4, top + label + 2, kPanelWidth - 6, layersHeight, TRUE);
    MoveWindow(polylinesLabel_, 6, top + label + layersHeight + 8, kPanelWidth - 10, label, TRUE);
    const int listTop = top + 2 * label + layersHeight + 8;
    MoveWindow(polylines_, 4, listTop, kPanelWidth - 6, std::max(20, bottom - listTop - 4), TRUE);
    MoveWindow(view_->window(), kPanelWidth, top, std::max(20L, area.right - kPanelWidth - 2),
               bottom - top - 2, TRUE);
}

void MainWindow::onUiThread(const std::function<void()>& work) const {
    SendMessageW(window_, kRunOnUiThread, 0, reinterpret_cast<LPARAM>(&work));
}

LRESULT CALLBACK MainWindow::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->handle(message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT MainWindow::handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_CREATE:
            create();
            takeDrawing(std::move(drawing_), path_);
            return 0;
        case WM_SIZE:
            layout();
            return 0;
        case WM_COMMAND:
            if (LOWORD(w) == kPolylineList && HIWORD(w) == LBN_SELCHANGE) {
                select(static_cast<int32_t>(SendMessageW(polylines_, LB_GETCURSEL, 0, 0)) + 1);
            } else if (LOWORD(w) == kPolylineList && HIWORD(w) == LBN_DBLCLK) {
                command(kEdit);
            } else if (HIWORD(w) == 0 || HIWORD(w) == 1) {
                command(LOWORD(w));
            }
            return 0;
        case WM_KEYDOWN:
            if (w == VK_ESCAPE && capturing_) {
                capturing_.reset();
                status(2, L"Captura cancelada");
            }
            return 0;
        case kRunOnUiThread:
            (*reinterpret_cast<const std::function<void()>*>(l))();
            return 0;
        case WM_CLOSE:
            if (!inDialog_ && confirmClose()) DestroyWindow(window_);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window_, message, w, l);
    }
}

void MainWindow::command(WORD id) {
    // The component's dialogs are modal to the whole thread: no second one, no file change meanwhile.
    if (inDialog_) return;
    switch (id) {
        case kOpen:
            if (confirmClose()) open();
            break;
        case kSave:
            save();
            break;
        case kSaveAs:
            saveAs();
            break;
        case kExit:
            PostMessageW(window_, WM_CLOSE, 0, 0);
            break;
        case kFocus:
            openDialog(Dialog::Focus);
            break;
        case kEdit:
            openDialog(Dialog::Editor);
            break;
        case kFitAll:
            view_->fitAll();
            break;
        default:
            break;
    }
}

void MainWindow::openDialog(Dialog dialog) {
    capturing_.reset();
    const int32_t polyline = view_->currentPolyline();
    if (!drawing_.hasPolyline(polyline)) {
        MessageBoxW(window_, L"Elija una polilínea en la lista o púlsela en el plano.", kTitle,
                    MB_ICONINFORMATION);
        return;
    }
    try {
        if (!component_) component_ = std::make_unique<PolylineComponent>(*answers_);
    } catch (const ComponentError& error) {
        wchar_t code[16];
        std::swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(error.result()));
        MessageBoxW(window_, (widen(error.what()) + L" (" + code + L")").c_str(), kTitle, MB_ICONERROR);
        return;
    }
    answers_->begin(dialog);
    status(2, dialog == Dialog::Focus ? L"Enfocando la polilínea…" : L"Editando la polilínea…");
    inDialog_ = true;
    const HRESULT result = component_->open(dialog, drawing_, polyline);
    inDialog_ = false;
    view_->redraw();
    if (FAILED(result)) {
        status(2, L"El componente no pudo abrir el diálogo");
    } else if (dialog == Dialog::Editor && !answers_->cancelled()) {
        // The editor closed by "Capturar <<": the next point clicked in the plan goes into its polyline.
        const int32_t shown = view_->currentPolyline();
        const auto& vertices = drawing_.polyline(shown).points;
        const auto at = std::find(vertices.begin(), vertices.end(), view_->currentPoint());
        capturing_ = Capture{shown, at == vertices.end() ? static_cast<int32_t>(vertices.size())
                                                         : static_cast<int32_t>(at - vertices.begin()) + 1};
        status(2, L"Capturar: pulse un punto del plano (Esc cancela)");
        SetFocus(window_);
    } else {
        status(2, L"");
    }
}

void MainWindow::clicked(POINT at) {
    if (capturing_) {
        if (const int32_t point = view_->pointAt(at)) captured(point);
        return;
    }
    if (const int32_t polyline = view_->polylineAt(at)) select(polyline);
}

void MainWindow::captured(int32_t point) {
    const Capture capture = *capturing_;
    capturing_.reset();
    auto& vertices = drawing_.polyline(capture.polyline).points;
    vertices.insert(vertices.begin() + std::min<size_t>(static_cast<size_t>(capture.after), vertices.size()),
                    point);
    setModified(true);
    select(capture.polyline);
    view_->setCurrent(capture.polyline, point);
    fillLists();
    // Reopened once this click's handling has finished.
    PostMessageW(window_, WM_COMMAND, kEdit, 0);
}

void MainWindow::select(int32_t polyline) {
    if (!drawing_.hasPolyline(polyline)) return;
    view_->setCurrent(polyline, 0);
    SendMessageW(polylines_, LB_SETCURSEL, static_cast<WPARAM>(polyline - 1), 0);
    status(1,
           L"Polilínea " + std::to_wstring(polyline) + L" de " + std::to_wstring(drawing_.polylineCount()));
}

void MainWindow::cursorMoved(double x, double y) {
    status(0, L"X " + fixed(x) + L"   Y " + fixed(y));
}

void MainWindow::fillLists() {
    SendMessageW(layers_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(layers_, LB_RESETCONTENT, 0, 0);
    std::vector<int32_t> perLayer(drawing_.layers.size() + 1);
    for (const SurveyPoint& point : drawing_.points)
        if (point.layer >= 0 && static_cast<size_t>(point.layer) < perLayer.size()) ++perLayer[point.layer];
    for (size_t k = 0; k < drawing_.layers.size(); ++k) {
        const std::wstring line = std::to_wstring(k + 1) + L"  " + drawing_.layers[k] + L"  (" +
                                  std::to_wstring(perLayer[k + 1]) + L" puntos)";
        SendMessageW(layers_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    SendMessageW(layers_, WM_SETREDRAW, TRUE, 0);
    const int32_t selected = view_->currentPolyline();
    SendMessageW(polylines_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(polylines_, LB_RESETCONTENT, 0, 0);
    // A list of a million entries would only be scrolled past; the plan view picks any polyline.
    const int32_t listed = std::min(drawing_.polylineCount(), 20000);
    for (int32_t k = 1; k <= listed; ++k) {
        const Polyline& polyline = drawing_.polyline(k);
        const std::wstring layer =
            polyline.layer >= 1 && static_cast<size_t>(polyline.layer) <= drawing_.layers.size()
                ? drawing_.layers[static_cast<size_t>(polyline.layer - 1)]
                : L"";
        const std::wstring line = std::to_wstring(k) + L"  " + layer + L"  (" +
                                  std::to_wstring(polyline.points.size()) + L" vértices)";
        SendMessageW(polylines_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    SendMessageW(polylines_, WM_SETREDRAW, TRUE, 0);
    if (selected >= 1 && selected <= listed) SendMessageW(polylines_, LB_SETCURSEL, selected - 1, 0);
}

void MainWindow::takeDrawing(Drawing drawing, std::filesystem::path path) {
    drawing_ = std::move(drawing);
    path_ = std::move(path);
    view_->show(&drawing_);
    fillLists();
    setModified(false);
    status(2, std::to_wstring(drawing_.pointCount()) + L" puntos, " +
                  std::to_wstring(drawing_.polylineCount()) + L" polilíneas, " +
                  std::to_wstring(drawing_.layers.size()) + L" capas");
}

void MainWindow::open() {
    const auto path = askPath(window_, false, path_);
    if (!path) return;
    try {
        takeDrawing(readDrawingFile(*path), *path);
    } catch (const DrawingFileError& error) {
        MessageBoxW(window_, (path->filename().wstring() + L"\n" + widen(error.what())).c_str(), kTitle,
                    MB_ICONERROR);
    }
}

bool MainWindow::saveTo(const std::filesystem::path& path) {
    try {
        writeDrawingFile(path, drawing_);
    } catch (const DrawingFileError& error) {
        MessageBoxW(window_, widen(error.what()).c_str(), kTitle, MB_ICONERROR);
        return false;
    }
    path_ = path;
    setModified(false);
    status(2, L"Guardado en " + path.wstring());
    return true;
}

bool MainWindow::save() {
    return path_.empty() ? saveAs() : saveTo(path_);
}

bool MainWindow::saveAs() {
    const auto path = askPath(window_, true, path_);
    return path && saveTo(*path);
}

bool MainWindow::confirmClose() {
    if (!modified_) return true;
    const std::wstring question = L"¿Guardar los cambios en " + shownName(path_) + L"?";
    switch (MessageBoxW(window_, question.c_str(), kTitle, MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES:
            return save();
        case IDNO:
            return true;
        default:
            return false;
    }
}

void MainWindow::setModified(bool modified) {
    modified_ = modified;
    const std::wstring title = shownName(path_) + (modified_ ? L" *" : L"") + L" - " + kTitle;
    SetWindowTextW(window_, title.c_str());
}

void MainWindow::status(int part, const std::wstring& text) {
    SendMessageW(statusBar_, SB_SETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace orv::host
