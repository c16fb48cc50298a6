#pragma once

#include "display/dib_shared_image.h"
#include "platform/draw/draw_types.h"

#include <memory>

class TStream;
class TDirectDrawSurfaceCanvas;

// A device-independent bitmap with its own stream formats. Copies share the pixel store until
// one of them changes it.
class TDIB {
public:
  TDIB();

  // What the next SetSize uses.
  TRGBQuads ColorTable;
  TPixelFormat PixelFormat;

  int Width() const { return FImage->Width; }
  int Height() const { return FImage->Height; }
  int BitCount() const { return FImage->BitCount; }
  int WidthBytes() const { return FImage->WidthBytes; }
  int64_t Size() const { return FImage->Size; }
  bool Empty() const { return FImage->Size == 0; }
  bool Compressed() const { return FImage->Compressed; }
  const std::shared_ptr<TDIBSharedImage> &Image() const { return FImage; }

  void SetSize(int width, int height, int bitCount);
  void SetWidth(int width);
  void SetHeight(int height);
  void Clear();
  // None empties; another DIB's image is shared, not copied.
  void Assign(const TDIB *source);

  uint32_t Pixels(int x, int y);
  void SetPixel(int x, int y, uint32_t value);
  // Gives the image this DIB's ColorTable when they differ.
  void UpdatePalette();
  // The image's palette (owned by the image), none without a colour table.
  HPALETTE Palette() const { return FImage->Palette(); }
  // Takes the colours of `palette` as the colour table, then deletes the palette.
  void SetPalette(HPALETTE palette);

  // The form-resource format: info block, then the pixel bytes.
  void ReadData(TStream &stream);
  void WriteData(TStream &stream) const;
  // The file format: a 14-byte "BM" header in front of the same.
  void LoadFromStream(TStream &stream);
  void SaveToStream(TStream &stream) const;

  // Copies `source` of this picture over `dest` of the canvas, scaling to fit.
  void StretchDraw(TDirectDrawSurfaceCanvas &canvas, const TRect &dest, const TRect &source);
  void Draw(TDirectDrawSurfaceCanvas &canvas, const TRect &dest);

private:
  void SetImage(std::shared_ptr<TDIBSharedImage> image);
  void MakeUnique();
  void Decompress();

  std::shared_ptr<TDIBSharedImage> FImage;
};
