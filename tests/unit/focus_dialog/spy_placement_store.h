#pragma once
// A placement store that notes every call with what the dialog showed at that moment, can be made to fail,
// and passes the calls on to the memory store of the test services.
#include <string>
#include <vector>

#include "collaborators/memory_placement_store.h"
#include "unit/focus_dialog/focus_dialog_user.h"

namespace orv::test::focus {

class SpyPlacementStore : public collaborators::FormPlacementStore {
  public:
    explicit SpyPlacementStore(collaborators::MemoryPlacementStore& inner) : inner_(inner) {}

    void RestorePlacementAndSize(ui::Form& form, const Text& section, const Text& key, int32_t left,
                                 int32_t top, int32_t width, int32_t height) override {
        note("RestorePlacementAndSize", form, section, key);
        inner_.RestorePlacementAndSize(form, section, key, left, top, width, height);
    }
    void RestorePlacement(ui::Form& form, const Text& section, const Text& key) override {
        note("RestorePlacement", form, section, key);
        inner_.RestorePlacement(form, section, key);
    }
    void StorePlacement(ui::Form& form, const Text& section, const Text& key) override {
        note("StorePlacement", form, section, key);
        inner_.StorePlacement(form, section, key);
    }

    // "RestorePlacement(Enfoca Polilineas, enfoca) at vértice 1 punto 1: ..."
    std::vector<std::string> calls;

  private:
    void note(const char* operation, ui::Form& form, const Text& section, const Text& key) {
        calls.push_back(std::string(operation) + "(" + automation::toUtf8(section) + ", " +
                        automation::toUtf8(key) + ") at " + shown(form));
    }

    collaborators::MemoryPlacementStore& inner_;
};

}  // namespace orv::test::focus
