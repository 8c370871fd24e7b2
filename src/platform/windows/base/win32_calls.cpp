// The real calls behind the seams; those of DWM, the theme library and oleacc load
// their library on first use.
#include "platform/windows/base/win32_calls.h"

#include <oleacc.h>

namespace numvora {
namespace {

using SetWindowAttributeCall = HRESULT(WINAPI*)(HWND window, DWORD attribute, LPCVOID value, DWORD size);
using SetWindowThemeCall = HRESULT(WINAPI*)(HWND window, LPCWSTR application, LPCWSTR classes);
using NotifyIconCall = BOOL(WINAPI*)(DWORD message, NOTIFYICONDATAW* data);

template <class Function>
Function system_function(const wchar_t* library, const char* name) {
    const HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// {B5F8350B-0548-48B1-A6EE-88BD00B4A5E7} and {6E26E776-04F0-495D-80E4-3330352E3169}.
constexpr GUID ACC_PROP_SERVICES_CLASS{0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID ACC_PROP_SERVICES_INTERFACE{
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};

// The accessibility services of oleacc, made once for the life of the process on the
// UI thread; null on a system without them. oleacc and COM cost a few milliseconds,
// which is why nothing asks for them before the window is up.
IAccPropServices* accessibility_services() {
    static IAccPropServices* const services = []() -> IAccPropServices* {
        const HRESULT joined = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (FAILED(joined) && joined != RPC_E_CHANGED_MODE) return nullptr;
        void* made = nullptr;
        if (FAILED(CoCreateInstance(ACC_PROP_SERVICES_CLASS, nullptr, CLSCTX_INPROC_SERVER, ACC_PROP_SERVICES_INTERFACE,
                                    &made))) {
            return nullptr;
        }
        return static_cast<IAccPropServices*>(made);
    }();
    return services;
}

}  // namespace

HBRUSH LookCalls::create_brush(COLORREF color) { return CreateSolidBrush(color); }

HRESULT LookCalls::set_window_attribute(HWND window, DWORD attribute, LPCVOID value, DWORD size) {
    static const auto call = system_function<SetWindowAttributeCall>(L"dwmapi.dll", "DwmSetWindowAttribute");
    return call != nullptr ? call(window, attribute, value, size) : E_NOTIMPL;
}

HRESULT LookCalls::set_window_theme(HWND window, LPCWSTR application, LPCWSTR classes) {
    static const auto call = system_function<SetWindowThemeCall>(L"uxtheme.dll", "SetWindowTheme");
    return call != nullptr ? call(window, application, classes) : E_NOTIMPL;
}

BOOL LookCalls::system_parameters(UINT action, UINT size, PVOID value, UINT ini) {
    return SystemParametersInfoW(action, size, value, ini);
}

LSTATUS LookCalls::read_registry_value(HKEY key, LPCWSTR subkey, LPCWSTR name, DWORD flags, LPDWORD type, PVOID data,
                                       LPDWORD size) {
    return RegGetValueW(key, subkey, name, flags, type, data, size);
}

BOOL LayoutCalls::move_window(HWND window, int x, int y, int width, int height, BOOL repaint) {
    return MoveWindow(window, x, y, width, height, repaint);
}

HRESULT AccessibilityCalls::annotate_text(HWND window, const GUID& property, const wchar_t* text) {
    IAccPropServices* services = accessibility_services();
    if (services == nullptr) return E_NOTIMPL;
    return services->SetHwndPropStr(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, property, text);
}

HRESULT AccessibilityCalls::annotate_number(HWND window, const GUID& property, int value) {
    IAccPropServices* services = accessibility_services();
    if (services == nullptr) return E_NOTIMPL;
    VARIANT number{};
    number.vt = VT_I4;
    number.lVal = value;
    return services->SetHwndProp(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, property, number);
}

BOOL DesktopCalls::register_hot_key(HWND window, int id, UINT modifiers, UINT virtual_key) {
    return RegisterHotKey(window, id, modifiers, virtual_key);
}

BOOL DesktopCalls::unregister_hot_key(HWND window, int id) { return UnregisterHotKey(window, id); }

BOOL DesktopCalls::notify_icon(DWORD message, NOTIFYICONDATAW* data) {
    static const auto call = system_function<NotifyIconCall>(L"shell32.dll", "Shell_NotifyIconW");
    return call != nullptr ? call(message, data) : FALSE;
}

LSTATUS DesktopCalls::set_registry_value(HKEY key, LPCWSTR subkey, LPCWSTR name, DWORD type, const void* data,
                                         DWORD size) {
    return RegSetKeyValueW(key, subkey, name, type, data, size);
}

LSTATUS DesktopCalls::delete_registry_value(HKEY key, LPCWSTR subkey, LPCWSTR name) {
    return RegDeleteKeyValueW(key, subkey, name);
}

}  // namespace numvora
