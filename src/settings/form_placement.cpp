#include "settings/form_placement.h"

#include "settings/default_names.h"
#include "settings/ini_file.h"
#include "settings/reg_ini_file.h"
#include "settings/win_min_max_info.h"
#include "settings/window_placement.h"

#include "framework/application.h"

#include <QRegularExpression>
#include <QStringList>

class TFormPlacement::TOpenIniFile {
public:
  explicit TOpenIniFile(TFormPlacement &placement) : FPlacement(placement), FOpened(!placement.FIniFile) {
    if (FOpened)
      placement.FIniFile = placement.NewIniFile();
  }
  ~TOpenIniFile() {
    if (FOpened)
      FPlacement.FIniFile.reset();
  }
  TOpenIniFile(const TOpenIniFile &) = delete;
  TOpenIniFile &operator=(const TOpenIniFile &) = delete;

private:
  TFormPlacement &FPlacement;
  bool FOpened;
};

namespace {

std::string PosText(int a, int b, int c, int d) {
  return std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c) + "," + std::to_string(d);
}

// The four numbers of a position list; a missing or malformed word takes its default.
void PosWords(const std::string &text, int (&values)[4]) {
  static const QRegularExpression separators("[ ,]");
  const QStringList words = QString::fromStdString(text).split(separators, Qt::SkipEmptyParts);
  for (int i = 0; i < 4 && i < words.size(); ++i)
    values[i] = StoredInteger(words[i].toStdString(), values[i]);
}

std::string ScreenSizeSuffix() {
  return "(" + std::to_string(ScreenWidth()) + "x" + std::to_string(ScreenHeight()) + ")";
}

bool Quoted(const std::string &value) {
  return !value.empty() && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
}

} // namespace

TFormPlacement::TFormPlacement(QObject *owner) : TComponent(owner), FMinMaxInfo(new TWinMinMaxInfo(this)) {
  if (qobject_cast<TForm *>(owner))
    FOptions = TPlacementOptions(fpState) | fpPosition;
  FMinMaxInfo->OnChange = [this] {
    if (!Loading())
      UpdateSizeLimits();
  };
}

TFormPlacement::~TFormPlacement() {
  FIniFile.reset();
  TForm *form = Form();
  if (!FHooked || FFormGone || !form)
    return;
  form->OnShow = FSaveFormShow;
  form->OnCloseQuery = FSaveFormCloseQuery;
  form->OnDestroy = FSaveFormDestroy;
}

void TFormPlacement::Loaded() {
  TComponent::Loaded();
  TForm *form = Form();
  if (!form || FHooked)
    return;
  FSaveFormShow = std::move(form->OnShow);
  FSaveFormCloseQuery = std::move(form->OnCloseQuery);
  FSaveFormDestroy = std::move(form->OnDestroy);
  form->OnShow = [this](QObject *sender) { FormShow(sender); };
  form->OnCloseQuery = [this](QObject *sender, bool &canClose) { FormCloseQuery(sender, canClose); };
  form->OnDestroy = [this](QObject *sender) { FormDestroy(sender); };
  FHooked = true;
  UpdateSizeLimits();
}

std::string TFormPlacement::IniFileName() const {
  if (!FIniFileName.empty())
    return FIniFileName;
  return FUseRegistry ? DefaultRegistryKey() : DefaultIniFileName();
}

std::string TFormPlacement::IniSection() const { return FIniSection.empty() ? DefaultSection(Owner()) : FIniSection; }

void TFormPlacement::SetPreventResize(bool preventResize) {
  if (preventResize == FPreventResize || !Form())
    return;
  FPreventResize = preventResize;
  if (!Loading())
    UpdateSizeLimits();
}

void TFormPlacement::UpdateSizeLimits() {
  TForm *form = Form();
  if (!form)
    return;
  const bool limit = FPreventResize || !FMinMaxInfo->DefaultMinMaxInfo();
  if (limit && !FLimited) {
    FFormMinimumSize = form->minimumSize();
    FFormMaximumSize = form->maximumSize();
    FFormHadMaximize = form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint);
  }
  if (!limit) {
    if (FLimited) {
      form->setMinimumSize(FFormMinimumSize);
      form->setMaximumSize(FFormMaximumSize);
      form->setWindowFlag(Qt::WindowMaximizeButtonHint, FFormHadMaximize);
    }
    FLimited = false;
    return;
  }
  FLimited = true;
  if (FPreventResize) {
    form->setFixedSize(form->size());
    form->setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    return;
  }
  const TWinMinMaxInfo &info = *FMinMaxInfo;
  form->setMinimumSize(info.MinTrackWidth() ? info.MinTrackWidth() : FFormMinimumSize.width(),
                       info.MinTrackHeight() ? info.MinTrackHeight() : FFormMinimumSize.height());
  form->setMaximumSize(info.MaxTrackWidth() ? info.MaxTrackWidth() : FFormMaximumSize.width(),
                       info.MaxTrackHeight() ? info.MaxTrackHeight() : FFormMaximumSize.height());
}

std::unique_ptr<TCustomIniFile> TFormPlacement::NewIniFile() const {
  if (FUseRegistry)
    return std::make_unique<TRegIniFile>(IniFileName());
  return std::make_unique<TIniFile>(IniFileName());
}

std::string TFormPlacement::ReadString(const std::string &section, const std::string &key,
                                       const std::string &defaultValue) {
  TOpenIniFile open(*this);
  return FIniFile->ReadString(section, key, defaultValue);
}

void TFormPlacement::WriteString(const std::string &section, const std::string &key, const std::string &value) {
  TOpenIniFile open(*this);
  if (!FUseRegistry && Quoted(value))
    FIniFile->WriteString(section, key, "\"" + value + "\"");
  else
    FIniFile->WriteString(section, key, value);
}

void TFormPlacement::FormShow(QObject *sender) {
  if (FActive)
    Application->Guard([this] { RestoreSettings(); });
  if (FSaveFormShow)
    FSaveFormShow(sender);
}

void TFormPlacement::FormCloseQuery(QObject *sender, bool &canClose) {
  if (FSaveFormCloseQuery)
    FSaveFormCloseQuery(sender, canClose);
  const TForm *form = Form();
  if (canClose && FActive && form && form->internalWinId())
    Application->Guard([this] { SaveSettings(); });
}

void TFormPlacement::FormDestroy(QObject *sender) {
  FFormGone = true; // the form's handlers are not given back to a form being destroyed
  if (FActive && !FSaved) {
    FDestroying = true;
    Application->Guard([this] { SaveSettings(); });
    FDestroying = false;
  }
  if (FSaveFormDestroy)
    FSaveFormDestroy(sender);
}

void TFormPlacement::SaveSettings() {
  if (!FRestored && FActive)
    return;
  // Also a failed save counts: the save at destruction would only fail and report again.
  struct TMarkSaved {
    bool &Saved;
    ~TMarkSaved() { Saved = true; }
  } mark{FSaved};
  TOpenIniFile open(*this);
  WritePlacement();
  if (OnSavePlacement)
    OnSavePlacement(this);
}

void TFormPlacement::RestoreSettings() {
  FSaved = false;
  TOpenIniFile open(*this);
  ReadPlacement();
  FRestored = true;
  if (OnRestorePlacement)
    OnRestorePlacement(this);
  TForm *form = Form();
  if (FOptions.testFlag(fpActiveControl) && form) {
    const QString name = QString::fromStdString(FIniFile->ReadString(IniSection(), "ActiveControl", ""));
    QWidget *control = name.isEmpty() ? nullptr : form->findChild<QWidget *>(name);
    if (control && control->isEnabled() && control->focusPolicy() != Qt::NoFocus)
      control->setFocus();
  }
}

void TFormPlacement::WritePosValue(const std::string &key, const std::string &value) {
  FIniFile->WriteString(IniSection(), key + ScreenSizeSuffix(), value);
  FIniFile->WriteString(IniSection(), key, value);
}

std::string TFormPlacement::ReadPosValue(const std::string &key) {
  const std::string value = FIniFile->ReadString(IniSection(), key + ScreenSizeSuffix(), "");
  return value.empty() ? FIniFile->ReadString(IniSection(), key, "") : value;
}

void TFormPlacement::WritePlacement() {
  const TForm *form = Form();
  if (!form)
    return;
  const std::string section = IniSection();
  const TWindowPlacement placement = GetWindowPlacement(form);
  FIniFile->WriteInteger(section, "Flags", int(placement.Flags));
  FIniFile->WriteInteger(section, "ShowCmd", int(placement.ShowCmd));
  FIniFile->WriteInteger(section, "PixelsPerInch", ScreenPixelsPerInch());
  WritePosValue("MinMaxPos", PosText(placement.MinPosition.X, placement.MinPosition.Y, placement.MaxPosition.X,
                                     placement.MaxPosition.Y));
  const TPlacementRect &rect = placement.NormalPosition;
  WritePosValue("NormPos", PosText(rect.Left, rect.Top, rect.Right, rect.Bottom));
  if (FOptions.testFlag(fpActiveControl))
    if (const QWidget *control = form->focusWidget(); control && control != form)
      FIniFile->WriteString(section, "ActiveControl", control->objectName().toStdString());
  FIniFile->WriteBool(section, "Visible", FDestroying);
}

void TFormPlacement::ReadPosition(TForm &form) {
  TWindowPlacement placement = GetWindowPlacement(&form);
  placement.Flags = uint32_t(FIniFile->ReadInteger(IniSection(), "Flags", int(placement.Flags)));
  bool found = false;
  if (const std::string text = ReadPosValue("MinMaxPos"); !text.empty()) {
    int values[4] = {0, 0, 0, 0};
    PosWords(text, values);
    placement.MinPosition = {values[0], values[1]};
    placement.MaxPosition = {values[2], values[3]};
    found = true;
  }
  TPlacementRect &rect = placement.NormalPosition;
  if (const std::string text = ReadPosValue("NormPos"); !text.empty()) {
    int values[4] = {rect.Left, rect.Top, rect.Right, rect.Bottom};
    PosWords(text, values);
    rect = {values[0], values[1], values[2], values[3]};
    found = true;
  }
  const int pixelsPerInch = ScreenPixelsPerInch();
  if (!found || FIniFile->ReadInteger(IniSection(), "PixelsPerInch", pixelsPerInch) != pixelsPerInch)
    return;
  const TFormBorderStyle border = form.BorderStyle();
  if (border != bsSizeable && border != bsSizeToolWin) {
    const QRect frame = form.frameGeometry();
    rect.Right = rect.Left + frame.width();
    rect.Bottom = rect.Top + frame.height();
  }
  if (rect.Right > rect.Left)
    SetWindowPlacement(&form, placement);
}

void TFormPlacement::ReadState(TForm &form) {
  // Our forms are placed where they were designed, so their state starts normal.
  TWindowState state = wsNormal;
  switch (FIniFile->ReadInteger(IniSection(), "ShowCmd", 0)) {
  case 1:
  case 5:
  case 9:
    state = wsNormal;
    break;
  case 2:
  case 6:
  case 7:
    state = wsMinimized;
    break;
  case 3:
    state = wsMaximized;
    break;
  default:
    break;
  }
  form.SetWindowState(state);
}

void TFormPlacement::ReadPlacement() {
  TForm *form = Form();
  if (!form || !(FOptions & (TPlacementOptions(fpState) | fpPosition)))
    return;
  if (FOptions.testFlag(fpPosition))
    ReadPosition(*form);
  if (FOptions.testFlag(fpState))
    ReadState(*form);
  form->update(); // shown anew at the next paint, which comes before the window is seen
}
