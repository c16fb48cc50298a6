#include "sound/dx_sound.h"

#include "framework/application.h"
#include "framework/control_subclass.h"
#include "framework/form.h"
#include "rtl/scope_exit.h"
#include "sound/direct_sound_buffer.h"

#include <QEvent>
#include <algorithm>

namespace {

constexpr uint32_t DescriptionSize = 20;
// Options that only take effect when the device is opened.
constexpr TCustomDXSound::TDXSoundOptions OpeningOptions = TCustomDXSound::soExclusive | TCustomDXSound::soWritePrimary;

} // namespace

void TDXSoundDirectSound::DoRestore() {
  TDirectSound::DoRestore();
  FOwner.Restore();
}

TCustomDXSound::TCustomDXSound(QObject *owner) : TComponent(owner) {}

TCustomDXSound::~TCustomDXSound() {
  // The handlers run here may fail, but nothing may leave a destructor: the application hears.
  Application->Guard([this] { Finalize(); });
  Application->Guard([this] { NotifyEventList(snDestroying); });
}

void TCustomDXSound::SetOptions(TDXSoundOptions value) {
  FOptions = value;
  if (!FInitialized) {
    FNowOptions = value;
    return;
  }
  FNowOptions = (value & ~OpeningOptions) | (FNowOptions & OpeningOptions);
  FDSound->GlobalFocus = FNowOptions.testFlag(soGlobalFocus);
  FDSound->StickyFocus = FNowOptions.testFlag(soStickyFocus);
}

TForm *TCustomDXSound::FindForm() const {
  for (QObject *owner = Owner(); owner; owner = owner->parent())
    if (auto *form = qobject_cast<TForm *>(owner))
      return form;
  return nullptr;
}

void TCustomDXSound::Initialize() {
  Finalize();
  TForm *form = FindForm();
  if (!form)
    throw EDXSoundError("Form not found");
  NotifyEventList(snInitializing);
  DoInitializing();
  FInternalInitialized = true;
  try {
    FDSound = std::make_unique<TDXSoundDirectSound>(*this, FDeviceGUID);
    FDSound->GlobalFocus = FNowOptions.testFlag(soGlobalFocus);
    FPrimary = std::make_unique<TDirectSoundBuffer>(*FDSound);
    const TDSBufferDesc primary{DescriptionSize, DSBCAPS_PRIMARYBUFFER, 0, 0, nullptr};
    if (!FPrimary->CreateBuffer(primary))
      throw EDXSoundError(SCannotMade, "Primary Buffer");
    FInitialized = true;
    BindToForm(form);
  } catch (...) {
    Finalize();
    throw;
  }
  NotifyEventList(snInitialize);
  FCalledDoInitialize = true;
  DoInitialize();
  Restore();
}

void TCustomDXSound::Finalize() {
  if (!FInternalInitialized)
    return;
  FSubClass.reset();
  TScopeExit release([this] {
    FInitialized = false;
    FInternalInitialized = false;
    SetOptions(FOptions);
    FPrimary.reset();
    FDSound.reset();
  });
  TScopeExit notify([this] { NotifyEventList(snFinalize); });
  if (FCalledDoInitialize) {
    FCalledDoInitialize = false;
    DoFinalize();
  }
}

void TCustomDXSound::Restore() {
  if (!FInitialized)
    return;
  NotifyEventList(snRestore);
  DoRestore();
}

void TCustomDXSound::BindToForm(TForm *form) {
  FForm = form;
  // A window made anew needs its cooperative level again.
  FSubClass = std::make_unique<TControlSubClass>(form, QSet<int>{QEvent::WinIdChange},
                                                 [this](QEvent *, const std::function<void()> &defWindowProc) {
                                                   defWindowProc();
                                                   Application->Guard([this] { BindToForm(FForm); });
                                                 });
  SetCooperativeLevel();
}

void TCustomDXSound::SetCooperativeLevel() {
  if (!FInitialized)
    return;
  const uint32_t level = FNowOptions.testFlag(soWritePrimary) ? DSSCL_WRITEPRIMARY
                         : FNowOptions.testFlag(soExclusive)  ? DSSCL_EXCLUSIVE
                                                              : DSSCL_NORMAL;
  FDSound->SetDXResult(FDSound->ISound()->SetCooperativeLevel(FForm, level));
}

void TCustomDXSound::Loaded() {
  TComponent::Loaded();
  if (!AutoInitialize)
    return;
  try {
    Initialize();
  } catch (const std::exception &) {
    // Without a sound device the form still opens; the component stays finalised.
  }
}

void TCustomDXSound::RegisterNotifyEvent(TDXSoundNotifyEvent event, QObject *owner) {
  UnregisterNotifyEvent(owner);
  FNotifyEventList.push_back({std::move(event), owner});
}

void TCustomDXSound::UnregisterNotifyEvent(QObject *owner) {
  std::erase_if(FNotifyEventList, [owner](const TNotifyEntry &entry) { return entry.Owner == owner; });
}

void TCustomDXSound::NotifyEventList(TDXSoundNotifyType type) {
  // The last registered hears first; a handler may unregister itself meanwhile.
  for (size_t i = FNotifyEventList.size(); i > 0; --i)
    if (i <= FNotifyEventList.size()) {
      const TDXSoundNotifyEvent event = FNotifyEventList[i - 1].Event;
      event(this, type);
    }
}

void TCustomDXSound::DoFinalize() {
  if (OnFinalize)
    OnFinalize(this);
}

void TCustomDXSound::DoInitialize() {
  if (OnInitialize)
    OnInitialize(this);
}

void TCustomDXSound::DoInitializing() {
  if (OnInitializing)
    OnInitializing(this);
}

void TCustomDXSound::DoRestore() {
  if (OnRestore)
    OnRestore(this);
}
