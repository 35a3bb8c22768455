// The thin base of every window of the program: binds the C++ object to its HWND at
// WM_NCCREATE and forwards each message to one virtual HandleMessage.
#pragma once

#include <windows.h>

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

}  // namespace tarnwick
