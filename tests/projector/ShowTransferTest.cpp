// Whole-show writes and reads against the in-process virtual projector: round trips,
// end records, differential transfer across several writes, the read's stop rule and
// transfers that break in the middle.
#include <gtest/gtest.h>

#include <functional>

#include "model/ProgramRecord.h"
#include "res/StringTable.h"
#include "res/strings/ProjectorStrings.h"
#include "tests/projector/ShowTransferBench.h"

namespace vistrel {
namespace {

using test::addLine;
using test::TransferBench;

sim::ShowRecord recordOf(const ProgramLine& line) {
    return sim::ShowRecord::fromLine(line.slideNumber, line.dissolveTime, line.timerTime, line.specialFunction);
}

void expectProjectorHolds(const TransferBench& bench, const CVistrelDoc& doc, int from = 0) {
    for (int i = from; i < doc.lineCount; ++i)
        ASSERT_EQ(bench.projector.memory().record(i), recordOf(doc.lines[i])) << "record " << i;
}

int countZeroRecords(const TransferBench& bench, int from, int to) {
    int zeros = 0;
    for (int i = from; i < to; ++i) zeros += bench.projector.memory().record(i).isEndRecord() ? 1 : 0;
    return zeros;
}

// Fills the show area with non-zero bytes, so that every record written can be told apart.
void fillShowAreaWithJunk(TransferBench& bench, int records) {
    bench.projector.setMemory(bench.projector.showStart(),
                              std::vector<std::uint8_t>(static_cast<std::size_t>(records) * 6, 0x55));
}

// A window of the document: how often it was told, and whether a show was read in.
struct CountingView final : DocumentView {
    int updates = 0;
    bool showReplaced = false;
    void documentChanged(const DocumentChange& change) override {
        ++updates;
        showReplaced = showReplaced || (change.showReplaced && change.rowsRebuilt);
    }
};

struct RoundTripCase {
    const char* name;
    std::function<void(CVistrelDoc&)> fill;
    bool endMarker;
    bool codesExact;  // only codes the editor composes survive the projector unchanged
};

class ShowRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(ShowRoundTrip, ProjectorHoldsTheRecordsAndReadsThemBack) {
    const RoundTripCase& c = GetParam();
    TransferBench bench;
    bench.settings.endMarker = c.endMarker;
    CVistrelDoc doc;
    doc.windowTitle = "Urlaub.dpd";
    c.fill(doc);

    ASSERT_TRUE(bench.transfer.writeToProjector(doc));
    EXPECT_TRUE(bench.prompter.messages.empty());
    expectProjectorHolds(bench, doc);
    const int endRecords = c.endMarker ? 50 : 1;
    EXPECT_EQ(countZeroRecords(bench, doc.lineCount, doc.lineCount + endRecords), endRecords);
    EXPECT_EQ(bench.progress.writeTotals, std::vector<int>{6 * doc.lineCount + 6 * endRecords});
    EXPECT_EQ(bench.appState.projectorShowTitle, "Urlaub.dpd");
    EXPECT_EQ(bench.projector.commandLog().back(), "PA");

    CVistrelDoc back;
    CountingView backView;
    back.addView(&backView);
    ASSERT_TRUE(bench.transfer.readShowFromProjector(back, true));
    ASSERT_EQ(back.lineCount, doc.lineCount);
    for (int i = 0; i < doc.lineCount; ++i) {
        const ProgramLine& sent = doc.lines[i];
        const ProgramLine& got = back.lines[i];
        EXPECT_EQ(got.slideNumber, sent.slideNumber) << i;
        EXPECT_EQ(got.dissolveTime, sent.dissolveTime) << i;
        EXPECT_EQ(got.timerTime, sent.timerTime) << i;
        const int expectedCode =
            c.codesExact ? sent.specialFunction : sim::decodeSpecialFunction(sim::encodeSpecialFunction(sent.specialFunction));
        EXPECT_EQ(got.specialFunction, expectedCode) << "code " << sent.specialFunction;
        EXPECT_EQ(got.changeMarks, ChangedSinceSave) << i;
        char number[16];
        std::snprintf(number, sizeof number, "%03d", i + 1);
        EXPECT_EQ(got.programNumber, number);
        EXPECT_TRUE(got.description.empty());
    }
    EXPECT_TRUE(backView.showReplaced);
    EXPECT_TRUE(bench.progress.allClosed());
}

INSTANTIATE_TEST_SUITE_P(
    Transfer, ShowRoundTrip,
    ::testing::Values(
        RoundTripCase{"EveryEditorCode",
                      [](CVistrelDoc& doc) {
                          int i = 0;
                          for (int code : test::editorComposableCodes()) {
                              addLine(doc, 1 + (i * 37) % 999, 1 + (i * 7) % 255, (i * 97) % 6001, code, "x");
                              ++i;
                          }
                      },
                      true, true},
        RoundTripCase{"OddCodesFromFiles",
                      [](CVistrelDoc& doc) {
                          for (int code = 1; code <= 99; ++code) addLine(doc, code, 25, 55, code);
                          for (int code : {105, 133, 199, 600, 999, 1000, 2550}) addLine(doc, 7, 25, 55, code);
                      },
                      true, false},
        RoundTripCase{"LongestShowWithExtremeValues",
                      [](CVistrelDoc& doc) {
                          for (int i = 0; i < 998; ++i) addLine(doc, i + 1, i % 255 + 1, (i * 6) % 6001, 0);
                          addLine(doc, 999, 255, 6000, 570);
                      },
                      true, true},
        RoundTripCase{"WithoutEndMarker",
                      [](CVistrelDoc& doc) {
                          addLine(doc, 300, 25, 125, 45);
                          addLine(doc, 0, 16, 0, 0);  // slide 0 but not an end record
                          addLine(doc, 16, 1, 1, 470);
                      },
                      false, true}),
    test::caseName);

struct EndRecordCase {
    bool endMarker;
    int expectedTotal;
    int zeroRecords;
};

class EndRecords : public ::testing::TestWithParam<EndRecordCase> {};

TEST_P(EndRecords, FollowTheLastLineAndLeaveTheRestAlone) {
    const EndRecordCase& c = GetParam();
    TransferBench bench;
    bench.settings.endMarker = c.endMarker;
    fillShowAreaWithJunk(bench, 100);
    CVistrelDoc doc;
    for (int i = 0; i < 3; ++i) addLine(doc, i + 1, 25, 40, 0);

    ASSERT_EQ(bench.transfer.uploadShow(doc, ShowTransfer::WorkingMemory), 1);
    EXPECT_EQ(bench.progress.writeTotals, std::vector<int>{c.expectedTotal});
    expectProjectorHolds(bench, doc);
    EXPECT_EQ(countZeroRecords(bench, 3, 3 + c.zeroRecords), c.zeroRecords);
    EXPECT_FALSE(bench.projector.memory().record(3 + c.zeroRecords).isEndRecord());
}

INSTANTIATE_TEST_SUITE_P(Transfer, EndRecords,
                         ::testing::Values(EndRecordCase{true, 318, 50}, EndRecordCase{false, 24, 1}));

TEST(ShowTransferTest, DifferentialTransferSendsOnlyWhatChangedAcrossWrites) {
    TransferBench bench;
    bench.settings.differentialTransfer = true;
    bench.settings.endMarker = false;
    CVistrelDoc doc;
    doc.windowTitle = "Reise.dpd";
    for (int i = 0; i < 10; ++i) addLine(doc, i + 1, 25, 40, 0);
    const auto lastTotal = [&] { return bench.progress.writeTotals.back(); };

    // Another show was written last: everything goes, the marks stay as they were.
    bench.appState.projectorShowTitle = "Anders.dpd";
    ASSERT_EQ(bench.transfer.uploadShow(doc, ShowTransfer::WorkingMemory), 1);
    EXPECT_EQ(lastTotal(), 66);
    EXPECT_EQ(doc.lines[0].changeMarks, AllChangeMarks);

    // The same show again: the marked lines go and lose their working-memory mark only.
    ASSERT_EQ(bench.transfer.uploadShow(doc, ShowTransfer::WorkingMemory), 1);
    EXPECT_EQ(lastTotal(), 66);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(doc.lines[i].changeMarks, ChangedSinceSave | NotInModule) << i;

    // Nothing changed: the last line and one end record.
    ASSERT_EQ(bench.transfer.uploadShow(doc, ShowTransfer::WorkingMemory), 1);
    EXPECT_EQ(lastTotal(), 12);

    // One line edited: that line, the last line and the end record.
    doc.lines[3].slideNumber = 444;
    doc.lines[3].changeMarks = AllChangeMarks;
    ASSERT_EQ(bench.transfer.uploadShow(doc, ShowTransfer::WorkingMemory), 1);
    EXPECT_EQ(lastTotal(), 18);
    expectProjectorHolds(bench, doc);

    // The module keeps its own marks: the lines not yet in the module all go there.
    ASSERT_EQ(bench.transfer.uploadShow(doc, ShowTransfer::Module), 1);
    EXPECT_EQ(lastTotal(), 66);
    EXPECT_EQ(doc.lines[3].changeMarks, ChangedSinceSave);

    // A different show in between: the next write of this one sends every line.
    CVistrelDoc other;
    other.windowTitle = "Anders.dpd";
    addLine(other, 9, 25, 40, 0);
    ASSERT_EQ(bench.transfer.uploadShow(other, ShowTransfer::WorkingMemory), 1);
    ASSERT_EQ(bench.transfer.uploadShow(doc, ShowTransfer::WorkingMemory), 1);
    EXPECT_EQ(lastTotal(), 66);
    expectProjectorHolds(bench, doc);
}

TEST(ShowTransferTest, AfterAModuleLoadTheNextDifferentialWriteSendsEveryLine) {
    // The module holds a show of its own; loading it replaces the working memory.
    TransferBench bench;
    bench.settings.differentialTransfer = true;
    bench.settings.endMarker = false;
    CVistrelDoc doc;
    doc.windowTitle = "Reise.dpd";
    for (int i = 0; i < 6; ++i) addLine(doc, 200 + i, 25, 40, 0);
    bench.appState.projectorShowTitle = "Reise.dpd";
    ASSERT_TRUE(bench.transfer.writeToProjector(doc));
    ASSERT_FALSE(bench.projector.module().contents().empty());

    CVistrelDoc fromModule;
    ASSERT_TRUE(bench.transfer.loadFromModule(fromModule, nullptr));
    ASSERT_GT(fromModule.lineCount, 0);
    ASSERT_NE(bench.projector.memory().record(0), recordOf(doc.lines[0]));

    ASSERT_TRUE(bench.transfer.writeToProjector(doc));
    expectProjectorHolds(bench, doc);
    EXPECT_TRUE(bench.projector.memory().record(6).isEndRecord());
}

TEST(ShowTransferTest, DifferentialWithEndMarkerPutsTheEndRecordsAfterTheWholeShow) {
    TransferBench bench;
    bench.settings.differentialTransfer = true;
    bench.settings.endMarker = true;
    CVistrelDoc doc;
    doc.windowTitle = "Reise.dpd";
    for (int i = 0; i < 10; ++i) addLine(doc, i + 1, 25, 40, 0);
    bench.appState.projectorShowTitle = "Reise.dpd";
    ASSERT_EQ(bench.transfer.uploadShow(doc, ShowTransfer::WorkingMemory), 1);

    // Nothing to send: nothing goes over the line, not even end records.
    const auto written = bench.tap.bytesWritten;
    const auto setup = bench.projector.commandLog().size();
    EXPECT_EQ(bench.transfer.uploadShow(doc, ShowTransfer::WorkingMemory), 0);
    EXPECT_EQ(bench.progress.writeTotals.size(), 1u);
    EXPECT_GT(bench.tap.bytesWritten, written);  // the opening commands did go
    EXPECT_EQ(bench.commandsSince(setup), (std::vector<std::string>{"PE", "SL:254"}));

    doc.lines[3].timerTime = 99;
    doc.lines[3].changeMarks = AllChangeMarks;
    ASSERT_EQ(bench.transfer.uploadShow(doc, ShowTransfer::WorkingMemory), 1);
    EXPECT_EQ(bench.progress.writeTotals.back(), 6 + 300);
    expectProjectorHolds(bench, doc);
    EXPECT_EQ(countZeroRecords(bench, 10, 60), 50);
}

struct BrokenWriteCase {
    const char* name;
    bool endMarker;
    int failingRecord;
};

class BrokenWrite : public ::testing::TestWithParam<BrokenWriteCase> {};

TEST_P(BrokenWrite, EndsWithCode6AndTheNextWriteRepairsTheProjector) {
    const BrokenWriteCase& c = GetParam();
    TransferBench bench;
    bench.settings.endMarker = c.endMarker;
    bench.settings.differentialTransfer = true;
    CVistrelDoc doc;
    doc.windowTitle = "Reise.dpd";
    for (int i = 0; i < 12; ++i) addLine(doc, i + 1, 25, 40, 0);
    bench.appState.projectorShowTitle = "Reise.dpd";  // differential transfer in effect
    bench.tap.loseAnswersAfter(bench.frameStart(block::Write, c.failingRecord), 3);

    EXPECT_EQ(bench.transfer.uploadShow(doc, ShowTransfer::WorkingMemory), 0);
    EXPECT_EQ(bench.messages(), std::vector<std::string>{res::text(ids::LinkDisturbed)});
    EXPECT_TRUE(bench.progress.allClosed());
    for (int i = 0; i < c.failingRecord; ++i) EXPECT_EQ(doc.lines[i].changeMarks & NotInProjector, 0) << i;
    for (int i = c.failingRecord; i < 12; ++i) EXPECT_NE(doc.lines[i].changeMarks & NotInProjector, 0) << i;
    // The projector holds what was written and the end records right after it.
    for (int i = 0; i < c.failingRecord; ++i) EXPECT_EQ(bench.projector.memory().record(i), recordOf(doc.lines[i]));
    EXPECT_TRUE(bench.projector.memory().record(c.failingRecord).isEndRecord());
    EXPECT_EQ(bench.appState.projectorShowTitle, "Reise.dpd");

    // The lines the projector lost go again with the next differential write.
    ASSERT_EQ(bench.transfer.uploadShow(doc, ShowTransfer::WorkingMemory), 1);
    expectProjectorHolds(bench, doc);
    EXPECT_TRUE(bench.projector.memory().record(12).isEndRecord());
}

INSTANTIATE_TEST_SUITE_P(Transfer, BrokenWrite,
                         ::testing::Values(BrokenWriteCase{"EndMarker", true, 4},
                                           BrokenWriteCase{"SingleEndRecord", false, 7},
                                           BrokenWriteCase{"FirstRecord", true, 0}),
                         test::caseName);

struct StartFailureCase {
    const char* name;
    sim::ProjectorOptions options;
    std::vector<int> messageIds;
    std::vector<std::string> commands;  // what the projector received
};

class WriteRefused : public ::testing::TestWithParam<StartFailureCase> {};

TEST_P(WriteRefused, ReportsOnceWritesNothingAndClosesTheOperation) {
    const StartFailureCase& c = GetParam();
    TransferBench bench(c.options);
    fillShowAreaWithJunk(bench, 10);
    CVistrelDoc doc;
    addLine(doc, 1, 25, 40, 0);

    EXPECT_FALSE(bench.transfer.writeToProjector(doc));
    std::vector<std::string> expected;
    for (int id : c.messageIds) expected.push_back(res::text(id));
    EXPECT_EQ(bench.messages(), expected);
    EXPECT_EQ(bench.projector.commandLog(), c.commands);
    EXPECT_TRUE(bench.progress.writeTotals.empty());
    EXPECT_FALSE(bench.projector.memory().record(0).isEndRecord());
    EXPECT_EQ(doc.lines[0].changeMarks, AllChangeMarks);
    EXPECT_TRUE(bench.appState.projectorShowTitle.empty());
}

sim::ProjectorOptions withFirmware(const char* text) {
    sim::ProjectorOptions options;
    options.firmware = text;
    return options;
}

sim::ProjectorOptions silentProjector() {
    sim::ProjectorOptions options;
    options.silent = true;
    return options;
}

INSTANTIATE_TEST_SUITE_P(
    Transfer, WriteRefused,
    ::testing::Values(StartFailureCase{"OldFirmware", withFirmware("3.0  "), {ids::FirmwareTooOld},
                                       {"PE", "SL:254", "PA"}},
                      // PE fails, and so does the PA that closes up: one failure, one message.
                      StartFailureCase{"SilentProjector",
                                       silentProjector(),
                                       {ids::ProjectorNotConnected, ids::CommunicationError},
                                       {}}),
    test::caseName);

// --- reading ---------------------------------------------------------------------------

struct StopRuleCase {
    const char* name;
    std::vector<int> slides;  // 0 = an all-zero record
    int expectedLines;
    int lastRecordRead;  // 1-based, as the read window shows it
};

class ReadStopRule : public ::testing::TestWithParam<StopRuleCase> {};

TEST_P(ReadStopRule, CountsLinesUpToTheFiftiethZeroRecord) {
    const StopRuleCase& c = GetParam();
    TransferBench bench;
    std::vector<sim::ShowRecord> records;
    for (int slide : c.slides) records.push_back(slide ? sim::ShowRecord::fromLine(slide, 25, 40, 0) : sim::ShowRecord{});
    for (std::size_t i = 0; i < records.size(); ++i) bench.projector.memory().setRecord(static_cast<int>(i), records[i]);

    CVistrelDoc doc;
    ASSERT_TRUE(bench.transfer.readShowFromProjector(doc, true));
    EXPECT_EQ(doc.lineCount, c.expectedLines);
    EXPECT_EQ(bench.progress.lastReadLine, c.lastRecordRead);
    for (int i = 0; i < doc.lineCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        EXPECT_EQ(doc.lines[i].slideNumber, at < c.slides.size() ? c.slides[at] : 0) << i;
    }
}

std::vector<int> slides(std::initializer_list<std::pair<int, int>> runs) {
    std::vector<int> out;  // {slide, count}
    for (auto [slide, count] : runs) out.insert(out.end(), static_cast<std::size_t>(count), slide);
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Transfer, ReadStopRule,
    ::testing::Values(StopRuleCase{"FiveLines", slides({{7, 5}}), 5, 55},
                      StopRuleCase{"EmptyMemory", {}, 0, 50},
                      StopRuleCase{"ZerosInsideTheShowAreKept", slides({{7, 5}, {0, 49}, {8, 3}}), 57, 107},
                      StopRuleCase{"FullMemory", slides({{9, 1000}}), 999, 1000},
                      StopRuleCase{"ShortZeroRunAtTheEnd", slides({{9, 960}}), 999, 1000}),
    test::caseName);

TEST(ShowTransferTest, ReadKeepsOldDescriptionsAndNumbersUnlessToldToClear) {
    for (bool clear : {false, true}) {
        TransferBench bench;
        std::vector<sim::ShowRecord> records;
        for (int i = 0; i < 5; ++i) records.push_back(sim::ShowRecord::fromLine(i + 10, 25, 40, 0));
        bench.projector.loadShow(records);
        CVistrelDoc doc;
        addLine(doc, 1, 1, 1, 0, "eins");
        addLine(doc, 2, 1, 1, 0, "zwei");
        doc.lines[0].programNumber = "010";
        doc.lines[1].programNumber = "020";
        doc.lines[4].description = "alt";  // beyond the old show: always cleared

        ASSERT_TRUE(bench.transfer.readShowFromProjector(doc, clear));
        ASSERT_EQ(doc.lineCount, 5);
        EXPECT_EQ(doc.lines[0].description, clear ? "" : "eins");
        EXPECT_EQ(doc.lines[1].description, clear ? "" : "zwei");
        EXPECT_EQ(doc.lines[4].description, "");
        EXPECT_EQ(doc.lines[0].programNumber, "010");
        EXPECT_EQ(doc.lines[1].programNumber, "020");
        EXPECT_EQ(doc.lines[2].programNumber, "003");
        EXPECT_EQ(doc.lines[4].programNumber, "005");
        for (int i = 0; i < 5; ++i) EXPECT_EQ(doc.lines[i].changeMarks, ChangedSinceSave);
    }
}


struct BrokenReadCase {
    const char* name;
    int showLines;
    int failingRecord;
    int expectedLines;
};

class BrokenRead : public ::testing::TestWithParam<BrokenReadCase> {};

TEST_P(BrokenRead, KeepsEveryLineReadAndTellsTheList) {
    const BrokenReadCase& c = GetParam();
    TransferBench bench;
    std::vector<sim::ShowRecord> records;
    for (int i = 0; i < c.showLines; ++i) records.push_back(sim::ShowRecord::fromLine(i + 1, 25, 40, 0));
    bench.projector.loadShow(records);
    bench.tap.loseAnswersAfter(bench.frameStart(block::ReadShowRecords, c.failingRecord), 3);
    CVistrelDoc doc;
    CountingView view;
    doc.addView(&view);
    const auto before = bench.projector.commandLog().size();

    EXPECT_FALSE(bench.transfer.readShowFromProjector(doc, true));
    EXPECT_EQ(bench.messages(), std::vector<std::string>{res::text(ids::LinkDisturbed)});
    EXPECT_EQ(doc.lineCount, c.expectedLines);
    for (int i = 0; i < doc.lineCount; ++i) EXPECT_EQ(doc.lines[i].slideNumber, i + 1);
    EXPECT_TRUE(view.showReplaced);
    EXPECT_EQ(view.updates, 1);
    EXPECT_TRUE(bench.progress.allClosed());
    EXPECT_EQ(bench.commandsSince(before), std::vector<std::string>{"PE"});  // no PA after the break
}

INSTANTIATE_TEST_SUITE_P(Transfer, BrokenRead,
                         ::testing::Values(BrokenReadCase{"InTheMiddle", 20, 7, 7},
                                           BrokenReadCase{"InTheEndRun", 5, 20, 5},
                                           BrokenReadCase{"AtTheFirstRecord", 5, 0, 0}),
                         test::caseName);

}  // namespace
}  // namespace vistrel
