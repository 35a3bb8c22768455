#include "common/optional_functions_win.h"

namespace tarnwick {
namespace {

template <class Function>
void Load(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

const OptionalFunctions& Optional() {
    static const OptionalFunctions functions = [] {
        OptionalFunctions f;
        const HMODULE user = GetModuleHandleA("user32.dll");
        Load(user, "GetDpiForWindow", f.GetDpiForWindow);
        Load(user, "GetDpiForSystem", f.GetDpiForSystem);
        Load(user, "AdjustWindowRectExForDpi", f.AdjustWindowRectExForDpi);
        Load(user, "GetSystemMetricsForDpi", f.GetSystemMetricsForDpi);
        Load(user, "ChangeWindowMessageFilterEx", f.ChangeWindowMessageFilterEx);
        return f;
    }();
    return functions;
}

}  // namespace tarnwick
