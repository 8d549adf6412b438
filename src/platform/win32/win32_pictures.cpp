#include "platform/win32/win32_pictures.h"

#include <algorithm>
#include <string>

#include "platform/shell_services.h"
#include "resource.h"

namespace zentab {
namespace {

int ResourceOf(Picture picture) {
  switch (picture) {
    case Picture::ProgramIcon:
      return IDI_ZENTAB;
    case Picture::VoteIcon:
      return IDI_VOTE;
    case Picture::AboutBackground:
      return IDB_ABOUT_BACKGROUND;
    case Picture::AboutLogo:
      return IDB_ABOUT_LOGO;
    case Picture::None:
      break;
  }
  throw ShellFailure("no resource for this picture");
}

bool IsIcon(Picture picture) {
  return picture == Picture::ProgramIcon || picture == Picture::VoteIcon;
}

class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {
    if (!dc_) throw ShellFailure("GetDC failed");
  }
  ~ScreenDc() { ReleaseDC(nullptr, dc_); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  operator HDC() const { return dc_; }

 private:
  HDC dc_;
};

class MemoryDc {
 public:
  explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {
    if (!dc_) throw ShellFailure("CreateCompatibleDC failed");
  }
  ~MemoryDc() { DeleteDC(dc_); }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  operator HDC() const { return dc_; }

 private:
  HDC dc_;
};

// An object selected into a device context for the life of this.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {
    if (!old_ || old_ == HGDI_ERROR) throw ShellFailure("SelectObject failed");
  }
  ~Selection() { SelectObject(dc_, old_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

SIZE SizeOf(HBITMAP bitmap) {
  BITMAP info{};
  if (!GetObjectW(bitmap, sizeof info, &info)) throw ShellFailure("GetObjectW failed for a bitmap");
  return SIZE{info.bmWidth, info.bmHeight};
}

// Halftone keeps the soft gradients smooth when they are enlarged.
GdiPtr<HBITMAP> Scaled(HBITMAP source, SIZE size) {
  const SIZE from = SizeOf(source);
  ScreenDc screen;
  MemoryDc in(screen);
  MemoryDc out(screen);
  GdiPtr<HBITMAP> scaled(CreateCompatibleBitmap(screen, size.cx, size.cy));
  if (!scaled) throw ShellFailure("CreateCompatibleBitmap failed");
  Selection reading(in, source);
  Selection writing(out, scaled.get());
  if (!SetStretchBltMode(out, HALFTONE) || !SetBrushOrgEx(out, 0, 0, nullptr) ||
      !StretchBlt(out, 0, 0, size.cx, size.cy, in, 0, 0, from.cx, from.cy, SRCCOPY)) {
    throw ShellFailure("StretchBlt failed");
  }
  return scaled;
}

}  // namespace

IconPtr LoadPictureIcon(HINSTANCE instance, Picture picture, int size) {
  IconPtr icon(static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(ResourceOf(picture)), IMAGE_ICON, size, size, 0)));
  if (!icon) throw ShellFailure("LoadImageW failed for an icon");
  return icon;
}

Win32Image::Win32Image(HWND form, const ControlDesign& design, const RECT& place)
    : ChildControl(CreateChild(form, L"STATIC", design, place,
                               (IsIcon(design.picture) ? SS_ICON : SS_BITMAP) | WS_CLIPSIBLINGS,
                               0)),
      instance_(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(form, GWLP_HINSTANCE))),
      picture_(design.picture),
      stretch_(design.stretch) {
  if (!IsIcon(picture_)) {
    // A bitmap compatible with the screen, not a DIB section: ours are run-length encoded, which
    // only the former takes.
    source_.reset(static_cast<HBITMAP>(LoadImageW(instance_, MAKEINTRESOURCEW(ResourceOf(picture_)),
                                                  IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    if (!source_) throw ShellFailure("LoadImageW failed for ", design.name);
  }
}

// The image is set before the control is placed: setting it resizes the control to the image.
void Win32Image::Place(const RECT& place, UINT dpi, HFONT font) {
  const SIZE box{place.right - place.left, place.bottom - place.top};
  if (IsIcon(picture_)) {
    IconPtr icon = LoadPictureIcon(instance_, picture_, std::max(std::min(box.cx, box.cy), 1L));
    SendMessageW(window_, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon.get()));
    icon_ = std::move(icon);
  } else {
    SIZE size = box;
    if (!stretch_) {
      const SIZE natural = SizeOf(source_.get());
      size = SIZE{MulDiv(natural.cx, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI),
                  MulDiv(natural.cy, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI)};
    }
    GdiPtr<HBITMAP> shown = Scaled(source_.get(), size);
    const auto previous = reinterpret_cast<HBITMAP>(
        SendMessageW(window_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown.get())));
    // A control that copied the last bitmap hands its copy back; that one is ours to free.
    if (previous && previous != shown_.get()) DeleteObject(previous);
    shown_ = std::move(shown);
  }
  place_ = place;
  Win32Child::Place(place, dpi, font);
}

void Win32Image::Draw(HDC dc) const {
  if (icon_) {
    if (!DrawIconEx(dc, place_.left, place_.top, icon_.get(), place_.right - place_.left,
                    place_.bottom - place_.top, 0, nullptr, DI_NORMAL)) {
      throw ShellFailure("DrawIconEx failed");
    }
    return;
  }
  if (!shown_) return;
  const SIZE size = SizeOf(shown_.get());
  MemoryDc source(dc);
  Selection reading(source, shown_.get());
  if (!BitBlt(dc, place_.left, place_.top, std::min(size.cx, place_.right - place_.left),
              std::min(size.cy, place_.bottom - place_.top), source, 0, 0, SRCCOPY)) {
    throw ShellFailure("BitBlt failed");
  }
}

GdiPtr<HBITMAP> ComposeBackground(SIZE size, HBRUSH base,
                                  const std::vector<const Win32Image*>& images) {
  ScreenDc screen;
  MemoryDc dc(screen);
  GdiPtr<HBITMAP> face(
      CreateCompatibleBitmap(screen, std::max(size.cx, 1L), std::max(size.cy, 1L)));
  if (!face) throw ShellFailure("CreateCompatibleBitmap failed");
  Selection drawing(dc, face.get());
  const RECT all{0, 0, size.cx, size.cy};
  if (!FillRect(dc, &all, base)) throw ShellFailure("FillRect failed");
  for (const Win32Image* image : images) image->Draw(dc);
  return face;
}

}  // namespace zentab
