#include "sim/ModuleSlot.h"

namespace vistrel::sim {

ModuleSlot::ModuleSlot(ModuleState state) : state_(state) {
    if (state_ == ModuleState::Present || state_ == ModuleState::Small) contents_ = demoShow();
}

int ModuleSlot::capacity() const {
    switch (state_) {
        case ModuleState::Present: return MaxShowRecords;
        case ModuleState::Small: return SmallModuleRecords;
        case ModuleState::Absent:
        case ModuleState::Empty: return 0;
    }
    return 0;
}

char ModuleSlot::load(ProjectorMemory& memory) const {
    if (state_ == ModuleState::Absent) return 'x';
    if (state_ == ModuleState::Empty || contents_.empty()) return 'z';
    memory.loadShow(contents_);
    return 'w';
}

char ModuleSlot::store(const ProjectorMemory& memory) {
    if (state_ == ModuleState::Absent) return 'x';
    if (state_ == ModuleState::Empty) return 'z';
    std::vector<ShowRecord> show = memory.showRecords();
    if (static_cast<int>(show.size()) > capacity()) return 'y';
    contents_ = std::move(show);
    return 'w';
}

}  // namespace vistrel::sim
