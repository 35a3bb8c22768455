// The thin base of every window of the program: binds the C++ object to its HWND at
// WM_NCCREATE and forwards each message to one virtual HandleMessage. Also the small helpers
// every form needs: the program's font, control creation.
#pragma once

#include <windows.h>

#include <string>

#include "common/dpi_win.h"

namespace tarnwick {

class Window {
  public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }

  protected:
    // Registers the class once (button-face background, arrow cursor) and creates the window, a
    // Unicode window whose caption is the code page 936 text `caption`. False when creation
    // failed.
    bool Create(const char* className, DWORD exStyle, DWORD style, const char* caption, int x,
                int y, int width, int height, HWND parent = nullptr, HICON icon = nullptr);

    // Messages not handled here go to DefWindowProcW.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Destroys the window and its controls without running this object's handlers; for a
    // derived destructor, before the members its controls use go.
    void DestroyDetached();

  private:
    static HINSTANCE ThisModule();
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

// The application's owner window, which owns every dialog and message box of the program: the
// main window while it exists, else null.
HWND ApplicationWindow();
void SetApplicationWindow(HWND window);

// The program's font: "宋体", 12 pixels high at 96 DPI, GB2312 character set, at `dpi`. Shared,
// never freed.
HFONT UiFont(int dpi = kDefaultDpi);

// A child control at (x, y) in its parent's client area, `width` × `height`, all given at 96 DPI
// and placed at the parent's DPI, with the program's font at that DPI; `caption` is code page 936
// text.
HWND CreateControl(HWND parent, const char* className, const char* caption, DWORD style, int x,
                   int y, int width, int height, int id, DWORD exStyle = 0);
// Moves `control` to (x, y), `width` × `height`, given at 96 DPI, at `dpi`.
void PlaceControl(HWND control, int dpi, int x, int y, int width, int height);

// The columns of the report list view `list` at `toDpi`, each as wide in proportion as it was
// at `fromDpi`.
void ScaleColumns(HWND list, int fromDpi, int toDpi);

// The text of a window or control, whatever its length, as code page 936 text.
std::string WindowTextOf(HWND window);

// Resizes a window so that its client area is `width` × `height` at 96 DPI, at the window's DPI,
// and centres it on the desktop.
void SetClientSizeCentred(HWND window, int width, int height);

}  // namespace tarnwick
