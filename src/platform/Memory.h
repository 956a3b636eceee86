#pragma once

// How the program's memory is kept.

namespace Platform {

// Makes every large block (a note's text, its copies on the way to the file) memory of its own
// that goes back to the system as soon as it is freed. Otherwise the C library may keep such
// blocks in its heap once one has been freed, and a note of many megabytes opened twice holds
// the memory of the first as well. Called once, at the start.
void ReturnLargeBlocksAtOnce();

}  // namespace Platform
