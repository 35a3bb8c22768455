// The owners of the Windows handles the program creates and closes itself.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "common/owned.h"

namespace tarnwick {

namespace owned_detail {
inline void DeleteGdiObject(HGDIOBJ object) {
    DeleteObject(object);
}
inline void DestroyImages(HIMAGELIST images) {
    ImageList_Destroy(images);
}
inline void DestroyShortcuts(HACCEL table) {
    DestroyAcceleratorTable(table);
}
inline void DestroyMenuHandle(HMENU menu) {
    DestroyMenu(menu);
}
}  // namespace owned_detail

using ImageListHandle = Owned<HIMAGELIST, owned_detail::DestroyImages>;
using AcceleratorHandle = Owned<HACCEL, owned_detail::DestroyShortcuts>;
// A menu not attached to a window: a window destroys the menu bar it carries by itself.
using MenuHandle = Owned<HMENU, owned_detail::DestroyMenuHandle>;
template <class Object>
using GdiHandle = Owned<Object, owned_detail::DeleteGdiObject>;
using PenHandle = GdiHandle<HPEN>;
using BrushHandle = GdiHandle<HBRUSH>;
using FontHandle = GdiHandle<HFONT>;
using BitmapHandle = GdiHandle<HBITMAP>;

}  // namespace tarnwick
