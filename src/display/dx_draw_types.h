#pragma once

#include <cstdint>
#include <functional>

class TCustomDXDraw;

enum TDXDrawOption {
  doFullScreen,
  doNoWindowChange,
  doAllowReboot,
  doWaitVBlank,
  doAllowPalette256,
  doSystemMemory,
  doStretch,
  doCenter,
  doFlip,
  do3D,
  doHardware,
  doRetainedMode,
  doSelectDriver,
  doZBuffer,
  doRGB,
  doMono,
  doDither
};

// A set of options: bit n stands for the option of ordinal n.
using TDXDrawOptions = uint32_t;

constexpr TDXDrawOptions DXOption(TDXDrawOption option) { return TDXDrawOptions(1) << option; }

inline constexpr TDXDrawOptions DefaultDXDrawOptions = 0x0001DC8C;
// Options that only mean something in full screen, and the 3D device's options.
inline constexpr TDXDrawOptions FullScreenOnlyOptions = 0x116;
inline constexpr TDXDrawOptions Options3D = 0x1FC00;
// What may change while the device is open.
inline constexpr TDXDrawOptions LiveOptions = 0x100C8;

enum TDXDrawNotifyType {
  nkDestroying,
  nkInitializing,
  nkInitialize,
  nkInitializeSurface,
  nkFinalize,
  nkFinalizeSurface,
  nkRestore,
  nkSurfaceSize
};

using TDXDrawNotifyEvent = std::function<void(TCustomDXDraw *Sender, TDXDrawNotifyType NotifyType)>;
