#include "sim/VirtualProjector.h"

#include <algorithm>
#include <cstdio>

#include "sim/TextCommand.h"

namespace vistrel::sim {

namespace {

constexpr std::uint8_t CarriageReturn = 0x0D;
constexpr std::uint8_t LineFeed = 0x0A;
constexpr std::size_t MaxCommandLength = 32;

}  // namespace

VirtualProjector::VirtualProjector(ProjectorOptions options)
    : options_(std::move(options)),
      memory_(options_.showStart, options_.firmware),
      runner_(memory_, options_.speed),
      module_(options_.module) {
    options_.speed = std::max(1, options_.speed);
    if (options_.preloadDemoShow) memory_.loadShow(demoShow());
}

void VirtualProjector::setMemory(std::uint16_t address, const std::vector<std::uint8_t>& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) memory_.write(static_cast<std::uint16_t>(address + i), bytes[i]);
}

// ---------------------------------------------------------------- time

void VirtualProjector::advanceTo(std::int64_t nowMs) {
    nowMs_ = std::max(nowMs_, nowMs);
    runner_.advanceTo(nowMs_);
    if (moduleOperation_ != ModuleOperation::None && nowMs_ >= moduleDoneMs_) {
        moduleResult_ = moduleOperation_ == ModuleOperation::Load ? module_.load(memory_) : module_.store(memory_);
        moduleOperation_ = ModuleOperation::None;
    }
    dropPartialInputIfStale();
}

void VirtualProjector::dropPartialInputIfStale() {
    if (inCommandMode()) return;
    if (nowMs_ - lastInputMs_ > PartialInputTimeoutMs) resetToCommandMode();
}

void VirtualProjector::resetToCommandMode() {
    frame_.reset();
    text_.clear();
    textOverflow_ = false;
}

char VirtualProjector::statusLetter() const {
    const bool moduleBusy = moduleOperation_ != ModuleOperation::None;
    if (nowMs_ < homingUntilMs_ || moduleBusy || nowMs_ < busyUntilMs_) return 'B';
    if (moduleResult_ != 0) return moduleResult_;
    if (runner_.running()) return 'v';
    return 'R';
}

// ---------------------------------------------------------------- output

bool VirtualProjector::hasOutput(std::int64_t nowMs) const {
    return !output_.empty() && output_.front().dueMs <= nowMs;
}

std::optional<std::uint8_t> VirtualProjector::takeOutput(std::int64_t nowMs) {
    if (!hasOutput(nowMs)) return std::nullopt;
    const std::uint8_t byte = output_.front().byte;
    output_.pop_front();
    return byte;
}

void VirtualProjector::send(std::uint8_t byte) {
    if (options_.silent) return;
    ++sendCount_;
    if (options_.dropEvery > 0 && sendCount_ % options_.dropEvery == 0) return;
    output_.push_back({byte, nowMs_});
}

void VirtualProjector::echo(std::uint8_t byte) {
    ++echoCount_;
    if (options_.badEchoAfter > 0 && echoCount_ > options_.badEchoAfter) {
        send(static_cast<std::uint8_t>(byte + 1));
    } else {
        send(byte);
    }
}

void VirtualProjector::reply(const std::string& text) {
    for (char c : text) send(static_cast<std::uint8_t>(c));
    send(CarriageReturn);
    send(LineFeed);
}

// ---------------------------------------------------------------- input

void VirtualProjector::receive(std::uint8_t byte, std::int64_t nowMs) {
    advanceTo(nowMs);
    lastInputMs_ = nowMs_;
    if (frame_) {
        const bool taken = frame_->take(byte);
        if (frame_->finished()) frame_.reset();
        if (taken) return;
    }
    handleCommandByte(byte);
}

void VirtualProjector::handleCommandByte(std::uint8_t byte) {
    if (byte == StatusQueryByte) {
        send(static_cast<std::uint8_t>(statusLetter()));
        return;
    }
    if (text_.empty() && byte <= 0x02) {
        frame_.emplace(memory_, byte, static_cast<FrameSink&>(*this));
        return;
    }
    echo(byte);
    if (byte == CarriageReturn) {
        const std::string text = text_;
        const bool overflow = textOverflow_;
        text_.clear();
        textOverflow_ = false;
        commandLog_.push_back(text);
        if (const auto command = TextCommand::parse(text); command && !overflow) {
            execute(command->name, command->argument);
        }
        busyUntilMs_ = nowMs_ + options_.busyMs;
        return;
    }
    // A bare line feed after a CR (a terminal sending CR LF) is not part of a command.
    if (text_.empty() && byte == LineFeed) return;
    if (text_.size() < MaxCommandLength) {
        text_.push_back(static_cast<char>(byte));
    } else {
        textOverflow_ = true;
    }
}

// ---------------------------------------------------------------- text commands

void VirtualProjector::execute(const std::string& name, std::optional<int> argument) {
    const int arg = argument.value_or(0);
    // The result of a module operation stands until the program moves on.
    moduleResult_ = 0;

    if (name == "PE") {
        pcMode_ = true;
    } else if (name == "PA") {
        // closes an operation; nothing to undo here
    } else if (name == "RS") {
        pcMode_ = false;
    } else if (name == "SL") {
        lampLevel_ = std::min(arg, 255);
    } else if (name == "GZ") {
        homingUntilMs_ = 0;
        runner_.start(arg, nowMs_);
    } else if (name == "AZ") {
        reply(std::to_string(runner_.currentLine()));
    } else if (name == "AB") {
        reply(runner_.running() ? "1" : "0");
    } else if (name == "LZ") {
        reply(lineReply(arg));
    } else if (name == "ST") {
        runner_.halt(nowMs_);
    } else if (name == "WE") {
        runner_.resume(nowMs_);
    } else if (name == "BV") {
        runner_.step(nowMs_);
    } else if (name == "EN") {
        runner_.stop();
        if (!isHoming()) homingUntilMs_ = nowMs_ + HomingMs / options_.speed;
    } else if (name == "SZ") {
        selectedLine_ = arg;
    } else if (name == "BN" || name == "DI" || name == "TI" || name == "SF") {
        changeSelectedRecord(name, arg);
    } else if (name == "ML" || name == "MS") {
        moduleOperation_ = name == "ML" ? ModuleOperation::Load : ModuleOperation::Store;
        moduleDoneMs_ = nowMs_ + ModuleOperationMs;
    }
    // MOT and unknown commands: echoed, nothing else.
}

void VirtualProjector::changeSelectedRecord(const std::string& name, int value) {
    if (selectedLine_ < 1 || selectedLine_ > MaxShowRecords) return;
    const int index = selectedLine_ - 1;
    ShowRecord record = memory_.record(index);
    if (name == "BN") {
        record.slide = static_cast<std::uint16_t>(value & 0xFFFF);
    } else if (name == "DI") {
        record.dissolveTenths = static_cast<std::uint8_t>(value & 0xFF);
    } else if (name == "TI") {
        record.timerHundredths = static_cast<std::uint16_t>((value * 10) & 0xFFFF);
    } else {
        record.special = encodeSpecialFunction(value);
    }
    memory_.setRecord(index, record);
}

std::string VirtualProjector::lineReply(int line) const {
    ShowRecord record;
    if (line >= 1 && line <= MaxShowRecords) record = memory_.record(line - 1);
    char text[64];
    std::snprintf(text, sizeof text, "%03d %03d %03d %04d %03d", line, int{record.slide}, int{record.dissolveTenths},
                  record.timerHundredths / 10, record.specialCode());
    return text;
}

}  // namespace vistrel::sim
