#include "hosts/win32/win32_host.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <chrono>
#include <cstring>
#include <utility>

#include "app/menu_model.h"
#include "app/shell.h"
#include "app/window_geometry.h"
#include "gfx/frame_buffer.h"
#include "hosts/win32/file_dialog.h"
#include "hosts/win32/menu_builder.h"
#include "hosts/win32/native_dialog.h"
#include "hosts/win32/resource_ids.h"
#include "hosts/win32/text_codec.h"
#include "resources/embedded.h"

namespace hosts::win32 {
namespace {

constexpr wchar_t kClassName[] = L"Rimforge";
constexpr DWORD kWindowStyle = WS_POPUP | WS_OVERLAPPEDWINDOW;
constexpr std::uint32_t kFrameMilliseconds = 16;

// The messages whose rules live in the editor; all others are Windows' own business.
bool EditorHandles(UINT message) {
  switch (message) {
    case WM_DESTROY:
    case WM_MOVE:
    case WM_SIZE:
    case WM_CLOSE:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEWHEEL:
    case WM_SIZING:
    case WM_COMMAND:
      return true;
    default:
      return false;
  }
}

std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/"));
}

}  // namespace

Win32Host::Win32Host(HINSTANCE instance) : instance_(instance), icons_(instance) {
  BITMAPINFOHEADER& header = bitmap_info_.header;
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = gfx::kFrameWidth;
  header.biHeight = -gfx::kFrameHeight;  // rows run top-down
  header.biPlanes = 1;
  header.biBitCount = 8;
  header.biCompression = BI_RGB;
}

Win32Host::~Win32Host() {
  if (popup_ != nullptr) DestroyMenu(popup_);
  if (window_ != nullptr) DestroyWindow(window_);
}

void Win32Host::CreateMainWindow() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.style = CS_OWNDC;
  window_class.lpfnWndProc = &Win32Host::WindowProcedure;
  window_class.hInstance = instance_;
  window_class.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(RIMFORGE_PROGRAM_ICON));
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  window_class.lpszClassName = kClassName;
  RegisterClassExW(&window_class);
  window_ = CreateWindowExW(0, kClassName, L"Rimforge", kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, this);
  window_dc_ = GetDC(window_);
}

void Win32Host::StartEditorWindow(int show_command) {
  CreateMainWindow();
  platform::SetHost(this);
  app::ResetEditor();
  app::StartEditor();
  editor_started_ = true;
  const double zoom = app::InitialZoom(GetSystemMetrics(SM_CYSCREEN));
  app::editor.zoom_factor = zoom;
  const app::Size client = app::ClientSizeForZoom(zoom);
  SetClientSize(client.width, client.height);
  const POINT corner =
      app::CentredPosition(app::OuterSizeForZoom(zoom, GetFrameMetrics()),
                           GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  SetWindowPos(window_, nullptr, corner.x, corner.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(window_, show_command);
  UpdateWindow(window_);
}

LRESULT CALLBACK Win32Host::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* host = reinterpret_cast<Win32Host*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (host == nullptr || !host->editor_started_) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    host->painting_ = true;
    app::MainWindowProc(message, wParam, lParam);
    host->painting_ = false;
    EndPaint(window, &paint);
    return 0;
  }
  if (message == WM_NCDESTROY) {
    host->editor_started_ = false;
    host->window_ = nullptr;
  }
  if (EditorHandles(message)) return app::MainWindowProc(message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

int Win32Host::RunMessageLoop() {
  MSG message;
  for (;;) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    // The editor paces each frame from the end of the one before; messages handled in between
    // take a varying time, so the loop also keeps the starts of frames 16 ms apart, handling
    // whatever comes meanwhile.
    if (last_frame_start_ &&
        !clock_.WaitForMessageOrElapsed(*last_frame_start_, kFrameMilliseconds)) {
      continue;
    }
    last_frame_start_ = clock_.Now();
    app::RunFrame();
  }
}

std::uint32_t Win32Host::TimeGetTime() const {
  return clock_.Now();
}

void Win32Host::WaitUntilElapsed(std::uint32_t since, std::uint32_t milliseconds) {
  clock_.WaitUntilElapsed(since, milliseconds);
}

std::int16_t Win32Host::GetAsyncKeyState(int virtual_key) {
  return ::GetAsyncKeyState(virtual_key);
}

bool Win32Host::IsMainWindowForeground() const {
  return window_ != nullptr && GetForegroundWindow() == window_;
}

void Win32Host::SetWindowTitle(std::string_view title) {
  SetWindowTextW(window_, FromWindows1252(title).c_str());
}

void Win32Host::SetClientSize(int width, int height) {
  // A minimised window keeps its size for when it is restored, which sets the zoom again.
  if (IsIconic(window_)) return;
  RECT outer{0, 0, width, height};
  AdjustWindowRectEx(&outer, kWindowStyle, TRUE, 0);
  SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // A menu bar that wraps onto a second line in a narrow window takes that much more.
  RECT client{};
  GetClientRect(window_, &client);
  if (client.bottom != height) {
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left,
                 outer.bottom - outer.top + height - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// The frame around the client area as Windows draws it for this window's style, the menu bar
// (one line of it) counted with the caption.
platform::FrameMetrics Win32Host::GetFrameMetrics() const {
  RECT outer{0, 0, 0, 0};
  AdjustWindowRectEx(&outer, kWindowStyle, TRUE, 0);
  return {outer.right, outer.bottom, -outer.top - outer.bottom};
}

POINT Win32Host::ClientToScreen(POINT client) const {
  ::ClientToScreen(window_, &client);
  return client;
}

void Win32Host::BlitFrame() {
  const auto start = std::chrono::steady_clock::now();
  const std::uint8_t* frame = gfx::FrameBuffer();
  if (!painting_ && shown_frame_.size() == gfx::kFrameSize &&
      std::memcmp(shown_frame_.data(), frame, gfx::kFrameSize) == 0) {
    if (frame_log_.Enabled()) frame_log_.Record(start, std::chrono::steady_clock::now(), false);
    return;
  }
  shown_frame_.assign(frame, frame + gfx::kFrameSize);
  std::memcpy(bitmap_info_.colours, gfx::Palette().data(), sizeof(bitmap_info_.colours));
  StretchDIBits(window_dc_, 0, 0, gfx::kFrameWidth, gfx::kFrameHeight, 0, 0, gfx::kFrameWidth,
                gfx::kFrameHeight, frame, reinterpret_cast<const BITMAPINFO*>(&bitmap_info_),
                DIB_RGB_COLORS, SRCCOPY);
  GdiFlush();
  if (frame_log_.Enabled()) frame_log_.Record(start, std::chrono::steady_clock::now(), true);
}

void Win32Host::InvalidateClient() {
  InvalidateRect(window_, nullptr, FALSE);
}

void Win32Host::DestroyMainWindow() {
  DestroyWindow(window_);
}

void Win32Host::PostQuitMessage(int exit_code) {
  ::PostQuitMessage(exit_code);
}

void Win32Host::MenusChanged() {
  if (menu_bar_ == nullptr) {
    menu_bar_ = CreateMenu();
    SetMenu(window_, menu_bar_);
    popup_ = CreateMenu();
  }
  SyncMenu(menu_bar_, app::MainMenu());
  SyncMenu(popup_, app::PopupMenu());
  DrawMenuBar(window_);
}

void Win32Host::TrackPopupMenu(POINT screen) {
  // The menu closes when the person clicks elsewhere only if its owner is in the foreground;
  // the posted message lets it close at once after a choice.
  SetForegroundWindow(window_);
  ::TrackPopupMenu(GetSubMenu(popup_, 0), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x,
                   screen.y, 0, window_, nullptr);
  PostMessageW(window_, WM_NULL, 0, 0);
}

HWND Win32Host::ActiveOwner() const {
  if (!open_dialogs_.empty() && open_dialogs_.back()->Handle() != nullptr)
    return open_dialogs_.back()->Handle();
  return window_;
}

int Win32Host::ShowMessageBox(std::string_view text, std::string_view caption, UINT type) {
  return MessageBoxW(ActiveOwner(), FromWindows1252(text).c_str(), FromWindows1252(caption).c_str(),
                     type);
}

std::optional<std::string> Win32Host::ShowOpenFileDialog(
    const platform::FileDialogRequest& request) {
  std::optional<std::string> path = next_open_answer_
                                        ? std::exchange(next_open_answer_, std::nullopt)
                                        : RunFileDialog(ActiveOwner(), request, false);
  PostKeptButtonUp();
  return path;
}

std::optional<std::string> Win32Host::ShowSaveFileDialog(
    const platform::FileDialogRequest& request) {
  std::optional<std::string> path = RunFileDialog(ActiveOwner(), request, true);
  PostKeptButtonUp();
  return path;
}

void Win32Host::PostKeptButtonUp() {
  constexpr int kButtons[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
  for (int button : kButtons) {
    if ((GetKeyState(button) & 0x8000) != 0) return;
  }
  POINT at{};
  GetCursorPos(&at);
  ScreenToClient(window_, &at);
  PostMessageW(window_, WM_LBUTTONUP, 0,
               MAKELPARAM(static_cast<unsigned>(at.x), static_cast<unsigned>(at.y)));
}

INT_PTR Win32Host::RunModalDialog(const platform::DialogTemplate& dialog_template,
                                  platform::Dialog* owner, platform::DialogProc procedure) {
  const auto* owner_dialog = dynamic_cast<const NativeDialog*>(owner);
  HWND owner_window = owner_dialog != nullptr ? owner_dialog->Handle() : window_;
  NativeDialog dialog(dialog_template, procedure, icons_);
  open_dialogs_.push_back(&dialog);
  const INT_PTR result = dialog.Run(instance_, owner_window);
  open_dialogs_.pop_back();
  return result;
}

void Win32Host::PlayClickSound() {
  PlaySoundW(reinterpret_cast<LPCWSTR>(resources::ClickSoundWave().data()), nullptr,
             SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
}

void Win32Host::OpenReadMe() {
  const std::wstring folder = ProgramFolder();
  const std::wstring path = folder + L"\\ReadMe.txt";
  // ShellExecute tells failure by a value of 32 or less.
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES ||
      reinterpret_cast<INT_PTR>(ShellExecuteW(window_, L"open", path.c_str(), nullptr,
                                              folder.c_str(), SW_SHOWNORMAL)) <= 32) {
    ShowMessageBox("Could not open \"ReadMe.txt\".", "Rimforge", MB_OK | MB_ICONEXCLAMATION);
  }
}

}  // namespace hosts::win32
