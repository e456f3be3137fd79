#pragma once

// Print jobs free and allocate large blocks for every page. By default the C library hands
// freed memory at the top of the heap back to the system and asks for it again a moment
// later, which made long jobs twice as slow; keeping a margin of it avoids that churn.
namespace Allocator {
void keepFreedMemory();
}
