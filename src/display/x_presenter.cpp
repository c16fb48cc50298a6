#include "display/x_presenter.h"

#include "platform/draw/window_handle.h"

#include <QGuiApplication>
#include <QImage>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

namespace {

constexpr uint8_t PixelDepth = 24;

template <typename Reply> struct TReply {
  Reply *Value;
  explicit TReply(Reply *value) : Value(value) {}
  ~TReply() { std::free(Value); }
  TReply(const TReply &) = delete;
  TReply &operator=(const TReply &) = delete;
  Reply *operator->() const { return Value; }
  explicit operator bool() const { return Value != nullptr; }
};

// Whether the server keeps pixels of our depth in 32 bits, in our byte order.
bool TakesOurPixels(const xcb_setup_t *setup) {
  if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST)
    return false;
  for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem; xcb_format_next(&formats))
    if (formats.data->depth == PixelDepth)
      return formats.data->bits_per_pixel == 32 && formats.data->scanline_pad == 32;
  return false;
}

// Whether `visual` puts red, green and blue where a 0x00RRGGBB pixel has them.
bool IsOurVisual(const xcb_setup_t *setup, xcb_visualid_t visual) {
  for (auto screens = xcb_setup_roots_iterator(setup); screens.rem; xcb_screen_next(&screens))
    for (auto depths = xcb_screen_allowed_depths_iterator(screens.data); depths.rem; xcb_depth_next(&depths))
      for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem; xcb_visualtype_next(&visuals))
        if (visuals.data->visual_id == visual)
          return depths.data->depth == PixelDepth && visuals.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR &&
                 visuals.data->red_mask == 0xFF0000 && visuals.data->green_mask == 0xFF00 &&
                 visuals.data->blue_mask == 0xFF;
  return false;
}

// Whether the server can map a memory file we pass it (the shared-memory extension from 1.2).
bool MapsMemoryFiles(xcb_connection_t *connection) {
  const xcb_query_extension_reply_t *shm = xcb_get_extension_data(connection, &xcb_shm_id);
  if (shm == nullptr || !shm->present)
    return false;
  const TReply version(xcb_shm_query_version_reply(connection, xcb_shm_query_version(connection), nullptr));
  return version && (version->major_version > 1 || (version->major_version == 1 && version->minor_version >= 2));
}

} // namespace

std::unique_ptr<TXPresenter> TXPresenter::For(QWidget *widget) {
  auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr || widget->devicePixelRatioF() != 1.0)
    return nullptr;
  xcb_connection_t *connection = x11->connection();
  const xcb_setup_t *setup = xcb_get_setup(connection);
  if (!TakesOurPixels(setup))
    return nullptr;
  const auto window = static_cast<xcb_window_t>(widget->winId());
  const TReply attributes(
      xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr));
  if (!attributes || !IsOurVisual(setup, attributes->visual))
    return nullptr;
  return std::unique_ptr<TXPresenter>(new TXPresenter(connection, window, MapsMemoryFiles(connection)));
}

TXPresenter::TXPresenter(xcb_connection_t *connection, uint32_t window, bool shareMemory)
    : FConnection(connection), FWindow(window), FGC(xcb_generate_id(connection)), FShareMemory(shareMemory),
      FMaxRequestBytes(static_cast<size_t>(xcb_get_maximum_request_length(connection)) * 4 -
                       sizeof(xcb_put_image_request_t)) {
  const uint32_t noExposures = 0;
  xcb_create_gc(connection, FGC, window, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
}

TXPresenter::~TXPresenter() {
  for (TSegment &segment : FSegments)
    Forget(segment);
  xcb_free_gc(FConnection, FGC);
  xcb_flush(FConnection);
}

TXPresenter::TSegment &TXPresenter::SegmentOf(const std::shared_ptr<const TPixelBuffer> &pixels) {
  for (TSegment &segment : FSegments)
    if (segment.Pixels.lock() == pixels)
      return segment;
  auto gone = std::find_if(std::begin(FSegments), std::end(FSegments),
                           [](const TSegment &segment) { return segment.Pixels.expired(); });
  TSegment &segment = gone != std::end(FSegments) ? *gone : FSegments[FNextSegment];
  FNextSegment = static_cast<int>(&segment - FSegments + 1) % static_cast<int>(std::size(FSegments));
  Forget(segment);
  segment.Pixels = pixels;
  const int fd = FShareMemory && pixels->Bytes.Fd() >= 0 ? fcntl(pixels->Bytes.Fd(), F_DUPFD_CLOEXEC, 0) : -1;
  if (fd >= 0) {
    // The request takes the descriptor and closes it once sent.
    const uint32_t id = xcb_generate_id(FConnection);
    if (xcb_generic_error_t *error =
            xcb_request_check(FConnection, xcb_shm_attach_fd_checked(FConnection, id, fd, 1))) {
      std::free(error);
    } else {
      segment.Id = id;
    }
  }
  return segment;
}

void TXPresenter::Put(const std::shared_ptr<const TPixelBuffer> &pixels, int pitch, QSize size, const QRect &rect) {
  const QRect area = rect & QRect(QPoint(0, 0), size);
  if (area.isEmpty())
    return;
  TSegment &segment = SegmentOf(pixels);
  if (segment.Id == 0) {
    Send(pixels->Bytes.data(), pitch, area);
  } else {
    xcb_shm_put_image(FConnection, FWindow, FGC, static_cast<uint16_t>(pitch / 4), static_cast<uint16_t>(size.height()),
                      static_cast<uint16_t>(area.x()), static_cast<uint16_t>(area.y()),
                      static_cast<uint16_t>(area.width()), static_cast<uint16_t>(area.height()),
                      static_cast<int16_t>(area.x()), static_cast<int16_t>(area.y()), PixelDepth,
                      XCB_IMAGE_FORMAT_Z_PIXMAP, 0, segment.Id, 0);
    // Asked now and read when the buffer is needed again, the answer is there by then; it
    // answers for every earlier put, too.
    segment.Sync = xcb_get_input_focus(FConnection).sequence;
    segment.Syncing = true;
  }
  xcb_flush(FConnection);
}

void TXPresenter::Put(const QImage &image, const QRect &rect) {
  const QRect area = rect & image.rect();
  if (area.isEmpty())
    return;
  Send(image.constBits(), static_cast<int>(image.bytesPerLine()), area);
  xcb_flush(FConnection);
}

void TXPresenter::Send(const uint8_t *pixels, int pitch, const QRect &rect) {
  // A request carries whole rows without gaps: many when they are whole rows of the buffer.
  const size_t rowBytes = static_cast<size_t>(rect.width()) * 4;
  const int step =
      rowBytes == static_cast<size_t>(pitch) ? static_cast<int>(std::max<size_t>(1, FMaxRequestBytes / rowBytes)) : 1;
  for (int y = rect.top(); y <= rect.bottom(); y += step) {
    const int rows = std::min(step, rect.bottom() + 1 - y);
    xcb_put_image(FConnection, XCB_IMAGE_FORMAT_Z_PIXMAP, FWindow, FGC, static_cast<uint16_t>(rect.width()),
                  static_cast<uint16_t>(rows), static_cast<int16_t>(rect.x()), static_cast<int16_t>(y), 0, PixelDepth,
                  static_cast<uint32_t>(rowBytes * static_cast<size_t>(rows)),
                  pixels + static_cast<size_t>(y) * static_cast<size_t>(pitch) + static_cast<size_t>(rect.x()) * 4);
  }
}

void TXPresenter::Settle(const TPixelBuffer &pixels) {
  for (TSegment &segment : FSegments)
    if (segment.Pixels.lock().get() == &pixels)
      Settle(segment);
}

void TXPresenter::Settle(TSegment &segment) {
  if (!segment.Syncing)
    return;
  std::free(xcb_get_input_focus_reply(FConnection, xcb_get_input_focus_cookie_t{segment.Sync}, nullptr));
  segment.Syncing = false;
}

void TXPresenter::Forget(TSegment &segment) {
  Settle(segment);
  if (segment.Id != 0)
    xcb_shm_detach(FConnection, segment.Id);
  segment.Id = 0;
  segment.Pixels.reset();
}
