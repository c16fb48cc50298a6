#include "settings/form_placement.h"
#include "settings/ini_file.h"
#include "settings/reg_ini_file.h"
#include "settings_fixture.h"

#include "platform/profile/key_store.h"

namespace {

using IniStore = SettingsFolderTest;

TEST_F(IniStore, IntegersAreDecimalOrHexWithTheDefaultForAnythingElse) {
  TIniFile ini(File);
  Put("[S]\nHex=0x1F\nUpper=0X10\nBare=0x\nText=abc\nNegative=-12\nAll=0xFFFFFFFF\nHuge=99999999999\n");
  EXPECT_EQ(ini.ReadInteger("S", "Hex", 7), 31);
  EXPECT_EQ(ini.ReadInteger("S", "Upper", 7), 16);
  EXPECT_EQ(ini.ReadInteger("S", "Bare", 7), 7);
  EXPECT_EQ(ini.ReadInteger("S", "Text", 7), 7);
  EXPECT_EQ(ini.ReadInteger("S", "Negative", 7), -12);
  EXPECT_EQ(ini.ReadInteger("S", "All", 7), -1);
  EXPECT_EQ(ini.ReadInteger("S", "Huge", 7), 7);
  EXPECT_EQ(ini.ReadInteger("S", "Missing", 7), 7);
  ini.WriteInteger("S", "Written", -5);
  ini.WriteBool("S", "Yes", true);
  EXPECT_EQ(ini.ReadString("S", "Written", ""), "-5");
  EXPECT_EQ(ini.ReadString("S", "Yes", ""), "1");
}

TEST_F(IniStore, QuotedValuesGetAnExtraPairOnTheWayInAndReadBackUnchanged) {
  TForm form;
  TFormPlacement placement(&form);
  placement.SetIniFileName(QString::fromStdString(File));
  for (const std::string value : {"\"abc\"", "'abc'", "\"", "'", "\"abc'", "abc"}) {
    placement.WriteString("S", "V", value);
    EXPECT_EQ(placement.ReadString("S", "V", "-"), value) << value;
  }
  placement.WriteString("S", "V", "\"abc\"");
  EXPECT_NE(Text().find("V=\"\"abc\"\"\n"), std::string::npos);
}

TEST_F(IniStore, AFileThatCannotBeWrittenSaysWhere) {
  std::ofstream(Folder / "plain") << "x";
  const std::string path = (Folder / "plain" / "vexilo.INI").string();
  TIniFile ini(path);
  try {
    ini.WriteString("S", "A", "1");
    FAIL() << "no exception";
  } catch (const Exception &e) {
    EXPECT_EQ(e.Message(), "Unable to write to " + path);
  }
  EXPECT_THROW(ini.EraseSection("S"), Exception);
  EXPECT_EQ(ini.ReadString("S", "A", "dflt"), "dflt");
}

TEST_F(IniStore, EraseSectionRemovesOnlyThatSection) {
  TIniFile ini(File);
  ini.WriteString("A", "K", "1");
  ini.WriteString("B", "K", "2");
  ini.EraseSection("A");
  EXPECT_EQ(ini.ReadString("A", "K", "-"), "-");
  EXPECT_EQ(ini.ReadString("B", "K", "-"), "2");
}

TEST_F(IniStore, RegistryStoreKeepsSectionsAsSubkeys) {
  SetKeyStoreFolder((Folder / "registry").string());
  {
    TRegIniFile reg("Software\\vexilo");
    reg.WriteString("TVexiloFrm", "VDVlI_Text", "\"quoted\"");
    reg.WriteInteger("TVexiloFrm", "Flags", 0x1F);
    reg.WriteString("TVexiloFrm.List", "Count", "1");
    EXPECT_EQ(reg.CurrentPath(), "Software\\vexilo"); // each section operation gives the key back
  }
  TRegIniFile reg("Software\\vexilo");
  EXPECT_EQ(reg.ReadString("tvexilofrm", "VDVlI_Text", ""), "\"quoted\""); // no quoting rule here
  EXPECT_EQ(reg.ReadInteger("TVexiloFrm", "Flags", 0), 31);
  EXPECT_EQ(reg.ReadString("Missing", "Flags", "dflt"), "dflt");
  reg.EraseSection("TVexiloFrm");
  EXPECT_EQ(reg.ReadString("TVexiloFrm", "Flags", "dflt"), "dflt");
  EXPECT_EQ(reg.ReadString("TVexiloFrm.List", "Count", "dflt"), "1");

  HKEY key = 0;
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\vexilo\\Typed", &key), ERROR_SUCCESS);
  const uint32_t number = 5;
  RegSetValueEx(key, "N", REG_DWORD, reinterpret_cast<const uint8_t *>(&number), sizeof number);
  RegCloseKey(key);
  ASSERT_TRUE(reg.OpenKey("Typed", false));
  EXPECT_EQ(reg.CurrentPath(), "Software\\vexilo\\Typed");
  EXPECT_THROW(reg.TRegistry::ReadString("N"), ERegistryException);
}

} // namespace
