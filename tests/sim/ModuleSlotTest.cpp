// The module slot as the program meets it: ML or MS, status "B" while the module
// works, then the result letter, which stands until the next text command.
#include <gtest/gtest.h>

#include <tuple>

#include "ProjectorBench.h"

namespace vistrel::sim {
namespace {

using test::ProjectorBench;

std::vector<ShowRecord> showOf(int lines) {
    std::vector<ShowRecord> show;
    for (int i = 1; i <= lines; ++i) show.push_back(ShowRecord::fromLine(i, 10, 50, 0));
    return show;
}

// Polls the status as the program's module wait does: every 50 ms until a result.
int waitModuleResult(ProjectorBench& bench) {
    for (int poll = 0; poll < 600; ++poll) {
        const int letter = bench.status();
        bench.clock.sleepMs(50);
        if (letter == 'w' || letter == 'x' || letter == 'y' || letter == 'z') return letter;
        if (letter != 'B') return letter;
    }
    return -1;
}

TEST(ModuleSlot, EachModuleStateGivesItsLetters) {
    const struct {
        const char* name;
        ModuleState state;
        char load;
        char storeShort;
        char storeLong;
    } cases[] = {
        {"present", ModuleState::Present, 'w', 'w', 'w'},
        {"absent", ModuleState::Absent, 'x', 'x', 'x'},
        {"small", ModuleState::Small, 'w', 'w', 'y'},
        {"empty", ModuleState::Empty, 'z', 'z', 'z'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProjectorOptions options;
        options.module = c.state;
        for (const auto& [command, lines, expected] :
             {std::tuple{"ML", 0, c.load}, std::tuple{"MS", 5, c.storeShort},
              std::tuple{"MS", SmallModuleRecords + 1, c.storeLong}}) {
            SCOPED_TRACE(command);
            ProjectorBench bench(options);
            bench.projector.loadShow(showOf(lines));
            ASSERT_TRUE(bench.command(command));
            EXPECT_EQ(bench.status(), 'B') << "the module needs its time";
            EXPECT_EQ(waitModuleResult(bench), expected);
        }
    }
}

TEST(ModuleSlot, LoadCopiesTheModuleIntoWorkingMemory) {
    ProjectorBench bench;
    bench.projector.module().setContents(showOf(7));
    bench.projector.loadShow(showOf(2));
    ASSERT_TRUE(bench.command("ML"));
    EXPECT_EQ(bench.projector.memory().showRecords().size(), 2u) << "memory changes when the module is done";
    ASSERT_EQ(waitModuleResult(bench), 'w');
    EXPECT_EQ(bench.projector.memory().showRecords(), showOf(7));
}

TEST(ModuleSlot, StoreCopiesWorkingMemoryIntoTheModule) {
    ProjectorBench bench;
    bench.projector.loadShow(showOf(12));
    ASSERT_TRUE(bench.command("MS"));
    ASSERT_EQ(waitModuleResult(bench), 'w');
    EXPECT_EQ(bench.projector.module().contents(), showOf(12));
}

TEST(ModuleSlot, ResultStandsUntilTheNextCommand) {
    // After ML the program runs its ready wait (which ends at "w"), then the module
    // wait, which must see the same letter again.
    ProjectorBench bench;
    ASSERT_TRUE(bench.command("ML"));
    ASSERT_EQ(waitModuleResult(bench), 'w');
    EXPECT_EQ(bench.status(), 'w');
    EXPECT_EQ(bench.status(), 'w');
    ASSERT_TRUE(bench.command("MOT"));
    EXPECT_EQ(bench.status(), 'R');
}

}  // namespace
}  // namespace vistrel::sim
