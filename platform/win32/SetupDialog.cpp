#include "platform/win32/SetupDialog.h"

#include <algorithm>

#include "platform/core/SettingsStore.h"
#include "platform/win32/ResourceIds.h"
#include "startup/modMain.h"

namespace {

constexpr CountBox kBoxes[] = {CountBox::Stars, CountBox::Objects};
constexpr SetupBar kBars[] = {SetupBar::Stars, SetupBar::Objects, SetupBar::Speed, SetupBar::Spin};

int BoxId(CountBox box) {
  return box == CountBox::Stars ? IDC_STARS_TEXT : IDC_OBJECTS_TEXT;
}

constexpr SetupCheck kChecks[] = {SetupCheck::SpinSwitch, SetupCheck::Target, SetupCheck::Lasers,
                                  SetupCheck::Sound};

// The controls in the order of SetupBar and SetupCheck.
constexpr int kBarIds[] = {IDC_STARS_BAR, IDC_OBJECTS_BAR, IDC_SPEED_BAR, IDC_SPIN_BAR};
constexpr int kCheckIds[] = {IDC_SPIN_SWITCH, IDC_TARGET, IDC_LASERS, IDC_SOUND};

int BarId(SetupBar bar) {
  return kBarIds[size_t(bar)];
}

int CheckId(SetupCheck check) {
  return kCheckIds[size_t(check)];
}

// The window into and out of the always-on-top band, neither moved nor sized.
void SetTopmost(HWND window, bool on) {
  SetWindowPos(window, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

HFONT SansSerif(HWND window, int tenthsOfPoints, bool bold) {
  HDC dc = GetDC(window);
  const int height = -MulDiv(tenthsOfPoints, GetDeviceCaps(dc, LOGPIXELSY), 720);
  ReleaseDC(window, dc);
  return CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
}

}  // namespace

SetupDialog::SetupDialog(MessageLoop& loop, modMain::SettingsRecord& settings, SettingsStore& store,
                         DisplayForm& display)
    : loop_(loop),
      rules_(settings, *this),
      store_(store),
      display_(display),
      picture_(IDR_SETUP_PICTURE) {}

SetupDialog::~SetupDialog() {
  if (dialog_) DestroyWindow(dialog_);
  if (title_font_) DeleteObject(title_font_);
  if (note_font_) DeleteObject(note_font_);
  if (white_) DeleteObject(white_);
}

void SetupDialog::Show() {
  dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SETUP), nullptr,
                               &Procedure, reinterpret_cast<LPARAM>(this));
  if (!dialog_) {
    loop_.Quit(1);
    return;
  }
  loop_.SetDialog(dialog_);
  ShowWindow(dialog_, SW_SHOW);
}

INT_PTR CALLBACK SetupDialog::Procedure(HWND dialog, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, l);
    auto* self = reinterpret_cast<SetupDialog*>(l);
    self->dialog_ = dialog;
    self->Form_Load();
    return FALSE;  // the focus is set: on OK
  }
  auto* self = reinterpret_cast<SetupDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  return self ? self->Handle(message, w, l) : FALSE;
}

void SetupDialog::Form_Load() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  SendMessageA(dialog_, WM_SETICON, ICON_BIG,
               reinterpret_cast<LPARAM>(LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM))));
  title_font_ = SansSerif(dialog_, 120, true);
  note_font_ = SansSerif(dialog_, 83, true);
  white_ = CreateSolidBrush(RGB(255, 255, 255));
  SendMessageA(Control(IDC_TITLE), WM_SETFONT, WPARAM(title_font_), TRUE);
  SendMessageA(Control(IDC_NOTE), WM_SETFONT, WPARAM(note_font_), TRUE);
  SetDlgItemTextA(dialog_, IDC_MESSAGE, kSetupMessage);
  for (SetupBar bar : kBars) {
    const BarRange range = RangeOf(bar);
    SetScrollRange(Control(BarId(bar)), SB_CTL, range.least, range.most, FALSE);
    SetScrollPos(Control(BarId(bar)), SB_CTL, range.initial, TRUE);
  }
  SetTopmost(dialog_, true);
  rules_.RefreshControls();
  SetFocus(Control(IDC_OK_BUTTON));
}

INT_PTR SetupDialog::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      Command(LOWORD(w), HIWORD(w));
      return TRUE;
    case WM_VSCROLL:
    case WM_HSCROLL:
      Scroll(reinterpret_cast<HWND>(l), LOWORD(w));
      return TRUE;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(l) != Control(IDC_MESSAGE)) return FALSE;
      SetTextColor(reinterpret_cast<HDC>(w), RGB(255, 0, 0));
      SetBkColor(reinterpret_cast<HDC>(w), RGB(255, 255, 255));
      return reinterpret_cast<INT_PTR>(white_);
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
      if (item->CtlID != IDC_PICTURE) return FALSE;
      FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNFACE));
      picture_.Draw(item->hDC, item->rcItem);
      return TRUE;
    }
    case WM_CLOSE:
      Unload();
      return TRUE;
    default:
      return FALSE;
  }
}

void SetupDialog::Command(int id, int code) {
  for (SetupCheck check : kChecks) {
    if (CheckId(check) != id) continue;
    rules_.CheckClicked(check, IsDlgButtonChecked(dialog_, id) == BST_CHECKED);
    return;
  }
  switch (id) {
    case IDC_STARS_TEXT:
    case IDC_OBJECTS_TEXT:
      if (code == EN_CHANGE)
        rules_.TextChanged(id == IDC_STARS_TEXT ? CountBox::Stars : CountBox::Objects);
      return;
    case IDC_IMAGE0:
    case IDC_IMAGE1:
    case IDC_IMAGE2:
    case IDC_IMAGE3:
      if (code == BN_CLICKED) rules_.ImageClicked(id - IDC_IMAGE0);
      return;
    case IDC_OK_BUTTON:
    case IDOK:  // Enter
      cmdSettingsOK_Click();
      return;
    case IDC_CANCEL_BUTTON:
    case IDCANCEL:  // Esc
      Unload();
      return;
    case IDC_DEFAULTS:
      rules_.Defaults();
      return;
    case IDC_PREVIEW:
      cmdPreview_Click();
      return;
    default:
      return;
  }
}

void SetupDialog::Scroll(HWND control, int request) {
  for (SetupBar bar : kBars) {
    if (Control(BarId(bar)) != control) continue;
    const BarRange range = RangeOf(bar);
    int value = Value(bar);
    switch (request) {
      case SB_LINEUP:
        value -= range.small;
        break;
      case SB_LINEDOWN:
        value += range.small;
        break;
      case SB_PAGEUP:
        value -= range.large;
        break;
      case SB_PAGEDOWN:
        value += range.large;
        break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(control, SB_CTL, &info);
        value = info.nTrackPos;
        break;
      }
      default:
        return;
    }
    SetValue(bar, std::clamp(value, range.least, range.most));
  }
}

void SetupDialog::cmdSettingsOK_Click() {
  try {
    rules_.Save(store_);
  } catch (const SettingsWriteError& e) {
    // The edits stay in the dialog, so the user can put things right and press OK again.
    const std::string message =
        "The settings could not be saved to " + e.Where() + ":\n" + e.Reason();
    MessageBoxA(dialog_, message.c_str(), modMain::kSetupCaption, MB_OK | MB_ICONERROR);
    return;
  }
  Unload();
}

void SetupDialog::cmdPreview_Click() {
  SetTopmost(dialog_, false);
  EnableWindow(dialog_, FALSE);  // the dialog waits while the display runs
  display_.Show(true);
  EnableWindow(dialog_, TRUE);
  SetTopmost(dialog_, true);
  SetForegroundWindow(dialog_);
}

void SetupDialog::Unload() {
  loop_.SetDialog(nullptr);
  DestroyWindow(dialog_);
  dialog_ = nullptr;
  loop_.Quit(0);
}

std::string SetupDialog::Text(CountBox box) const {
  char text[64] = {};
  GetDlgItemTextA(dialog_, BoxId(box), text, sizeof text);
  return text;
}

void SetupDialog::SetText(CountBox box, const std::string& text) {
  if (Text(box) == text) return;  // the edit control would say it changed all the same
  SetDlgItemTextA(dialog_, BoxId(box), text.c_str());  // EN_CHANGE: the rule, nested
}

int SetupDialog::Value(SetupBar bar) const {
  return GetScrollPos(Control(BarId(bar)), SB_CTL);
}

void SetupDialog::SetValue(SetupBar bar, int value) {
  if (Value(bar) == value) return;
  SetScrollPos(Control(BarId(bar)), SB_CTL, value, TRUE);
  rules_.BarChanged(bar);  // a scroll bar tells nobody of a change made from code
}

void SetupDialog::SetChecked(SetupCheck check, bool on) {
  const int id = CheckId(check);
  if ((IsDlgButtonChecked(dialog_, id) == BST_CHECKED) == on) return;
  CheckDlgButton(dialog_, id, on ? BST_CHECKED : BST_UNCHECKED);
  rules_.CheckClicked(check, on);
}

void SetupDialog::SelectImage(int index) {
  if (IsDlgButtonChecked(dialog_, IDC_IMAGE0 + index) == BST_CHECKED) return;
  CheckRadioButton(dialog_, IDC_IMAGE0, IDC_IMAGE3, IDC_IMAGE0 + index);
  rules_.ImageClicked(index);
}
