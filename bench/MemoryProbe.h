#pragma once

// Resident memory of this process, for the benchmarks' memory reports (Linux /proc).
namespace bench {

long residentKb();
// Peak resident size since the last resetPeak() (VmHWM).
long peakKb();
// Makes the current resident size the new peak, so that building the test data does
// not count (writing 5 to clear_refs); false when the system refuses.
bool resetPeak();

} // namespace bench
