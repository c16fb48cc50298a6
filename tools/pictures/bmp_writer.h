#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Writes pictures as plain Windows bitmap files: 24 bits per pixel for colour images, 4 bits for
// indexed images of at most 16 colours. Rows are bottom-up and padded to 4 bytes; resolution and
// colour counts are 0. Everything after the 14-byte file header is the header, colour table and
// pixels exactly as a device-independent bitmap keeps them in a form resource.
QByteArray EncodeBmp(const QImage &image);

// Raises nothing: returns false when the file cannot be written.
bool SaveBmp(const QImage &image, const QString &path);

// The bit count EncodeBmp uses for an image.
int BmpBitCount(const QImage &image);
