#pragma once
// The text index of the visitor log, built beside the table a slice of visits at a time.
// Each slice is a short write transaction of its own, so another desk on the same data
// folder writes and reads between slices; a progress row in the database
// ("Visitor_Records_Search_Built": the index holds the visits whose ID is at most its
// `Upto`) lets another desk, a restart or a build cut off part-way (the process killed)
// go on where it stopped. While it is being built the triggers keep the visits up to
// `Upto` indexed and leave the rest to the slices, and the search reads without it; the
// last slice gives the triggers their lasting form and removes the progress row.
#include <QString>

#include <atomic>
#include <memory>
#include <optional>

struct sqlite3;

enum class Visitor_Text_Index_State {
    Current,            // whole, its triggers lasting, holding the newest visit
    Building,           // made part-way: the slices go on from the progress row
    Missing_Or_Behind,  // to be made anew
    Unknown             // no connection, or the database is locked
};
Visitor_Text_Index_State Read_Visitor_Text_Index_State(sqlite3 *db);

// Under the write lock: an index neither current nor being built is made anew, empty,
// with the progress row at 0. False (the reason logged) when it cannot be done.
bool Begin_Visitor_Text_Index(sqlite3 *db);

// What the index of the visits not yet in it (all of them when no build is under way)
// takes at most, in bytes: kVisitorTextIndexBytesPerTextByte for each byte of their
// searched texts (UTF-8) and kVisitorTextIndexBytesPerVisit for each visit (logs of
// 100,000 visits took 2.8 to 4.7 bytes per byte of text, 5.4 with names alone). Nullopt
// when the log cannot be read.
std::optional<qint64> Visitor_Text_Index_Bytes_Needed(sqlite3 *db);
constexpr qint64 kVisitorTextIndexBytesPerTextByte = 5;
constexpr qint64 kVisitorTextIndexBytesPerVisit = 16;
// What a build leaves free on the disk, for the desk's photos and exports.
constexpr qint64 kVisitorTextIndexSpareBytes = 64 * 1024 * 1024;
// Whether the disk's `freeBytes` and the free pages of the file hold what the index
// needs and kVisitorTextIndexSpareBytes besides (the reason logged when not). True when
// the log cannot be read: the build fails then as it would have.
bool Visitor_Text_Index_Fits(sqlite3 *db, qint64 freeBytes);

enum class Visitor_Text_Index_Slice { Whole, More, Failed };
// One slice in one write transaction: the next `rows` visits after `Upto` put into the
// index; when none are left after them, the index is made whole. Failed (nothing of it
// kept, the reason logged) when the transaction fails; Whole when no build is under way.
// A slice that fails for want of room (the disk or the connection's page limit full)
// also gives back the index built so far: the index, its triggers and the progress row
// are dropped, and their pages are left free in the file for the log's later visits (the
// file keeps its size: shrinking it would need room for a copy of the log).
Visitor_Text_Index_Slice Build_Visitor_Text_Index_Slice(sqlite3 *db, int rows);
// Whether at most `rows` visits are left to be indexed by the build under way.
bool Visitor_Text_Index_Left_Within(sqlite3 *db, int rows);

// How many visits one slice indexes: some 50 ms of work on a desktop, the longest
// another desk waits for the lock.
constexpr int kVisitorTextIndexSliceRows = 2000;
// The pause between two slices of a build, in which other desks take the lock.
constexpr int kVisitorTextIndexPauseMs = 20;

// A build running on a connection of its own on a thread of a pool, slice after slice,
// until the index is whole, a slice fails or it is told to stop. What the thread and its
// owner share; the owner reads it, the build writes it.
struct Visitor_Text_Index_Run {
    std::atomic<bool> stop{false};
    std::atomic<bool> running{true};
    std::atomic<bool> failed{false};
};
// The pages the file may reach while the index is built: those it has now and the
// disk's `freeBytes` but kVisitorTextIndexSpareBytes (what other desks add meanwhile
// counts too). Nullopt when the file cannot be read.
std::optional<qint64> Visitor_Text_Index_Page_Limit(sqlite3 *db, qint64 freeBytes);
// The build of the database at `path`, on the calling thread (the worker's body); with a
// `pageLimit` a slice that would make the file longer fails for want of room.
void Run_Visitor_Text_Index_Build(const QString &path, int busyTimeoutMs, int sliceRows,
                                  const std::shared_ptr<Visitor_Text_Index_Run> &run,
                                  std::optional<qint64> pageLimit = std::nullopt);
