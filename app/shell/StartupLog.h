#pragma once
// With QUILLET_STARTUP_LOG naming a file, start-up stages append their time since the process was
// created there, for the start-up benchmark's breakdown. Off (and free) without it.
namespace quillet {

void MarkStartupStage(const char* stage);

} // namespace quillet
