#include "com/module_environment.h"

#include "com/win32_component_services.h"

namespace orv::com {

ModuleEnvironment makeModuleEnvironment() {
    return {std::make_unique<Win32ComponentServices>(), nullptr};
}

}  // namespace orv::com
