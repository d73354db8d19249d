#pragma once
// Hands the heap's free memory back to the system. A long-running reader that has just let go of
// a large document (a status file may hold 16 MiB) would otherwise keep it: the C library raises
// its threshold for mapping large blocks apart after freeing one, so the next large document comes
// from the heap, and a heap only shrinks from its top.
namespace host {

void giveBackFreeMemory();

}  // namespace host
