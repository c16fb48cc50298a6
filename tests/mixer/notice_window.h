#pragma once

#include "platform/mixer/mixer_records.h"

#include <QObject>
#include <vector>

// Stands in for the window that opens the mixer: records each change notice it is sent.
class TNoticeWindow : public QObject {
public:
  std::vector<uint32_t> Controls;
  std::vector<HMIXER> Mixers;
  int OffGuiThread = 0;

  uintptr_t Callback() { return reinterpret_cast<uintptr_t>(static_cast<QObject *>(this)); }
  // Serves events until `count` notices have come or `timeoutMs` passed (a generous default;
  // checks that nothing comes pass a short one).
  bool WaitForNotices(size_t count, int timeoutMs = 10000);

protected:
  bool event(QEvent *event) override;
};

// Details of one 4-byte value of `control`.
MIXERCONTROLDETAILS SingleValue(uint32_t control, MIXERCONTROLDETAILS_UNSIGNED &value);
