#include "tour.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "drawing_file.h"
#include "drawing_generator.h"
#include "main_window.h"
#include "screen_capture.h"
#include "tour_user.h"

namespace orv::host {

namespace {

const std::wstring kEditorCaption = L"Editor de polilíneas:";
const std::wstring kFocusCaption = L"Enfoca y edita Polilineas";

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void expect(bool condition, const std::string& what) {
    if (!condition) throw Failure(what);
}

class Tour {
  public:
    Tour(MainWindow& host, std::filesystem::path pictures) : host_(host), pictures_(std::move(pictures)) {}
    int run();

  private:
    template <class Result>
    Result onUi(const std::function<Result()>& read) {
        Result result{};
        host_.onUiThread([&] { result = read(); });
        return result;
    }
    bool logged(const std::wstring& prefix) {
        return onUi<bool>([&] {
            const auto& log = host_.answers().log();
            return std::any_of(log.begin(), log.end(),
                               [&](const std::wstring& e) { return e.starts_with(prefix); });
        });
    }
    void clearLog() {
        host_.onUiThread([&] { host_.answers().clearLog(); });
    }
    void picture(const char* name);
    void clickToolbar(WORD command);
    HWND button(HWND dialog, const std::wstring& caption, size_t nth = 0, bool byTop = false);
    void await(const std::function<bool()>& condition, const std::string& what) {
        expect(user_.waitUntil(condition), "timed out waiting for " + what);
    }

    void drawingFilesNameTheLineOfBadInputAndSaveWhole();
    void showsTheSample();
    void picksAPolylineInThePlan();
    void editorOpensOnIt();
    void editingACoordinateMovesThePoint();
    void nextPolylineComesFromTheHost();
    void acceptHandsTheTableOver();
    void captureAddsAPointClickedInThePlan();
    void focusDialogStepsVerticesWithThePlanFollowing();
    void zoomFollowsTheDialog();
    void cancelEndsTheSession();
    void savedDrawingReadsBackTheSame();

    MainWindow& host_;
    std::filesystem::path pictures_;
    TourUser user_;
    HWND dialog_ = nullptr;
    int32_t polyline_ = 0, editedPoint_ = 0, capturedPoint_ = 0;
    double editedX_ = 0;
};

int Tour::run() {
    const std::vector<std::pair<const char*, void (Tour::*)()>> steps = {
        {"DrawingFilesNameTheLineOfBadInputAndSaveWhole",
         &Tour::drawingFilesNameTheLineOfBadInputAndSaveWhole},
        {"HostShowsTheSample", &Tour::showsTheSample},
        {"PicksAPolylineInThePlan", &Tour::picksAPolylineInThePlan},
        {"EditorOpensOnThePolyline", &Tour::editorOpensOnIt},
        {"EditingACoordinateMovesThePoint", &Tour::editingACoordinateMovesThePoint},
        {"NextPolylineComesFromTheHost", &Tour::nextPolylineComesFromTheHost},
        {"AcceptHandsTheTableOver", &Tour::acceptHandsTheTableOver},
        {"CaptureAddsAPointClickedInThePlan", &Tour::captureAddsAPointClickedInThePlan},
        {"FocusDialogStepsVerticesWithThePlanFollowing", &Tour::focusDialogStepsVerticesWithThePlanFollowing},
        {"ZoomFollowsTheDialog", &Tour::zoomFollowsTheDialog},
        {"CancelEndsTheSession", &Tour::cancelEndsTheSession},
        {"SavedDrawingReadsBackTheSame", &Tour::savedDrawingReadsBackTheSame},
    };
    std::printf("[==========] Running %zu tests from Tour\n", steps.size());
    size_t passed = 0;
    for (size_t i = 0; i < steps.size(); ++i) {
        std::printf("[ RUN      ] Tour.%s\n", steps[i].first);
        std::fflush(stdout);
        try {
            (this->*steps[i].second)();
            std::printf("[       OK ] Tour.%s\n", steps[i].first);
            ++passed;
        } catch (const std::exception& error) {
            // Every later step builds on this one.
            std::printf("%s\n[  FAILED  ] Tour.%s\n", error.what(), steps[i].first);
            break;
        }
        std::fflush(stdout);
    }
    std::printf("[==========] %zu tests ran.\n[  PASSED  ] %zu tests.\n", steps.size(), passed);
    if (passed < steps.size()) std::printf("[  FAILED  ] %zu tests\n", steps.size() - passed);
    std::fflush(stdout);
    return passed == steps.size() ? 0 : 1;
}

void Tour::picture(const char* name) {
    // Let every window finish painting first.
    user_.settle(host_.window());
    if (dialog_ && IsWindow(dialog_)) user_.settle(dialog_);
    Sleep(150);
    expect(captureProcessWindows(pictures_ / name), std::string("cannot write ") + name);
}

void Tour::clickToolbar(WORD command) {
    HWND bar = user_.children(host_.window(), TOOLBARCLASSNAMEW).at(0);
    const auto index = SendMessageW(bar, TB_COMMANDTOINDEX, command, 0);
    RECT item{};
    SendMessageW(bar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    user_.clickAt(bar, POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
}

HWND Tour::button(HWND dialog, const std::wstring& caption, size_t nth, bool byTop) {
    auto found = user_.children(dialog, L"Button", caption);
    if (byTop) {
        std::sort(found.begin(), found.end(), [](HWND a, HWND b) {
            RECT ra, rb;
            GetWindowRect(a, &ra), GetWindowRect(b, &rb);
            return ra.top < rb.top;
        });
    }
    if (nth >= found.size()) throw Failure("no button \"" + narrow(caption) + "\"");
    return found[nth];
}

void Tour::drawingFilesNameTheLineOfBadInputAndSaveWhole() {
    const std::string head = "ORV-DIBUJO 1\n[capas]\n1\tLindes\n[puntos]\n1\tA\t1.5\t2\t0\tC\t1\n";
    const std::pair<std::string, std::string> bad[] = {
        {"", "l\xC3\xADnea 1: no es un dibujo"},
        {head + "2\tB\t1.5\tx\t0\tC\t1\n", "l\xC3\xADnea 6: Y no es un n\xC3\xBAmero: \"x\""},
        {head + "2\tB\t1.5\t2\t0\tC\t7\n", "l\xC3\xADnea 6: la capa 7 no est\xC3\xA1 en [capas]"},
        {head + "[polil\xC3\xADneas]\n1\t#FF0000\t1 9\n",
         "l\xC3\xADnea 7: el punto 9 no est\xC3\xA1 en [puntos]"},
        {head + "[polil\xC3\xADneas]\n1\tred\t1 1\n", "l\xC3\xADnea 7: el color no es #RRGGBB"},
    };
    for (const auto& [text, reason] : bad) {
        std::string message = "accepted";
        try {
            parseDrawing(text);
        } catch (const DrawingFileError& error) {
            message = error.what();
        }
        expect(message.starts_with(reason), "\"" + reason + "\" expected, got \"" + message + "\"");
    }
    const Drawing generated = generateDrawing(1000);
    expect(parseDrawing(formatDrawing(generated)) == generated, "a generated drawing reads back the same");
    // A write that cannot finish leaves the file that was there.
    const std::filesystem::path file = pictures_ / "atomico.orv";
    writeDrawingFile(file, generated);
    std::filesystem::create_directory(pictures_ / "atomico.orv.tmp");
    bool refused = false;
    try {
        writeDrawingFile(file, Drawing{});
    } catch (const DrawingFileError&) {
        refused = true;
    }
    expect(refused && readDrawingFile(file) == generated, "a failed save keeps the old file whole");
    std::filesystem::remove(pictures_ / "atomico.orv.tmp");
    std::filesystem::remove(file);
}

void Tour::showsTheSample() {
    const auto [points, layers] = onUi<std::pair<int32_t, size_t>>([&] {
        return std::pair{host_.drawing().pointCount(), host_.drawing().layers.size()};
    });
    expect(points >= 300 && layers >= 4, "the sample has a few hundred points on four or more layers");
    picture("01_plano.png");
}

void Tour::picksAPolylineInThePlan() {
    // The first parcel; a segment of it that no neighbour shares, found as the plan view itself picks.
    const auto [polyline, at] = onUi<std::pair<int32_t, POINT>>([&] {
        const Drawing& d = host_.drawing();
        for (int32_t k = 1; k <= d.polylineCount(); ++k) {
            if (d.polyline(k).layer != 1) continue;
            const auto& v = d.polyline(k).points;
            for (size_t i = 1; i < v.size(); ++i) {
                const POINT a = host_.view().toClient(d.point(v[i - 1]).x, d.point(v[i - 1]).y);
                const POINT b = host_.view().toClient(d.point(v[i]).x, d.point(v[i]).y);
                const POINT middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
                if (host_.view().polylineAt(middle) == k) return std::pair{k, middle};
            }
        }
        return std::pair{0, POINT{}};
    });
    expect(polyline != 0, "a parcel in view");
    polyline_ = polyline;
    user_.clickAt(host_.view().window(), at);
    await([&] { return onUi<int32_t>([&] { return host_.view().currentPolyline(); }) == polyline_; },
          "the clicked parcel to become current");
}

void Tour::editorOpensOnIt() {
    clickToolbar(kEdit);
    dialog_ = user_.waitForWindow(kEditorCaption);
    await([&] { return logged(L"EnfocaPuntito("); }, "the editor to focus its first vertex");
    const auto [shown, first] = onUi<std::pair<int32_t, int32_t>>([&] {
        return std::pair{host_.view().currentPoint(), host_.drawing().polyline(polyline_).points.front()};
    });
    expect(shown == first, "the plan highlights the polyline's first vertex");
    picture("02_editor.png");
}

void Tour::editingACoordinateMovesThePoint() {
    HWND grid = user_.children(dialog_, L"Orv_Pol_edit.Grid").at(0);
    editedPoint_ = onUi<int32_t>([&] { return host_.drawing().polyline(polyline_).points[1]; });
    const double before = onUi<double>([&] { return host_.drawing().point(editedPoint_).x; });
    editedX_ = std::round((before + 3.25) * 1000.0) / 1000.0;
    // The editor reads numbers with the user's decimal separator.
    wchar_t separator[8] = L".";
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    wchar_t text[64];
    std::swprintf(text, 64, L"%.3f", editedX_);
    std::wstring typed = text;
    std::replace(typed.begin(), typed.end(), L'.', separator[0]);
    user_.clickAt(grid, POINT{4, 4});
    user_.press(VK_HOME, true);
    user_.press(VK_DOWN);
    user_.press(VK_RIGHT);
    user_.press(VK_RIGHT);
    user_.type(typed);
    user_.press(VK_RETURN);
    await([&] { return onUi<double>([&] { return host_.drawing().point(editedPoint_).x; }) == editedX_; },
          "the typed X to reach the host's drawing");
    expect(onUi<bool>([&] { return host_.modified(); }), "the drawing is marked modified");
    picture("03_coordenada.png");
}

void Tour::nextPolylineComesFromTheHost() {
    const int32_t next = polyline_ % onUi<int32_t>([&] { return host_.drawing().polylineCount(); }) + 1;
    clearLog();
    user_.click(button(dialog_, L">", 0));
    await([&] { return onUi<int32_t>([&] { return host_.view().currentPolyline(); }) == next; },
          "the host to supply the next polyline");
    expect(logged(L"newPolCambiala(" + std::to_wstring(next) + L")"),
           "the dialog asked for the next polyline");
    expect(logged(L"EnfocaPol("), "stepping applied the table first");
    // The dialog starts the new polyline on the first vertex of the list the host wrote into its arguments.
    await(
        [&] {
            return onUi<bool>(
                [&] { return host_.view().currentPoint() == host_.drawing().polyline(next).points.front(); });
        },
        "the editor to show the vertex list the host supplied");
    polyline_ = next;
    picture("04_siguiente_polilinea.png");
}

void Tour::acceptHandsTheTableOver() {
    clearLog();
    user_.click(button(dialog_, L"Aceptar"));
    await([&] { return logged(L"EnfocaPol("); }, "Aceptar to hand the table to the host");
    user_.settle(dialog_);
}

void Tour::captureAddsAPointClickedInThePlan() {
    const size_t before = onUi<size_t>([&] { return host_.drawing().polyline(polyline_).points.size(); });
    user_.click(button(dialog_, L"Capturar <<"));
    expect(user_.waitUntilGone(dialog_), "Capturar << hides the editor");
    await([&] { return onUi<bool>([&] { return host_.capturing(); }); }, "the host to wait for a point");
    // The spot height nearest the plan's centre that the plan view picks by itself.
    const auto [point, at] = onUi<std::pair<int32_t, POINT>>([&] {
        const Drawing& d = host_.drawing();
        RECT area;
        GetClientRect(host_.view().window(), &area);
        std::pair<int32_t, POINT> best{0, POINT{}};
        double nearest = 1e18;
        for (int32_t p = 1; p <= d.pointCount(); ++p) {
            const POINT c = host_.view().toClient(d.point(p).x, d.point(p).y);
            const double distance = std::hypot(c.x - area.right / 2.0, c.y - area.bottom / 2.0);
            if (d.point(p).code == L"TERRENO" && distance < nearest && host_.view().pointAt(c) == p)
                nearest = distance, best = {p, c};
        }
        return best;
    });
    expect(point != 0, "a spot height in view");
    capturedPoint_ = point;
    user_.clickAt(host_.view().window(), at);
    dialog_ = user_.waitForWindow(kEditorCaption);
    const auto vertices =
        onUi<std::vector<int32_t>>([&] { return host_.drawing().polyline(polyline_).points; });
    expect(vertices.size() == before + 1 && std::count(vertices.begin(), vertices.end(), point) == 1,
           "the clicked point became a vertex and the editor reopened");
    picture("05_captura.png");
    clearLog();
    user_.click(button(dialog_, L"Cancelar"));
    expect(user_.waitUntilGone(dialog_), "Cancelar closes the editor");
    await([&] { return logged(L"CancelarEnfoca()"); }, "the editor's cancel");
}

void Tour::focusDialogStepsVerticesWithThePlanFollowing() {
    clickToolbar(kFocus);
    dialog_ = user_.waitForWindow(kFocusCaption);
    await([&] { return logged(L"EnfocaPuntito("); }, "the focus dialog's first vertex");
    picture("06_enfoca.png");
    const auto vertices =
        onUi<std::vector<int32_t>>([&] { return host_.drawing().polyline(polyline_).points; });
    for (size_t vertex : {size_t{1}, size_t{2}}) {
        // The polyline's arrows stand above the vertex's.
        user_.click(button(dialog_, L">", 1, true));
        await([&] { return onUi<int32_t>([&] { return host_.view().currentPoint(); }) == vertices[vertex]; },
              "the plan to follow vertex " + std::to_string(vertex + 1));
    }
    picture("07_vertice.png");
}

void Tour::zoomFollowsTheDialog() {
    const double before = onUi<double>([&] { return host_.view().scale(); });
    user_.click(button(dialog_, L"+"));
    await([&] { return onUi<double>([&] { return host_.view().scale(); }) == 2 * before; },
          "the plan to zoom in");
    picture("08_zoom.png");
}

void Tour::cancelEndsTheSession() {
    clearLog();
    user_.click(button(dialog_, L"Cancelar"));
    expect(user_.waitUntilGone(dialog_), "Cancelar closes the focus dialog");
    await([&] { return logged(L"CancelarEnfoca()"); }, "the focus dialog's cancel");
    dialog_ = nullptr;
}

void Tour::savedDrawingReadsBackTheSame() {
    const std::filesystem::path file = pictures_ / "recorrido.orv";
    expect(onUi<bool>([&] { return host_.saveTo(file); }), "the drawing is saved");
    const Drawing saved = readDrawingFile(file);
    const Drawing shown = onUi<Drawing>([&] { return host_.drawing(); });
    expect(saved == shown, "the saved file reads back as the drawing on screen");
    expect(saved.point(editedPoint_).x == editedX_, "the file holds the edited coordinate");
    const auto& vertices = saved.polyline(polyline_).points;
    expect(std::find(vertices.begin(), vertices.end(), capturedPoint_) != vertices.end(),
           "the file holds the captured vertex");
    expect(!onUi<bool>([&] { return host_.modified(); }), "saving clears the modified mark");
    picture("09_guardado.png");
}

}  // namespace

void startTour(MainWindow& host, std::filesystem::path pictures) {
    std::error_code ignored;
    std::filesystem::create_directories(pictures, ignored);
    std::thread([&host, pictures] {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        const int result = Tour(host, pictures).run();
        if (result != 0) ExitProcess(static_cast<UINT>(result));
        PostMessageW(host.window(), WM_CLOSE, 0, 0);
    }).detach();
}

}  // namespace orv::host
