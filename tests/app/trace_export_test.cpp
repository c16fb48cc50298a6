#include "app/trace_export.h"

#include <gtest/gtest.h>

#include <charconv>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string &text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

std::vector<std::string> Cells(const std::string &line) {
  std::vector<std::string> cells;
  std::string::size_type from = 0;
  for (;;) {
    const auto comma = line.find(',', from);
    cells.push_back(line.substr(from, comma - from));
    if (comma == std::string::npos)
      return cells;
    from = comma + 1;
  }
}

double Number(const std::string &cell) {
  double value = 0;
  const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
  EXPECT_TRUE(error == std::errc() && end == cell.data() + cell.size()) << "'" << cell << "'";
  return value;
}

class TraceExport : public testing::Test {
protected:
  void SetUp() override {
    Frame->Present = true;
    Frame->Draw = {true, true};
    Frame->Scales[chI] = {0.1 / 50.4, 0.1, 1.142857, 1000.0 / 44100};
    Frame->Scales[chII] = {0.005 / 50.4, 0.64, 2.5, 1000.0 / 44100 / 2};
    Fill(Frame->Traces[chI], 4, 1.0f);
    Fill(Frame->Traces[chII], 6, -2.5f);
  }
  static void Fill(TTracePoints &trace, int count, float from) {
    trace.Count = count;
    for (int i = 0; i < count; ++i)
      trace.Levels[i] = from + 1234.5f * static_cast<float>(i) * (i % 2 ? -1.0f : 1.0f);
  }
  std::unique_ptr<TTraceFrame> Frame = std::make_unique<TTraceFrame>();
};

TEST_F(TraceExport, AHeaderNamesTheFormatTheScalesAndTheColumns) {
  const auto lines = Lines(TracesCsv(*Frame));
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], std::string(TraceExportSignature) + ", traces over time");
  EXPECT_EQ(lines[1], "# I: 0.1 V/div, 1.142857 ms/div");
  EXPECT_EQ(lines[2], "# II: 0.64 V/div, 2.5 ms/div");
  EXPECT_EQ(lines[3], "I time (ms),I (V),II time (ms),II (V)");
  EXPECT_EQ(lines.size(), 4u + 6u) << "one row per point of the longer trace";

  Frame->XY = true;
  EXPECT_EQ(Lines(TracesCsv(*Frame))[0], std::string(TraceExportSignature) + ", XY picture");
}

TEST_F(TraceExport, EveryPointReadsBackAsTheTimeAndVoltsItWasDrawnFrom) {
  const auto lines = Lines(TracesCsv(*Frame));
  for (int i = 0; i < 6; ++i) {
    const auto cells = Cells(lines[4 + i]);
    ASSERT_EQ(cells.size(), 4u) << lines[4 + i];
    if (i < 4) {
      EXPECT_NEAR(Number(cells[0]), i * Frame->Scales[chI].MsPerPoint, 1e-9) << "nine digits of a millisecond";
      EXPECT_EQ(static_cast<float>(Number(cells[1]) / Frame->Scales[chI].VoltsPerLevel), Frame->Traces[chI].Levels[i]);
    } else {
      EXPECT_EQ(cells[0], "") << "channel I has only four points";
      EXPECT_EQ(cells[1], "");
    }
    EXPECT_NEAR(Number(cells[2]), i * Frame->Scales[chII].MsPerPoint, 1e-9);
    EXPECT_EQ(static_cast<float>(Number(cells[3]) / Frame->Scales[chII].VoltsPerLevel), Frame->Traces[chII].Levels[i]);
  }
}

TEST_F(TraceExport, OnlyShownChannelsAreWrittenAndNothingShownWritesNothing) {
  Frame->Draw = {false, true};
  const auto lines = Lines(TracesCsv(*Frame));
  EXPECT_EQ(lines[1], "# II: 0.64 V/div, 2.5 ms/div");
  EXPECT_EQ(lines[2], "II time (ms),II (V)");
  EXPECT_EQ(Cells(lines[3]).size(), 2u);
  Frame->Draw = {false, false};
  EXPECT_EQ(TracesCsv(*Frame), "");
  Frame->Draw = {true, true};
  Frame->Present = false;
  EXPECT_EQ(TracesCsv(*Frame), "") << "a frame never presented shows nothing";
}

} // namespace
