#include "kit/qt/notification.h"

#include <QWidget>
#include <windows.h>

namespace kit {

namespace {

// UIAutomationCore's own values (uiautomationcoreapi.h of the Windows SDK);
// MinGW-w64 declares neither them nor the two calls, so both are looked up
// at run time.
constexpr int kNotificationKindOther = 4;
constexpr int kProcessingImportantAll = 0;
constexpr int kProcessingAll = 2;

// The provider is an IRawElementProviderSimple; only its IUnknown is used.
using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND, IUnknown**);
using RaiseNotificationEvent = HRESULT(WINAPI*)(IUnknown*, int kind, int processing, BSTR words, BSTR activity);

struct Uia {
  HostProviderFromHwnd hostProvider = nullptr;
  RaiseNotificationEvent raise = nullptr;
};

template <class Function>
Function Resolve(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

const Uia& Functions() {
  static const Uia uia = [] {
    Uia found;
    // From the system folder only: a DLL of that name beside the program or
    // in the working folder is never taken for Windows' own.
    HMODULE library = LoadLibraryExW(L"UIAutomationCore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!library) return found;
    found.hostProvider = Resolve<HostProviderFromHwnd>(library, "UiaHostProviderFromHwnd");
    found.raise = Resolve<RaiseNotificationEvent>(library, "UiaRaiseNotificationEvent");
    if (!found.hostProvider || !found.raise) found = Uia{};
    return found;
  }();
  return uia;
}

// A BSTR of the text's UTF-16, freed with the object. A BSTR carries its
// length in front of the characters: a plain wide string is not one.
class Bstr {
 public:
  explicit Bstr(const QString& text)
      : bstr_(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.utf16()), UINT(text.size()))) {}
  ~Bstr() { SysFreeString(bstr_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return bstr_; }

 private:
  BSTR bstr_;
};

QString ActivityId(Notification kind) {
  switch (kind) {
    case Notification::Task: return QStringLiteral("rekentol.taak");
    case Notification::Verdict: return QStringLiteral("rekentol.oordeel");
    case Notification::Help: return QStringLiteral("rekentol.hulp");
    case Notification::Said: break;
  }
  return QStringLiteral("rekentol.bericht");
}

}  // namespace

void RaiseNotification(QWidget* window, const QString& words, Notification kind) {
  if (words.isEmpty() || !window) return;
  const Uia& uia = Functions();
  if (!uia.raise) return;
  const auto hwnd = reinterpret_cast<HWND>(window->internalWinId());
  if (!hwnd || GetForegroundWindow() != hwnd) return;
  IUnknown* provider = nullptr;
  if (FAILED(uia.hostProvider(hwnd, &provider)) || !provider) return;
  const Bstr text(words), activity(ActivityId(kind));
  if (text.get() && activity.get())
    uia.raise(provider, kNotificationKindOther,
              kind == Notification::Verdict ? kProcessingImportantAll : kProcessingAll, text.get(), activity.get());
  provider->Release();
}

}  // namespace kit
