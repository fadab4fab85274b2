#pragma once
// What the module runs the class with: the services of the installation and the dialogs. Chosen at link time,
// never at run time: the DLL links module_environment.cpp, and a server built for another purpose links its
// own.
#include <memory>

#include "dialog/dialog_services.h"
#include "dialog/polyline_dialog.h"

namespace orv::com {

struct ModuleEnvironment {
    std::unique_ptr<dialog::DialogServices> services;
    // Null: the real dialogs.
    std::unique_ptr<dialog::DialogFactory> dialogs;
};

ModuleEnvironment makeModuleEnvironment();

}  // namespace orv::com
