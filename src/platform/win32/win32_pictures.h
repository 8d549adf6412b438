// The program's pictures: where each one lives among the resources, images of them sized for the
// screen, and the picture controls that show them.
#pragma once

#include <memory>
#include <type_traits>
#include <vector>

#include "platform/win32/win32_controls.h"

namespace zentab {

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
template <class Handle>
using GdiPtr = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

struct IconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
using IconPtr = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

// The icon of `picture` (an icon picture) at `size` pixels square.
IconPtr LoadPictureIcon(HINSTANCE instance, Picture picture, int size);

// A picture control: a bitmap scaled for the screen (to the control's size when stretched), or an
// icon as large as the control.
class Win32Image final : public ChildControl<Control> {
 public:
  Win32Image(HWND form, const ControlDesign& design, const RECT& place);
  bool Stretched() const { return stretch_; }
  void Place(const RECT& place, UINT dpi, HFONT font) override;
  // Paints the picture as the control shows it, at the control's place in the form.
  void Draw(HDC dc) const;

 private:
  HINSTANCE instance_;
  Picture picture_;
  bool stretch_;
  GdiPtr<HBITMAP> source_;  // bitmaps only
  GdiPtr<HBITMAP> shown_;
  IconPtr icon_;
  RECT place_{};
};

// The form's face as its controls should show through: `base` filled over `size`, with the
// pictures painted on it in the order given.
GdiPtr<HBITMAP> ComposeBackground(SIZE size, HBRUSH base,
                                  const std::vector<const Win32Image*>& images);

}  // namespace zentab
