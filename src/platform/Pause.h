#pragma once

// The program's deliberate pauses (the splash window's second at start-up). Tests turn them
// off so that they run at full speed.
namespace Pause {
void sleepMs(int ms);
void setEnabled(bool enabled);
} // namespace Pause
