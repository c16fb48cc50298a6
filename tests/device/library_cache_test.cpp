#include "device/device_base.h"
#include "device/library_cache.h"

#include <gtest/gtest.h>

namespace {

int LoadCount = 0;
int Answer() { return 42; }
int Other() { return 7; }

class LibraryCacheTest : public testing::Test {
protected:
  void SetUp() override {
    ReleaseLibraries();
    LoadCount = 0;
    RegisterModule("Probe.dll", [] {
      ++LoadCount;
      return std::make_unique<TPlatformModule>(std::initializer_list<std::pair<const std::string, TEntryPoint>>{
          {"Answer", ToEntryPoint(Answer)}, {"Other", ToEntryPoint(Other)}});
    });
  }
  void TearDown() override {
    ReleaseLibraries();
    RegisterModule("Probe.dll", nullptr);
    RegisterModule("Late.dll", nullptr);
  }
};

std::string MessageOf(const std::function<void()> &f) {
  try {
    f();
  } catch (const Exception &e) {
    return e.Message();
  }
  return "(nothing raised)";
}

} // namespace

TEST_F(LibraryCacheTest, LoadsEachLibraryOnceWhateverItsLetterCase) {
  EXPECT_EQ(DXLoadEntryPoint<int()>("Probe.dll", "Answer")(), 42);
  EXPECT_EQ(DXLoadEntryPoint<int()>("PROBE.DLL", "Other")(), 7);
  EXPECT_EQ(DXLoadEntryPoint<int()>("probe.dll", "Answer")(), 42);
  EXPECT_EQ(LoadCount, 1);
  ReleaseLibraries();
  DXLoadLibrary("Probe.dll", "Answer");
  EXPECT_EQ(LoadCount, 2);
}

TEST_F(LibraryCacheTest, AMissingEntryPointNamesTheLibraryAndKeepsItCached) {
  EXPECT_EQ(MessageOf([] { DXLoadLibrary("Probe.dll", "Missing"); }), "Probe.dll not loaded");
  DXLoadLibrary("Probe.dll", "Answer");
  EXPECT_EQ(LoadCount, 1);
}

TEST_F(LibraryCacheTest, AFailedLoadIsNotRemembered) {
  EXPECT_EQ(MessageOf([] { DXLoadLibrary("Late.dll", "Answer"); }), "Late.dll not loaded");
  RegisterModule("late.DLL", [] {
    return std::make_unique<TPlatformModule>(
        std::initializer_list<std::pair<const std::string, TEntryPoint>>{{"Answer", ToEntryPoint(Answer)}});
  });
  EXPECT_EQ(DXLoadEntryPoint<int()>("Late.dll", "Answer")(), 42);
}

TEST(DirectXTest, OnlyAFailingResultCallsCheck) {
  struct TCounting : TDirectX {
    int Checks = 0;
    void Check() override { ++Checks; }
  } object;
  object.SetDXResult(0);
  EXPECT_EQ(object.Checks, 0);
  object.SetDXResult(E_FAIL);
  EXPECT_EQ(object.Checks, 1);
  EXPECT_EQ(object.DXResult(), E_FAIL);
  object.SetDXResult(1); // any other value than 0, even a success code
  EXPECT_EQ(object.Checks, 2);
  object.SetDXResult(0);
  EXPECT_EQ(object.DXResult(), 0);
  EXPECT_EQ(object.Checks, 2);
}
