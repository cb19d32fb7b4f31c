#include "sim/ProjectorMemory.h"

namespace vistrel::sim {

ProjectorMemory::ProjectorMemory(std::uint16_t showStart, const std::string& versionText) {
    bytes_[DescriptorAddress + 2] = static_cast<std::uint8_t>(showStart >> 8);
    bytes_[DescriptorAddress + 3] = static_cast<std::uint8_t>(showStart & 0xFF);
    bytes_[VersionPointerAddress] = static_cast<std::uint8_t>(VersionTextAddress >> 8);
    bytes_[VersionPointerAddress + 1] = static_cast<std::uint8_t>(VersionTextAddress & 0xFF);
    for (int i = 0; i < VersionTextSize; ++i) {
        const char c = i < static_cast<int>(versionText.size()) ? versionText[i] : ' ';
        bytes_[VersionTextAddress + i] = static_cast<std::uint8_t>(c);
    }
}

std::uint16_t ProjectorMemory::showStart() const {
    return static_cast<std::uint16_t>((bytes_[DescriptorAddress + 2] << 8) | bytes_[DescriptorAddress + 3]);
}

std::uint16_t ProjectorMemory::recordAddress(int index) const {
    return static_cast<std::uint16_t>(showStart() + ShowRecordSize * index);
}

ShowRecord ProjectorMemory::record(int index) const {
    std::uint8_t raw[ShowRecordSize];
    const std::uint16_t base = recordAddress(index);
    for (int i = 0; i < ShowRecordSize; ++i) raw[i] = bytes_[static_cast<std::uint16_t>(base + i)];
    return ShowRecord::fromBytes(raw);
}

void ProjectorMemory::setRecord(int index, const ShowRecord& record) {
    const auto raw = record.toBytes();
    const std::uint16_t base = recordAddress(index);
    for (int i = 0; i < ShowRecordSize; ++i) bytes_[static_cast<std::uint16_t>(base + i)] = raw[i];
}

std::vector<ShowRecord> ProjectorMemory::showRecords() const {
    std::vector<ShowRecord> records;
    for (int i = 0; i < MaxShowRecords; ++i) {
        const ShowRecord r = record(i);
        if (r.isEndRecord()) break;
        records.push_back(r);
    }
    return records;
}

void ProjectorMemory::loadShow(const std::vector<ShowRecord>& records) {
    for (int i = 0; i < MaxShowRecords; ++i) setRecord(i, ShowRecord{});
    const int count = records.size() < MaxShowRecords ? static_cast<int>(records.size()) : MaxShowRecords;
    for (int i = 0; i < count; ++i) setRecord(i, records[i]);
}

}  // namespace vistrel::sim
