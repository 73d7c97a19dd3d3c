#ifdef _WIN32
#include "win32_panel.h"

#include <windows.h>
#include <commctrl.h>

#include "host_state.h"
#include "win32_window.h"

namespace standin {
namespace {

constexpr wchar_t kFrameClass[] = L"QuenloFunctionPanel";

// What the dialog procedure needs while the dialog is being created.
struct Creation {
  const DialogTemplate* names;
  HINSTANCE resources;
  HWND frame;
  std::wstring title;
  MCDialog* dialog;
  std::unique_ptr<Win32Window> window;
};

// The function panel: its one child is the docked dialog, which fills it; its
// close box is passed on to the dialog.
LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      if (HWND child = GetWindow(frame, GW_CHILD))
        SetWindowPos(child, nullptr, 0, 0, LOWORD(lparam), HIWORD(lparam), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    case WM_CLOSE:
      if (HWND child = GetWindow(frame, GW_CHILD)) SendMessageW(child, WM_CLOSE, 0, 0);
      return 0;
    default:
      return DefWindowProcW(frame, message, wparam, lparam);
  }
}

// The dialog's creation: its window object is made at WM_INITDIALOG, keeps
// itself in the dialog's user data, and takes every later message.
INT_PTR CALLBACK CreationProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_INITDIALOG) return Win32Window::DialogProc(hwnd, message, wparam, lparam);
  auto* c = reinterpret_cast<Creation*>(lparam);
  c->window = std::make_unique<Win32Window>(*c->names, c->resources, c->frame, hwnd, c->title, c->dialog);
  c->dialog->AttachWindow(c->window.get());
  Report("panel docked: ", c->title);
  c->dialog->OnInitDialog();
  return TRUE;
}

void RegisterFrame() {
  static bool done = false;
  if (done) return;
  WNDCLASSEXW c{};
  c.cbSize = sizeof c;
  c.lpfnWndProc = FrameProc;
  c.hInstance = GetModuleHandleW(nullptr);
  c.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  c.lpszClassName = kFrameClass;
  done = RegisterClassExW(&c) != 0;
}

}  // namespace

std::unique_ptr<ScriptedWindow> CreateWin32Panel(const ResourceModule& resources, const DialogTemplate& names,
                                                 const std::wstring& title, MCDialog* dialog) {
  auto instance = static_cast<HINSTANCE>(resources.instance);
  const wchar_t* id = MAKEINTRESOURCEW(dialog->template_id());
  if (!instance || !FindResourceW(instance, id, MAKEINTRESOURCEW(5)))  // RT_DIALOG
    return nullptr;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterFrame();
  HWND frame = CreateWindowExW(0, kFrameClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 400, 900,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!frame) return nullptr;
  Creation creation{&names, instance, frame, title, dialog, nullptr};
  HWND hwnd = CreateDialogParamW(instance, id, frame, CreationProc, reinterpret_cast<LPARAM>(&creation));
  if (!hwnd || !creation.window) {
    dialog->AttachWindow(nullptr);
    DestroyWindow(frame);
    return nullptr;
  }
  // The function panel holds the dialog at its template size.
  RECT size{};
  GetWindowRect(hwnd, &size);
  RECT outer{0, 0, size.right - size.left, size.bottom - size.top};
  AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
  SetWindowPos(frame, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(hwnd, SW_SHOW);
  ShowWindow(frame, SW_SHOW);
  // Drawn before the host goes on: the frame, the dialog and every control.
  RedrawWindow(frame, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return std::move(creation.window);
}

}  // namespace standin
#endif
