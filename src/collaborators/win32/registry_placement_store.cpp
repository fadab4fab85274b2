#include "collaborators/win32/registry_placement_store.h"

#include <windows.h>

#include <cmath>

#include "automation/standard_errors.h"
#include "ui/form.h"
#include "ui/win32/unique_handle.h"

namespace orv::collaborators::win32 {

using ui::win32::UniqueRegistryKey;

namespace {

constexpr const wchar_t* kValueNames[] = {L"Left", L"Top", L"Width", L"Height"};

}  // namespace

RegistryPlacementStore::RegistryPlacementStore(const ScreenArea& screens, std::wstring root)
    : screens_(screens), root_(std::move(root)) {}

std::wstring RegistryPlacementStore::keyPath(const Text& section, const Text& key) const {
    return root_ + L"\\" + std::wstring(section.begin(), section.end()) + L"\\" +
           std::wstring(key.begin(), key.end());
}

std::optional<Placement> RegistryPlacementStore::stored(const Text& section, const Text& key) const {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath(section, key).c_str(), 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    UniqueRegistryKey handle(opened);
    double values[4];
    for (int i = 0; i < 4; ++i) {
        DWORD value = 0, size = sizeof(value), type = 0;
        if (RegQueryValueExW(opened, kValueNames[i], nullptr, &type, reinterpret_cast<BYTE*>(&value),
                             &size) != ERROR_SUCCESS ||
            type != REG_DWORD) {
            return std::nullopt;
        }
        values[i] = static_cast<int32_t>(value);
    }
    // Values someone else left under our key: a size smaller than an inch by half an inch is none a user
    // left, and no placement at all (the caller's defaults apply).
    if (values[2] < 1440 || values[3] < 720) return std::nullopt;
    return Placement{values[0], values[1], values[2], values[3]};
}

// A placement that cannot be written is reported as the platform reports a file it may not write.
void RegistryPlacementStore::store(const Text& section, const Text& key, const Placement& placement) {
    HKEY created = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath(section, key).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &created, nullptr) != ERROR_SUCCESS) {
        automation::raiseStandardError(automation::error_number::kPathFileAccess);
    }
    UniqueRegistryKey handle(created);
    const double values[4] = {placement.left, placement.top, placement.width, placement.height};
    for (int i = 0; i < 4; ++i) {
        auto value = static_cast<DWORD>(static_cast<int32_t>(std::lround(values[i])));
        if (RegSetValueExW(created, kValueNames[i], 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                           sizeof(value)) != ERROR_SUCCESS)
            automation::raiseStandardError(automation::error_number::kPathFileAccess);
    }
}

void RegistryPlacementStore::RestorePlacementAndSize(ui::Form& form, const Text& section, const Text& key,
                                                     int32_t left, int32_t top, int32_t width,
                                                     int32_t height) {
    Placement placement = stored(section, key)
                              .value_or(Placement{static_cast<double>(left), static_cast<double>(top),
                                                  static_cast<double>(width), static_cast<double>(height)});
    placement = keepOnScreen(placement, screens_.workAreas());
    form.setBounds(placement.left, placement.top, placement.width, placement.height);
}

void RegistryPlacementStore::RestorePlacement(ui::Form& form, const Text& section, const Text& key) {
    auto saved = stored(section, key);
    if (!saved) return;
    Placement placement =
        keepOnScreen(Placement{saved->left, saved->top, form.width(), form.height()}, screens_.workAreas());
    form.setLeft(placement.left);
    form.setTop(placement.top);
}

void RegistryPlacementStore::StorePlacement(ui::Form& form, const Text& section, const Text& key) {
    store(section, key, Placement{form.left(), form.top(), form.width(), form.height()});
}

}  // namespace orv::collaborators::win32
