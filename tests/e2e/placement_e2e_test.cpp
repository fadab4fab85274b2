// Both dialogs' placement in the user's registry: whatever is stored there (values of the wrong type, numbers
// at the ends of the range, a place off every screen), a dialog opens on screen at a usable size; closed from
// its window menu after a move, it opens again where it was; and where the registry refuses the store, it
// still opens and closes as usual.
#include "com_test_host.h"
#include "ui_driver.h"

namespace orv::e2e {
namespace {

using DialogPlacement = RealServer;

const wchar_t kPlacements[] = L"Software\\Orv_Pol_edit";
const wchar_t* const kSections[] = {L"Enfoca Polilineas\\enfoca", L"Editar Polil\u00edneas\\EditarPol"};

void store(const std::wstring& section, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    const std::wstring key = std::wstring(kPlacements) + L"\\" + section;
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, type, data, size), ERROR_SUCCESS);
}

TEST_F(DialogPlacement,
       AnyStoredPlacementOpensOnScreenAMovedDialogReopensWhereItWasAndARefusedStoreIsHarmless) {
    const DWORD rounds[][4] = {{0x80000000, 0x7FFFFFFF, 9000, 6000},
                               {0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF},
                               {0xFFFFFFFF, 0xFFFFFFFF, 1, 1},
                               {4000000, static_cast<DWORD>(-300000), 3030, 5355}};
    Subscription a(object_.get(), &first_);
    Log boxes;
    // Opens dialog `tipo`, moves it to `to` unless null, closes it from its window menu or by Esc; where it
    // opened.
    auto open = [&](SHORT tipo, const POINT* to) {
        HostDrawing drawing;
        drawing.Tipo = tipo;
        RECT opened{};
        const Log shown = runWithUser(
            [&](UiDriver& ui) {
                HWND dialog = ui.waitForWindow(tipo ? kEditorCaption : kFocusCaption);
                GetWindowRect(dialog, &opened);
                if (to)
                    SetWindowPos(dialog, nullptr, to->x, to->y, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                ui.settle(dialog);
                to ? void(PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0)) : ui.press(VK_ESCAPE);
                ui.waitUntilGone(dialog);
            },
            [&] { EXPECT_EQ(drawing.pasaDatos(*object_.get()), S_OK); });
        EXPECT_EQ(log_.entries().back(), L"A CancelarEnfoca()") << "the close reaches the host";
        log_.clear();
        boxes.insert(boxes.end(), shown.begin(), shown.end());
        return opened;
    };
    RECT screen{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen, 0);
    for (int round = -1; round < std::ssize(rounds); ++round) {
        RegDeleteTreeW(HKEY_CURRENT_USER, kPlacements);
        for (const wchar_t* section : kSections) {
            if (round < 0) {
                store(section, L"Left", REG_SZ, L"abc", 8);
                store(section, L"Top", REG_BINARY, "\1\2", 2);
            }
            for (int i = 0; round >= 0 && i < 4; ++i)
                store(section, std::array{L"Left", L"Top", L"Width", L"Height"}[i], REG_DWORD,
                      &rounds[round][i], sizeof(DWORD));
        }
        for (SHORT tipo : {0, 1}) {
            SCOPED_TRACE(concat("round ", round, ", dialog ", tipo));
            const POINT to{150 + 40 * tipo, 120 + 30 * tipo};
            const RECT opened = open(tipo, round == 3 ? &to : nullptr);
            RECT both{};
            EXPECT_TRUE(IntersectRect(&both, &opened, &screen) && opened.right - opened.left > 40 &&
                        opened.bottom - opened.top > 40);
            if (round < 3) continue;
            // A place off every screen comes back whole.
            EXPECT_TRUE(opened.left >= screen.left && opened.top >= screen.top &&
                        opened.right <= screen.right && opened.bottom <= screen.bottom);
            const RECT reopened = open(tipo, nullptr);
            EXPECT_NEAR(reopened.left, to.x, 1);
            EXPECT_NEAR(reopened.top, to.y, 1);
        }
    }
    // Our own key made volatile: no lasting key can be created below it, so every store is refused.
    RegDeleteTreeW(HKEY_CURRENT_USER, kPlacements);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kPlacements, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    for (SHORT tipo : {0, 1}) open(tipo, nullptr);
    RegDeleteTreeW(HKEY_CURRENT_USER, kPlacements);
    // The refused store is told once.
    EXPECT_EQ(boxes, Log(1, L"Orv_Pol_edit|Error n\u00ba 75: Error de acceso a ruta o archivo|critical|1"));
}

}  // namespace
}  // namespace orv::e2e
