#include "framework/component.h"

#include <QPointer>
#include <QVariant>

#include <gtest/gtest.h>
#include <memory>

namespace {

// Holds a reference to another component and lets go of it when that one is removed.
class TReferrer : public TComponent {
public:
  using TComponent::TComponent;
  void Refer(QObject *other) {
    Other = other;
    FreeNotification(other);
  }
  QObject *Other = nullptr;

protected:
  void Notification(QObject *component, TOperation operation) override {
    if (operation == TOperation::opRemove && component == Other)
      Other = nullptr;
  }
};

} // namespace

TEST(ComponentTest, OwnerFreesItsComponentsAndReferencesAreCleared) {
  auto form = std::make_unique<QObject>();
  auto *referrer = new TReferrer(form.get());
  auto *target = new TComponent(form.get());
  target->setObjectName("DXDraw1");
  target->SetTag(7);
  referrer->Refer(target);
  EXPECT_EQ(referrer->Owner(), form.get());
  EXPECT_EQ(target->property("Tag").toInt(), 7); // published, so stored settings reach it
  delete target;
  EXPECT_EQ(referrer->Other, nullptr);
  QPointer<TReferrer> watch(referrer);
  form.reset();
  EXPECT_TRUE(watch.isNull());
}
