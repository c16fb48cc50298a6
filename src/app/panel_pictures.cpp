#include "app/panel_pictures.h"

#include "display/dib.h"
#include "rtl/exception.h"
#include "rtl/stream.h"

#include <QFile>
#include <cstring>

namespace {

QString ResourcePath(const char *name, const char *extension) {
  return QStringLiteral(":/pictures/%1.%2").arg(QLatin1String(name), QLatin1String(extension));
}

} // namespace

QImage PanelPicture(const char *name) {
  QImage picture(ResourcePath(name, "bmp"));
  if (picture.isNull())
    throw Exception("Picture %s not found", name);
  return picture;
}

void ReadFormPicture(const char *name, TDIB &picture) {
  QFile file(ResourcePath(name, "tdib"));
  if (!file.open(QIODevice::ReadOnly))
    throw Exception("Picture %s not found", name);
  const QByteArray data = file.readAll();
  static constexpr char ClassName[] = "\x04TDIB";
  if (data.size() < 5 || std::memcmp(data.constData(), ClassName, 5) != 0)
    throw Exception("Picture %s is not a TDIB", name);
  TMemoryStream stream;
  stream.WriteBuffer(data.constData() + 5, data.size() - 5);
  stream.SetPosition(0);
  picture.ReadData(stream);
}
