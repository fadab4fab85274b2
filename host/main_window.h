#pragma once
// The host's frame: menu, toolbar, the layer and polyline lists, the plan view and the status bar; the file
// commands and the two commands that open the component's dialogs.
#include <windows.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "drawing.h"
#include "drawing_lists.h"
#include "event_answers.h"
#include "plan_view.h"
#include "polyline_component.h"

namespace orv::host {

enum Command : WORD {
    kOpen = 100,
    kSave,
    kSaveAs,
    kExit,
    kFocus,
    kEdit,
    kFitAll,
};

class MainWindow final : public PlanViewListener {
  public:
    static void registerClass(HINSTANCE instance);
    // `path` empty: the embedded sample, not yet saved anywhere.
    MainWindow(Drawing drawing, std::filesystem::path path);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND window() const { return window_; }
    // Runs `work` on the window's thread (also while a dialog's modal loop runs there) and waits for it.
    void onUiThread(const std::function<void()>& work) const;

    // For the tour, on the window's thread.
    const Drawing& drawing() const { return drawing_; }
    bool modified() const { return modified_; }
    PlanView& view() { return *view_; }
    EventAnswers& answers() { return *answers_; }
    bool capturing() const { return capturing_.has_value(); }
    bool saveTo(const std::filesystem::path& path);

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);
    void create();
    void layout();
    void command(WORD id);
    void openDialog(Dialog dialog);
    void open();
    bool save();
    bool saveAs();
    bool confirmClose();
    void takeDrawing(Drawing drawing, std::filesystem::path path);
    void select(int32_t polyline);
    void setModified(bool modified);
    void status(int part, const std::wstring& text);
    void cursorMoved(double x, double y) override;
    void clicked(POINT at) override;
    void captured(int32_t point);

    HWND window_ = nullptr, toolbar_ = nullptr, statusBar_ = nullptr;
    std::unique_ptr<DrawingLists> lists_;
    Drawing drawing_;
    std::filesystem::path path_;
    bool modified_ = false;
    std::unique_ptr<PlanView> view_;
    std::unique_ptr<EventAnswers> answers_;
    std::unique_ptr<PolylineComponent> component_;
    // While the user picks a point for the editor: the polyline and the vertex after which it goes.
    struct Capture {
        int32_t polyline, after;
    };
    std::optional<Capture> capturing_;
    bool inDialog_ = false;
};

}  // namespace orv::host
