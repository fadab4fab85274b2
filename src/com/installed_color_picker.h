#pragma once
// The installation's ColorPicker, by member name. Its three settings are the first three writable properties
// its interface declares besides Title and InitialColor, taken in their declared order.
#include <memory>
#include <string>
#include <vector>

#include "collaborators/color_picker.h"
#include "com/dispatch_object.h"

namespace orv::com {

class InstalledColorPicker final : public collaborators::ColorPicker {
  public:
    explicit InstalledColorPicker(std::unique_ptr<DispatchObject> installed);

    void Title(const collaborators::Text& title) override;
    void InitialColor(const collaborators::Text& decimalDigits) override;
    void Setting1(int32_t value) override { setting(0, value); }
    void Setting2(int32_t value) override { setting(1, value); }
    void Setting3(int32_t value) override { setting(2, value); }
    int32_t ChosenColor() override;
    void ShowPicker() override;

  private:
    void putText(const wchar_t* member, const collaborators::Text& text);
    void setting(size_t index, int32_t value);

    std::unique_ptr<DispatchObject> installed_;
    std::vector<std::wstring> settings_;
};

}  // namespace orv::com
