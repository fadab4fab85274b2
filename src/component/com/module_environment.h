#pragma once
// What the module runs the class with: the services of the installation and the dialogs. The DLL links the
// real environment; the scripted test server links one of its own in its place (chosen at link time, never at
// run time).
#include <memory>

#include "component/component_services.h"
#include "component/polyline_dialog.h"

namespace orv::com {

struct ModuleEnvironment {
    std::unique_ptr<component::ComponentServices> services;
    // Null: the real dialogs.
    std::unique_ptr<component::DialogFactory> dialogs;
};

ModuleEnvironment makeModuleEnvironment();

}  // namespace orv::com
