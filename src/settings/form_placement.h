#pragma once

#include "framework/component.h"
#include "framework/events.h"
#include "framework/form.h"
#include "settings/win_min_max_info.h"

#include <QSize>
#include <memory>
#include <string>

class TCustomIniFile;

// The settings component: placed on a form, it restores the form's placement (position, size,
// state) each time the form is shown and saves it when the form may close, or else when it is
// destroyed. It writes to the settings file, or to the key store with UseRegistry.
//
// An active component never writes before it has read once, so a form closed before it was
// ever shown leaves the settings as they were. On X11 the placement is the window's normal
// frame and its state; a window system that places windows itself (Wayland, or a window
// manager that ignores program positions) keeps the size and state but puts the window where
// it likes, and the position then written is the one the toolkit reports.
class TFormPlacement : public TComponent {
  Q_OBJECT
  Q_PROPERTY(bool Active READ Active WRITE SetActive)
  Q_PROPERTY(QString IniFileName READ IniFileNameText WRITE SetIniFileName)
  Q_PROPERTY(QString IniSection READ IniSectionText WRITE SetIniSection)
  Q_PROPERTY(TWinMinMaxInfo *MinMaxInfo READ MinMaxInfo)
  Q_PROPERTY(TPlacementOptions Options READ Options WRITE SetOptions)
  Q_PROPERTY(bool PreventResize READ PreventResize WRITE SetPreventResize)
  Q_PROPERTY(bool UseRegistry READ UseRegistry WRITE SetUseRegistry)

public:
  enum TPlacementOption { fpState = 1, fpPosition = 2, fpActiveControl = 4 };
  Q_DECLARE_FLAGS(TPlacementOptions, TPlacementOption)
  Q_FLAG(TPlacementOptions)

  explicit TFormPlacement(QObject *owner = nullptr);
  ~TFormPlacement() override;

  bool Active() const { return FActive; }
  void SetActive(bool active) { FActive = active; }
  // The stored name, or the default: DefaultIniFileName, or DefaultRegistryKey with UseRegistry.
  std::string IniFileName() const;
  void SetIniFileName(const QString &name) { FIniFileName = name.toStdString(); }
  // The stored section, or the owner's default section.
  std::string IniSection() const;
  void SetIniSection(const QString &section) { FIniSection = section.toStdString(); }
  TWinMinMaxInfo *MinMaxInfo() const { return FMinMaxInfo; }
  TPlacementOptions Options() const { return FOptions; }
  void SetOptions(TPlacementOptions options) { FOptions = options; }
  bool PreventResize() const { return FPreventResize; }
  void SetPreventResize(bool preventResize);
  bool UseRegistry() const { return FUseRegistry; }
  void SetUseRegistry(bool useRegistry) { FUseRegistry = useRegistry; }

  TNotifyEvent OnSavePlacement;
  TNotifyEvent OnRestorePlacement;

  void SaveSettings();
  void RestoreSettings();

  // The back end, opened for the call unless a save or restore holds it open. Writes of
  // quoted values to the INI file get one more pair of quotes, as its reads strip one.
  std::string ReadString(const std::string &section, const std::string &key, const std::string &defaultValue);
  void WriteString(const std::string &section, const std::string &key, const std::string &value);

  void Loaded() override;

protected:
  virtual void WritePlacement();
  virtual void ReadPlacement();

  TForm *Form() const { return qobject_cast<TForm *>(Owner()); }
  TCustomIniFile &IniFile() const { return *FIniFile; }
  void SetRestored() { FRestored = true; }

private:
  // The back end for one save or restore; it is released when the holder ends.
  class TOpenIniFile;
  std::unique_ptr<TCustomIniFile> NewIniFile() const;
  QString IniFileNameText() const { return QString::fromStdString(FIniFileName); }
  QString IniSectionText() const { return QString::fromStdString(FIniSection); }
  void WritePosValue(const std::string &key, const std::string &value);
  std::string ReadPosValue(const std::string &key);
  void ReadPosition(TForm &form);
  void ReadState(TForm &form);
  void FormShow(QObject *sender);
  void FormCloseQuery(QObject *sender, bool &canClose);
  void FormDestroy(QObject *sender);
  // The size limits stand for the min/max-info and hit-test hooks of other window systems:
  // applied while MinMaxInfo is set or PreventResize is on, and the form's own limits given back
  // otherwise.
  void UpdateSizeLimits();

  bool FActive = true;
  std::string FIniFileName;
  std::string FIniSection;
  TWinMinMaxInfo *FMinMaxInfo;
  TPlacementOptions FOptions;
  bool FPreventResize = false;
  bool FUseRegistry = false;

  std::unique_ptr<TCustomIniFile> FIniFile;
  bool FSaved = false;
  bool FRestored = false;
  bool FDestroying = false;
  bool FHooked = false;
  bool FFormGone = false;
  TNotifyEvent FSaveFormShow;
  TCloseQueryEvent FSaveFormCloseQuery;
  TNotifyEvent FSaveFormDestroy;
  bool FLimited = false;
  QSize FFormMinimumSize;
  QSize FFormMaximumSize;
  bool FFormHadMaximize = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFormPlacement::TPlacementOptions)
