#pragma once
// A far end for ScriptedSerialPort that plays a projector from a script: it echoes
// every command byte, answers the status query with a chosen letter, answers AZ with
// the next of a list of replies (the last one repeats) and LZ:n from a table, and
// keeps the text commands it received. For the cases the virtual projector does not
// produce by itself, such as a projector that names the line before a jump's target.
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/projector/ScriptedSerialPort.h"

namespace vistrel::test {

struct ProjectorScript {
    char status = 'v';
    std::deque<std::string> azReplies{"0"};
    std::map<int, std::string> lzReplies;  // by line number; missing lines give a plain line
    std::vector<std::string> commands;     // every text command received, without CR
    std::string pending;
    // Bytes whose echo comes back wrong (one more): the command they begin is lost.
    std::string garbledEchoes;
};

inline ScriptedSerialPort::Responder scriptedProjector(std::shared_ptr<ProjectorScript> script) {
    return [script](std::uint8_t byte, std::deque<std::uint8_t>& input) {
        if (byte == 0xE1) {
            input.push_back(static_cast<std::uint8_t>(script->status));
            return;
        }
        if (script->garbledEchoes.find(static_cast<char>(byte)) != std::string::npos) {
            input.push_back(static_cast<std::uint8_t>(byte + 1));
            return;
        }
        input.push_back(byte);
        if (byte != '\r') {
            script->pending.push_back(static_cast<char>(byte));
            return;
        }
        const std::string text = script->pending;
        script->pending.clear();
        script->commands.push_back(text);
        std::string reply;
        bool replies = false;
        if (text == "AZ") {
            replies = true;
            reply = script->azReplies.front();
            if (script->azReplies.size() > 1) script->azReplies.pop_front();
        } else if (text.rfind("LZ:", 0) == 0) {
            replies = true;
            const int line = std::stoi(text.substr(3));
            const auto found = script->lzReplies.find(line);
            char plain[32];
            std::snprintf(plain, sizeof plain, "%03d 001 010 0020 000", line);
            reply = found != script->lzReplies.end() ? found->second : plain;
        }
        if (!replies) return;
        for (char c : reply) input.push_back(static_cast<std::uint8_t>(c));
        input.push_back('\r');
        input.push_back('\n');
    };
}

}  // namespace vistrel::test
