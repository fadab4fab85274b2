// Whole sessions on the headless toolkit: a snapshot bent out of shape (bounds, lower bounds, empty and
// undimensioned arrays, counts that lie, point and layer numbers outside the arrays, 16-bit overflows) handed
// to C_Enf_Pol.PasaDatos for either dialog, then the user's actions and the host's behaviour inside every
// event (answering, writing into the arguments, re-dimensioning them, failing, calling PasaDatos again) as
// the bytes choose.
//
// Checked at every event, every user action and after every call: nothing escapes PasaDatos (it is noexcept:
// an escape ends the run), no sanitizer report, the host's own variables byte-identical. The dialogs'
// refusals are checked too: every point number an event carries is a point of the drawing (the focus
// dialog's vertex list excepted: it is the host's own, handed back as the host left it), and a dialog closed
// by the user ends with exactly the closing events of the way it was closed.
#include <algorithm>
#include <cstdlib>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "automation/automation_error.h"
#include "component/c_enf_pol.h"
#include "fuzz_input.h"
#include "support/drawing.h"
#include "support/test_services.h"
#include "ui/combo_box.h"
#include "ui/command_button.h"
#include "ui/form.h"
#include "ui/table/vertex_table.h"
#include "ui/text_box.h"
#include "ui/toolbar.h"

using namespace orv;
using namespace orv::test;
using automation::VariantBool;
using fuzz::finding;

namespace {

const char16_t* const kTyped[] = {u"",           u"0",           u"1",    u"2",    u"-1",  u"3.5",
                                  u"&HFFFF",     u"99999999999", u"1e10", u"abc",  u"1,5", u" 7 ",
                                  u"2147483648", u"&O777",       u"1d3",  u"40000"};

Text typedText(fuzz::FuzzInput& in) {
    return in.flag() ? Text(kTyped[in.pick(std::size(kTyped))]) : in.text(12);
}

template <class T>
void bend(fuzz::FuzzInput& in, automation::Array<T>& array, int32_t nearZero) {
    if (in.pick(4) == 0) return array.erase();
    const int32_t lower = static_cast<int32_t>(in.pick(5)) - 2;
    array.redim(lower, lower - 1 + static_cast<int32_t>(in.pick(nearZero + 2)));
    if constexpr (!std::is_same_v<T, Text>)
        for (int64_t i = array.lbound(); i <= array.ubound(); ++i)
            array(i) = static_cast<T>(in.number(nearZero));
}

Drawing bentDrawing(fuzz::FuzzInput& in) {
    test::DrawingShape shape;
    shape.points = 1 + in.pick(12);
    shape.vertices = 2 + in.pick(5);
    shape.polylines = 1 + in.pick(4);
    shape.layers = in.pick(5);
    shape.selected = 1 + in.pick(shape.polylines);
    shape.vertexLower = in.pick(2);
    Drawing d = test::sampleDrawing(shape);
    // Each bend a byte chooses; the last one cuts the host's other polylines short.
    const std::function<void()> bends[] = {
        [&] { d.Nuput = in.number(20); },
        [&] { d.noCapas = in.flag() ? in.number(8) : 32767 + static_cast<int32_t>(in.pick(3)); },
        [&] { d.PolN = in.number(6); },
        [&] { d.NoPoli = in.number(6); },
        [&] { d.capP = in.raw<int16_t>(); },
        [&] { bend(in, in.flag() ? d.X : d.Z, 14); },
        [&] { bend(in, in.flag() ? d.Nombre : d.Capas, 14); },
        [&] { bend(in, d.VertP, 14); },
        [&] { bend(in, d.CapaPuntos, 6); },
        [&] {
            if (d.VertP.count())
                d.VertP(d.VertP.lbound() + int32_t(in.pick(d.VertP.count()))) = in.number(16);
        },
        [&] { d.Polcol = in.raw<int32_t>(); },
        [&] {
            for (test::Polyline& p : d.polylines)
                if (in.flag()) p.vertices.assign(in.pick(4), in.number(16));
        },
    };
    for (int n = in.pick(5); n > 0; --n) bends[in.pick(12)]();
    return d;
}

class SessionHost : public component::C_Enf_PolEvents {
  public:
    explicit SessionHost(fuzz::FuzzInput& in) : in_(in) {}

    // PasaDatos as a host calls it, with a few user actions queued for the dialog it opens.
    void call(int16_t Tipo, Drawing& d) {
        if (calls_.size() >= 3) return;
        for (int n = in_.pick(24); n > 0; --n) services_.headless().script([this] { userAction(); });
        // A dialog of the same kind takes over the class's reference: the older one's events reach nobody.
        for (Call& older : calls_) older.orphaned |= (older.Tipo == 0) == (Tipo == 0);
        calls_.push_back({Tipo, &d, d.snapshot()});
        component_.PasaDatos(Tipo, d.frm1, d.PtoEnfo, d.Nuput, d.X, d.Y, d.Z, d.Nombre, d.Código,
                             d.CapaPuntos, d.noCapas, d.Capas, d.PolN, d.VertP, d.capP, d.NoPoli, d.Polcol);
        const Call done = calls_.back();
        calls_.pop_back();
        if (d.snapshot() != done.before) finding("PasaDatos changed the host's variables");
        if (done.closingEvents >= 0 && !done.disturbed && !done.orphaned &&
            done.cancels != done.closingEvents)
            finding("a close did not end with its closing events");
    }

    void EnfocaPol(int32_t& Name, int32_t& nPtos, DoubleArray& X, DoubleArray& Y, DoubleArray& Z,
                   TextArray& Nombre, TextArray& Código, IntegerArray& CapaPuntos, int32_t& PolN,
                   LongArray& nVer, int16_t& capP, int32_t& NoPoli, int32_t& colPol) override {
        if (calls_.back().Tipo != 0)
            checkPoints(nVer, "EnfocaPol hands over a vertex list with a point outside the drawing");
        behave(&nVer, [&] {
            Name = in_.number(20);
            PolN = in_.number(6);
            capP = in_.raw<int16_t>();
            if (X.contains(1)) X(1) = in_.raw<double>();
            if (Nombre.contains(1)) Nombre.set(1, in_.text(6));
            if (in_.flag()) Y.redimPreserve(0, in_.number(12));
        });
    }
    void EnfocaPuntito(int32_t& Name, int32_t& polM) override {
        checkPoint(Name, "EnfocaPuntito carries a point outside the drawing");
        behave(nullptr, [&] { Name = in_.number(20), polM = in_.number(6); });
    }
    void Zoom(VariantBool& amplia, int32_t& punto, int32_t& polM) override {
        if (calls_.back().Tipo != 0) checkPoint(punto, "Zoom carries a point outside the drawing");
        behave(nullptr, [&] { punto = in_.number(20), polM = in_.number(6); });
    }
    void CancelarEnfoca() override {
        ++calls_.back().cancels;
        behave(nullptr, [] {});
    }
    void newPolCambiala(int32_t& aPolN, LongArray& aVertP, int16_t& acapP, int32_t& aNoPoli,
                        int32_t& acolpol) override {
        if (in_.pick(4)) calls_.back().drawing->writePolyline(aPolN, aVertP, acapP, aNoPoli, acolpol);
        behave(&aVertP, [&] {
            aPolN = in_.number(6);
            acapP = in_.raw<int16_t>();
            aNoPoli = in_.number(6);
        });
    }

  private:
    struct Call {
        int16_t Tipo;
        Drawing* drawing;
        test::Snapshot before;   // the host's variables as it handed them over
        int closingEvents = -1;  // how many CancelarEnfoca the user's closing action gives, -1 for none
        int cancels = 0;
        bool disturbed = false;  // the host did more than listen after the close began
        bool orphaned = false;   // a nested call of its kind took its place
    };

    // What the host does inside an event, after the checks.
    template <class Write>
    void behave(LongArray* list, Write write) {
        untouched();
        const uint32_t choice = in_.pick(12);
        if (choice < 6) return;
        calls_.back().disturbed = true;
        if (choice == 6) return write();
        if (choice == 7 && list) bend(in_, *list, 12);
        if (choice == 8)
            throw automation::AutomationError(in_.flag() ? 5 : 1004, u"the host failed", u"Host");
        if (choice != 9) return;
        nested_.push_back(*calls_.front().drawing);
        call(static_cast<int16_t>(in_.pick(2)), nested_.back());
    }

    void untouched() const {
        for (const Call& c : calls_)
            if (c.drawing->snapshot() != c.before) finding("the host's variables changed while a dialog ran");
    }

    // A point number is a point of the drawing shown: inside all six point arrays, and 1..Nuput for the
    // editor.
    bool isPoint(int32_t p) const {
        const Call& c = calls_.back();
        const Drawing& d = *c.drawing;
        return p >= 1 && (c.Tipo == 0 || p <= d.Nuput) && d.X.contains(p) && d.Y.contains(p) &&
               d.Z.contains(p) && d.Nombre.contains(p) && d.Código.contains(p) && d.CapaPuntos.contains(p);
    }
    void checkPoint(int32_t p, const char* what) {
        if (!isPoint(p)) finding(what);
    }
    void checkPoints(const LongArray& list, const char* what) {
        for (int64_t i = 1; list.contains(i); ++i) checkPoint(list(i), what);
    }

    // One user action on the dialog shown.
    void userAction() {
        untouched();
        ui::Form* form = services_.headless().activeForm();
        if (!form || in_.empty()) return;
        Call& call = calls_.back();
        const bool editor = form->find("tblPol") != nullptr;
        call.closingEvents = -1;
        static const char* const kButtons[] = {"cmdAv",      "cmdAvP",      "cmdZm",
                                               "cmdAceptar", "cmdRedibuja", "cmdColor"};
        static const char* const kFields[] = {"txtVert", "txPolis", "txtN", "txtNom",
                                              "txtX",    "txtY",    "txtZ", "txtcod"};
        static const char16_t* const kKeys[] = {u"z_amplia", u"z_reduce", u"Z_todo", u"Elim_vert", u"x"};
        const auto closing = [&call](int events) {
            call.closingEvents = events, call.cancels = 0, call.disturbed = false;
        };
        auto* table = form->findAs<ui::VertexTable>("tblPol");
        const uint32_t action = in_.pick(14);
        if (action <= 1) {
            if (auto* b = form->findAs<ui::CommandButton>(kButtons[in_.pick(6)], int16_t(in_.pick(3)) - 1)) {
                if (editor && b->name() == "cmdAceptar") closing(0);
                b->click();
            }
        } else if (action <= 3) {
            if (auto* t = form->findAs<ui::TextBox>(kFields[in_.pick(8)])) t->userTypes(typedText(in_));
        } else if (action == 4) {
            if (auto* c = form->findAs<ui::ComboBox>(in_.flag() ? "cmbCapa" : "cmbCapaPol")) {
                if (in_.flag())
                    c->userTypes(typedText(in_));
                else
                    c->userSelects(in_.number(4));
            }
        } else if (action <= 6) {
            if (table) {
                const automation::NumberLocale locale{in_.flag() ? u',' : u'.'};
                table->userCommits(in_.number(6), in_.number(6), typedText(in_), locale);
            }
        } else if (action == 7) {
            if (!table) return;
            const int32_t at = in_.number(6);
            const uint32_t how = in_.pick(3);
            if (how == 0) table->userMovesTo(at, in_.number(6));
            if (how == 1) table->userInsertsRow(at);
            if (how == 2) table->userRemovesRows(at, in_.number(3));
        } else if (action == 8) {  // a paste: rows added, then their cells written
            if (!table) return;
            const int32_t at = in_.number(6);
            table->userInsertsRow(at);
            for (int32_t column = 1; column <= 4; ++column)
                table->userCommits(at + 1, column, typedText(in_), {});
        } else if (action == 9) {
            if (auto* bar = form->findAs<ui::Toolbar>("Toolbar1")) bar->click(kKeys[in_.pick(5)]);
        } else if (action == 10) {
            if (in_.flag())
                form->userResizes(in_.number(12000), in_.number(12000));
            else
                form->userMinimizes(in_.flag());
        } else if (action == 11) {
            closing(editor ? 1 : 2);
            if (auto* b = form->findAs<ui::CommandButton>("cmdCancelar")) b->click();
        } else if (action == 12) {
            closing(editor ? 1 : 2);
            form->userPressesEscape();
        } else {
            closing(1);
            form->userCloses();
        }
    }

    fuzz::FuzzInput& in_;
    test::TestServices services_;
    component::C_Enf_Pol component_{services_, *this};
    std::vector<Call> calls_;
    std::deque<Drawing> nested_;  // the drawings of nested calls, alive as long as their dialogs
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    Drawing drawing = bentDrawing(in);
    SessionHost host(in);
    const int16_t tipo = static_cast<int16_t>(in.pick(3)) - 1;
    host.call(tipo, drawing);
    if (!in.empty()) host.call(static_cast<int16_t>(1 - tipo), drawing);  // the same instance again
    return 0;
}
