#pragma once

#include "settings/form_placement.h"
#include "settings/stored_props.h"

#include <QStringList>

// The settings component with a list of the form's properties it keeps, each entry
// "Component.Property"; in the settings file their keys are "Component_Property" in the
// form's section, in list order. Entries naming no component are dropped when the form has
// loaded; entries of a component that is removed from the form go with it.
class TFormStorage : public TFormPlacement {
  Q_OBJECT
  Q_PROPERTY(QStringList StoredProps READ StoredProps WRITE SetStoredProps)

public:
  using TFormPlacement::TFormPlacement;

  QStringList StoredProps() const;
  void SetStoredProps(const QStringList &storedProps);

  void Loaded() override;

protected:
  void WritePlacement() override;
  void ReadPlacement() override;
  void Notification(QObject *component, TOperation operation) override;

private:
  TStoredPropList FStoredProps;
};
