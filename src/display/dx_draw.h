#pragma once

#include "display/dib_shared_image.h"
#include "display/direct_draw_display.h"
#include "display/dx_draw_types.h"
#include "framework/color.h"
#include "framework/events.h"

#include <QWidget>
#include <memory>
#include <vector>

class TControlSubClass;
class TDirectDraw;
class TDirectDrawClipper;
class TDirectDrawPalette;
class TDirectDrawSurface;
class TDXDrawDriver;
class TDXDrawDriverBlt;
class TDXDrawDriverFlip;
class TScreenImage;

// The control the picture is shown on. It owns the 2D device, a primary surface standing for the
// control on screen, and a back surface of SurfaceWidth x SurfaceHeight that everything draws
// into; Flip presents the back surface. Components that depend on the device register a
// callback and hear when it is initialised, finalised, restored or resized.
class TCustomDXDraw : public QWidget {
  Q_OBJECT
public:
  explicit TCustomDXDraw(QWidget *parent = nullptr);
  ~TCustomDXDraw() override;

  bool AutoInitialize = true;
  TColor Color = clBtnFace;
  TNotifyEvent OnFinalize;
  TNotifyEvent OnFinalizeSurface;
  TNotifyEvent OnInitialize;
  TNotifyEvent OnInitializeSurface;
  TNotifyEvent OnInitializing;
  TNotifyEvent OnRestoreSurface;
  TKeyPressEvent OnKeyPress;

  // Blue, green, red, reserved: what the palette is built from.
  TRGBQuads ColorTable;
  TRGBQuads DefaultColorTable;

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  TDirectDrawDisplay &Display() { return FDisplay; }
  void SetDisplay(const TDirectDrawDisplay &value) { FDisplay.Assign(value); }
  TDXDrawOptions Options() const { return FOptions; }
  void SetOptions(TDXDrawOptions value);
  TDXDrawOptions NowOptions() const { return FNowOptions; }
  bool Now(TDXDrawOption option) const { return FNowOptions & DXOption(option); }
  int SurfaceWidth() const;
  int SurfaceHeight() const;
  void SetSurfaceWidth(int value);
  void SetSurfaceHeight(int value);
  void SetSurfaceSize(int width, int height);

  bool Initialized() const { return FInitialized; }
  bool InitializedOnce() const { return FInitializedOnce; }
  bool CanDraw();
  void Initialize();
  void Finalize();
  void Flip();
  void Restore();
  void UpdatePalette();
  void SetColorTable(const TRGBQuads &table);

  void RegisterNotifyEvent(TDXDrawNotifyEvent event, QObject *owner);
  void UnregisterNotifyEvent(QObject *owner);

  TDirectDraw *DDraw() const { return FDDraw.get(); }
  TDirectDrawSurface *Primary() const { return FPrimary.get(); }
  TDirectDrawSurface *Surface() const { return FSurface.get(); }
  TDirectDrawClipper *Clipper() const { return FClipper.get(); }
  TDirectDrawPalette *Palette() const { return FPalette.get(); }
  TDXDrawDriver *Driver() const { return FDriver.get(); }
  // What the control shows: the primary surface's image of it.
  TScreenImage *ScreenImage() const { return FScreenImage; }
  // The top-level window the control sits in, or none.
  QWidget *Form() const;

  // While the form is read, setters only store; Loaded ends that and may initialise.
  void BeginLoading() { FLoading = true; }
  void Loaded();

protected:
  virtual void DoFinalize();
  virtual void DoFinalizeSurface();
  virtual void DoInitialize();
  virtual void DoInitializeSurface();
  virtual void DoInitializing();
  virtual void DoRestoreSurface();

  bool event(QEvent *event) override;
  QPaintEngine *paintEngine() const override;
  void paintEvent(QPaintEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;

private:
  friend class TDXDrawDriver;
  friend class TDXDrawDriverBlt;
  friend class TDXDrawDriverFlip;

  struct TNotifyEntry {
    TDXDrawNotifyEvent Event;
    QObject *Owner;
  };

  void NotifyEventList(TDXDrawNotifyType type);
  void SetCooperativeLevel();
  void HookForm();
  void FormHook(QEvent *message, const std::function<void()> &defWindowProc);
  void ApplyOptions(TDXDrawOptions value);
  // No 3D device is made on this system: the 3D options in effect say so.
  void Initialize3D() { FNowOptions &= ~Options3D; }
  std::vector<TPaletteEntry> PaletteEntries(const TRGBQuads &table) const;

  bool FAutoSize = true;
  TDirectDrawDisplay FDisplay;
  TDXDrawOptions FOptions = 0;
  TDXDrawOptions FNowOptions = 0;
  int FSurfaceWidth = 0;
  int FSurfaceHeight = 0;
  bool FLoading = false;
  bool FInitialized = false;
  bool FInitializedOnce = false;
  bool FInternalInitialized = false;
  bool FUpdating = false;
  bool FCalledDoInitialize = false;
  bool FCalledDoInitializeSurface = false;
  int FRestoreNotifyOff = 0;
  std::vector<TNotifyEntry> FNotifyEventList;
  std::unique_ptr<TDXDrawDriver> FDriver;
  const TGUID *FDriverGUID = nullptr;
  std::unique_ptr<TDirectDraw> FDDraw;
  // Made on FDDraw by the driver, and freed by it before the device goes.
  std::unique_ptr<TDirectDrawClipper> FClipper;
  std::unique_ptr<TDirectDrawPalette> FPalette;
  std::unique_ptr<TDirectDrawSurface> FPrimary;
  std::unique_ptr<TDirectDrawSurface> FSurface;
  std::unique_ptr<TControlSubClass> FSubClass;
  TScreenImage *FScreenImage; // a child of the control
};

// The display control as placed on a form, with its settings published.
class TDXDraw : public TCustomDXDraw {
  Q_OBJECT
  Q_PROPERTY(bool AutoInitialize MEMBER AutoInitialize)
  Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
  Q_PROPERTY(int SurfaceWidth READ SurfaceWidth WRITE SetSurfaceWidth)
  Q_PROPERTY(int SurfaceHeight READ SurfaceHeight WRITE SetSurfaceHeight)

public:
  using TCustomDXDraw::TCustomDXDraw;
};
