#pragma once

#include <QImage>

class TDIB;

// The panel's pictures, drawn by tools/pictures and carried inside the program.
QImage PanelPicture(const char *name);

// Reads a picture kept in the form-resource framing: one length byte, the class name "TDIB",
// then the picture's data.
void ReadFormPicture(const char *name, TDIB &picture);
