// The menu sequences around the transfer: writing into the module in every module
// state, loading from the projector and the module with their questions, and a line
// changed while a show runs.
#include <gtest/gtest.h>

#include "res/StringTable.h"
#include "res/strings/ProjectorStrings.h"
#include "tests/projector/ShowTransferBench.h"

namespace vistrel {
namespace {

using test::addLine;
using test::TransferBench;

sim::ProjectorOptions withModule(sim::ModuleState state) {
    sim::ProjectorOptions options;
    options.module = state;
    return options;
}

std::vector<std::string> texts(std::initializer_list<int> ids) {
    std::vector<std::string> out;
    for (int id : ids) out.push_back(res::text(id));
    return out;
}

std::vector<sim::ShowRecord> recordsOf(const CVistrelDoc& doc) {
    std::vector<sim::ShowRecord> out;
    for (int i = 0; i < doc.lineCount; ++i) {
        const ProgramLine& l = doc.lines[i];
        out.push_back(sim::ShowRecord::fromLine(l.slideNumber, l.dissolveTime, l.timerTime, l.specialFunction));
    }
    return out;
}

// --- "Diaschau ins Modul speichern" --------------------------------------------------------

struct ModuleStoreCase {
    const char* name;
    sim::ModuleState state;
    int lines;
    std::vector<std::string> messages;
    bool stored;
};

class ModuleStore : public ::testing::TestWithParam<ModuleStoreCase> {};

TEST_P(ModuleStore, AnswersEachModuleState) {
    const ModuleStoreCase& c = GetParam();
    TransferBench bench(withModule(c.state));
    const auto oldContents = bench.projector.module().contents();
    CVistrelDoc doc;
    for (int i = 0; i < c.lines; ++i) addLine(doc, i + 1, 25, 40, i % 2 ? 100 : 0);

    EXPECT_EQ(bench.transfer.writeToModule(doc), c.stored);
    EXPECT_EQ(bench.messages(), c.messages);
    const auto& log = bench.projector.commandLog();
    const auto ms = std::find(log.begin(), log.end(), "MS");
    ASSERT_NE(ms, log.end());
    const std::vector<std::string> after(ms + 1, log.end());
    EXPECT_EQ(after, (c.stored ? std::vector<std::string>{"MOT", "PA"} : std::vector<std::string>{}));
    EXPECT_EQ(bench.progress.moduleOpens, std::vector<bool>{false});
    EXPECT_TRUE(bench.progress.allClosed());
    if (c.stored) {
        EXPECT_EQ(bench.projector.module().contents(), recordsOf(doc));
    } else {
        EXPECT_EQ(bench.projector.module().contents(), oldContents);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Transfer, ModuleStore,
    ::testing::Values(ModuleStoreCase{"Present", sim::ModuleState::Present, 40, {}, true},
                      ModuleStoreCase{"SmallButRoomEnough", sim::ModuleState::Small, 40, {}, true},
                      ModuleStoreCase{"Absent", sim::ModuleState::Absent, 40, texts({ids::NoModuleInSlot}), false},
                      ModuleStoreCase{"TooSmall", sim::ModuleState::Small, 150, texts({ids::ModuleTooSmall}), false},
                      ModuleStoreCase{"CannotStore", sim::ModuleState::Empty, 40, texts({ids::ModuleCannotStore}),
                                      false}),
    test::caseName);

TEST(ShowTransferMenuTest, ModuleKeepsItsShowWhenTheWriteBeforeItFailed) {
    TransferBench bench;
    const auto oldContents = bench.projector.module().contents();
    CVistrelDoc doc;
    for (int i = 0; i < 10; ++i) addLine(doc, i + 1, 25, 40, 0);
    bench.tap.loseAnswersAfter(bench.frameStart(0, 5), 3);

    EXPECT_FALSE(bench.transfer.writeToModule(doc));
    EXPECT_EQ(bench.messages(), texts({ids::LinkDisturbed}));
    const auto& log = bench.projector.commandLog();
    EXPECT_EQ(std::count(log.begin(), log.end(), "MS"), 0);
    EXPECT_EQ(log.back(), "PA");
    EXPECT_EQ(bench.projector.module().contents(), oldContents);
    EXPECT_TRUE(bench.progress.moduleOpens.empty());
}

// --- "Diaschau vom Modul laden" ------------------------------------------------------------

struct ModuleLoadCase {
    const char* name;
    sim::ModuleState state;
    bool showRunning;
    std::vector<std::string> messages;
    bool loaded;
};

class ModuleLoad : public ::testing::TestWithParam<ModuleLoadCase> {};

TEST_P(ModuleLoad, ReadsTheModuleOrSaysWhyNot) {
    const ModuleLoadCase& c = GetParam();
    TransferBench bench(withModule(c.state));
    std::vector<sim::ShowRecord> moduleShow;
    for (int i = 0; i < 8; ++i) moduleShow.push_back(sim::ShowRecord::fromLine(100 + i, 30, 70, 0));
    bench.projector.module().setContents(moduleShow);
    bench.projector.loadShow({sim::ShowRecord::fromLine(5, 25, 40, 0)});
    if (c.showRunning) {
        ASSERT_EQ(bench.link.connect(), 0);
        ASSERT_EQ(bench.protocol.sendCommand("GZ:000"), 0);
    }
    CVistrelDoc doc;
    const auto before = bench.projector.commandLog().size();

    EXPECT_EQ(bench.transfer.loadFromModule(doc, nullptr), c.loaded);
    EXPECT_EQ(bench.messages(), c.messages);
    EXPECT_EQ(doc.lineCount, c.loaded ? 8 : 0);
    if (c.loaded) {
        EXPECT_EQ(recordsOf(doc), moduleShow);
    }
    EXPECT_EQ(bench.commandsSince(before).back(), "PA");
    EXPECT_TRUE(bench.progress.allClosed());
    EXPECT_EQ(bench.prompter.waitCursorDepth, 0);
    EXPECT_EQ(bench.progress.moduleOpens, (c.showRunning ? std::vector<bool>{} : std::vector<bool>{true}));
}

INSTANTIATE_TEST_SUITE_P(
    Transfer, ModuleLoad,
    ::testing::Values(ModuleLoadCase{"Present", sim::ModuleState::Present, false, {}, true},
                      ModuleLoadCase{"Small", sim::ModuleState::Small, false, {}, true},
                      ModuleLoadCase{"Absent", sim::ModuleState::Absent, false, texts({ids::NoModuleInSlot}), false},
                      ModuleLoadCase{"Empty", sim::ModuleState::Empty, false, texts({ids::ModuleHoldsNoShow}), false},
                      ModuleLoadCase{"ShowRunning", sim::ModuleState::Present, true, texts({ids::ShowStillRunning}),
                                     false}),
    test::caseName);

// --- the questions of the two load menus -----------------------------------------------------

enum class Factory { NewDocument, SameDocument, None };

struct QuestionCase {
    const char* name;
    bool fromModule;
    std::vector<MessageAnswer> answers;
    Factory factory;
    std::vector<int> expectedMessages;
    enum { Nothing, IntoThisDocument, IntoNewDocument } readInto;
    bool descriptionsKept;
};

class LoadQuestions : public ::testing::TestWithParam<QuestionCase> {};

TEST_P(LoadQuestions, AskAndReadWhereTheAnswersSay) {
    const QuestionCase& c = GetParam();
    TransferBench bench;
    std::vector<sim::ShowRecord> show;
    for (int i = 0; i < 4; ++i) show.push_back(sim::ShowRecord::fromLine(50 + i, 25, 40, 0));
    bench.projector.loadShow(show);
    bench.projector.module().setContents(show);
    for (MessageAnswer a : c.answers) bench.prompter.queueAnswer(a);

    CVistrelDoc doc;
    addLine(doc, 1, 25, 40, 0, "bleibt");
    addLine(doc, 2, 25, 40, 0, "auch");
    CVistrelDoc fresh;
    int factoryCalls = 0;
    const ShowTransfer::NewDocumentFactory factory = [&]() -> CVistrelDoc* {
        ++factoryCalls;
        if (c.factory == Factory::NewDocument) return &fresh;
        if (c.factory == Factory::SameDocument) return &doc;
        return nullptr;
    };

    const bool read =
        c.fromModule ? bench.transfer.loadFromModule(doc, factory) : bench.transfer.loadFromProjector(doc, factory);

    std::vector<std::string> expected;
    for (int id : c.expectedMessages) expected.push_back(res::text(id));
    EXPECT_EQ(bench.messages(), expected);
    for (const auto& m : bench.prompter.messages) {
        if (m.buttons == MessageButtons::YesNoCancel) {
            EXPECT_EQ(m.icon, MessageIcon::Question);
            EXPECT_EQ(m.defaultButton, 1);
        }
    }
    EXPECT_EQ(read, c.readInto != QuestionCase::Nothing);
    EXPECT_EQ(doc.lineCount, c.readInto == QuestionCase::IntoThisDocument ? 4 : 2);
    EXPECT_EQ(fresh.lineCount, c.readInto == QuestionCase::IntoNewDocument ? 4 : 0);
    if (c.readInto == QuestionCase::IntoThisDocument) {
        EXPECT_EQ(doc.lines[0].slideNumber, 50);
        EXPECT_EQ(doc.lines[0].description, c.descriptionsKept ? "bleibt" : "");
    }
    EXPECT_EQ(factoryCalls, c.answers.empty() || c.answers[0] != MessageAnswer::Yes ? 0 : 1);
}

const auto Yes = MessageAnswer::Yes;
const auto No = MessageAnswer::No;
const auto Cancel = MessageAnswer::Cancel;

INSTANTIATE_TEST_SUITE_P(
    Transfer, LoadQuestions,
    ::testing::Values(
        QuestionCase{"NewDocument", false, {Yes}, Factory::NewDocument, {ids::LoadOverwritesQuestion},
                     QuestionCase::IntoNewDocument, false},
        QuestionCase{"NewDocumentNotCreated", false, {Yes}, Factory::SameDocument,
                     {ids::LoadOverwritesQuestion, ids::NoNewDocument}, QuestionCase::Nothing, false},
        QuestionCase{"NoFactory", false, {Yes}, Factory::None, {ids::LoadOverwritesQuestion, ids::NoNewDocument},
                     QuestionCase::Nothing, false},
        QuestionCase{"CancelFirst", false, {Cancel}, Factory::NewDocument, {ids::LoadOverwritesQuestion},
                     QuestionCase::Nothing, false},
        QuestionCase{"OverwriteAndClear", false, {No, Yes}, Factory::NewDocument,
                     {ids::LoadOverwritesQuestion, ids::ClearDescriptionsQuestion}, QuestionCase::IntoThisDocument,
                     false},
        QuestionCase{"OverwriteKeepDescriptions", false, {No, No}, Factory::NewDocument,
                     {ids::LoadOverwritesQuestion, ids::ClearDescriptionsQuestion}, QuestionCase::IntoThisDocument,
                     true},
        QuestionCase{"CancelSecond", false, {No, Cancel}, Factory::NewDocument,
                     {ids::LoadOverwritesQuestion, ids::ClearDescriptionsQuestion}, QuestionCase::Nothing, false},
        QuestionCase{"ModuleNewDocument", true, {Yes}, Factory::NewDocument, {ids::LoadOverwritesQuestion},
                     QuestionCase::IntoNewDocument, false},
        QuestionCase{"ModuleKeepDescriptions", true, {No, No}, Factory::NewDocument,
                     {ids::LoadOverwritesQuestion, ids::ClearDescriptionsQuestion}, QuestionCase::IntoThisDocument,
                     true},
        QuestionCase{"ModuleCancelSecond", true, {No, Cancel}, Factory::NewDocument,
                     {ids::LoadOverwritesQuestion, ids::ClearDescriptionsQuestion}, QuestionCase::Nothing, false}),
    test::caseName);

TEST(ShowTransferMenuTest, EmptyDocumentLoadsWithoutQuestions) {
    TransferBench bench;
    bench.projector.loadShow({sim::ShowRecord::fromLine(3, 25, 40, 0)});
    CVistrelDoc doc;
    EXPECT_TRUE(bench.transfer.loadFromProjector(doc, nullptr));
    EXPECT_TRUE(bench.prompter.messages.empty());
    EXPECT_EQ(doc.lineCount, 1);
}

// A read that breaks off never costs the user the show in the window: it stays as it
// was, and the lines that came are offered in a window of their own.
struct BrokenMenuReadCase {
    const char* name;
    bool fromModule;
    bool withFactory;  // the command line has no windows to offer
};

class BrokenMenuRead : public ::testing::TestWithParam<BrokenMenuReadCase> {};

TEST_P(BrokenMenuRead, KeepsTheCurrentShowAndOffersTheLinesRead) {
    const BrokenMenuReadCase& c = GetParam();
    TransferBench bench;
    std::vector<sim::ShowRecord> records;
    for (int i = 0; i < 20; ++i) records.push_back(sim::ShowRecord::fromLine(i + 100, 25, 40, 0));
    (c.fromModule ? bench.projector.module().setContents(records) : bench.projector.loadShow(records));
    bench.tap.loseAnswersAfter(bench.frameStart(block::ReadShowRecords, 7), 3);

    CVistrelDoc doc;
    for (int i = 0; i < 3; ++i) addLine(doc, i + 1, 25, 40, 0, "meine Zeile");
    CVistrelDoc fresh;
    int created = 0;
    const ShowTransfer::NewDocumentFactory factory = [&]() -> CVistrelDoc* {
        ++created;
        return &fresh;
    };
    bench.prompter.queueAnswer(MessageAnswer::No);  // not into a new document
    bench.prompter.queueAnswer(MessageAnswer::No);  // keep the descriptions

    EXPECT_FALSE(c.fromModule ? bench.transfer.loadFromModule(doc, c.withFactory ? factory : nullptr)
                              : bench.transfer.loadFromProjector(doc, c.withFactory ? factory : nullptr));

    ASSERT_EQ(doc.lineCount, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(doc.lines[i].slideNumber, i + 1);
        EXPECT_EQ(doc.lines[i].description, "meine Zeile");
        EXPECT_EQ(doc.lines[i].changeMarks, AllChangeMarks);
    }
    std::vector<std::string> expected = {
        "Beim Laden einer Diaschau werden die \nvorhandenen Daten  überschrieben.\nWollen Sie ein neues Dokument "
        "anlegen ?",
        "Möchten Sie alle Beschreibungen löschen ?",
        "Die Verbindung zum Projektor ist gestört!\nDie Übertragung wird abgebrochen."};
    if (c.withFactory) {
        expected.push_back(
            "Die Diaschau konnte nicht vollständig gelesen werden.\nDie aktuelle Diaschau bleibt unverändert; die bis "
            "dahin gelesenen\nZeilen stehen in einem neuen Fenster.");
    }
    EXPECT_EQ(bench.messages(), expected);
    EXPECT_EQ(created, c.withFactory ? 1 : 0);
    ASSERT_EQ(fresh.lineCount, c.withFactory ? 7 : 0);
    for (int i = 0; i < fresh.lineCount; ++i) {
        EXPECT_EQ(fresh.lines[i].slideNumber, i + 100);
        EXPECT_EQ(fresh.lines[i].description, i < 3 ? "meine Zeile" : "") << "the read kept what it keeps";
    }
}

INSTANTIATE_TEST_SUITE_P(Transfer, BrokenMenuRead,
                         ::testing::Values(BrokenMenuReadCase{"FromProjector", false, true},
                                           BrokenMenuReadCase{"FromModule", true, true},
                                           BrokenMenuReadCase{"WithoutWindows", false, false}),
                         test::caseName);

// --- a line into the running show ------------------------------------------------------------

struct RunningLineCase {
    const char* name;
    int pauseState;
    int code;      // 1 is read back by the projector as 100: the read-back never matches
    int attempts;  // SZ .. LZ rounds expected
};

class RunningLine : public ::testing::TestWithParam<RunningLineCase> {};

std::vector<std::string> oneRound(const std::string& number, const ProgramLine& l) {
    return {"SZ:" + number,
            commandWithArgument("BN", l.slideNumber, 3),
            commandWithArgument("DI", l.dissolveTime, 3),
            commandWithArgument("TI", l.timerTime, 4),
            commandWithArgument("SF", l.specialFunction, 3),
            "LZ:" + number};
}

TEST_P(RunningLine, SendsTheLineChecksItAndContinues) {
    const RunningLineCase& c = GetParam();
    TransferBench bench;
    CVistrelDoc doc;
    for (int i = 0; i < 9; ++i) addLine(doc, i + 1, 25, 40, 0);
    ASSERT_TRUE(bench.transfer.writeToProjector(doc));
    ASSERT_EQ(bench.protocol.sendCommand("GZ:000"), 0);
    bench.runState.showRunning = true;
    bench.runState.pauseState = c.pauseState;
    if (c.pauseState == 1) {
        ASSERT_EQ(bench.protocol.sendCommand("ST"), 0);  // the user's pause
    }

    doc.appendMode = false;
    doc.currentLine = 6;
    ProgramLine& line = doc.lines[6];
    line.slideNumber = 321;
    line.timerTime = 125;
    line.specialFunction = c.code;
    const auto before = bench.projector.commandLog().size();

    EXPECT_EQ(bench.transfer.sendLineToRunningShow(doc), 1);

    std::vector<std::string> expected;
    if (c.pauseState == 0) expected.push_back("ST");
    for (int i = 0; i < c.attempts; ++i) {
        const auto round = oneRound("007", line);
        expected.insert(expected.end(), round.begin(), round.end());
    }
    // Only a halt of its own is undone: a show the user paused stays paused.
    if (c.pauseState == 0) expected.push_back("WE");
    EXPECT_EQ(bench.commandsSince(before), expected);
    EXPECT_EQ(bench.projector.isHalted(), c.pauseState == 1);
    EXPECT_EQ(bench.projector.memory().record(6), sim::ShowRecord::fromLine(321, 25, 125, c.code));
    EXPECT_FALSE(bench.runState.replyPending);
    EXPECT_TRUE(bench.prompter.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Transfer, RunningLine,
                         ::testing::Values(RunningLineCase{"Running", 0, 45, 1},
                                           RunningLineCase{"HaltedByUser", 1, 45, 1},
                                           RunningLineCase{"AtPauseLine", 2, 260, 1},
                                           RunningLineCase{"ReadBackDiffersFourTimes", 0, 1, 4}),
                         test::caseName);

// A projector that went away, or one that stays busy, must not hold the window: the line
// update ends within one wait's time with the communication message, once.
struct GoneProjectorCase {
    const char* name;
    bool silent;  // otherwise it echoes but reports "busy" for ten minutes
};

class RunningLineWithoutAnswer : public ::testing::TestWithParam<GoneProjectorCase> {};

TEST_P(RunningLineWithoutAnswer, EndsWithinThirtySecondsWithTheMessage) {
    TransferBench bench;
    CVistrelDoc doc;
    for (int i = 0; i < 3; ++i) addLine(doc, i + 1, 25, 40, 0);
    ASSERT_TRUE(bench.transfer.writeToProjector(doc));
    ASSERT_EQ(bench.protocol.sendCommand("GZ:000"), 0);
    bench.runState.showRunning = true;
    sim::ProjectorOptions options;
    options.silent = GetParam().silent;
    options.busyMs = GetParam().silent ? 0 : 10 * 60 * 1000;
    auto& replaced = bench.simPort.attachProjector("COM2", options);
    if (!GetParam().silent) {
        replaced.receive('\r', bench.clock.nowMs());  // a command: busy from now on
        replaced.discardOutput();
    }

    doc.appendMode = false;
    doc.currentLine = 1;
    const auto start = bench.clock.nowMs();
    EXPECT_EQ(bench.transfer.sendLineToRunningShow(doc), 1) << "the line stays in the show";
    EXPECT_LE(bench.clock.nowMs() - start, 32000);
    EXPECT_EQ(bench.messages(), std::vector<std::string>{"Fehler bei der Kommunikation\nmit dem Projektor"});
    EXPECT_FALSE(bench.runState.replyPending);
}

INSTANTIATE_TEST_SUITE_P(Transfer, RunningLineWithoutAnswer,
                         ::testing::Values(GoneProjectorCase{"Silent", true}, GoneProjectorCase{"BusyForever", false}),
                         test::caseName);

TEST(ShowTransferMenuTest, ModuleStoreWhoseWaitsAllRunOutIsReportedAndNotConfirmed) {
    sim::ProjectorOptions options;
    options.busyMs = 10 * 60 * 1000;  // echoes every command, then says "busy" for ten minutes
    TransferBench bench(options);
    CVistrelDoc doc;
    addLine(doc, 1, 25, 40, 0);

    const auto start = bench.clock.nowMs();
    EXPECT_FALSE(bench.transfer.writeToModule(doc));
    EXPECT_EQ(bench.messages(), std::vector<std::string>{"Fehler bei der Kommunikation\nmit dem Projektor"});
    const auto log = bench.projector.commandLog();
    const auto ms = std::find(log.begin(), log.end(), "MS");
    ASSERT_NE(ms, log.end());
    EXPECT_EQ(std::vector<std::string>(ms + 1, log.end()), std::vector<std::string>{"PA"})
        << "no MOT after a store that never finished; the operation is closed";
    EXPECT_TRUE(bench.progress.allClosed());
    // Four waits of about 30 s each after MS, besides the waits of the write itself.
    EXPECT_GE(bench.clock.nowMs() - start, 4 * 30000);
}

TEST(ShowTransferMenuTest, RunningShowRefusesLinesItDoesNotHave) {
    const struct {
        bool appendMode;
        int currentLine;
    } cases[] = {{true, 2}, {false, 9}, {false, 12}};
    for (const auto& c : cases) {
        TransferBench bench;
        CVistrelDoc doc;
        for (int i = 0; i < 9; ++i) addLine(doc, i + 1, 25, 40, 0);
        doc.appendMode = c.appendMode;
        doc.currentLine = c.currentLine;
        EXPECT_EQ(bench.transfer.sendLineToRunningShow(doc), 0);
        EXPECT_EQ(bench.prompter.beeps, 1);
        EXPECT_EQ(bench.tap.bytesWritten, 0);
    }
}

}  // namespace
}  // namespace vistrel
