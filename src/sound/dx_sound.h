#pragma once

#include "framework/component.h"
#include "framework/events.h"
#include "sound/direct_sound.h"

#include <functional>
#include <memory>
#include <vector>

class TControlSubClass;
class TCustomDXSound;
class TDirectSoundBuffer;
class TForm;

class EDXSoundError : public Exception {
public:
  using Exception::Exception;
};

// The device of a sound component: a restore it is asked for is the component's.
class TDXSoundDirectSound : public TDirectSound {
public:
  TDXSoundDirectSound(TCustomDXSound &owner, const TGUID *device) : TDirectSound(device), FOwner(owner) {}

  TCustomDXSound &Owner() const { return FOwner; }
  void DoRestore() override;

private:
  TCustomDXSound &FOwner;
};

enum TDXSoundNotifyType { snDestroying, snInitializing, snInitialize, snFinalize, snRestore };
using TDXSoundNotifyEvent = std::function<void(TCustomDXSound *Sender, TDXSoundNotifyType NotifyType)>;

// The playback device of a form: Initialize opens it, sets its cooperative level with the form's
// window and makes the primary buffer; Finalize lets them go. Registered handlers and the events
// hear the device come and go and be restored after a loss.
class TCustomDXSound : public TComponent {
  Q_OBJECT

public:
  enum TDXSoundOption { soGlobalFocus = 1, soStickyFocus = 2, soExclusive = 4, soWritePrimary = 8 };
  Q_DECLARE_FLAGS(TDXSoundOptions, TDXSoundOption)
  Q_FLAG(TDXSoundOptions)

  explicit TCustomDXSound(QObject *owner = nullptr);
  ~TCustomDXSound() override;

  bool AutoInitialize = true;
  TNotifyEvent OnFinalize;
  TNotifyEvent OnInitialize;
  TNotifyEvent OnInitializing;
  TNotifyEvent OnRestore;

  TDXSoundOptions Options() const { return FOptions; }
  // While initialised, the exclusive and write-primary options wait for the next Initialize; the
  // focus options apply to buffers made from now on.
  void SetOptions(TDXSoundOptions value);
  TDXSoundOptions NowOptions() const { return FNowOptions; }

  bool Initialized() const { return FInitialized; }
  TDXSoundDirectSound *DSound() const { return FDSound.get(); }
  TDirectSoundBuffer *Primary() const { return FPrimary.get(); }
  TForm *Form() const { return FForm; }

  // EDXSoundError "Form not found" without a form among the owners, "Primary Buffer cannot be
  // made"; the device's own errors as they come. A failed set-up leaves the component finalised.
  void Initialize();
  void Finalize();
  void Restore();

  void RegisterNotifyEvent(TDXSoundNotifyEvent event, QObject *owner);
  void UnregisterNotifyEvent(QObject *owner);

  // With AutoInitialize the device opens once the form is read; a missing device is no error then.
  void Loaded() override;

protected:
  virtual void DoFinalize();
  virtual void DoInitialize();
  virtual void DoInitializing();
  virtual void DoRestore();

private:
  struct TNotifyEntry {
    TDXSoundNotifyEvent Event;
    QObject *Owner;
  };

  void NotifyEventList(TDXSoundNotifyType type);
  void BindToForm(TForm *form);
  void SetCooperativeLevel();
  TForm *FindForm() const;

  bool FCalledDoInitialize = false;
  const TGUID *FDeviceGUID = nullptr;
  std::unique_ptr<TDXSoundDirectSound> FDSound;
  TForm *FForm = nullptr;
  bool FInitialized = false;
  bool FInternalInitialized = false;
  std::vector<TNotifyEntry> FNotifyEventList;
  TDXSoundOptions FNowOptions;
  TDXSoundOptions FOptions;
  std::unique_ptr<TDirectSoundBuffer> FPrimary;
  std::unique_ptr<TControlSubClass> FSubClass;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TCustomDXSound::TDXSoundOptions)

// The sound component as placed on a form, with its settings published.
class TDXSound : public TCustomDXSound {
  Q_OBJECT
  Q_PROPERTY(bool AutoInitialize MEMBER AutoInitialize)
  Q_PROPERTY(TCustomDXSound::TDXSoundOptions Options READ Options WRITE SetOptions)

public:
  using TCustomDXSound::TCustomDXSound;
};
