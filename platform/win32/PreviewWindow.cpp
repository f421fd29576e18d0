#include "platform/win32/PreviewWindow.h"

#include "platform/win32/ResourceIds.h"
#include "startup/modMain.h"

namespace {

constexpr const char* kClassName = "SkorvanePreview";
constexpr RECT kPictureBox = {0, 0, 148, 120};  // 2220 x 1800 twips
constexpr int kHostCheckMs = 500;

}  // namespace

PreviewWindow::PreviewWindow(MessageLoop& loop)
    : loop_(loop), picture_(IDR_PREVIEW_PICTURE), watch_(loop, [this] {
        if (host_ && !IsWindow(host_)) {
          loop_.Quit(0);
          return;
        }
        FitToHost();
        watch_.Start(kHostCheckMs);
      }) {}

PreviewWindow::~PreviewWindow() {
  if (window_) DestroyWindow(window_);
}

void PreviewWindow::ShowIn(int32_t host) {
  WNDCLASSEXA type{};
  type.cbSize = sizeof type;
  type.lpfnWndProc = &Procedure;
  type.hInstance = GetModuleHandleA(nullptr);
  type.hIcon = LoadIconA(type.hInstance, MAKEINTRESOURCEA(IDI_PROGRAM));
  type.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  type.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  type.lpszClassName = kClassName;
  RegisterClassExA(&type);
  window_ =
      CreateWindowExA(0, kClassName, modMain::kPreviewCaption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, 400, 300, nullptr, nullptr, type.hInstance, nullptr);
  if (!window_) {
    loop_.Quit(1);
    return;
  }
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  HWND parent = reinterpret_cast<HWND>(static_cast<intptr_t>(host));
  if (host != 0 && IsWindow(parent)) {
    host_ = parent;
    // A child has no frame: the host's small pane has no room for one.
    SetWindowLongPtrA(window_, GWL_STYLE, WS_CHILD | WS_CLIPSIBLINGS);
    SetParent(window_, host_);
    FitToHost();
    ShowWindow(window_, SW_SHOW);
    watch_.Start(kHostCheckMs);
  } else {
    ShowWindow(window_, SW_SHOWMAXIMIZED);
  }
}

void PreviewWindow::FitToHost() {
  if (!host_) return;
  RECT client;
  GetClientRect(host_, &client);
  SetWindowPos(window_, nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK PreviewWindow::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* self = reinterpret_cast<PreviewWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      if (self) self->picture_.Draw(dc, kPictureBox);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:  // closed, or taken away with its host: the program ends
      if (self) {
        self->window_ = nullptr;
        self->loop_.Quit(0);
      }
      return 0;
    default:
      return DefWindowProcA(window, message, w, l);
  }
}
