// Our own placement store in the user's registry: a placement that cannot be written is reported, not lost
// without a word.
#include <gtest/gtest.h>
#include <windows.h>

#include "automation/automation_error.h"
#include "collaborators/win32/registry_placement_store.h"
#include "ui/form.h"
#include "ui/headless/headless_toolkit.h"

namespace orv::collaborators::win32 {
namespace {

struct OneScreen : ScreenArea {
    std::vector<ScreenRect> workAreas() const override { return {{0, 0, 28800, 16200}}; }
};

TEST(RegistryPlacementStore, StoresAndRestoresAndReportsAPlacementItCannotWrite) {
    ui::HeadlessToolkit toolkit;
    ui::Form form(toolkit, "F_Enf_Pol", u"Enfoca", ui::BorderStyle::FixedToolWindow);
    form.setBounds(1000, 2000, 4000, 3000);
    OneScreen screens;
    RegistryPlacementStore store(screens, L"Software\\OrvStoreTest\\Writable");
    store.StorePlacement(form, u"Enfoca Polilineas", u"enfoca");
    EXPECT_EQ(store.stored(u"Enfoca Polilineas", u"enfoca"), (Placement{1000, 2000, 4000, 3000}));

    // Below a volatile key the registry refuses a lasting one.
    HKEY volatileKey = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\OrvStoreTest\\Volatile", 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &volatileKey, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(volatileKey);
    RegistryPlacementStore refused(screens, L"Software\\OrvStoreTest\\Volatile");
    try {
        refused.StorePlacement(form, u"Enfoca Polilineas", u"enfoca");
        ADD_FAILURE() << "the failed write was not reported";
    } catch (const automation::AutomationError& error) {
        EXPECT_EQ(error.number(), 75);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\OrvStoreTest");
}

}  // namespace
}  // namespace orv::collaborators::win32
