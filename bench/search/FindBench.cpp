// How fast "vistrel-cli find" walks a large tree of show files, measured against
// "grep -rl --include='*.dpd'" for the same term on the same tree, in one run.
//
// The tree (10,000 show files of about 8 KB in nested folders, about 80 MB) is made
// in a temporary folder and removed afterwards. Each command runs several times, in
// turns, with the files in the page cache; the medians of wall time and of CPU time
// (user and system, which a busy machine disturbs less) are compared.
//
//   find_bench [FILES] [RUNS]
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* const kWords[] = {"Sonne",   "Meer",    "Strand", "Berge",  "Wald",     "Kirche", "Markt",
                              "Hafen",   "Schiff",  "Abend",  "Morgen", "Brücke",   "Turm",   "Blick",
                              "Dorf",    "Stadt",   "Garten", "Blumen", "Schnee",   "Regen",  "Wolken",
                              "Titel",   "Familie", "Kinder", "Essen",  "Wanderung", "Fluss", "See"};
constexpr const char* kTerm = "Leuchtturm";  // in about one file of a hundred

std::string showFile(std::mt19937& random, bool withTerm) {
    std::string text = "/h1 Reise " + std::to_string(random() % 1000) + "\r\n/h2 Urlaub\r\n/h3 \r\n/h4 Schrank " +
                       std::to_string(random() % 10) + "\r\n/a 1\r\n";
    const int lines = 130 + static_cast<int>(random() % 40);
    const int termLine = withTerm ? static_cast<int>(random() % static_cast<unsigned>(lines)) : -1;
    for (int i = 0; i < lines; ++i) {
        char head[80];
        std::snprintf(head, sizeof head, "/p %03d %03d /d %03u /t %04u /s 000 /c ", i + 1, i + 1,
                      static_cast<unsigned>(random() % 60), static_cast<unsigned>(random() % 200));
        text += head;
        const int words = 1 + static_cast<int>(random() % 4);
        for (int w = 0; w < words; ++w) {
            if (w > 0) text += ' ';
            text += kWords[random() % std::size(kWords)];
        }
        if (i == termLine) text += " am Leuchtturm";
        text += "\r\n";
    }
    return text;
}

std::int64_t makeTree(const fs::path& root, int files) {
    std::mt19937 random(4711);
    std::int64_t bytes = 0;
    for (int i = 0; i < files; ++i) {
        // Three levels: 10 regions, 10 years each, shows below.
        const fs::path folder = root / ("region" + std::to_string(i % 10)) / ("jahr" + std::to_string((i / 10) % 10)) /
                                (i % 3 == 0 ? "archiv" : "");
        fs::create_directories(folder);
        const std::string text = showFile(random, random() % 100 == 0);
        std::ofstream(folder / ("show" + std::to_string(i) + ".dpd"), std::ios::binary) << text;
        bytes += static_cast<std::int64_t>(text.size());
        if (i % 7 == 0) std::ofstream(folder / ("notiz" + std::to_string(i) + ".txt")) << "keine Show\n";
    }
    return bytes;
}

struct Timing {
    double wall;
    double cpu;  // user and system time of the command
};

double childCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

Timing timeOf(const std::string& command) {
    const double cpuBefore = childCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const auto end = std::chrono::steady_clock::now();
    const double cpu = childCpuSeconds() - cpuBefore;
    if (!WIFEXITED(status) || (WEXITSTATUS(status) != 0 && WEXITSTATUS(status) != 1)) {
        std::fprintf(stderr, "failed: %s\n", command.c_str());
        std::exit(1);
    }
    return {std::chrono::duration<double>(end - start).count(), cpu};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int files = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 7;
    std::string pattern = (fs::temp_directory_path() / "vistrel-find-bench-XXXXXX").string();
    const fs::path root = ::mkdtemp(pattern.data());
    const std::int64_t bytes = makeTree(root, files);
    std::printf("tree: %d show files, %.1f MB, in %s\n", files, static_cast<double>(bytes) / 1e6, root.c_str());

    const std::string quiet = " >/dev/null 2>&1";
    const std::string tree = "'" + root.string() + "'";
    const std::string grep = std::string("grep -rl --include='*.dpd' ") + kTerm + " " + tree + quiet;
    const std::string find = std::string("'") + VISTREL_CLI + "' find " + tree + " " + kTerm + quiet;
    const std::string findCase = std::string("'") + VISTREL_CLI + "' find " + tree + " " + kTerm + " --match-case" + quiet;

    // Everything into the page cache first.
    timeOf(grep);
    timeOf(find);
    // In turns, so that a busy machine weighs on both alike.
    std::vector<double> grepWall, findWall, caseWall, grepCpu, findCpu, caseCpu;
    for (int i = 0; i < runs; ++i) {
        const Timing g = timeOf(grep), f = timeOf(find), c = timeOf(findCase);
        grepWall.push_back(g.wall), findWall.push_back(f.wall), caseWall.push_back(c.wall);
        grepCpu.push_back(g.cpu), findCpu.push_back(f.cpu), caseCpu.push_back(c.cpu);
    }
    const double gw = median(grepWall), fw = median(findWall), cw = median(caseWall);
    const double gc = median(grepCpu), fc = median(findCpu), cc = median(caseCpu);
    std::printf("medians of %d runs              wall ms  ratio    cpu ms  ratio\n", runs);
    std::printf("grep -rl --include='*.dpd'     %8.1f         %8.1f\n", gw * 1000, gc * 1000);
    std::printf("vistrel-cli find               %8.1f  %5.2f  %8.1f  %5.2f\n", fw * 1000, fw / gw, fc * 1000, fc / gc);
    std::printf("vistrel-cli find --match-case  %8.1f  %5.2f  %8.1f  %5.2f\n", cw * 1000, cw / gw, cc * 1000, cc / gc);
    std::error_code error;
    fs::remove_all(root, error);
    return 0;
}
