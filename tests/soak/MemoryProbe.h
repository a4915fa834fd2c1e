#pragma once
// Memory figures of this process, in kibibytes (0 when they cannot be read).

// The peak resident memory so far.
long PeakMemoryKiB();
// The resident memory now.
long ResidentMemoryKiB();
// What the heap holds in live allocations now: grows with a leak even when freed pages keep the
// resident figure flat, and stays flat when only the allocator's slack grows.
long HeapInUseKiB();

// The two figures the run compares between two moments.
struct MemorySample {
    long peakKiB = 0;
    long heapKiB = 0;

    static MemorySample Now() { return {PeakMemoryKiB(), HeapInUseKiB()}; }
};
