// The values the projector's behaviour depends on and that no other test would notice
// going astray: the lowest firmware accepted, the four waits and the settle time of the
// module store, the status wait between ML and the wait for the module's result, the
// failure codes of the descriptor reads and the order of those reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "tests/projector/ScriptedSerialPort.h"
#include "tests/projector/ShowTransferBench.h"

namespace vistrel {
namespace {

using test::addLine;
using test::TransferBench;

const std::string kCommunicationError = "Fehler bei der Kommunikation\nmit dem Projektor";
const std::string kFirmwareTooOld =
    "Die Firmware des Projektors ist veraltet!\nBitte besorgen Sie sich eine neue Version.\nVistrel läuft erst ab der "
    "Firmware-Version 3.1.";

struct FirmwareCase {
    const char* text;
    bool accepted;
};

TEST(FixedValues, FirmwareFrom31OnIsAccepted) {
    const FirmwareCase cases[] = {{"2.9  ", false}, {"3.0  ", false}, {"3.1  ", true}, {" 3.2 ", true}, {"4.0  ", true}};
    for (const FirmwareCase& c : cases) {
        sim::ProjectorOptions options;
        options.firmware = c.text;
        TransferBench bench(options);
        CVistrelDoc doc;
        addLine(doc, 1, 25, 40, 0);
        EXPECT_EQ(bench.transfer.uploadShow(doc, ShowTransfer::WorkingMemory), c.accepted ? 1 : -1) << c.text;
        EXPECT_EQ(bench.messages(), c.accepted ? std::vector<std::string>{} : std::vector<std::string>{kFirmwareTooOld})
            << c.text;
    }
}

TEST(FixedValues, ModuleStoreSettles800MsAfterAnAnswerAtTheFirstWait) {
    TransferBench bench;
    CVistrelDoc doc;
    addLine(doc, 1, 25, 40, 0);
    ASSERT_TRUE(bench.transfer.writeToModule(doc));
    ASSERT_EQ(bench.progress.moduleOpenedAt.size(), 1u);
    // The store itself takes the projector a second; then the window stays 800 ms.
    const auto shown = bench.progress.moduleClosedAt[0] - bench.progress.moduleOpenedAt[0];
    EXPECT_GE(shown, sim::ModuleOperationMs + 800);
    EXPECT_LT(shown, sim::ModuleOperationMs + 800 + 300);
}

TEST(FixedValues, ModuleStoreWaitsFourTimesThirtySeconds) {
    sim::ProjectorOptions options;
    options.busyMs = 10 * 60 * 1000;
    TransferBench bench(options);
    CVistrelDoc doc;
    addLine(doc, 1, 25, 40, 0);
    EXPECT_FALSE(bench.transfer.writeToModule(doc));
    ASSERT_EQ(bench.progress.moduleOpenedAt.size(), 1u);
    const auto shown = bench.progress.moduleClosedAt[0] - bench.progress.moduleOpenedAt[0];
    EXPECT_GE(shown, 4 * 30000);
    EXPECT_LT(shown, 4 * 30000 + 4 * 500);
}

// A projector that answers "x" once right after ML and "w" from then on: only the status
// wait before the wait for the module's result takes the "x" away.
TEST(FixedValues, ModuleLoadWaitsForReadyBeforeItWaitsForTheResult) {
    VirtualClock clock;
    test::ScriptedSerialPort port{clock};
    auto afterLoad = std::make_shared<std::string>();
    auto text = std::make_shared<std::string>();
    port.devices["COM2"] = [afterLoad, text](std::uint8_t byte, std::deque<std::uint8_t>& input) {
        if (byte == 0xE1) {
            char status = 'R';
            if (!afterLoad->empty()) {
                status = afterLoad->front();
                if (afterLoad->size() > 1) afterLoad->erase(0, 1);
            }
            input.push_back(static_cast<std::uint8_t>(status));
            return;
        }
        input.push_back(byte);
        if (byte != '\r') {
            text->push_back(static_cast<char>(byte));
            return;
        }
        if (*text == "AB") {
            for (char c : std::string("0\r\n")) input.push_back(static_cast<std::uint8_t>(c));
        }
        if (*text == "ML") *afterLoad = "xw";
        text->clear();
    };
    RecordingPrompter prompter;
    ProjectorLink link(port, clock, prompter, "");
    link.connected = true;
    ASSERT_EQ(link.openPort(), 0);
    NoEventPump events;
    test::RecordingProgress progress;
    ProjectorProtocol protocol(link, clock, prompter, events, progress);
    Settings settings;
    ApplicationState appState;
    RunState runState;
    ShowTransfer transfer(protocol, settings, appState, runState, prompter, clock, events, progress);
    CVistrelDoc doc;

    EXPECT_TRUE(transfer.loadModule(doc));
    EXPECT_TRUE(prompter.messages.empty());
}

// Which descriptor read fails decides the message: the firmware version (code 3) or the
// show's start address (code 4, the general form). The firmware is read first, also
// before a read of the show.
struct DescriptorCase {
    const char* name;
    bool reading;
    std::uint8_t failingAddress;  // 202: version pointer, 160: descriptor
    std::string message;
};
void PrintTo(const DescriptorCase& c, std::ostream* os) { *os << c.name; }

class DescriptorReadFails : public ::testing::TestWithParam<DescriptorCase> {};

TEST_P(DescriptorReadFails, ReportsItsCode) {
    const DescriptorCase& c = GetParam();
    TransferBench bench;
    bench.tap.loseAnswersAfter({2, 0, c.failingAddress, 0, static_cast<std::uint8_t>(c.failingAddress == 202 ? 2 : 10)},
                               3);
    CVistrelDoc doc;
    addLine(doc, 1, 25, 40, 0);
    if (c.reading) {
        EXPECT_FALSE(bench.transfer.readShowFromProjector(doc, true));
    } else {
        EXPECT_EQ(bench.transfer.uploadShow(doc, ShowTransfer::WorkingMemory), 0);
    }
    EXPECT_EQ(bench.messages(), std::vector<std::string>{c.message});
    EXPECT_EQ(doc.lineCount, 1) << "nothing was read";
}

INSTANTIATE_TEST_SUITE_P(
    FixedValues, DescriptorReadFails,
    ::testing::Values(DescriptorCase{"WriteFirmware", false, 202, kCommunicationError},
                      DescriptorCase{"WriteShowStart", false, 160, "Fehlernummer 4 bekommen"},
                      DescriptorCase{"ReadFirmware", true, 202, kCommunicationError},
                      DescriptorCase{"ReadShowStart", true, 160, "Fehlernummer 4 bekommen"}),
    test::caseName);

TEST(FixedValues, TheFirmwareIsReadBeforeTheShowStartForReadsAndWrites) {
    const std::vector<std::uint8_t> versionPointer = {2, 0, 202, 0, 2};
    const std::vector<std::uint8_t> descriptor = {2, 0, 160, 0, 10};
    for (bool reading : {false, true}) {
        TransferBench bench;
        CVistrelDoc doc;
        addLine(doc, 1, 25, 40, 0);
        if (reading) {
            ASSERT_TRUE(bench.transfer.readShowFromProjector(doc, true));
        } else {
            ASSERT_EQ(bench.transfer.uploadShow(doc, ShowTransfer::WorkingMemory), 1);
        }
        const auto& line = bench.tap.lineBytes;
        const auto firmware = std::search(line.begin(), line.end(), versionPointer.begin(), versionPointer.end());
        const auto start = std::search(line.begin(), line.end(), descriptor.begin(), descriptor.end());
        ASSERT_NE(firmware, line.end()) << reading;
        ASSERT_NE(start, line.end()) << reading;
        EXPECT_LT(firmware, start) << reading;
    }
}

}  // namespace
}  // namespace vistrel
