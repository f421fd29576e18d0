#include "platform/win32/DisplayWindow32.h"

#include "startup/modMain.h"

namespace {

constexpr const char* kClassName = "SkorvaneDisplay";
constexpr UINT kActivate = WM_APP + 1;  // posted once the window shows: the activation

// The window's pixels a point: its monitor's, as Windows 10 says it; 1 before that.
double PixelRatio(HWND window) {
  using GetDpi = UINT(WINAPI*)(HWND);
  static const auto getDpi = reinterpret_cast<GetDpi>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  const UINT dpi = getDpi ? getDpi(window) : 96;
  return dpi > 0 ? dpi / 96.0 : 1.0;
}

void RegisterClassOnce() {
  static const bool registered = [] {
    WNDCLASSEXA type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = DefWindowProcA;  // until the window knows its object
    type.hInstance = GetModuleHandleA(nullptr);
    type.hIcon = LoadIconA(type.hInstance, MAKEINTRESOURCEA(1));
    type.hCursor = nullptr;  // set on WM_SETCURSOR, by the form's pointer shape
    type.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    type.lpszClassName = kClassName;
    return RegisterClassExA(&type) != 0;
  }();
  (void)registered;
}

}  // namespace

DisplayWindow32::DisplayWindow32(MessageLoop& loop, DisplayEvents& events, Clock& clock,
                                 std::function<void()> unload, FrameLog* log)
    : events_(events),
      unload_(std::move(unload)),
      timer_(loop, [this] { pump_.RunPass(); }),
      pump_(events, clock, timer_, log) {
  pump_.ShowPanel(kInitPanelText);
}

DisplayWindow32::~DisplayWindow32() {
  Close();
}

void DisplayWindow32::ShowOn(const RECT& monitor) {
  RegisterClassOnce();
  window_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, modMain::kDisplayCaption,
                            WS_POPUP, monitor.left, monitor.top, monitor.right - monitor.left,
                            monitor.bottom - monitor.top, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  if (!window_) return;
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
  presenter_ = std::make_unique<DibPresenter>(window_);
  pump_.SetPresenter(presenter_.get());
  Fit(monitor.right - monitor.left, monitor.bottom - monitor.top);
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  SetFocus(window_);
  UpdateWindow(window_);  // the panel shows before the long activation starts
  PostMessageA(window_, kActivate, 0, 0);
}

void DisplayWindow32::Close() {
  if (closed_) return;
  closed_ = true;
  pump_.Stop();
  pump_.SetPresenter(nullptr);
  if (window_) {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
    window_ = nullptr;
  }
  presenter_.reset();
}

void DisplayWindow32::Fit(int width, int height) {
  pump_.Resize(presenter_->Resize(width, height), width, height, PixelRatio(window_));
}

void DisplayWindow32::Activate() {
  if (closed_) return;
  pump_.Start();
  if (closed_) return;  // input held for the activation closed it
  pump_.Present();
  pump_.RunPass();
}

void DisplayWindow32::SetMousePointer(MousePointer shape) {
  pointer_ = shape;
  POINT at;
  GetCursorPos(&at);
  if (window_ && WindowFromPoint(at) == window_) SendMessageA(window_, WM_SETCURSOR, 0, HTCLIENT);
}

int DisplayWindow32::ShiftState() {
  return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
         (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

LRESULT CALLBACK DisplayWindow32::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* self = reinterpret_cast<DisplayWindow32*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, w, l);
  return self->Handle(message, w, l);
}

LRESULT DisplayWindow32::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case kActivate:
      Activate();
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window_, &paint);
      presenter_->Paint(dc, paint.rcPaint, pump_.Overlays());
      EndPaint(window_, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // the scene covers every pixel
    case WM_SETCURSOR:
      if (LOWORD(l) != HTCLIENT) break;
      SetCursor(LoadCursorA(nullptr, pointer_ == MousePointer::Crosshair ? IDC_CROSS
                                     : pointer_ == MousePointer::Busy    ? IDC_WAIT
                                                                         : IDC_ARROW));
      return TRUE;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      const int key = int(w), shift = ShiftState();
      pump_.Deliver([this, key, shift] { events_.Form_KeyDown(key, shift); });
      return 0;
    }
    case WM_CHAR: {
      const int ascii = int(w);
      pump_.Deliver([this, ascii] { events_.Form_KeyPress(ascii); });
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEMOVE:
      Mouse(message, w, l);
      return 0;
    case WM_SYSCOMMAND:
      // The system starts no screen saver over ours, and no monitor power-down menu item
      // or Alt+F4 closes it other than by the input rules.
      if ((w & 0xFFF0) == SC_SCREENSAVE || (w & 0xFFF0) == SC_CLOSE) return 0;
      break;
    case WM_CLOSE:
      unload_();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window_, message, w, l);
}

void DisplayWindow32::Mouse(UINT message, WPARAM w, LPARAM l) {
  const ScaledSurface& screen = pump_.Screen();
  const float x = screen.ToScene(float(short(LOWORD(l))));
  const float y = screen.ToScene(float(short(HIWORD(l))));
  const int shift = ShiftState();
  if (message == WM_MOUSEMOVE) {
    const int buttons =
        ((w & MK_LBUTTON) ? 1 : 0) | ((w & MK_RBUTTON) ? 2 : 0) | ((w & MK_MBUTTON) ? 4 : 0);
    pump_.Deliver([=, this] { events_.Form_MouseMove(buttons, shift, x, y); });
    return;
  }
  const int button = message == WM_LBUTTONDOWN ? 1 : message == WM_RBUTTONDOWN ? 2 : 4;
  pump_.Deliver([=, this] {
    events_.Form_MouseDown(button, shift, x, y);
    if (!closed_) pump_.Present();
  });
}
