#pragma once
// The projector's 64 KiB working memory and the fixed places the program looks at:
// the descriptor at 160 (bytes 2 and 3: show start, high byte first), the version
// pointer at 202 (high byte first) and the 5-byte version text it points to.
// Addresses are 16 bits wide and wrap around at the end of memory.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/ShowRecord.h"

namespace vistrel::sim {

constexpr std::uint16_t DescriptorAddress = 160;
constexpr int DescriptorSize = 10;
constexpr std::uint16_t VersionPointerAddress = 202;
// Where this projector keeps its version text. Its high byte (0x01) needs escaping.
constexpr std::uint16_t VersionTextAddress = 0x0120;
constexpr int VersionTextSize = 5;
constexpr int MemorySize = 0x10000;

class ProjectorMemory {
public:
    ProjectorMemory(std::uint16_t showStart, const std::string& versionText);

    std::uint8_t read(std::uint16_t address) const { return bytes_[address]; }
    void write(std::uint16_t address, std::uint8_t value) { bytes_[address] = value; }

    // Read from the descriptor, so that a program that rewrites it is followed.
    std::uint16_t showStart() const;
    std::uint16_t recordAddress(int index) const;

    // index 0 .. MaxShowRecords-1.
    ShowRecord record(int index) const;
    void setRecord(int index, const ShowRecord& record);
    // The records before the first end record.
    std::vector<ShowRecord> showRecords() const;
    // Clears the whole show area, then stores the records followed by an end record.
    void loadShow(const std::vector<ShowRecord>& records);

private:
    std::array<std::uint8_t, MemorySize> bytes_{};
};

}  // namespace vistrel::sim
