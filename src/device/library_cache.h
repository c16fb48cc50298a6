#pragma once

#include "platform/module_loader.h"

#include <string>

// The platform's entry points, looked up at run time. Each library is loaded once, on its first
// lookup (names compared without regard to case), and kept until ReleaseLibraries; a library that
// fails to load is tried again next time. Main thread only.
//
// Raises Exception "%s not loaded" with the library name when the library or the entry point
// is missing; never answers an empty address.
TEntryPoint DXLoadLibrary(const std::string &library, const std::string &entryPoint);

template <class F> F *DXLoadEntryPoint(const std::string &library, const std::string &entryPoint) {
  return FromEntryPoint<F>(DXLoadLibrary(library, entryPoint));
}

// Releases every cached library; the program does this once at its end.
void ReleaseLibraries();
