#include "notice_window.h"

#include "platform/mixer/mixer_change_event.h"
#include "support/capture_wait.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

bool TNoticeWindow::WaitForNotices(size_t count, int timeoutMs) {
  return ServeUntil([&] { return Controls.size() >= count; }, timeoutMs);
}

bool TNoticeWindow::event(QEvent *event) {
  if (event->type() != TMixerControlChangeEvent::EventType())
    return QObject::event(event);
  const auto *notice = static_cast<TMixerControlChangeEvent *>(event);
  EXPECT_EQ(notice->Message, MM_MIXM_CONTROL_CHANGE);
  Controls.push_back(notice->LParam);
  Mixers.push_back(notice->WParam);
  OffGuiThread += QThread::currentThread() != QCoreApplication::instance()->thread();
  return true;
}

MIXERCONTROLDETAILS SingleValue(uint32_t control, MIXERCONTROLDETAILS_UNSIGNED &value) {
  return MIXERCONTROLDETAILS{sizeof(MIXERCONTROLDETAILS), control, 1, 0, sizeof value, &value};
}
