#pragma once

#include <QImage>
#include <string>

// The program's built-in pictures by resource name: "SWITCH_OFF" and "SWITCH_ON", 32 x 48 in
// the 16 standard colours, drawn here rather than shipped as files. Their lower-left pixel is
// the background that the switch replaces with its own colour. An unknown name raises.
QImage BuiltinPicture(const std::string &name);
