#pragma once
// Work split into bands on a pool the caller owns. Nothing here starts a thread or
// keeps a pool of its own.
#include <functional>

class QThreadPool;

// Runs run(0) ... run(bands - 1), each once, and returns when all have finished. With a
// pool, idle threads of the pool take bands (never more than it has free: no band is
// queued behind other work) while the calling thread takes bands itself, so a caller
// that is one of the pool's own workers cannot deadlock. Without a pool every band runs
// on the calling thread, in order. An exception thrown by a band (the first one, on
// whichever thread) comes out of the call once every band has ended.
void Run_In_Bands(int bands, QThreadPool *pool, const std::function<void(int)> &run);
