#include "settings/form_storage.h"
#include "settings/ini_file.h"
#include "settings/window_placement.h"
#include "settings_fixture.h"

#include "framework/application.h"
#include "framework/edit.h"
#include "framework/form_reader.h"
#include "framework/image.h"

#include <QCloseEvent>
#include <memory>
#include <vector>

namespace {

class FormStorage : public SettingsFolderTest {
protected:
  // A form as the reader builds it: two edits, a picture and the settings component.
  std::unique_ptr<TForm> NewForm(QStringList storedProps = {"Edit1.Text", "Edit1.Tag", "Image1.Tag", "Edit2.Text"},
                                 bool sizeable = false) {
    auto form = std::make_unique<TForm>();
    form->setObjectName("TestFrm");
    form->move(40, 50); // where its frame goes
    form->resize(300, 200);
    if (!sizeable)
      form->setFixedSize(300, 200);
    TFormReader reader;
    reader.RegisterClass<TEdit>("TEdit");
    reader.RegisterClass<TImage>("TImage");
    reader.RegisterClass<TFormStorage>("TFormStorage");
    const std::vector<TComponentDesc> layout{
        {"Edit1", "TEdit", "", {10, 10, 50, 20}, {{"Text", "designed"}, {"Tag", 5}}},
        {"Edit2", "TEdit", "", {10, 40, 50, 20}, {}},
        {"Image1", "TImage", "", {10, 70, 20, 20}, {{"Tag", 505}}},
        {"FormStorage1",
         "TFormStorage",
         "",
         {},
         {{"IniFileName", QString::fromStdString(File)}, {"StoredProps", storedProps}}},
    };
    reader.Read(form.get(), layout);
    Storage = form->findChild<TFormStorage *>("FormStorage1");
    Storage->OnRestorePlacement = [this](QObject *) {
      ++Restores;
      RestoredText = form_edit(Storage)->text();
    };
    return form;
  }
  static TEdit *form_edit(TFormStorage *storage) { return storage->parent()->findChild<TEdit *>("Edit1"); }
  static void Close(TForm &form) { form.close(); }

  std::string Suffix() const {
    return "(" + std::to_string(ScreenWidth()) + "x" + std::to_string(ScreenHeight()) + ")";
  }

  TFormStorage *Storage = nullptr;
  int Restores = 0;
  QString RestoredText;
};

TEST_F(FormStorage, FirstRunKeepsTheDesignAndClosingWritesEveryKeyInOrder) {
  auto form = NewForm();
  form->show();
  EXPECT_FALSE(std::filesystem::exists(File)); // reading creates nothing
  EXPECT_EQ(Restores, 1);                      // the first show already restores
  EXPECT_EQ(RestoredText, "designed");
  EXPECT_EQ(form->pos(), QPoint(40, 50));
  EXPECT_EQ(form->WindowState(), wsNormal);
  form_edit(Storage)->setText(" 0.100000000000023 ");
  const QRect frame = form->frameGeometry();
  const std::string normPos = "40,50," + std::to_string(40 + frame.width()) + "," + std::to_string(50 + frame.height());
  Close(*form);
  const std::string s = Suffix();
  EXPECT_EQ(Text(), "[TForm]\nFlags=0\nShowCmd=1\nPixelsPerInch=" + std::to_string(ScreenPixelsPerInch()) +
                        "\nMinMaxPos" + s + "=-1,-1,-1,-1\nMinMaxPos=-1,-1,-1,-1\nNormPos" + s + "=" + normPos +
                        "\nNormPos=" + normPos +
                        "\nVisible=0\nEdit1_Text=0.100000000000023\n"
                        "Edit1_Tag=5\nImage1_Tag=505\nEdit2_Text=\n");
}

TEST_F(FormStorage, ASecondStartGetsBackWhatTheFirstSaved) {
  {
    auto form = NewForm();
    form->show();
    form_edit(Storage)->setText("0.00500000000000256");
    form_edit(Storage)->SetTag(-7);
    form->findChild<TImage *>("Image1")->SetTag(480);
    form->move(70, 80);
    Close(*form);
  }
  auto form = NewForm();
  form->show();
  EXPECT_EQ(RestoredText, "0.00500000000000256"); // the stored values are there at the first notice
  EXPECT_EQ(form_edit(Storage)->Tag(), -7);
  EXPECT_EQ(form->findChild<TImage *>("Image1")->Tag(), 480);
  EXPECT_EQ(form->pos(), QPoint(70, 80));
}

TEST_F(FormStorage, ClosingBeforeTheFormWasShownWritesNothing) {
  auto form = NewForm();
  Close(*form);
  form.reset();
  EXPECT_FALSE(std::filesystem::exists(File));
}

TEST_F(FormStorage, TheDestroySaveRunsOnlyWithoutAnEarlierSave) {
  auto form = NewForm();
  form->show();
  Close(*form);
  std::filesystem::remove(File);
  form.reset();
  EXPECT_FALSE(std::filesystem::exists(File)); // the close query saved already

  form = NewForm();
  form->show();
  form.reset();
  TIniFile ini(File);
  EXPECT_EQ(ini.ReadString("TForm", "Visible", ""), "1");
}

TEST_F(FormStorage, AnotherScreenSizeFallsBackToThePlainKeys) {
  Put("[TForm]\nNormPos(1x1)=1,2,3,4\nNormPos=100,120,400,320\n");
  auto form = NewForm();
  form->show();
  EXPECT_EQ(form->pos(), QPoint(100, 120));
  form.reset();
  Put("[TForm]\nNormPos" + Suffix() + "=60, 70,360,270\nNormPos=100,120,400,320\n");
  form = NewForm();
  form->show();
  EXPECT_EQ(form->pos(), QPoint(60, 70));
}

TEST_F(FormStorage, ANonSizeableFormKeepsItsSizeAndASizeableOneTakesTheStoredOne) {
  Put("[TForm]\nNormPos=50,60,950,960\n");
  auto form = NewForm();
  form->show();
  EXPECT_EQ(form->pos(), QPoint(50, 60));
  EXPECT_EQ(form->size(), QSize(300, 200));
  form.reset();
  Put("[TForm]\nNormPos=50,60,950,960\n");
  form = NewForm({}, true);
  form->show();
  EXPECT_EQ(form->frameGeometry(), QRect(50, 60, 900, 900));
}

TEST_F(FormStorage, PlacementsThatDoNotFitAreNotApplied) {
  Put("[TForm]\nNormPos=500,60,400,960\n"); // right edge left of the left one
  auto form = NewForm({}, true);
  form->show();
  EXPECT_EQ(form->pos(), QPoint(40, 50));
  form.reset();
  Put("[TForm]\nPixelsPerInch=" + std::to_string(ScreenPixelsPerInch() + 1) + "\nNormPos=70,80,370,280\n");
  form = NewForm();
  form->show();
  EXPECT_EQ(form->pos(), QPoint(40, 50));
  form.reset();
  Put("[TForm]\nNormPos=70,80,x\n"); // a malformed word takes the current bounds
  form = NewForm();
  form->show();
  EXPECT_EQ(form->pos(), QPoint(70, 80));
  EXPECT_EQ(form->size(), QSize(300, 200));
}

TEST_F(FormStorage, ShowCommandsMapToStatesAndFourOrEightKeepTheDefault) {
  for (const int showCmd : {4, 8, 1}) {
    Put("[TForm]\nShowCmd=" + std::to_string(showCmd) + "\n");
    auto form = NewForm({}, true);
    form->show();
    EXPECT_EQ(form->WindowState(), wsNormal) << showCmd;
  }
  Put("[TForm]\nShowCmd=3\n");
  auto form = NewForm({}, true);
  form->show();
  EXPECT_EQ(form->WindowState(), wsMaximized);
}

TEST_F(FormStorage, EntriesNamingNoComponentAreDroppedAndRemovedComponentsLeave) {
  auto form = NewForm({"Missing.Tag", "Edit1.Text", "nodot", "Edit2.Text", ".Tag"});
  EXPECT_EQ(Storage->StoredProps(), QStringList({"Edit1.Text", "Edit2.Text"}));
  delete form->findChild<TEdit *>("Edit2");
  EXPECT_EQ(Storage->StoredProps(), QStringList({"Edit1.Text"}));
  form->show();
  Close(*form);
  EXPECT_EQ(Text().find("Missing"), std::string::npos);
  EXPECT_EQ(Text().find("Edit2"), std::string::npos);
}

TEST_F(FormStorage, AnInactiveComponentLeavesTheFormAlone) {
  Put("[TForm]\nNormPos=70,80,370,280\nEdit1_Text=stored\n");
  auto form = NewForm();
  Storage->SetActive(false);
  form->show();
  EXPECT_EQ(form->pos(), QPoint(40, 50));
  EXPECT_EQ(form_edit(Storage)->text(), "designed");
  Close(*form);
  EXPECT_EQ(Text(), "[TForm]\nNormPos=70,80,370,280\nEdit1_Text=stored\n");
}

TEST_F(FormStorage, AFolderThatCannotBeWrittenGivesOneMessage) {
  std::ofstream(Folder / "plain") << "x";
  File = (Folder / "plain" / "vexilo.INI").string();
  std::vector<std::string> messages;
  Application->SetMessagePresenter([&](const std::string &text, const std::string &, int) {
    messages.push_back(text);
    return int(IDOK);
  });
  auto form = NewForm();
  form->show();
  Close(*form);
  form.reset();
  Application->SetMessagePresenter([](const std::string &text, const std::string &, int) {
    ADD_FAILURE() << "unexpected message box: " << text;
    return int(IDOK);
  });
  EXPECT_EQ(messages, std::vector<std::string>{"Unable to write to " + File + "."});
}

TEST_F(FormStorage, TheFormsOwnHandlersStillRunAndComeBackWithTheComponent) {
  auto form = std::make_unique<TForm>();
  int shows = 0;
  bool refuse = true;
  form->OnShow = [&](QObject *) { ++shows; };
  form->OnCloseQuery = [&](QObject *, bool &canClose) { canClose = !refuse; };
  auto *storage = new TFormStorage(form.get());
  storage->SetIniFileName(QString::fromStdString(File));
  storage->Loaded();
  form->show();
  EXPECT_EQ(shows, 1);
  Close(*form);
  EXPECT_FALSE(std::filesystem::exists(File)); // the form refused to close
  refuse = false;
  Close(*form);
  EXPECT_TRUE(std::filesystem::exists(File));
  delete storage;
  form->show();
  EXPECT_EQ(shows, 2);
  ASSERT_TRUE(form->OnCloseQuery);
}

} // namespace
