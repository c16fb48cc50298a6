#pragma once

// Every operator new of a benchmark program that links this is counted, so a benchmark can show
// that a hot path allocates nothing: the count before and after it.
long AllocationsSoFar();
