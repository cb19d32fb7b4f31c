#pragma once
// The slot for the plug-in memory module and what ML (module → working memory) and
// MS (working memory → module) find there. Each operation gives the status letter
// the projector reports once it is done: "w" done, "x" no module, "y" module too
// small, "z" no show data in the module (ML) or the module cannot store (MS).
#include <vector>

#include "sim/ProjectorMemory.h"
#include "sim/ProjectorOptions.h"

namespace vistrel::sim {

class ModuleSlot {
public:
    explicit ModuleSlot(ModuleState state);

    char load(ProjectorMemory& memory) const;
    char store(const ProjectorMemory& memory);

    ModuleState state() const { return state_; }
    // Records the module can hold; 0 when there is no usable module.
    int capacity() const;
    const std::vector<ShowRecord>& contents() const { return contents_; }
    void setContents(std::vector<ShowRecord> records) { contents_ = std::move(records); }

private:
    ModuleState state_;
    std::vector<ShowRecord> contents_;
};

}  // namespace vistrel::sim
