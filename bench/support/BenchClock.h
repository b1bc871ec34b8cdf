#pragma once

// CPU time is what the benchmarks decide on: on a machine busy with other work it varies far
// less than the wall clock.
namespace BenchClock {

// User and system time of the whole process (every thread), in milliseconds.
double processCpuMs();
// The same for the calling thread only.
double threadCpuMs();
// A monotonic wall clock, in milliseconds.
double wallMs();
// Resident memory of the process `pid` (by default this one), in KiB (VmRSS).
long residentKiB(long pid = 0);

} // namespace BenchClock
