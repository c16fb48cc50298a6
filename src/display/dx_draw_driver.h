#pragma once

#include <cstdint>

class TCustomDXDraw;

// How the control's surfaces are made and presented. The driver opens the device when it is
// made and closes it when it goes.
class TDXDrawDriver {
public:
  explicit TDXDrawDriver(TCustomDXDraw *dxdraw);
  virtual ~TDXDrawDriver();
  TDXDrawDriver(const TDXDrawDriver &) = delete;
  TDXDrawDriver &operator=(const TDXDrawDriver &) = delete;

  virtual void Finalize();
  virtual void Flip() = 0;
  virtual void Initialize() = 0;
  // False: the size cannot change.
  virtual bool SetSize(int width, int height);
  // Reclaims lost memory of both surfaces and clears them; false when that fails.
  bool Restore();

protected:
  void MakePalette(uint32_t caps);
  TCustomDXDraw *FDXDraw;
};

// Windowed: the back surface is blitted into the primary surface, cut to the control.
class TDXDrawDriverBlt : public TDXDrawDriver {
public:
  using TDXDrawDriver::TDXDrawDriver;
  void Flip() override;
  void Initialize() override;
  bool SetSize(int width, int height) override;

private:
  void InitializeSurface();
};

// Full screen: a primary surface with one back buffer, presented by page flipping.
class TDXDrawDriverFlip : public TDXDrawDriver {
public:
  using TDXDrawDriver::TDXDrawDriver;
  void Flip() override;
  void Initialize() override;
};
