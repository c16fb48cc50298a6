#pragma once

class QWidget;

// A window as the device interfaces take it: the top-level widget.
using HWND = QWidget *;
