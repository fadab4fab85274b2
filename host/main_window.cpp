#include "main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "drawing_file.h"
#include "file_dialog.h"

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

std::wstring fixed(double value) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%.3f", value);
    return text;
}

// The name the user sees for a file: its own name, or the sample's.
std::wstring shownName(const std::filesystem::path& path) {
    return path.empty() ? L"parcelas (ejemplo)" : path.filename().wstring();
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
    lists_ = std::make_unique<DrawingLists>(window_, kPolylineList);
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
    lists_->place(top, bottom, kPanelWidth);
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
                select(lists_->selected());
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
    lists_->fill(drawing_, view_->currentPolyline());
    // Reopened once this click's handling has finished.
    PostMessageW(window_, WM_COMMAND, kEdit, 0);
}

void MainWindow::select(int32_t polyline) {
    if (!drawing_.hasPolyline(polyline)) return;
    view_->setCurrent(polyline, 0);
    lists_->select(polyline);
    status(1,
           L"Polilínea " + std::to_wstring(polyline) + L" de " + std::to_wstring(drawing_.polylineCount()));
}

void MainWindow::cursorMoved(double x, double y) {
    status(0, L"X " + fixed(x) + L"   Y " + fixed(y));
}

void MainWindow::takeDrawing(Drawing drawing, std::filesystem::path path) {
    drawing_ = std::move(drawing);
    path_ = std::move(path);
    view_->show(&drawing_);
    lists_->fill(drawing_, view_->currentPolyline());
    setModified(false);
    status(2, std::to_wstring(drawing_.pointCount()) + L" puntos, " +
                  std::to_wstring(drawing_.polylineCount()) + L" polilíneas, " +
                  std::to_wstring(drawing_.layers.size()) + L" capas");
}

void MainWindow::open() {
    const auto path = askDrawingPath(window_, false, path_);
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
    const auto path = askDrawingPath(window_, true, path_);
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
