#pragma once

#include <QByteArray>
#include <QStandardPaths>
#include <QString>

class QDateTime;
class QWidget;

// The name a saved file is offered under: the program's name with the date and time, such as
// "vexilo-2026-12-09-104512.png".
QString TimedFileName(const QDateTime &at, const char *extension);

// Asks where to save, in a dialog that starts in `folder` (the person's home when that folder does
// not exist) with a timed name. Empty when the person cancels.
QString AskSaveName(QWidget *parent, const QString &caption, QStandardPaths::StandardLocation folder,
                    const char *extension, const QString &filter);

// Writes the file as a whole: an older file of that name is replaced only once everything is
// written, so a failed write leaves it as it was. A failure raises Exception saying what could not
// be saved where, and why.
void WriteWholeFile(const QString &path, const QByteArray &bytes, const char *what);
