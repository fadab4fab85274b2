// The environment of the scripted test server (Orv_Pol_edit_scripted.dll): the COM edge of the real DLL, with
// dialogs that raise a fixed sequence of events on their own copies and a toolkit whose message boxes are
// real windows (the test host reads and closes them).
//
// Each dialog: newPolCambia (the host may write another polyline), RetornaPunto with the point of vertex 1
// and ZoomR with the point of the last vertex (both read after the host's write), RetornaOpcion, Cancela. The
// editor first sends RetornaPunto with Name 0, which the class does not relay.
#include <windows.h>

#include <string>

#include "collaborators/form_placement_store.h"
#include "collaborators/number_text_converter.h"
#include "component/com/module_environment.h"
#include "support/test_dialog.h"

namespace orv::com {
namespace {

class BoxToolkit final : public ui::Toolkit {
  public:
    void load(ui::Form&) override {}
    void showModal(ui::Form&) override {}
    void hide(ui::Form&) override {}
    void unload(ui::Form&) override {}
    void yield() override {}
    int32_t messageBox(const automation::Text& text, int32_t style, const automation::Text& title) override {
        const std::wstring body(text.begin(), text.end()), caption(title.begin(), title.end());
        return MessageBoxW(nullptr, body.c_str(), caption.c_str(),
                           static_cast<UINT>(style) | MB_SETFOREGROUND);
    }
    automation::Text applicationTitle() const override { return u"Orv_Pol_edit"; }
};

// The scripted dialogs neither place windows nor convert numbers.
class NoPlacements final : public collaborators::FormPlacementStore {
  public:
    void RestorePlacementAndSize(ui::Form&, const automation::Text&, const automation::Text&, int32_t,
                                 int32_t, int32_t, int32_t) override {}
    void RestorePlacement(ui::Form&, const automation::Text&, const automation::Text&) override {}
    void StorePlacement(ui::Form&, const automation::Text&, const automation::Text&) override {}
};

class NoConversions final : public collaborators::NumberTextConverter {
  public:
    double TextToNumber(const automation::Text&) override { return 0; }
    automation::Text NumberToText(double, int16_t, int16_t) override { return {}; }
};

class ScriptedServices final : public component::ComponentServices {
  public:
    ui::Toolkit& toolkit() override { return toolkit_; }
    collaborators::FormPlacementStore& placementStore() override { return placements_; }
    collaborators::NumberTextConverter& converter() override { return converter_; }
    std::unique_ptr<collaborators::ColorPicker> createColorPicker() override {
        automation::raiseStandardError(automation::error_number::kInvalidCall);
    }
    automation::NumberLocale numberLocale() override { return {}; }

  private:
    BoxToolkit toolkit_;
    NoPlacements placements_;
    NoConversions converter_;
};

void runDialog(test::TestDialog& dialog) {
    if (dialog.kind() == test::DialogKind::Editor) dialog.raiseRetornaPunto(0);
    dialog.raiseNewPolCambia();
    dialog.raiseRetornaPunto(dialog.VertP(1));
    dialog.raiseZoomR(true, dialog.VertP(dialog.VertP.ubound()));
    dialog.raiseRetornaOpcion(dialog.VertP(1));
    dialog.raiseCancela();
}

class ScriptedDialogs final : public component::DialogFactory {
  public:
    std::unique_ptr<component::PolylineDialog> createFocusDialog(component::ComponentServices&,
                                                                 component::DialogEvents& events) override {
        return std::make_unique<test::TestDialog>(test::DialogKind::Focus, ++made_, events, runDialog,
                                                  counts_);
    }
    std::unique_ptr<component::PolylineDialog> createEditorDialog(component::ComponentServices&,
                                                                  component::DialogEvents& events) override {
        return std::make_unique<test::TestDialog>(test::DialogKind::Editor, ++made_, events, runDialog,
                                                  counts_);
    }

  private:
    std::shared_ptr<test::DialogCounts> counts_ = std::make_shared<test::DialogCounts>();
    int made_ = 0;
};

}  // namespace

ModuleEnvironment makeModuleEnvironment() {
    return {std::make_unique<ScriptedServices>(), std::make_unique<ScriptedDialogs>()};
}

}  // namespace orv::com
