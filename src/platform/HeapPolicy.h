#pragma once
// How the C library's allocator treats memory the program frees, set once by main()
// before any thread starts.
//
// Qt's PDF engine compresses every page it writes through two 16 MB buffers that it
// frees at once. Left to itself the allocator gives that memory back to the system
// after every page and takes it again for the next one; each give-back makes every
// core running one of our threads flush its address tables, which took a sixth of an
// export's processor time and held up the one thread that writes the file. Freed heap
// of up to 64 MB is kept for reuse instead; blocks over 32 MB are still mapped on their
// own and given back when freed. Only the pages a buffer touched stay resident.
//
// True when the allocator took the policy (false under an allocator of a sanitizer).
bool Keep_Freed_Heap_For_Reuse();
