/* A stand-in for Windows' UIAutomationCore.dll, for the `heard` step of
 * scripts/windows.sh only: never installed, never zipped. Wine has no
 * UiaRaiseNotificationEvent and no screen reader runs under it, so what can be
 * checked here is that the program raises the right notifications with the
 * right words. This DLL exports the two calls the program makes and writes
 * every notification into the folder named by REKENTOL_HEARD_DIR (a Windows
 * path):
 *   words.txt   the words, one notification a line, as raised
 *   raised.txt  the same with the kind, the processing and the activity id
 * Everything else Qt would look up here is missing on purpose: Qt then leaves
 * UI Automation off, which the notifications do not need. */
#include <windows.h>
#include <unknwn.h>
#include <stdio.h>
#include <wchar.h>

/* A provider that is nothing but an IUnknown: the program only releases it. */
static HRESULT STDMETHODCALLTYPE QueryInterface(IUnknown* self, REFIID iid, void** out) {
  (void)self;
  (void)iid;
  *out = NULL;
  return E_NOINTERFACE;
}
static ULONG STDMETHODCALLTYPE AddRef(IUnknown* self) {
  (void)self;
  return 1;
}
static ULONG STDMETHODCALLTYPE Release(IUnknown* self) {
  (void)self;
  return 1;
}
static IUnknownVtbl vtable = {QueryInterface, AddRef, Release};
static IUnknown provider = {&vtable};

__declspec(dllexport) HRESULT WINAPI UiaHostProviderFromHwnd(HWND hwnd, IUnknown** out) {
  if (!out) return E_INVALIDARG;
  *out = NULL;
  if (!IsWindow(hwnd)) return E_INVALIDARG;
  *out = &provider;
  return S_OK;
}

/* Appends a line to folder\name, in UTF-8. */
static void Append(const wchar_t* name, const wchar_t* line) {
  wchar_t path[MAX_PATH];
  DWORD n = GetEnvironmentVariableW(L"REKENTOL_HEARD_DIR", path, MAX_PATH);
  if (n == 0 || n + wcslen(name) + 2 >= MAX_PATH) return;
  wcscat(path, L"\\");
  wcscat(path, name);
  HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return;
  int bytes = WideCharToMultiByte(CP_UTF8, 0, line, -1, NULL, 0, NULL, NULL);
  char* utf8 = bytes > 0 ? (char*)HeapAlloc(GetProcessHeap(), 0, bytes + 1) : NULL;
  if (utf8) {
    WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8, bytes, NULL, NULL);
    utf8[bytes - 1] = '\n';
    DWORD written;
    WriteFile(file, utf8, bytes, &written, NULL);
    HeapFree(GetProcessHeap(), 0, utf8);
  }
  CloseHandle(file);
}

__declspec(dllexport) HRESULT WINAPI UiaRaiseNotificationEvent(IUnknown* from, int kind, int processing,
                                                               BSTR words, BSTR activity) {
  if (from != &provider || !words) return E_INVALIDARG;
  Append(L"words.txt", words);
  wchar_t line[4096];
  _snwprintf(line, sizeof line / sizeof *line - 1, L"kind %d, processing %d, activity %ls: %ls", kind, processing,
             activity ? activity : L"(none)", words);
  line[sizeof line / sizeof *line - 1] = 0;
  Append(L"raised.txt", line);
  return S_OK;
}
