#ifdef _WIN32
#include "win32_window.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include "host_state.h"
#include "platform/files.h"
#include "png_write.h"
#include "win32_modal.h"

namespace standin {

Win32Window::Win32Window(const DialogTemplate& names, HINSTANCE resources, HWND frame, HWND dialog,
                         std::wstring title, MCDialog* owner)
    : ScriptedWindow(names),
      resources_(resources),
      owner_(owner),
      frame_(frame),
      dialog_(dialog),
      title_(std::move(title)) {
  SetWindowLongPtrW(dialog_, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
}

INT_PTR CALLBACK Win32Window::DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* window = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  return window ? window->HandleMessage(message, wparam, lparam) : FALSE;
}

INT_PTR Win32Window::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  // Once the panel is removed, the dialog object hears nothing more.
  if (!owner_ || owner_->window() != this) return FALSE;
  switch (message) {
    case WM_COMMAND:
      if (!lparam) return FALSE;  // menus and keys: not the panel's controls
      owner_->OnCommand(LOWORD(wparam), HIWORD(wparam));
      return TRUE;
    case WM_CLOSE:
      owner_->OnClose();
      return FALSE;  // then default processing
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(dialog_, &paint);
      EndPaint(dialog_, &paint);
      owner_->OnPaint();
      return TRUE;
    }
    case WM_SIZE:
      owner_->OnSize();
      return TRUE;
    case WM_TIMER:
      owner_->OnTimer(static_cast<int>(wparam));
      return FALSE;
    case WM_DRAWITEM:
      return DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
    default:
      return FALSE;
  }
}

Win32Window::~Win32Window() {
  SetWindowLongPtrW(dialog_, DWLP_USER, 0);  // the messages of the destruction find no object
  DestroyWindow(frame_);  // the dialog, its controls and the tool tips with it
  for (auto& [id, set] : bitmaps_)
    for (HBITMAP b : set) DeleteObject(b);
  for (HICON icon : icons_) DestroyIcon(icon);
}

// Controls.

std::wstring Win32Window::GetItemText(int id) { return WindowText(Item(id)); }
void Win32Window::SetItemText(int id, const std::wstring& text) { SetDlgItemTextW(dialog_, id, text.c_str()); }

int Win32Window::GetCurSel(int id) { return static_cast<int>(SendDlgItemMessageW(dialog_, id, CB_GETCURSEL, 0, 0)); }
void Win32Window::SetCurSel(int id, int index) { SendDlgItemMessageW(dialog_, id, CB_SETCURSEL, index, 0); }
void Win32Window::ResetContent(int id) { SendDlgItemMessageW(dialog_, id, CB_RESETCONTENT, 0, 0); }

void Win32Window::AddString(int id, const std::wstring& text) {
  SendDlgItemMessageW(dialog_, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int Win32Window::GetCount(int id) { return static_cast<int>(SendDlgItemMessageW(dialog_, id, CB_GETCOUNT, 0, 0)); }

std::wstring Win32Window::GetLBText(int id, int index) {
  LRESULT n = SendDlgItemMessageW(dialog_, id, CB_GETLBTEXTLEN, index, 0);
  if (n == CB_ERR) return L"";
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  n = SendDlgItemMessageW(dialog_, id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(n == CB_ERR ? 0 : static_cast<size_t>(n));
  return text;
}

int Win32Window::GetCheck(int id) { return static_cast<int>(IsDlgButtonChecked(dialog_, id)); }
void Win32Window::SetCheck(int id, int state) { CheckDlgButton(dialog_, id, static_cast<UINT>(state)); }

void Win32Window::SetFocus(int id) {
  if (HWND h = Item(id)) SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(h), TRUE);
}

// Message boxes and file dialogs.

void Win32Window::ShowMessage(const std::wstring& text) {
  Report("message: ", text);
  AnsweredMessageBox(dialog_, text, MB_OK | MB_ICONEXCLAMATION, IDOK);
}

bool Win32Window::AskYesNo(const std::wstring& text) {
  Report("message: ", text);
  const bool yes = TakeYesNoAnswer();
  return AnsweredMessageBox(dialog_, text, MB_YESNO | MB_ICONQUESTION, yes ? IDYES : IDNO) == IDYES;
}

std::optional<std::wstring> Win32Window::RunFileDialog(const FileDialogRequest& request) {
  ReportFileRequest(request);
  std::optional<std::wstring> answer;
  const bool queued = TakeFileAnswer(answer);
  // The framework's notation "text|pattern|...||" becomes NUL-separated pairs.
  std::wstring filter = request.filter;
  for (wchar_t& c : filter)
    if (c == L'|') c = L'\0';
  std::vector<wchar_t> file(32768, L'\0');
  if (request.initial_name.size() < file.size()) request.initial_name.copy(file.data(), request.initial_name.size());
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = dialog_;
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = request.initial_folder.empty() ? nullptr : request.initial_folder.c_str();
  ofn.lpstrDefExt = request.default_extension.empty() ? nullptr : request.default_extension.c_str();
  // The framework's Vista-style dialog never changes the process's current
  // folder; its nearest form here is the explorer style without that change.
  ofn.Flags = request.flags | OFN_EXPLORER | OFN_NOCHANGEDIR;
  HWND file_dialog = nullptr;
  bool refused = false;       // the dialog said no with a box of its own
  bool stayed_open = false;   // the dialog opened the folder it was given
  int ticks = 0;
  BOOL confirmed = RunAnswered(
      [&] { return request.open ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn); },
      [&](HWND w, int count) {
        if (count == 0) {
          file_dialog = w;
          if (!queued || !answer) {
            PostMessageW(w, WM_COMMAND, IDCANCEL, 0);
            return;
          }
          // The user types the path into the name box and confirms.
          HWND name = GetDlgItem(w, cmb13);
          if (!name) name = GetDlgItem(w, edt1);
          SetWindowTextW(name, answer->c_str());
          PostMessageW(w, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(w, IDOK)));
          return;
        }
        // The dialog refused the name with a box of its own (a folder that
        // does not exist): the user closes the box and gives up.
        refused = true;
        PostMessageW(w, WM_COMMAND, IDOK, 0);
        if (file_dialog) PostMessageW(file_dialog, WM_COMMAND, IDCANCEL, 0);
      },
      [&] {
        // A folder's name opens that folder and the dialog stays: the user
        // gives up after a while.
        if (!file_dialog || refused || stayed_open || !IsWindow(file_dialog) || ++ticks < 50) return;
        stayed_open = true;
        PostMessageW(file_dialog, WM_COMMAND, IDCANCEL, 0);
      });
  const std::wstring given = answer ? *answer : L"";
  if (refused) Report("file dialog: no such folder, cancelled: ", given);
  if (stayed_open && !refused) Report("file dialog: a folder, not a file, cancelled: ", given);
  if (!confirmed) return std::nullopt;
  return std::wstring(file.data());
}

void Win32Window::SetTimer(int timer_id, int period_ms) {
  timer_running_ = ::SetTimer(dialog_, static_cast<UINT_PTR>(timer_id), static_cast<UINT>(period_ms), nullptr) != 0;
}

void Win32Window::AddToolTip(int id, const std::wstring& text) {
  HWND control = Item(id);
  if (!control) return;
  if (!tool_tips_) {
    // The function panel is the tool tips' parent.
    tool_tips_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, frame_, nullptr, nullptr, nullptr);
    if (!tool_tips_) return;
  }
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = dialog_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(tool_tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// Drawing and layout.

ClientRect Win32Window::GetClientRect() {
  RECT r{};
  ::GetClientRect(dialog_, &r);
  return {r.left, r.top, r.right, r.bottom};
}

bool Win32Window::FillSolidRect(const ClientRect& rect, unsigned long colour) {
  HDC dc = GetDC(dialog_);
  if (!dc) return false;
  HBRUSH brush = CreateSolidBrush(colour);
  RECT r{rect.left, rect.top, rect.right, rect.bottom};
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  ReleaseDC(dialog_, dc);
  return true;
}

bool Win32Window::MoveControlToTop(int id, int x, int y) {
  HWND h = Item(id);
  if (!h) return false;
  SetWindowPos(h, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  return true;
}

bool Win32Window::SetButtonIcon(int id, int icon_id) {
  HWND h = Item(id);
  if (!h) return false;
  HICON loaded = static_cast<HICON>(LoadImageW(resources_, MAKEINTRESOURCEW(icon_id), IMAGE_ICON, 16, 16, 0));
  if (!loaded) return false;
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
  HICON shown = nullptr;
  if (list) {
    ImageList_AddIcon(list, loaded);
    shown = ImageList_GetIcon(list, 0, ILD_NORMAL);
    ImageList_Destroy(list);
  }
  DestroyIcon(loaded);
  if (!shown) return false;
  icons_.push_back(shown);
  SendMessageW(h, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(shown));
  return true;
}

bool Win32Window::MakeBitmapButton(int id, const ButtonBitmaps& bitmaps) {
  HWND h = Item(id);
  if (!h) return false;
  std::array<HBITMAP, 4> set{};
  const int ids[4] = {bitmaps.normal, bitmaps.pressed, bitmaps.focused, bitmaps.disabled};
  bool all = true;
  for (size_t i = 0; i < set.size(); ++i) {
    set[i] = LoadBitmapW(resources_, MAKEINTRESOURCEW(ids[i]));
    all = all && set[i];
  }
  BITMAP size{};
  if (!all || !GetObjectW(set[0], sizeof size, &size)) {
    for (HBITMAP b : set)
      if (b) DeleteObject(b);
    return false;
  }
  LONG style = GetWindowLongW(h, GWL_STYLE);
  if ((style & BS_TYPEMASK) != BS_OWNERDRAW) SetWindowLongW(h, GWL_STYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW);
  bitmaps_[id] = set;
  SetWindowPos(h, nullptr, 0, 0, size.bmWidth, size.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

bool Win32Window::DrawItem(const DRAWITEMSTRUCT& item) {
  auto it = bitmaps_.find(static_cast<int>(item.CtlID));
  if (it == bitmaps_.end()) return false;
  size_t state = 0;  // normal
  if (item.itemState & ODS_SELECTED)
    state = 1;
  else if (item.itemState & ODS_FOCUS)
    state = 2;
  else if (item.itemState & ODS_DISABLED)
    state = 3;
  HDC memory = CreateCompatibleDC(item.hDC);
  HGDIOBJ old = SelectObject(memory, it->second[state]);
  BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right - item.rcItem.left,
         item.rcItem.bottom - item.rcItem.top, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  return true;
}

// The user's actions, as the messages they produce.

void Win32Window::UserType(int id, const std::wstring& text) { SetWindowTextW(Item(id), text.c_str()); }

void Win32Window::UserSelect(int id, int index) {
  HWND combo = Item(id);
  SendMessageW(combo, CB_SETCURSEL, index, 0);
  SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void Win32Window::UserCheck(int id, bool on) {
  // One click that leaves the box in the state asked for.
  if ((GetCheck(id) != 0) == on) SetCheck(id, on ? BST_UNCHECKED : BST_CHECKED);
  UserClick(id);
}

void Win32Window::UserClick(int id) {
  if (HWND h = Item(id)) SendMessageW(h, BM_CLICK, 0, 0);
}

void Win32Window::UserClose() { SendMessageW(frame_, WM_CLOSE, 0, 0); }

void Win32Window::Resize(int width, int height) {
  RECT r{0, 0, width, height};
  AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongW(frame_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(frame_, GWL_EXSTYLE)));
  SetWindowPos(frame_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The dialog takes the size asked for even where the frame cannot.
  SetWindowPos(dialog_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
}

void Win32Window::HidePanel() { ShowWindow(frame_, SW_HIDE); }

void Win32Window::Pump() { PumpFor(0); }

void Win32Window::PumpFor(int ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!IsDialogMessageW(dialog_, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
    if (static_cast<int>(GetTickCount() - start) >= ms) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

bool Win32Window::Capture(std::vector<std::uint32_t>& pixels, int& width, int& height) {
  RECT r{};
  ::GetClientRect(dialog_, &r);
  width = r.right;
  height = r.bottom;
  if (width <= 0 || height <= 0) return false;
  POINT origin{0, 0};
  ClientToScreen(dialog_, &origin);
  HDC screen = GetDC(nullptr);
  if (!screen) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(screen);
  bool ok = dib && memory;
  if (ok) {
    HGDIOBJ old = SelectObject(memory, dib);
    ok = BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY) != 0;
    GdiFlush();
    SelectObject(memory, old);
  }
  if (ok) {
    const auto* p = static_cast<const std::uint32_t*>(bits);
    pixels.assign(p, p + static_cast<size_t>(width) * static_cast<size_t>(height));
    for (std::uint32_t& v : pixels) v &= 0xFFFFFFu;
  }
  if (memory) DeleteDC(memory);
  if (dib) DeleteObject(dib);
  ReleaseDC(nullptr, screen);
  return ok;
}

bool Win32Window::Snapshot(const std::wstring& path, std::string& error) {
  // Pending paints, and at least one timer period so the band is drawn.
  UpdateWindow(frame_);
  PumpFor(250);
  std::vector<std::uint32_t> pixels;
  int width = 0, height = 0;
  if (!Capture(pixels, width, height)) {
    error = "the panel's client area cannot be captured";
    return false;
  }
  if (!quenlo::platform::ReplaceFileContents(path, EncodePng(pixels, width, height))) {
    error = "cannot write the snapshot file";
    return false;
  }
  return true;
}

}  // namespace standin
#endif
