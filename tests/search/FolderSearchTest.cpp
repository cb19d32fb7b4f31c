// The walk through a folder tree: which files are examined and read, in which order
// hits come, what the counters say, and that links, FIFOs, unreadable folders and
// huge files neither stop nor hang it.
#include <fcntl.h>
#include <sys/resource.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <vector>

#include "search/FolderSearch.h"
#include "tests/search/SearchTree.h"

namespace vistrel::test {
namespace {

struct Collected final : FolderSearchSink {
    std::vector<FolderHit> hits;
    std::vector<std::int64_t> examinedCounts;
    std::function<void()> onHit;
    void fileExamined(const FolderSearchCounters& counters) override {
        examinedCounts.push_back(counters.filesExamined);
    }
    void found(const FolderHit& hit, const FolderSearchCounters&) override {
        hits.push_back(hit);
        if (onHit) onHit();
    }
    std::vector<std::string> paths(const std::string& root) const {
        std::vector<std::string> relative;
        for (const FolderHit& hit : hits) relative.push_back(hit.path.substr(root.size() + 1));
        return relative;
    }
};

TEST(FolderSearch, TakesEntriesInByteOrderDepthFirst) {
    SearchTree tree;
    for (const char* name : {"b.dpd", "B.dpd", "a.dpd", "a/z.dpd", "a/Y.dpd", "a/m/k.dpd", "A/x.dpd", "_.dpd",
                             "\xC3\xA4.dpd", "a b.dpd", "a-b/c.dpd"}) {
        tree.show(name, "T", {"Sonne"});
    }
    FolderSearch search("sonne", false);
    Collected sink;
    ASSERT_TRUE(search.run(tree.root(), sink));
    // The folder "a" sorts before "a b.dpd": a name comes before the longer names it begins.
    const std::vector<std::string> expected = {"A/x.dpd", "B.dpd", "_.dpd", "a/Y.dpd", "a/m/k.dpd", "a/z.dpd",
                                               "a b.dpd", "a-b/c.dpd", "a.dpd", "b.dpd", "\xC3\xA4.dpd"};
    EXPECT_EQ(sink.paths(tree.root()), expected);
}

TEST(FolderSearch, ExaminesNonEmptyRegularShowFilesOnly) {
    SearchTree tree;
    tree.show("notes.DPD", "T", {"x"});
    tree.show("notes.dpd.bak", "T", {"x"});
    tree.show("notes.dpdx", "T", {"x"});
    tree.show("dpd", "T", {"x"});
    tree.show(".dpd", "T", {"x"});            // the name's last four characters are ".dpd"
    tree.file("empty.dpd", "");
    tree.show("shows.dpd/inner.dpd", "T", {"x"});  // a folder named like a show is walked
    ASSERT_EQ(::mkfifo(tree.at("pipe.dpd").c_str(), 0644), 0);
    tree.link("dangling.dpd", "nowhere.dpd");

    FolderSearch search("x", false);
    Collected sink;
    ASSERT_TRUE(search.run(tree.root(), sink));
    EXPECT_EQ(sink.paths(tree.root()), (std::vector<std::string>{".dpd", "notes.DPD", "shows.dpd/inner.dpd"}));
    EXPECT_EQ(search.counters().filesExamined, 3);
    EXPECT_EQ(sink.examinedCounts, (std::vector<std::int64_t>{1, 2, 3}));
}

TEST(FolderSearch, CountsEveryExaminedFileOnceAndEveryByteRead) {
    SearchTree tree;
    tree.file("a.dpd", std::string(1000, 'x'));                       // no tag at all
    tree.file("b.dpd", "/h1 T\r\n/c Sonne\r\n/c Sonne\r\n" + std::string(500, ' '));
    tree.file("c.dpd", std::string(100, 'y'));
    FolderSearch search("sonne", false);
    Collected sink;
    ASSERT_TRUE(search.run(tree.root(), sink));
    ASSERT_EQ(sink.hits.size(), 1u);  // two hits in one file are one result
    EXPECT_EQ(sink.hits[0].description, "Sonne");
    EXPECT_EQ(sink.hits[0].title, " T");
    EXPECT_EQ(search.counters().filesExamined, 3);
    EXPECT_EQ(search.counters().bytesRead, 1000 + 27 + 500 + 100);  // the hit file counts whole
    EXPECT_EQ(search.counters().kilobytes(), 1);
}

TEST(FolderSearch, KilobytesShowZeroBelow1024Bytes) {
    SearchTree tree;
    tree.file("a.dpd", std::string(1023, 'x'));
    FolderSearch search("x", false);
    Collected sink;
    search.run(tree.root(), sink);
    EXPECT_EQ(search.counters().kilobytes(), 0);
    tree.file("b.dpd", "z");
    search.run(tree.root(), sink);
    EXPECT_EQ(search.counters().kilobytes(), 1);
}

TEST(FolderSearch, NamesHitsFromTheStartFolderWithOneSeparator) {
    SearchTree tree;
    tree.show("sub/a.dpd", "T", {"x"});
    for (const std::string& start : {tree.root() + "/sub", tree.root() + "/sub/"}) {
        FolderSearch search("x", false);
        Collected sink;
        ASSERT_TRUE(search.run(start, sink));
        ASSERT_EQ(sink.hits.size(), 1u);
        EXPECT_EQ(sink.hits[0].path, tree.root() + "/sub/a.dpd");
    }
}

TEST(FolderSearch, FollowsNoLinkToAFolderAndEndsOnLoops) {
    SearchTree tree;
    tree.show("real/a.dpd", "T", {"x"});
    tree.link("real/up", "..");
    tree.link("real/self", ".");
    tree.link("elsewhere", "real");
    tree.link("linked.dpd", "real/a.dpd");  // a link to a show file is read
    tree.link("folder.dpd", "real");        // a link to a folder is not, whatever its name
    FolderSearch search("x", false);
    Collected sink;
    ASSERT_TRUE(search.run(tree.root(), sink));
    EXPECT_EQ(sink.paths(tree.root()), (std::vector<std::string>{"linked.dpd", "real/a.dpd"}));
}

TEST(FolderSearch, StartingFolderMayBeALink) {
    SearchTree tree;
    tree.show("real/a.dpd", "T", {"x"});
    tree.link("start", "real");
    FolderSearch search("x", false);
    Collected sink;
    ASSERT_TRUE(search.run(tree.root() + "/start", sink));
    ASSERT_EQ(sink.hits.size(), 1u);
    EXPECT_EQ(sink.hits[0].path, tree.root() + "/start/a.dpd");
}

// The search as a user without special rights (root may read everything): in a child
// process that gave its rights away, reporting "examined folders files|hit|hit...".
std::string searchedWithoutRootRights(const std::string& root, const std::string& term) {
    int channel[2];
    if (::pipe(channel) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        std::string report = "could not drop rights";
        if (::geteuid() != 0 || (::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0)) {
            FolderSearch search(term, false);
            Collected sink;
            search.run(root, sink);
            const FolderSearchCounters& c = search.counters();
            report = std::to_string(c.filesExamined) + " " + std::to_string(c.foldersUnreadable) + " " +
                     std::to_string(c.filesUnreadable);
            for (const std::string& path : sink.paths(root)) report += "|" + path;
        }
        ::_exit(::write(channel[1], report.data(), report.size()) < 0);
    }
    ::close(channel[1]);
    std::string report(512, '\0');
    report.resize(static_cast<std::size_t>(std::max<ssize_t>(0, ::read(channel[0], report.data(), report.size()))));
    ::close(channel[0]);
    ::waitpid(child, nullptr, 0);
    return report;
}

TEST(FolderSearch, PassesOverWhatItCannotReadAndCountsIt) {
    const struct {
        std::vector<std::string> closed;  // made unreadable (mode 0)
        const char* report;
        const char* note;
    } table[] = {
        // A file that cannot be opened still counts as examined, with nothing read.
        {{"closed", "locked.dpd"}, "2 1 1|open/b.dpd",
         "Nicht durchsucht, weil sie nicht gelesen werden konnten: 1 Ordner und 1 Datei."},
        {{"locked.dpd", "open/b.dpd"}, "3 0 2|closed/a.dpd",
         "Nicht durchsucht, weil sie nicht gelesen werden konnten: 2 Dateien."},
    };
    for (const auto& c : table) {
        SearchTree tree;
        ::chmod(tree.root().c_str(), 0755);
        tree.show("closed/a.dpd", "T", {"x"});
        tree.show("locked.dpd", "T", {"x"});
        tree.show("open/b.dpd", "T", {"x"});
        for (const std::string& name : c.closed) ::chmod(tree.at(name).c_str(), 0);
        const std::string report = searchedWithoutRootRights(tree.root(), "x");
        EXPECT_EQ(report, c.report);
        FolderSearchCounters counters;
        std::sscanf(report.c_str(), "%ld %ld %ld", &counters.filesExamined, &counters.foldersUnreadable,
                    &counters.filesUnreadable);
        EXPECT_EQ(unreadableNote(counters), c.note);
    }
}

TEST(FolderSearch, AStartFolderThatCannotBeReadFindsNothing) {
    SearchTree tree;
    tree.show("file.dpd", "T", {"x"});
    for (const std::string& start : {tree.root() + "/missing", tree.root() + "/file.dpd"}) {
        FolderSearch search("x", false);
        Collected sink;
        EXPECT_FALSE(search.run(start, sink));
        EXPECT_TRUE(sink.hits.empty());
        EXPECT_EQ(search.counters().filesExamined, 0);
    }
}

TEST(FolderSearch, SkipsFilesOf4GiBOrMoreUnread) {
    SearchTree tree;
    tree.show("a.dpd", "T", {"x"});
    tree.file("huge.dpd", "/c x\r\n");
    // Sparse: no disk space is used.
    if (::truncate(tree.at("huge.dpd").c_str(), FolderSearch::SizeLimit) != 0) GTEST_SKIP() << "no sparse files here";
    FolderSearch search("x", false);
    Collected sink;
    ASSERT_TRUE(search.run(tree.root(), sink));
    EXPECT_EQ(sink.paths(tree.root()), (std::vector<std::string>{"a.dpd"}));
    EXPECT_EQ(search.counters().filesExamined, 1);
    EXPECT_LT(search.counters().bytesRead, 1024);
}

TEST(FolderSearch, ReadsLargeFilesInPiecesAndFindsAHitNearTheEnd) {
    SearchTree tree;
    std::string text = "/h1 Lang\r\n";
    while (text.size() < 3 * 1024 * 1024) text += "/p 001 001 /d 025 /t 0055 /s 000 /c Meer\r\n";
    text += "/h1 Ende\r\n/p 002 /c Sonnenuntergang\r\n";
    tree.file("long.dpd", text);
    FolderSearch search("SONNE", false);
    Collected sink;
    ASSERT_TRUE(search.run(tree.root(), sink));
    ASSERT_EQ(sink.hits.size(), 1u);
    EXPECT_EQ(sink.hits[0].title, " Ende");
    EXPECT_EQ(search.counters().bytesRead, static_cast<std::int64_t>(text.size()));
}

// The walk holds one folder open per level: a tree deeper than the usual allowance of
// open files (a soft limit of 1024 on most desktops) must still be walked to its end.
TEST(FolderSearch, WalksTreesDeeperThanTheSoftLimitOfOpenFiles) {
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &before), 0);
    constexpr rlim_t lowered = 64;
    constexpr int depth = 200;
    if (before.rlim_max < 4 * depth) GTEST_SKIP() << "the hard limit of open files is too low here";
    SearchTree tree;
    std::string folder;
    std::vector<std::string> expected;
    for (int level = 1; level <= depth; ++level) {
        folder += "d/";
        if (level == 1 || level == 100 || level == depth) {
            // Depth first: "d" sorts before "s.dpd", so the deepest hit comes first.
            expected.insert(expected.begin(), folder + "s.dpd");
            tree.show(folder + "s.dpd", "T", {"x"});
        }
    }
    rlimit low = before;
    low.rlim_cur = lowered;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
    FolderSearch search("x", false);
    Collected sink;
    const bool readable = search.run(tree.root(), sink);
    ::setrlimit(RLIMIT_NOFILE, &before);
    ASSERT_TRUE(readable);
    EXPECT_EQ(sink.paths(tree.root()), expected);
    EXPECT_EQ(search.counters().filesExamined, 3);
}

TEST(FolderSearch, StopsWhenCancelled) {
    SearchTree tree;
    for (int i = 0; i < 20; ++i) tree.show("f" + std::to_string(10 + i) + ".dpd", "T", {"x"});
    std::atomic<bool> cancel{false};
    FolderSearch search("x", false);
    Collected sink;
    sink.onHit = [&] {
        if (sink.hits.size() == 3) cancel = true;
    };
    ASSERT_TRUE(search.run(tree.root(), sink, &cancel));
    EXPECT_EQ(sink.hits.size(), 3u);
    EXPECT_EQ(search.counters().filesExamined, 3);
}

}  // namespace
}  // namespace vistrel::test
