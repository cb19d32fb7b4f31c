// The length, scale and timeline subcommands of vistrel-cli: the window program's
// "Schaulänge" and "Diaschau skalieren" on a show file, with the dialogs answered from the
// command line, and the times of a run as the rehearsal makes it.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <variant>

#include "cli/CommandRegistry.h"
#include "cli/ConsolePrompter.h"
#include "cli/RowList.h"
#include "cli/ShowFileOptions.h"
#include "media/AudioInfo.h"
#include "media/MediaFailureText.h"
#include "model/CVistrelDoc.h"
#include "model/ShowFile.h"
#include "model/ShowLength.h"
#include "model/ShowLengthCommands.h"
#include "model/ShowTimeline.h"
#include "res/StringTable.h"
#include "res/strings/LengthStrings.h"
#include "res/strings/SafetyStrings.h"

namespace vistrel::cli {

namespace {

// The scaling's questions as the command line answers them: "only the selected rows?"
// is what --rows asked for, and "enter the values again?" is answered No: the command
// line says instead which lengths are allowed. Every other message is printed.
class ScalePrompter final : public Prompter {
public:
    explicit ScalePrompter(const std::string& show) {
        console_.setSubject(show);
        console_.answerQuietly(res::text(ids::ScaleOnlySelection), MessageAnswer::Yes);
        console_.answerQuietly(res::text(ids::ScaleLengthInvalid), MessageAnswer::No);
    }
    MessageAnswer showMessage(const std::string& text, MessageIcon icon, MessageButtons buttons,
                              int defaultButton = 0) override {
        return console_.showMessage(text, icon, buttons, defaultButton);
    }
    using Prompter::showMessage;
    void beep() override {}
    void beginWaitCursor() override {}
    void endWaitCursor() override {}

    ConsolePrompter& console() { return console_; }

private:
    ConsolePrompter console_;
};

// The scale dialog answered once with the length from the command line: typed
// (--length) or the music's (--to-audio).
class GivenLength final : public ScaleLengthPrompt {
public:
    GivenLength(long long length, bool music) : length_(length), music_(music) {}
    std::optional<std::int64_t> askNewLength(int) override {
        if (asked_) return std::nullopt;
        asked_ = true;
        return length_;
    }
    bool offersMusicLength() const override { return music_; }
    bool lengthIsMusic() const override { return music_; }

private:
    long long length_;
    bool music_;
    bool asked_ = false;
};

// Reads the show and the rows; 0 when both are fine, else the exit code.
int loadShow(CVistrelDoc& doc, const CommandLine& line, std::vector<int>& rows) {
    if (!readShowForCommand(doc, line.positional(0), readingSettings(line))) return 1;
    if (const std::optional<std::string> rowsText = line.value("rows")) {
        auto parsed = parseRows(*rowsText, doc.lineCount);
        if (const auto* reason = std::get_if<std::string>(&parsed)) return line.usageError(*reason);
        rows = std::get<std::vector<int>>(std::move(parsed));
    }
    return 0;
}

// "HH:MM:SS" (each part one or more digits) as tenths, or nothing.
std::optional<long long> parseLength(const std::string& text) {
    long long parts[3] = {0, 0, 0};
    std::string_view rest = text;
    for (int i = 0; i < 3; ++i) {
        const std::size_t colon = i < 2 ? rest.find(':') : rest.size();
        if (colon == std::string_view::npos) return std::nullopt;
        const std::string_view digits = rest.substr(0, colon);
        // Nine digits keep the sum far inside the range; longer is no length anyone means.
        if (digits.empty() || digits.size() > 9 ||
            digits.find_first_not_of("0123456789") != std::string_view::npos) {
            return std::nullopt;
        }
        const auto [end, failure] = std::from_chars(digits.data(), digits.data() + digits.size(), parts[i]);
        if (failure != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
        rest.remove_prefix(std::min(colon + 1, rest.size()));
    }
    return enteredLength(parts[0], parts[1], parts[2]);
}

int runLength(const CommandLine& line) {
    auto doc = std::make_unique<CVistrelDoc>();
    std::vector<int> rows;
    if (const int failed = loadShow(*doc, line, rows)) return failed;

    // The whole show for its playing time, and with the selection, as the dialog does.
    const int playingTime = computeShowLength(*doc, WholeShow, true).playingTime.value_or(0);
    const ShowLengthValues lengths = computeShowLength(*doc, WholeShowAndSelection, true, rows);
    std::string out;
    if (line.has("json")) {
        out = "{\"showLength\": " + std::to_string(lengths.length) +
              ", \"selectedLength\": " + std::to_string(lengths.selectedLength) +
              ", \"playingTime\": " + std::to_string(playingTime) + "}\n";
    } else {
        out = "Gesamtlänge der Schau : " + lengthText(lengths.length) + "\n" +
              "Länge des selektierten Bereichs : " + lengthText(lengths.selectedLength) + "\n";
    }
    return printResult(out) ? 0 : 1;
}

// The new length of `scale`: --length as typed into the dialog, or the length of the
// --to-audio music in whole seconds. Nothing, with the exit code in `failed`, when the
// line asks for neither or both, or the music cannot be measured (said on stderr, led
// by the music's name).
std::optional<long long> newScaleLength(const CommandLine& line, int& failed) {
    const std::optional<std::string> lengthText = line.value("length");
    const std::optional<std::string> music = line.value("to-audio");
    if (lengthText.has_value() == music.has_value()) {
        failed = line.usageError("give either --length or --to-audio");
        return std::nullopt;
    }
    if (lengthText) {
        const auto length = parseLength(*lengthText);
        if (!length) failed = line.usageError("--length takes HH:MM:SS, not '" + *lengthText + "'");
        return length;
    }
    const media::AudioLength audio = media::audioLength(*music);
    if (!audio.ok()) {
        ConsolePrompter console;
        console.setSubject(*music);
        console.showMessage(media::mediaFailureText(audio.failure), MessageIcon::Exclamation, MessageButtons::Ok);
        failed = 1;
        return std::nullopt;
    }
    return musicLengthForScaling(audio.milliseconds);
}

int runScale(const CommandLine& line) {
    int noLength = 0;
    const std::optional<long long> length = newScaleLength(line, noLength);
    if (!length) return noLength;
    auto doc = std::make_unique<CVistrelDoc>();
    std::vector<int> rows;
    if (const int failed = loadShow(*doc, line, rows)) return failed;

    ScalePrompter prompter(line.positional(0));
    const bool music = line.has("to-audio");
    // The window's dialog ends quietly when no timer can change; here that is a failure,
    // or a script would take the unchanged copy for a scaled one.
    const ScalingMeasure measure = measureForNewLength(*doc, rows, music);
    if (!measure.pause && measure.timedLines == 0) {
        prompter.console().showMessage(res::text(ids::ScaleNothingTimed), MessageIcon::Exclamation, MessageButtons::Ok);
        return 1;
    }
    GivenLength dialog(*length, music);
    switch (scaleShow(*doc, rows, prompter, dialog)) {
        case ScaleResult::Scaled:
        case ScaleResult::Unchanged: break;
        case ScaleResult::InvalidLength: {
            const ScaleRange range = allowedScaleRange(measure);
            const std::string shortest = vistrel::lengthText(range.shortest);
            const std::string longest = vistrel::lengthText(range.longest);
            const std::optional<std::string> musicFile = line.value("to-audio");
            const std::string allowed =
                musicFile ? res::formatArgs(ids::ScaleMusicLengthRange,
                                            {*musicFile, vistrel::lengthText(static_cast<int>(*length)), shortest, longest})
                          : res::formatArgs(ids::ScaleLengthRange, {shortest, longest});
            prompter.console().showMessage(allowed, MessageIcon::Exclamation, MessageButtons::Ok);
            return 1;
        }
        default: return 1;  // the message has been printed
    }
    if (prompter.console().messagesShown() > 0) return 1;
    ConsolePrompter console;
    console.setSubject(line.positional(1));
    return writeShowFile(*doc, line.positional(1), console) ? 0 : 1;
}

// The 1-based start line of --from, or nothing when the text is no such number.
std::optional<int> parseStartLine(const std::string& text) {
    int value = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (failure != std::errc() || end != text.data() + text.size() || value < 1 || value > MaxProgramLines) {
        return std::nullopt;
    }
    return value;
}

std::string timelineText(const ShowTimeline& timeline) {
    std::string out;
    for (const TimelineLine& l : timeline.lines()) {
        char number[16];
        std::snprintf(number, sizeof number, "%03d", l.line.lineIndex + 1);
        const char* flags = l.pause ? "P" : l.autoreverse ? "A" : "-";
        out += std::string(number) + '\t' + std::to_string(l.line.slide) + '\t' + std::to_string(l.startTenths) + '\t' +
               std::to_string(l.effectTenths) + '\t' + std::to_string(l.timerTenths) + '\t' + flags + '\n';
    }
    return out + "total\t" + std::to_string(timeline.totalTenths()) + '\n';
}

std::string timelineJson(const ShowTimeline& timeline) {
    std::string out = "{\"lines\":[";
    for (const TimelineLine& l : timeline.lines()) {
        if (out.back() != '[') out += ',';
        out += "{\"line\":" + std::to_string(l.line.lineIndex + 1) + ",\"slide\":" + std::to_string(l.line.slide) +
               ",\"start\":" + std::to_string(l.startTenths) + ",\"effect\":" + std::to_string(l.effectTenths) +
               ",\"timer\":" + std::to_string(l.timerTenths) + ",\"pause\":" + (l.pause ? "true" : "false") +
               ",\"autoreverse\":" + (l.autoreverse ? "true" : "false") + "}";
    }
    return out + "],\"total\":" + std::to_string(timeline.totalTenths()) + "}\n";
}

int runTimeline(const CommandLine& line) {
    int from = 1;
    if (const std::optional<std::string> fromText = line.value("from")) {
        const std::optional<int> parsed = parseStartLine(*fromText);
        if (!parsed) return line.usageError("--from takes a line number from 1 to 999, not '" + *fromText + "'");
        from = *parsed;
    }
    auto doc = std::make_unique<CVistrelDoc>();
    if (!readShowForCommand(*doc, line.positional(0), readingSettings(line))) return 1;
    if (from > std::max(doc->lineCount, 1)) {
        return line.usageError("--from " + std::to_string(from) + ": the show has " + std::to_string(doc->lineCount) +
                               " lines");
    }
    const ShowTimeline timeline =
        ShowTimeline::build(std::span(doc->lines.data(), static_cast<std::size_t>(doc->lineCount)), from);
    return printResult(line.has("json") ? timelineJson(timeline) : timelineText(timeline)) ? 0 : 1;
}

const CommandRegistration lengthCommand{{
    .name = "length",
    .positionals = {"FILE"},
    .options = withShowReadingOptions(
        {rowsOption(), switchOption("json", "print {\"showLength\": A, \"selectedLength\": S, \"playingTime\": P} "
                                            "in tenths of a second instead (A is -1 for a show with a pause)")}),
    .summary = "Reads the show FILE as \"Öffnen\" reads it and prints what the dialog \"Schaulänge\" shows: "
               "the length of the whole show and of the ROWS, as HH:MM:SS. A show with a pause has no length "
               "and shows 00:00:00.",
    .notes = "",
    .exitCodes = showFileExitCodes(),
    .run = runLength,
}};

const CommandRegistration scaleCommand{{
    .name = "scale",
    .positionals = {"IN", "OUT"},
    .options = withShowReadingOptions(
        {valueOption("length", "HH:MM:SS", "the new length, as typed into the dialog \"Show skalieren\""),
         valueOption("to-audio", "FILE",
                     "the new length is the length of the music FILE in whole seconds, as the dialog's button "
                     "\"Musiklänge übernehmen\" fills it in; without --rows it is music time: a run from line 1 "
                     "as \"vistrel-cli timeline\" has it, the waits at pause lines not counted, so that a show "
                     "with pauses is fitted too (their timers of 0 stay)"),
         rowsOption()}),
    .summary = "Reads the show IN and runs \"Diaschau skalieren\" on it with the dialog answered with the "
               "--length, or with the length of the music given with --to-audio (exactly one of the two): the timers are stretched or shrunk so that the show, or only the ROWS when given, "
               "runs that long. When the scaling ends without a message, OUT is written (also when nothing "
               "changed). A message (a pause in the show, a length that is not allowed, timers that would "
               "pass 600 s) goes to stderr, and OUT is not written. For a length that is not allowed it names "
               "the shortest and the longest one that are: every timer above 0 keeps at least 0.1 s.",
    .notes = "",
    .exitCodes = {{0, "OUT written"},
                  {1, "a message was shown (also when no line has a timer to scale), or a file could not be read or "
                      "written, or the music has no length (German message on stderr)"},
                  {2, "usage error"}},
    .run = runScale,
}};

const CommandRegistration timelineCommand{{
    .name = "timeline",
    .positionals = {"FILE"},
    .options = withShowReadingOptions(
        {valueOption("from", "N", "the line the run starts from (default 1)"),
         switchOption("json", "print one JSON object instead: {\"lines\": [...], \"total\": TENTHS}, one object "
                              "per line with \"line\", \"slide\", \"start\", \"effect\", \"timer\" (numbers) and "
                              "\"pause\", \"autoreverse\" (true or false)")}),
    .summary = "Reads the show FILE and lists the lines in the order a run from line N visits them, up to the end "
               "of the show or an autoreverse line, with their times as the rehearsal and the projector run them: "
               "one line per program line with NNN, SLIDE, START, EFFECT, TIMER and FLAGS separated by tabs, then "
               "the line \"total\", a tab and TENTHS. Times are in tenths of a second: EFFECT is the time before the timer starts "
               "(the dissolve or light function), START is counted from the start line without the waits at pause "
               "lines. FLAGS is P for a pause line, A for the autoreverse line that ends the run, - for none.",
    .notes = "For a show without pauses and without slide number 0 whose codes come from the line editor, run "
             "from line 1, the total is the length \"vistrel-cli length\" prints. A line with slide number 0 "
             "differs: the length counts only its dissolve, while the projector runs its timer too (dark), and "
             "a line with slide number 0 and no times at all ends the run there.",
    .exitCodes = showFileExitCodes(),
    .run = runTimeline,
}};

}  // namespace

}  // namespace vistrel::cli
