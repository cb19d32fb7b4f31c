// The music subcommands of vistrel-cli: `retime` sets timers so that lines start at
// given moments of the music, `waveform` prints the loudness of a piece of music as
// the window's timeline draws it.
#include <charconv>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CommandRegistry.h"
#include "cli/ConsolePrompter.h"
#include "cli/ShowFileOptions.h"
#include "media/WaveformCache.h"
#include "model/CVistrelDoc.h"
#include "model/Retiming.h"
#include "model/ShowFile.h"
#include "platform/qt/core/AppPaths.h"
#include "res/StringTable.h"
#include "res/strings/LengthStrings.h"

namespace vistrel::cli {

namespace {

// Digits only, at most nine of them: the value, or nothing.
std::optional<std::int64_t> digitsValue(std::string_view digits) {
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    std::int64_t value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

// "SECONDS" with up to three decimals, in tenths (halves upward), or nothing.
std::optional<std::int64_t> secondsInTenths(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::optional<std::int64_t> whole = digitsValue(text.substr(0, point));
    if (!whole) return std::nullopt;
    std::int64_t thousandths = *whole * 1000;
    if (point != std::string_view::npos) {
        std::string decimals(text.substr(point + 1));
        if (decimals.empty() || decimals.size() > 3 || !digitsValue(decimals)) return std::nullopt;
        decimals.resize(3, '0');
        thousandths += *digitsValue(decimals);
    }
    return (thousandths + 50) / 100;
}

// "LINE=SECONDS[,LINE=SECONDS...]", or nothing when malformed.
std::optional<std::vector<LineStart>> parseStarts(std::string_view text) {
    std::vector<LineStart> starts;
    for (;;) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        const std::size_t equals = item.find('=');
        if (equals == std::string_view::npos) return std::nullopt;
        const std::optional<std::int64_t> line = digitsValue(item.substr(0, equals));
        const std::optional<std::int64_t> start = secondsInTenths(item.substr(equals + 1));
        if (!line || !start) return std::nullopt;
        starts.push_back({static_cast<int>(*line), *start});
        if (comma == std::string_view::npos) return starts;
        text.remove_prefix(comma + 1);
    }
}

std::string tenthsAsSeconds(std::int64_t tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

int runRetime(const CommandLine& line) {
    const std::string startsText = line.value("starts").value_or("");
    const std::optional<std::vector<LineStart>> starts = parseStarts(startsText);
    if (!starts) return line.usageError("--starts takes LINE=SECONDS[,LINE=SECONDS...], not '" + startsText + "'");
    auto doc = std::make_unique<CVistrelDoc>();
    if (!readShowForCommand(*doc, line.positional(0), readingSettings(line))) return 1;

    const std::span<ProgramLine> lines(doc->lines.data(), static_cast<std::size_t>(doc->lineCount));
    const RetimeResult result = retime(lines, *starts);
    if (result.refusal == RetimeRefusal::NoSuchLine) {
        return line.usageError("--starts: line " + std::to_string(result.refusedLine) + " is not a line from 2 to " +
                               std::to_string(doc->lineCount) + " named once");
    }
    ConsolePrompter console;
    console.setSubject(line.positional(0));
    for (const RaisedStart& raised : result.raised) {
        console.note(res::formatArgs(ids::RetimeStartRaised,
                                     {std::to_string(raised.line), tenthsAsSeconds(raised.earliestTenths)}));
    }
    if (!result.ok()) {
        const int id = result.refusal == RetimeRefusal::AfterPause     ? ids::RetimeAfterPause
                       : result.refusal == RetimeRefusal::TimerTooLong ? ids::RetimeTimerTooLong
                                                                       : ids::RetimeNotReached;
        const std::string k = std::to_string(result.refusedLine);
        console.showMessage(res::formatArgs(id, {k, std::to_string(result.refusedLine - 1)}), MessageIcon::Exclamation,
                            MessageButtons::Ok);
        return 1;
    }
    applyTimers(lines, result.timers);
    console.setSubject(line.positional(1));
    return writeShowFile(*doc, line.positional(1), console) ? 0 : 1;
}

constexpr int DefaultPoints = 1000;
constexpr int MostPoints = 100000;

// Millionths as a number with three decimals, halves upward; for JSON without the zeros
// at the end ("12.5", "0").
std::string thousandthsText(std::int64_t thousandths, bool trimmed) {
    char text[40];
    std::snprintf(text, sizeof text, "%lld.%03lld", static_cast<long long>(thousandths / 1000),
                  static_cast<long long>(thousandths % 1000));
    std::string result = text;
    if (trimmed) {
        result.erase(result.find_last_not_of('0') + 1);
        if (result.back() == '.') result.pop_back();
    }
    return result;
}

std::string waveformText(const media::Waveform& waveform, bool json) {
    const auto peak = [&](std::int32_t millionths) { return thousandthsText((millionths + 500) / 1000, json); };
    if (json) {
        std::string out = "{\"duration\": " + thousandthsText(waveform.durationMs(), true) + ", \"peaks\": [";
        for (std::size_t i = 0; i < waveform.peaks.size(); ++i) out += (i ? ", " : "") + peak(waveform.peaks[i]);
        return out + "]}\n";
    }
    std::string out = "duration\t" + thousandthsText(waveform.durationMs(), false) + "\n";
    for (std::int32_t millionths : waveform.peaks) out += peak(millionths) + "\n";
    return out;
}

int runWaveform(const CommandLine& line) {
    int points = DefaultPoints;
    if (const std::optional<std::string> text = line.value("points")) {
        const std::optional<std::int64_t> value = digitsValue(*text);
        if (!value || *value < 1 || *value > MostPoints)
            return line.usageError("--points takes a number from 1 to " + std::to_string(MostPoints) + ", not '" +
                                   *text + "'");
        points = static_cast<int>(*value);
    }
    const std::string& audio = line.positional(0);
    const media::WaveformCache cache(cacheFolder().toStdString());
    const media::WaveformResult result = cache.read(audio, points);
    if (!result.ok()) {
        ConsolePrompter console;
        console.setSubject(audio);
        console.showMessage(result.error, MessageIcon::Exclamation, MessageButtons::Ok);
        return 1;
    }
    return printResult(waveformText(result.waveform, line.has("json"))) ? 0 : 1;
}

const CommandRegistration waveformCommand{{
    .name = "waveform",
    .positionals = {"AUDIO"},
    .options = {valueOption("points", "N", "the number of slices (default 1000, at most 100000)"),
                switchOption("json", "print {\"duration\": SECONDS, \"peaks\": [PEAK, ...]} instead")},
    .summary = "Reads the music AUDIO (any sound file FFmpeg's libraries read) and prints what the timeline "
               "draws under the slides: the line \"duration\", a tab and its length in seconds, then one line "
               "for each of N equal slices of the whole file with the loudest sample in it, over all channels, "
               "as a number from 0 to 1 (both with three decimals).",
    .notes = "The result is kept in $XDG_CACHE_HOME/vistrel (default ~/.cache/vistrel), found again by the "
             "file's path, size and modification time, so that a long piece is decoded once.",
    .exitCodes = {{0, "printed"},
                  {1, "the music cannot be read (German message on stderr)"},
                  {2, "usage error"}},
    .run = runWaveform,
}};

const CommandRegistration retimeCommand{{
    .name = "retime",
    .positionals = {"FILE", "OUT"},
    .options = {requiredValueOption("starts", "LINE=SECONDS[,LINE=SECONDS...]",
                                    "the lines (2 and up) and the music time, in seconds with up to three decimals, at "
                              "which each is to start in a run from line 1")},
    .summary = "Reads the show FILE and sets timers so that each named line starts at its time of the music: "
               "taking the lines in ascending order, the timer of the line before line LINE becomes "
               "SECONDS (in tenths, halves upward) less the START and EFFECT of that line, as \"vistrel-cli "
               "timeline\" prints them for the show as changed so far (the waits at pause lines are not music "
               "time). A timer that would come out below 0.1 s becomes 0.1 s, and stderr says when the line "
               "starts at the earliest. OUT is written as `save` writes it.",
    .notes = "A line that follows a pause line with timer 0, a timer that would pass 600 s, and a line a run from "
             "line 1 never reaches (after an autoreverse line or the end of the show) are refused with a message, "
             "and OUT is not written.",
    .exitCodes = {{0, "OUT written"},
                  {1, "a line was refused, or a file could not be read or written (German message on stderr)"},
                  {2, "usage error: a malformed list, line 1, a line beyond the show or one named twice"}},
    .run = runRetime,
}};

}  // namespace

}  // namespace vistrel::cli
