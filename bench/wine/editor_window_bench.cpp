// The editor in real windows under wine64, opened through C_Enf_Pol on a small and on a large polyline and
// worked from the user-interface thread itself (a timer runs the script inside the dialog's message loop, so
// every step is timed where it happens): first paint, scrolling, a committed cell, "Aceptar" with and without
// its per-row yields (and how often the window repainted and took input meanwhile), and closing.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/bench_drawing.h"
#include "common/bench_size.h"
#include "component/c_enf_pol.h"
#include "dialog/win32/win32_services.h"
#include "wine/benches.h"
#include "wine/stopwatch.h"

namespace orv::bench {
namespace {

// The Windows toolkit with a switch for the table loops' yields, so that the same loop can be timed both
// ways.
class SwitchableYieldToolkit final : public ui::Toolkit {
  public:
    explicit SwitchableYieldToolkit(ui::win32::Win32Toolkit& inner) : inner_(inner) {}
    void load(ui::Form& form) override { inner_.load(form); }
    void showModal(ui::Form& form) override { inner_.showModal(form); }
    void hide(ui::Form& form) override { inner_.hide(form); }
    void unload(ui::Form& form) override { inner_.unload(form); }
    void yield() override {
        if (yields) inner_.yield();
    }
    // As the component's own toolkit does them: a loop looks for messages at most every few milliseconds.
    void yieldPerRow() override {
        if (yields) inner_.yieldPerRow();
    }
    void yieldWhenDue() override {
        if (yields) inner_.yieldWhenDue();
    }
    int32_t messageBox(const ui::Text& text, int32_t style, const ui::Text& title) override {
        return inner_.messageBox(text, style, title);
    }
    ui::Text applicationTitle() const override { return inner_.applicationTitle(); }
    std::optional<automation::AutomationError> runGuarded(const std::function<void()>& handler) override {
        return inner_.runGuarded(handler);
    }

    bool yields = true;

  private:
    ui::win32::Win32Toolkit& inner_;
};

class WindowServices : public dialog::DialogServices {
  public:
    ui::Toolkit& toolkit() override { return toolkit_; }
    collaborators::FormPlacementStore& placementStore() override { return inner_.placementStore(); }
    collaborators::NumberTextConverter& converter() override { return inner_.converter(); }
    std::unique_ptr<collaborators::ColorPicker> createColorPicker() override {
        return inner_.createColorPicker();
    }
    automation::NumberLocale numberLocale() override { return inner_.numberLocale(); }
    SwitchableYieldToolkit& switchable() { return toolkit_; }

  private:
    dialog::win32::Win32Services inner_;
    SwitchableYieldToolkit toolkit_{inner_.win32Toolkit()};
};

// Notes when the host hears EnfocaPol, and writes one element of what it is handed.
class TimingHost : public component::C_Enf_PolEvents {
  public:
    void EnfocaPol(int32_t& Name, int32_t&, dialog::DoubleArray& X, dialog::DoubleArray&,
                   dialog::DoubleArray&, dialog::TextArray&, dialog::TextArray&, dialog::IntegerArray&,
                   int32_t&, dialog::LongArray& nVer, int16_t&, int32_t&, int32_t&) override {
        enfocaPolAt = nowMs();
        X(1) += 0.0;
        sum += nVer.count() + Name;
    }
    void EnfocaPuntito(int32_t& Name, int32_t&) override { sum += Name; }
    void Zoom(dialog::VariantBool&, int32_t& punto, int32_t&) override { sum += punto; }
    void CancelarEnfoca() override { ++sum; }
    void newPolCambiala(int32_t& aPolN, dialog::LongArray&, int16_t&, int32_t&, int32_t&) override {
        sum += aPolN;
    }

    double enfocaPolAt = 0;
    long long sum = 0;
};

// When the grid painted and took input, while recording is on.
struct GridActivity {
    bool recording = false;
    std::vector<double> paints, inputs;
};

LRESULT CALLBACK gridSpy(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto& activity = *reinterpret_cast<GridActivity*>(data);
    if (activity.recording && message == WM_PAINT) activity.paints.push_back(nowMs());
    if (activity.recording && message == WM_MOUSEMOVE) activity.inputs.push_back(nowMs());
    return DefSubclassProc(window, message, wParam, lParam);
}

// The longest time without the activity between start and end.
double longestGap(const std::vector<double>& times, double start, double end) {
    double previous = start, longest = 0;
    for (double t : times) {
        longest = std::max(longest, t - previous);
        previous = t;
    }
    return std::max(longest, end - previous);
}

// A user elsewhere on the screen: the grid is uncovered every 20 ms and the mouse moves over it every 5 ms.
class BusyScreen {
  public:
    explicit BusyScreen(HWND grid)
        : thread_([this, grid] {
              for (int tick = 0; !stop_; ++tick) {
                  PostMessageW(grid, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
                  if (tick % 4 == 0) InvalidateRect(grid, nullptr, FALSE);
                  Sleep(5);
              }
          }) {}
    ~BusyScreen() {
        stop_ = true;
        thread_.join();
    }

  private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

struct EditorWindows {
    HWND dialog = nullptr, grid = nullptr, aceptar = nullptr;
};

std::optional<EditorWindows> findEditor() {
    EditorWindows found;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM out) -> BOOL {
            wchar_t title[64] = {};
            GetWindowTextW(window, title, 64);
            if (!IsWindowVisible(window) || std::wstring(title) != L"Editor de polilíneas:") return TRUE;
            reinterpret_cast<EditorWindows*>(out)->dialog = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    if (found.dialog == nullptr) return std::nullopt;
    EnumChildWindows(
        found.dialog,
        [](HWND window, LPARAM out) -> BOOL {
            auto& windows = *reinterpret_cast<EditorWindows*>(out);
            wchar_t name[64] = {}, text[64] = {};
            GetClassNameW(window, name, 64);
            GetWindowTextW(window, text, 64);
            // The class name carries the module it was registered by.
            if (std::wstring(name).starts_with(L"Orv_Pol_edit.Grid")) windows.grid = window;
            if (std::wstring(name) == L"Button" && std::wstring(text) == L"Aceptar") windows.aceptar = window;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    if (found.grid == nullptr || found.aceptar == nullptr) return std::nullopt;
    return found;
}

// A key as the grid reads it: the message, with Ctrl down or up in the thread's keyboard state.
void key(HWND window, WPARAM virtualKey, bool control = false) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CONTROL] = state[VK_LCONTROL] = control ? 0x80 : 0;
    state[VK_SHIFT] = state[VK_LSHIFT] = 0;
    SetKeyboardState(state);
    SendMessageW(window, WM_KEYDOWN, virtualKey, 1);
    if (control) {
        state[VK_CONTROL] = state[VK_LCONTROL] = 0;
        SetKeyboardState(state);
    }
}

class EditorSession {
  public:
    explicit EditorSession(int32_t n, bool large) : n_(n), large_(large), drawing_(n) {}

    void run() {
        WNDCLASSW kind{};
        kind.lpfnWndProc = &EditorSession::procedure;
        kind.hInstance = GetModuleHandleW(nullptr);
        kind.lpszClassName = L"OrvBenchScript";
        RegisterClassW(&kind);
        HWND script = CreateWindowExW(0, kind.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      kind.hInstance, this);
        SetTimer(script, 1, 1, nullptr);

        component::C_Enf_Pol object(services_, host_);
        BenchDrawing& d = drawing_;
        automation::ObjectRef form;
        opened_ = nowMs();
        object.PasaDatos(d.Tipo, form, d.PtoEnfo, d.nPtos, d.X, d.Y, d.Z, d.Nombre, d.Código, d.CapaPuntos,
                         d.noCapas, d.Capas, d.PolN, d.VertP, d.capP, d.NoPoli, d.colPol);
        const double closed = nowMs();
        DestroyWindow(script);
        if (!scripted_) {
            report("ui.script_ran", n_, 0, "");
            return;
        }
        report("ui.close", n_, closed - closeStart_, "ms");
        report("ui.host_sum", n_, static_cast<double>(host_.sum % 1000), "");
    }

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE)
            SetWindowLongPtrW(
                window, GWLP_USERDATA,
                reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<EditorSession*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_TIMER && self != nullptr) {
            self->tick(window);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    // The first tick that finds the editor shown with its grid painted starts the script.
    void tick(HWND script) {
        if (scripted_) return;
        const std::optional<EditorWindows> windows = findEditor();
        if (!windows || GetUpdateRect(windows->grid, nullptr, FALSE)) return;
        const double painted = nowMs();
        scripted_ = true;
        KillTimer(script, 1);
        report("ui.first_paint", n_, painted - opened_, "ms");
        w_ = *windows;
        scroll();
        if (large_) {
            commit();
            aceptar();
        }
        closeStart_ = nowMs();
        PostMessageW(w_.dialog, WM_CLOSE, 0, 0);
    }

    template <class Step>
    double timed(Step&& step) {
        const double start = nowMs();
        step();
        UpdateWindow(w_.grid);
        return nowMs() - start;
    }

    void toTop() {
        key(w_.grid, VK_HOME, true);
        UpdateWindow(w_.grid);
    }

    void scroll() {
        std::vector<double> pageDown, wheel, toEnd;
        RECT box;
        GetWindowRect(w_.grid, &box);
        for (int run = 0; run < 25; ++run) {
            toTop();
            pageDown.push_back(timed([&] { key(w_.grid, VK_NEXT); }));
            toTop();
            wheel.push_back(timed([&] {
                SendMessageW(w_.grid, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                             MAKELPARAM(box.left + 20, box.top + 40));
            }));
            toTop();
            toEnd.push_back(timed([&] { key(w_.grid, VK_END, true); }));
        }
        report("ui.page_down", n_, median(pageDown), "ms");
        report("ui.wheel", n_, median(wheel), "ms");
        report("ui.ctrl_end", n_, median(toEnd), "ms");
    }

    // A name typed into the cell of row 1 and committed with Enter, until the host hears EnfocaPol. The first
    // commit after opening also makes the rows' copy of their points: it is reported on its own.
    void commit() {
        std::vector<double> commits;
        for (int run = 0; run < 5; ++run) {
            toTop();
            key(w_.grid, VK_RIGHT);
            SendMessageW(w_.grid, WM_CHAR, run % 2 ? L'N' : L'M', 1);
            HWND edit = FindWindowExW(w_.grid, nullptr, L"Edit", nullptr);
            host_.enfocaPolAt = 0;
            const double start = nowMs();
            key(edit, VK_RETURN);
            if (host_.enfocaPolAt > 0) commits.push_back(host_.enfocaPolAt - start);
            UpdateWindow(w_.grid);
        }
        report("ui.first_commit", n_, commits.empty() ? 0 : commits.front(), "ms");
        report("ui.commit", n_, median(commits), "ms");
        report("ui.commits_heard", n_, static_cast<double>(commits.size()), "");
    }

    // "Aceptar" with the per-row yields and without, alternately; with them the grid must keep painting and
    // taking input.
    void aceptar() {
        GridActivity activity;
        SetWindowSubclass(w_.grid, &gridSpy, 1, reinterpret_cast<DWORD_PTR>(&activity));
        std::vector<double> withYields, withoutYields, event, paintGap, inputGap;
        for (int run = 0; run < 6; ++run) {
            const bool yields = run % 2 == 0;
            services_.switchable().yields = yields;
            activity.paints.clear();
            activity.inputs.clear();
            host_.enfocaPolAt = 0;
            double start = 0, end = 0;
            {
                BusyScreen user(w_.grid);
                Sleep(30);
                activity.recording = yields;
                start = nowMs();
                SendMessageW(w_.aceptar, BM_CLICK, 0, 0);
                end = nowMs();
                activity.recording = false;
            }
            (yields ? withYields : withoutYields).push_back(end - start);
            if (yields) {
                if (host_.enfocaPolAt > 0) event.push_back(host_.enfocaPolAt - start);
                paintGap.push_back(longestGap(activity.paints, start, end));
                inputGap.push_back(longestGap(activity.inputs, start, end));
            }
            // What the user did meanwhile is over before the next run.
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        }
        services_.switchable().yields = true;
        RemoveWindowSubclass(w_.grid, &gridSpy, 1);
        report("ui.aceptar_yields", n_, median(withYields), "ms");
        report("ui.aceptar_no_yields", n_, median(withoutYields), "ms");
        report("ui.aceptar_event", n_, median(event), "ms");
        report("ui.aceptar_paint_gap", n_, *std::max_element(paintGap.begin(), paintGap.end()), "ms");
        report("ui.aceptar_input_gap", n_, *std::max_element(inputGap.begin(), inputGap.end()), "ms");
    }

    int32_t n_;
    bool large_;
    BenchDrawing drawing_;
    WindowServices services_;
    TimingHost host_;
    EditorWindows w_;
    bool scripted_ = false;
    double opened_ = 0, closeStart_ = 0;
};

}  // namespace

void runEditorWindowBench() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    EditorSession(sized(100), false).run();
    EditorSession(sized(1000000), true).run();
}

}  // namespace orv::bench
