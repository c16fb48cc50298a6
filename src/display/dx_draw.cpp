#include "display/dx_draw.h"

#include "display/direct_draw.h"
#include "display/direct_draw_clipper.h"
#include "display/direct_draw_errors.h"
#include "display/direct_draw_palette.h"
#include "display/direct_draw_surface.h"
#include "display/dx_draw_driver.h"
#include "display/screen_image.h"
#include "framework/application.h"
#include "framework/control_subclass.h"
#include "platform/draw/gdi_functions.h"
#include "rtl/scope_exit.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>

TCustomDXDraw::TCustomDXDraw(QWidget *parent) : QWidget(parent), FScreenImage(TScreenImage::For(this)) {
  SetOptions(DefaultDXDrawOptions);
  // Every paint covers its whole rectangle with the screen image.
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(100, 100);
  const auto &system = SystemPaletteEntries();
  for (size_t i = 0; i < ColorTable.size(); ++i)
    ColorTable[i] = {system[i].peBlue, system[i].peGreen, system[i].peRed, 0};
  DefaultColorTable = ColorTable;
  setFocusPolicy(Qt::StrongFocus);
  HookForm();
}

TCustomDXDraw::~TCustomDXDraw() {
  Finalize();
  NotifyEventList(nkDestroying);
  FSubClass.reset();
}

QWidget *TCustomDXDraw::Form() const {
  QWidget *form = window();
  return form == this ? nullptr : form;
}

void TCustomDXDraw::HookForm() {
  FSubClass.reset();
  if (QWidget *form = Form())
    FSubClass =
        std::make_unique<TControlSubClass>(form, QSet<int>{QEvent::WindowDeactivate, QEvent::Close, QEvent::Show},
                                           [this](QEvent *message, const std::function<void()> &defWindowProc) {
                                             Application->Guard([&] { FormHook(message, defWindowProc); });
                                           });
}

void TCustomDXDraw::FormHook(QEvent *message, const std::function<void()> &defWindowProc) {
  switch (message->type()) {
  case QEvent::WindowDeactivate:
    if (FInitialized && Now(doFullScreen) && Now(doFlip))
      FDDraw->SetDXResult(FDDraw->IDraw4()->FlipToGDISurface());
    defWindowProc();
    break;
  case QEvent::Close:
    Finalize();
    defWindowProc();
    break;
  case QEvent::Show:
    defWindowProc();
    if (AutoInitialize && !FInitializedOnce)
      Initialize();
    break;
  default:
    defWindowProc();
  }
}

void TCustomDXDraw::ApplyOptions(TDXDrawOptions value) {
  FNowOptions = value;
  if (!(value & DXOption(doFullScreen)))
    FNowOptions &= ~FullScreenOnlyOptions;
  if (!(value & DXOption(do3D)))
    FNowOptions &= ~Options3D;
  if (value & DXOption(doSystemMemory))
    FNowOptions &= ~DXOption(doFlip);
  // The 3D set-up adds it back when it gets a hardware device.
  FNowOptions &= ~DXOption(doHardware);
}

void TCustomDXDraw::SetOptions(TDXDrawOptions value) {
  FOptions = value;
  if (!FInitialized) {
    ApplyOptions(value);
    return;
  }
  const bool in3D = Now(do3D);
  FNowOptions = (FNowOptions & ~LiveOptions) | (value & LiveOptions);
  if (!in3D)
    FNowOptions &= ~Options3D;
}

void TCustomDXDraw::SetAutoSize(bool value) {
  if (FAutoSize == value)
    return;
  FAutoSize = value;
  if (value)
    SetSurfaceSize(width(), height());
}

int TCustomDXDraw::SurfaceWidth() const {
  return FSurface && FSurface->Interface() ? FSurface->Width() : FSurfaceWidth;
}

int TCustomDXDraw::SurfaceHeight() const {
  return FSurface && FSurface->Interface() ? FSurface->Height() : FSurfaceHeight;
}

void TCustomDXDraw::SetSurfaceWidth(int value) {
  if (FLoading)
    FSurfaceWidth = value;
  else
    SetSurfaceSize(value, SurfaceHeight());
}

void TCustomDXDraw::SetSurfaceHeight(int value) {
  if (FLoading)
    FSurfaceHeight = value;
  else
    SetSurfaceSize(SurfaceWidth(), value);
}

void TCustomDXDraw::SetSurfaceSize(int width, int height) {
  if ((width == SurfaceWidth() && height == SurfaceHeight()) || FUpdating)
    return;
  if (FInitialized) {
    try {
      if (!FDriver->SetSize(width, height))
        return;
    } catch (...) {
      Finalize();
      throw;
    }
  } else {
    FSurfaceWidth = width;
    FSurfaceHeight = height;
  }
  NotifyEventList(nkSurfaceSize);
}

void TCustomDXDraw::Loaded() {
  FLoading = false;
  if (FAutoSize) {
    FSurfaceWidth = width();
    FSurfaceHeight = height();
  }
  NotifyEventList(nkSurfaceSize);
  if (AutoInitialize && !FSubClass)
    Initialize();
}

void TCustomDXDraw::SetCooperativeLevel() {
  uint32_t flags = DDSCL_NORMAL;
  if (Now(doFullScreen)) {
    flags = DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWMODEX;
    if (Now(doNoWindowChange))
      flags |= DDSCL_NOWINDOWCHANGES;
    if (Now(doAllowReboot))
      flags |= DDSCL_ALLOWREBOOT;
  }
  QWidget *window = Form() ? Form() : this;
  FDDraw->SetDXResult(FDDraw->IDraw4()->SetCooperativeLevel(TScreenImage::For(window), flags));
}

void TCustomDXDraw::Initialize() {
  FInitializedOnce = true;
  Finalize();
  if (Form() == nullptr)
    throw EDXDrawError("Form not found");
  try {
    DoInitializing();
    FUpdating = true;
    FInternalInitialized = true;
    {
      TScopeExit endUpdate([this] { FUpdating = false; });
      NotifyEventList(nkInitializing);
      if (Now(doFlip))
        FDriver = std::make_unique<TDXDrawDriverFlip>(this);
      else
        FDriver = std::make_unique<TDXDrawDriverBlt>(this);
      SetCooperativeLevel();
      FScreenImage->PaintOnScreen();
      if (Now(doFullScreen) && !FDisplay.SetDisplayMode(*FDDraw))
        throw EDXDrawError("Display mode cannot be changed (%dx%d %dbit)", FDisplay.Width(), FDisplay.Height(),
                           FDisplay.BitCount());
      if (FAutoSize) {
        FSurfaceWidth = width();
        FSurfaceHeight = height();
      }
      FDriver->Initialize();
    }
    FInitialized = true;
    ++FRestoreNotifyOff;
  } catch (...) {
    Finalize();
    throw;
  }
  {
    TScopeExit restoreNotify([this] { --FRestoreNotifyOff; });
    NotifyEventList(nkSurfaceSize);
    NotifyEventList(nkInitialize);
    FCalledDoInitialize = true;
    DoInitialize();
    NotifyEventList(nkInitializeSurface);
    FCalledDoInitializeSurface = true;
    DoInitializeSurface();
  }
  Restore();
}

void TCustomDXDraw::Finalize() {
  if (!FInternalInitialized)
    return;
  FSurfaceWidth = SurfaceWidth();
  FSurfaceHeight = SurfaceHeight();
  FDisplay.ClearModes();
  FUpdating = true;
  TScopeExit tearDown([this] {
    FInternalInitialized = false;
    FInitialized = false;
    ApplyOptions(FOptions);
    FDriver.reset();
    FUpdating = false;
  });
  {
    TScopeExit notifySurface([this] { NotifyEventList(nkFinalizeSurface); });
    if (FCalledDoInitializeSurface) {
      FCalledDoInitializeSurface = false;
      DoFinalizeSurface();
    }
  }
  TScopeExit notify([this] { NotifyEventList(nkFinalize); });
  if (FCalledDoInitialize) {
    FCalledDoInitialize = false;
    DoFinalize();
  }
}

bool TCustomDXDraw::CanDraw() {
  if (!FInitialized || FUpdating || !FPrimary || !FPrimary->Interface())
    return false;
  if (FPrimary->Interface()->IsLost() == DDERR_SURFACELOST) {
    Restore();
    return FPrimary->Interface()->IsLost() != DDERR_SURFACELOST;
  }
  return true;
}

void TCustomDXDraw::Flip() {
  if (FInitialized && !FUpdating && CanDraw())
    FDriver->Flip();
}

void TCustomDXDraw::Restore() {
  if (!FInitialized || FUpdating)
    return;
  FUpdating = true;
  TScopeExit endUpdate([this] { FUpdating = false; });
  if (!FDriver->Restore())
    return;
  FPrimary->SetPalette(FPalette.get());
  FSurface->SetPalette(FPalette.get());
  SetColorTable(DefaultColorTable);
  NotifyEventList(nkRestore);
  DoRestoreSurface();
  SetColorTable(ColorTable);
}

std::vector<TPaletteEntry> TCustomDXDraw::PaletteEntries(const TRGBQuads &table) const {
  std::vector<TPaletteEntry> entries(256);
  const auto &system = SystemPaletteEntries();
  for (int i = 0; i < 256; ++i) {
    const bool reserved = !Now(doAllowPalette256) && (i < 10 || i > 245);
    entries[i] = reserved ? system[i] : TPaletteEntry{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    entries[i].peFlags = PC_NOCOLLAPSE;
  }
  return entries;
}

void TCustomDXDraw::SetColorTable(const TRGBQuads &table) {
  if (FInitialized && FPalette)
    FPalette->SetEntries(0, 256, PaletteEntries(table).data());
}

void TCustomDXDraw::UpdatePalette() {
  if (FInitialized && !(FDDraw->DriverCaps.dwPalCaps & DDPCAPS_VSYNC))
    FDDraw->SetDXResult(FDDraw->IDraw4()->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr));
  SetColorTable(ColorTable);
}

void TCustomDXDraw::RegisterNotifyEvent(TDXDrawNotifyEvent event, QObject *owner) {
  UnregisterNotifyEvent(owner);
  FNotifyEventList.push_back({event, owner});
  event(this, nkSurfaceSize);
  if (FInitialized) {
    event(this, nkInitialize);
    if (FRestoreNotifyOff == 0)
      event(this, nkRestore);
  }
}

void TCustomDXDraw::UnregisterNotifyEvent(QObject *owner) {
  const auto it = std::find_if(FNotifyEventList.begin(), FNotifyEventList.end(),
                               [owner](const TNotifyEntry &e) { return e.Owner == owner; });
  if (it == FNotifyEventList.end())
    return;
  const TDXDrawNotifyEvent event = it->Event;
  FNotifyEventList.erase(it);
  if (FInitialized)
    event(this, nkFinalize);
}

void TCustomDXDraw::NotifyEventList(TDXDrawNotifyType type) {
  // Last registered first; a callback may unregister itself meanwhile.
  for (size_t i = FNotifyEventList.size(); i-- > 0;) {
    if (i >= FNotifyEventList.size())
      continue;
    const TDXDrawNotifyEvent event = FNotifyEventList[i].Event;
    event(this, type);
  }
}

void TCustomDXDraw::DoFinalize() {
  if (OnFinalize)
    OnFinalize(this);
}

void TCustomDXDraw::DoFinalizeSurface() {
  if (OnFinalizeSurface)
    OnFinalizeSurface(this);
}

void TCustomDXDraw::DoInitialize() {
  if (OnInitialize)
    OnInitialize(this);
}

void TCustomDXDraw::DoInitializeSurface() {
  if (OnInitializeSurface)
    OnInitializeSurface(this);
}

void TCustomDXDraw::DoInitializing() {
  if (OnInitializing)
    OnInitializing(this);
}

void TCustomDXDraw::DoRestoreSurface() {
  if (OnRestoreSurface)
    OnRestoreSurface(this);
}

bool TCustomDXDraw::event(QEvent *event) {
  const bool handled = QWidget::event(event);
  if (event->type() == QEvent::ParentChange) {
    HookForm();
  } else if (event->type() == QEvent::WinIdChange && FInitialized && !FUpdating) {
    Application->Guard([this] {
      FClipper->SetHandle(FScreenImage);
      SetCooperativeLevel();
    });
  }
  return handled;
}

QPaintEngine *TCustomDXDraw::paintEngine() const {
  // Painting on screen puts the screen image on the window; nothing paints there through Qt.
  return nullptr;
}

void TCustomDXDraw::paintEvent(QPaintEvent *event) {
  // The last presented frame as it stands: a frame is presented once, by Flip, never again here.
  // A grab of the control paints it like the backing store does.
  QPoint offset;
  if (redirected(&offset) != nullptr || !FScreenImage->Paint(event->rect()))
    QPainter(this).drawImage(event->rect(), FScreenImage->Image(), event->rect());
  if (parentWidget() && FInitialized && (FSurface->SurfaceDesc().ddsCaps & DDSCAPS_VIDEOMEMORY))
    parentWidget()->update();
}

void TCustomDXDraw::resizeEvent(QResizeEvent *) {
  Application->Guard([this] {
    if (FAutoSize && !FUpdating)
      SetSurfaceSize(width(), height());
  });
}

void TCustomDXDraw::keyPressEvent(QKeyEvent *event) {
  Application->Guard([&] {
    const QString text = event->text();
    if (OnKeyPress && !text.isEmpty() && text.at(0).unicode() < 0x100) {
      char key = static_cast<char>(text.at(0).unicode());
      OnKeyPress(this, key);
    } else {
      QWidget::keyPressEvent(event);
    }
  });
}
