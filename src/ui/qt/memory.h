#pragma once

// Large buffers (pictures at a big scale, the sounds) are handed back to the
// system when freed. By default the C library raises its threshold for that to the largest
// buffer freed so far, after which such buffers come from the heap, whose freed middle is
// never given back: each window size the player tries then stays in the resident memory.
// The helper threads share the main heap. Called first thing in main().
void returnLargeBuffersToTheSystem();
