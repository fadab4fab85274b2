#pragma once
// The vertex table on screen: a window of our own that draws only the rows in view, straight from the table
// model, with one in-place editor. Editing works as in a spreadsheet; what the user does goes to the model's
// user paths (RowEnter, CellCommit); the grid keeps no copy of the cells.
#include <windows.h>

#include <deque>
#include <optional>
#include <vector>

#include "automation/number_locale.h"
#include "ui/table/tab_separated_text.h"
#include "ui/table/vertex_table.h"
#include "ui/win32/control_view.h"

namespace orv::ui::win32 {

class VertexGridView : public ControlView {
  public:
    VertexGridView(FormWindow& owner, ui::VertexTable& model);
    ~VertexGridView() override;

    void update(Property property) override;
    void dpiChanged() override;
    bool wantsKey(const MSG& message) const override;
    // An edit in progress is dropped, not committed: the table may be going away with its form.
    void forgetWindow() override;

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

  private:
    struct Cell {
        int32_t row, column;
    };
    struct Editing {
        Cell cell;
        bool typed;  // started by typing: the arrows finish it, as in a spreadsheet
    };

    static LRESULT CALLBACK editorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR id, DWORD_PTR self) noexcept;
    struct Modifiers {
        bool control, shift, alt;
    };
    struct QueuedInput {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        Modifiers modifiers;
    };

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    // A key, character or click for the grid: handled now, or queued while the table's events run.
    LRESULT receiveInput(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT input(UINT message, WPARAM wParam, LPARAM lParam);
    // Handles what was queued, in order, once nothing of the table's is running.
    void handleQueuedInput();
    // The modifier keys as they were when the input being handled was typed.
    Modifiers modifiers() const;
    bool editorKey(WPARAM key);

    // Geometry, pixels in the grid's client area.
    void measure();
    int32_t dataRows() const;
    int32_t columns() const;
    int fullRows() const;
    int columnLeft(int32_t column) const;
    RECT cellRect(Cell cell) const;
    std::optional<Cell> hitTest(POINT point, bool clamp) const;
    Cell cursor() const;

    void paint(HDC dc, const RECT& client);
    void refreshLater();
    void updateScrollBars();
    void scrollTo(int32_t topRow, int32_t leftColumn);
    void ensureVisible(Cell cell);

    void moveCursor(Cell cell, bool extend);
    Cell stepped(Cell from, int32_t rowStep, int32_t columnStep, bool wrap) const;
    void beginEdit(const automation::Text& text, bool typed);
    void finishEdit(bool commit, int32_t rowStep, int32_t columnStep, bool wrap);

    void insertRow();
    void removeRows();
    void selectAll();
    void copy();
    void paste();
    void pasteRows(const ui::TextRows& rows);
    void showContextMenu(POINT screen);

    struct Selection {
        int32_t firstRow, lastRow, firstColumn, lastColumn;
    };
    Selection selection() const;

    ui::VertexTable& table_;
    automation::NumberLocale locale_;
    UniqueWindow editor_;
    std::optional<Editing> editing_;
    std::vector<int> widths_;
    std::vector<int> grown_;
    int rowHeight_ = 20;
    int padding_ = 4;
    int32_t topRow_ = 1;
    int32_t leftColumn_ = 1;
    // The selection runs from the anchor to the extent; moving without Shift puts both on the cursor.
    Cell anchor_{1, 1};
    Cell extent_{1, 1};
    bool rowSelection_ = false;
    bool dragging_ = false;
    bool refreshPending_ = false;
    // How deep the model's user paths are running: their handlers let messages run, and input that arrives
    // then waits in queuedInput_ (it would act on a table the handler is still reading) until they are done.
    int busy_ = 0;
    std::deque<QueuedInput> queuedInput_;
    std::optional<Modifiers> replayed_;
    bool handlingQueue_ = false;
};

}  // namespace orv::ui::win32
