#include "accessibility/windows_notice.h"

#ifdef Q_OS_WIN
// clang-format off
#include <windows.h>
#include <oleauto.h>
#include <unknwn.h>
// clang-format on

namespace {
// The notification came with Windows 10 1709; looked up at run time, so that older systems and
// Wine, which may lack it, just stay silent.
using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND, IUnknown**);
using RaiseNotificationEvent = HRESULT(WINAPI*)(IUnknown*, int, int, BSTR, BSTR);
constexpr int notificationKindOther = 4;
constexpr int notificationProcessingImportantAll = 0;
}  // namespace

void sayToWindowsScreenReaders(const QWidget& window, const QString& words) {
    // Qt's Windows plugin has it loaded while a UI Automation client is about.
    const HMODULE automation = GetModuleHandleW(L"uiautomationcore.dll");
    if (automation == nullptr) {
        return;
    }
    const auto hostProvider = reinterpret_cast<HostProviderFromHwnd>(
        reinterpret_cast<void*>(GetProcAddress(automation, "UiaHostProviderFromHwnd")));
    const auto raise = reinterpret_cast<RaiseNotificationEvent>(
        reinterpret_cast<void*>(GetProcAddress(automation, "UiaRaiseNotificationEvent")));
    IUnknown* provider = nullptr;
    if (hostProvider == nullptr || raise == nullptr ||
        FAILED(hostProvider(reinterpret_cast<HWND>(window.window()->winId()), &provider)) ||
        provider == nullptr) {
        return;
    }
    BSTR text = SysAllocString(reinterpret_cast<const wchar_t*>(words.utf16()));
    BSTR activity = SysAllocString(L"draughtsboard.move");
    raise(provider, notificationKindOther, notificationProcessingImportantAll, text, activity);
    SysFreeString(activity);
    SysFreeString(text);
    provider->Release();
}
#else
void sayToWindowsScreenReaders(const QWidget&, const QString&) {}
#endif
