#pragma once
// String ids of the waits for the projector that the user sees and can end, and of
// what the search for the projector reports.
namespace vistrel::ids {
constexpr int ProjectorFoundOnPort = 3906;     // "Der Projektor antwortet an der Schnittstelle COM%d."
}  // namespace vistrel::ids
