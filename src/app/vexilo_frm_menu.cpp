// The display's context menu: the measurement readout, XY mode, and saving what the display shows.
#include "app/display_menu.h"
#include "app/readout.h"
#include "app/saved_file.h"
#include "app/trace_export.h"
#include "app/trace_frame.h"
#include "app/vexilo_frm.h"
#include "display/direct_draw_surface.h"
#include "display/dx_draw.h"
#include "framework/application.h"

#include <QAction>
#include <QBuffer>

void TVexiloFrm::ConnectMenuHandlers() {
  FDisplayMenu = new TDisplayMenu(this, DXDraw1);
  // Switched on, the readout starts from fresh measurements, not from those of an earlier time.
  connect(FDisplayMenu->Measurements, &QAction::toggled, this, [this] { FReadout->Clear(); });
  connect(FDisplayMenu->SavePicture, &QAction::triggered, this,
          [this] { Application->Guard([this] { SavePictureClick(); }); });
  connect(FDisplayMenu->ExportTraces, &QAction::triggered, this,
          [this] { Application->Guard([this] { ExportTracesClick(); }); });
}

TFrameOptions TVexiloFrm::FrameOptions() const {
  return {FDisplayMenu->XYMode->isChecked(), FDisplayMenu->Measurements->isChecked()};
}

void TVexiloFrm::SavePictureClick() {
  // What the display shows when the entry is chosen, not once the person has picked a name.
  const QImage picture = DXDraw1->Initialized() ? DXDraw1->Surface()->ToImage() : QImage();
  if (picture.isNull())
    throw Exception("The display's picture cannot be read, so there is nothing to save");
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG"))
    throw Exception("The display's picture could not be made into a PNG picture");
  const QString path =
      AskSaveName(this, "Save picture", QStandardPaths::PicturesLocation, "png", "PNG pictures (*.png)");
  if (!path.isEmpty())
    WriteWholeFile(path, png, "picture");
}

void TVexiloFrm::ExportTracesClick() {
  const std::string csv = TracesCsv(*FShown);
  if (csv.empty())
    throw Exception("No trace is shown, so there is nothing to export");
  const QString path =
      AskSaveName(this, "Export traces", QStandardPaths::DocumentsLocation, "csv", "Comma-separated values (*.csv)");
  if (!path.isEmpty())
    WriteWholeFile(path, QByteArray::fromStdString(csv), "traces");
}
