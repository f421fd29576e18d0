// What the end-to-end run under Wine needs of Windows itself:
//   skorvane-win-helper host SCR     a host window of ours with "SCR /p HWND" inside it: is the
//                                    preview its child, at its size, and does it end with it?
//   skorvane-win-helper version FILE the version block's strings, a "Name: value" line each
// Prints "ok ..." or "FAIL ..." lines; the exit status is the number of failures.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

int failures = 0;

void Check(bool good, const std::string& what) {
  std::printf("%s %s\n", good ? "ok  " : "FAIL", what.c_str());
  std::fflush(stdout);
  if (!good) ++failures;
}

void Pump(DWORD milliseconds) {
  const DWORD until = GetTickCount() + milliseconds;
  while (GetTickCount() < until) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
}

int Host(const char* scr) {
  WNDCLASSA type{};
  type.lpfnWndProc = DefWindowProcA;
  type.hInstance = GetModuleHandleA(nullptr);
  type.lpszClassName = "SkorvaneTestHost";
  RegisterClassA(&type);
  HWND host = CreateWindowA(type.lpszClassName, "Skorvane Test Host", WS_OVERLAPPEDWINDOW, 40, 40,
                            320, 240, nullptr, nullptr, type.hInstance, nullptr);
  ShowWindow(host, SW_SHOW);
  Pump(200);

  std::string command =
      std::string("\"") + scr + "\" /p " + std::to_string(reinterpret_cast<uintptr_t>(host));
  STARTUPINFOA start{};
  start.cb = sizeof start;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start,
                      &process)) {
    Check(false, "the preview starts");
    return failures;
  }
  HWND preview = nullptr;
  for (int i = 0; i < 100 && !preview; ++i) {
    Pump(100);
    preview = FindWindowExA(host, nullptr, nullptr, "Skorvane! Preview");
  }
  Check(preview != nullptr, "the preview window is a child of the host");
  if (preview) {
    RECT inner{}, client{};
    GetWindowRect(preview, &inner);
    GetClientRect(host, &client);
    Check(inner.right - inner.left == client.right && inner.bottom - inner.top == client.bottom,
          "the preview fills the host's client area");
  }
  Check(WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT, "the preview runs on");
  DestroyWindow(host);
  const DWORD waited = WaitForSingleObject(process.hProcess, 10000);
  DWORD status = 1;
  GetExitCodeProcess(process.hProcess, &status);
  Check(waited == WAIT_OBJECT_0, "the preview ends with its host");
  Check(status == 0, "... with status 0 (" + std::to_string(status) + ")");
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return failures;
}

int Version(const char* file) {
  const DWORD size = GetFileVersionInfoSizeA(file, nullptr);
  std::vector<char> block(size);
  if (size == 0 || !GetFileVersionInfoA(file, 0, size, block.data())) {
    Check(false, "the file has a version block");
    return failures;
  }
  for (const char* name : {"CompanyName", "FileVersion", "InternalName", "OriginalFilename",
                           "ProductName", "ProductVersion"}) {
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
      std::printf("%s: %s\n", name, value);
  }
  return failures;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "host") return Host(argv[2]);
  if (argc == 3 && std::string(argv[1]) == "version") return Version(argv[2]);
  std::fprintf(stderr, "usage: skorvane-win-helper host|version FILE\n");
  return 2;
}
