#include "device/device_base.h"

void TDirectX::SetDXResult(HRESULT result) {
  FDXResult = result;
  if (result != 0)
    Check();
}
