#include "settings/ini_file.h"
#include "settings/props_storage.h"
#include "settings_fixture.h"
#include "support/sample_component.h"

#include "framework/edit.h"
#include "framework/form.h"

namespace {

class PropsStorage : public SettingsFolderTest {
protected:
  PropsStorage() : Ini(File) {
    Form.setObjectName("VexiloFrm");
    One = new TSample(&Form);
    One->setObjectName("One");
    Two = new TSample(&Form);
    Two->setObjectName("Two");
    Storage.Section = "TVexiloFrm";
    Storage.OnReadValue = [this](const std::string &s, const std::string &k, const std::string &d) {
      return Ini.ReadString(s, k, d);
    };
    Storage.OnWriteValue = [this](const std::string &s, const std::string &k, const std::string &v) {
      Ini.WriteString(s, k, v);
    };
    Storage.OnClearSection = [this](const std::string &s) { Ini.EraseSection(s); };
  }
  void SetUp() override {
    SettingsFolderTest::SetUp();
    Ini = TIniFile(File);
  }

  TStoredPropList List(std::initializer_list<const char *> entries) {
    TStoredPropList list;
    for (const char *entry : entries)
      list.push_back({entry, nullptr});
    ResolveStoredProps(&Form, list, true);
    return list;
  }
  void Write(std::initializer_list<const char *> entries) {
    TStoredPropList list = List(entries);
    Storage.WriteProperties(&Form, list);
  }
  void Read(std::initializer_list<const char *> entries) {
    TStoredPropList list = List(entries);
    Storage.ReadProperties(&Form, list);
  }

  TIniFile Ini;
  TForm Form;
  TSample *One;
  TSample *Two;
  TPropsStorage Storage;
};

TEST_F(PropsStorage, KeysFollowTheListAndEveryKindHasItsText) {
  One->Tag = -3;
  One->Text = "  padded\t";
  One->Flag = true;
  One->Mode = TSample::mdThird;
  One->Options = TSample::TOptions(TSample::opA) | TSample::opC;
  One->Factor = 0.1;
  One->Letter = 'Q';
  One->Buddy = Two;
  Two->Tag = 9;
  Write({"One.Tag", "Two.Tag", "One.Text", "One.Flag", "One.Mode", "One.Options", "One.Factor", "One.Letter",
         "One.Buddy", "Missing.Tag", "One.NoSuch", "broken"});
  EXPECT_EQ(Text(), "[TVexiloFrm]\nOne_Tag=-3\nTwo_Tag=9\nOne_Text=padded\nOne_Flag=True\nOne_Mode=mdThird\n"
                    "One_Options=[opA,opC]\nOne_Factor=0.1\nOne_Letter=Q\nOne_Buddy=Two\n");
}

TEST_F(PropsStorage, TextsComeBackAsTheyWereStored) {
  Put("[TVexiloFrm]\nOne_Tag=42\nOne_Text=  hello  \nOne_Flag=true\nOne_Mode=MDSECOND\nOne_Options=[opB, opC,nothing]\n"
      "One_Factor=0.00500000000000256\nOne_Letter=xyz\nOne_Buddy=Two\nTwo_Tag=abc\n");
  One->Buddy = One;
  Two->Tag = 5;
  Read({"One.Tag", "One.Text", "One.Flag", "One.Mode", "One.Options", "One.Factor", "One.Letter", "One.Buddy",
        "Two.Tag"});
  EXPECT_EQ(One->Tag, 42);
  EXPECT_EQ(One->Text, "hello");
  EXPECT_TRUE(One->Flag);
  EXPECT_EQ(One->Mode, TSample::mdSecond);
  EXPECT_EQ(One->Options, TSample::TOptions(TSample::opB) | TSample::opC);
  EXPECT_DOUBLE_EQ(One->Factor, 0.00500000000000256);
  EXPECT_EQ(One->Letter, QChar('x'));
  EXPECT_EQ(One->Buddy, Two);
  EXPECT_EQ(Two->Tag, 0); // a number that does not convert sets 0
}

TEST_F(PropsStorage, MissingKeysAndUnknownValuesKeepTheProperty) {
  Put("[TVexiloFrm]\nOne_Mode=mdNone\nOne_Factor=1,5x\nOne_Flag=maybe\nOne_Buddy=Nowhere.One\n");
  One->Tag = 17;
  One->Text = "kept";
  One->Mode = TSample::mdThird;
  One->Factor = 2.5;
  One->Flag = true;
  One->Buddy = Two;
  Read({"One.Tag", "One.Text", "One.Mode", "One.Factor", "One.Flag", "One.Buddy"});
  EXPECT_EQ(One->Tag, 17);
  EXPECT_EQ(One->Text, "kept");
  EXPECT_EQ(One->Mode, TSample::mdThird);
  EXPECT_EQ(One->Factor, 2.5);
  EXPECT_TRUE(One->Flag);
  EXPECT_EQ(One->Buddy, Two); // no open form of that name
}

TEST_F(PropsStorage, ANumberBeyondAFloatsRangeKeepsTheFloat) {
  // Taken as infinity it would be written as a text that no later start can read.
  Put("[TVexiloFrm]\nOne_Gain=1E39\n");
  One->Gain = 2.5f;
  Read({"One.Gain"});
  EXPECT_EQ(One->Gain, 2.5f);
  Put("[TVexiloFrm]\nOne_Gain=-3E38\n");
  Read({"One.Gain"});
  EXPECT_EQ(One->Gain, -3E38f); // the widest a float holds still goes in
}

TEST_F(PropsStorage, AnEmptyTextIsWrittenAndReadBackEmpty) {
  One->Text.clear();
  Write({"One.Text"});
  EXPECT_EQ(Text(), "[TVexiloFrm]\nOne_Text=\n");
  One->Text = "typed";
  Read({"One.Text"});
  EXPECT_EQ(One->Text, "");
}

TEST_F(PropsStorage, SetsTakeSingleMembersUpToOrdinal31) {
  One->Options = TSample::TOptions(TSample::opA) | TSample::opTop;
  Write({"One.Options"});
  EXPECT_EQ(Ini.ReadString("TVexiloFrm", "One_Options", ""), "[opA,opTop]");
  Put("[TVexiloFrm]\nOne_Options=[opAB]\n");
  Read({"One.Options"});
  EXPECT_EQ(One->Options, TSample::TOptions()); // a combination names no single member
}

TEST_F(PropsStorage, StringListsAndReferencesHaveTheirOwnForms) {
  One->Lines = {"first", "second"};
  One->Buddy = Two;
  Write({"One.Lines"});
  EXPECT_EQ(Text(), "[TVexiloFrm.One_Lines]\nCount=2\nItem0=first\nItem1=second\n");
  One->Lines.clear();
  Read({"One.Lines"});
  EXPECT_EQ(One->Lines, QStringList({"first", "second"}));
  // A damaged count reads what the file holds, not two thousand million items.
  Put("[TVexiloFrm.One_Lines]\nCount=2000000000\nItem0=a\nItem1=\n");
  Read({"One.Lines"});
  EXPECT_EQ(One->Lines, QStringList({"a", ""}));
  Put("[TVexiloFrm]\nOne_Buddy=(NULL)\n");
  Read({"One.Buddy"});
  EXPECT_EQ(One->Buddy, nullptr);
}

TEST_F(PropsStorage, EntriesAreSpelledWithTheComponentsCurrentNames) {
  TStoredPropList list = List({" One . Tag "});
  One->setObjectName("Renamed");
  One->Tag = 4;
  Storage.WriteProperties(&Form, list);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].Text, "Renamed.Tag");
  EXPECT_EQ(Ini.ReadString("TVexiloFrm", "Renamed_Tag", ""), "4");
}

TEST_F(PropsStorage, TheEditPublishesTextAndTag) {
  auto *edit = new TEdit(&Form);
  edit->setObjectName("VDVlI");
  edit->setText("0.100000000000023");
  edit->SetTag(3);
  Write({"VDVlI.Tag", "VDVlI.Text"});
  EXPECT_EQ(Text(), "[TVexiloFrm]\nVDVlI_Tag=3\nVDVlI_Text=0.100000000000023\n");
}

} // namespace
