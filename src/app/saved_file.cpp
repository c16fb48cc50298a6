#include "app/saved_file.h"

#include "rtl/exception.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QSaveFile>

QString TimedFileName(const QDateTime &at, const char *extension) {
  return QStringLiteral("vexilo-%1.%2").arg(at.toString(QStringLiteral("yyyy-MM-dd-HHmmss")), extension);
}

QString AskSaveName(QWidget *parent, const QString &caption, QStandardPaths::StandardLocation folder,
                    const char *extension, const QString &filter) {
  QString start = QStandardPaths::writableLocation(folder);
  if (start.isEmpty() || !QDir(start).exists())
    start = QDir::homePath();
  QFileDialog dialog(parent, caption, start, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(extension); // a name typed without it still gets it
  dialog.selectFile(TimedFileName(QDateTime::currentDateTime(), extension));
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

void WriteWholeFile(const QString &path, const QByteArray &bytes, const char *what) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    throw Exception("The %s could not be saved to %s: %s", what, path.toStdString(), file.errorString().toStdString());
}
