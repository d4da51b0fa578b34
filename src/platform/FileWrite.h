#pragma once
#include <QByteArray>
#include <QSet>
#include <QString>
#include <mutex>
#include <utility>
#include <vector>

struct stat;

// The file-system calls that put written files in place, passed in so that a test can
// make any of them fail. Paths are in the file system's encoding.
class File_Write_System
{
public:
    virtual ~File_Write_System() = default;
    virtual bool rename(const QByteArray &from, const QByteArray &to) const;
    // A rename that never replaces a file at `to` (false then).
    virtual bool putBack(const QByteArray &from, const QByteArray &to) const;
    virtual bool remove(const QByteArray &path) const;
    // Makes the names in the folder last (fsync of the folder).
    virtual void syncFolder(const QByteArray &folder) const;
    // The status of what is at the path, a link not followed (lstat); false when it cannot
    // be asked. A test stands in for a disk mounted again under another device number.
    virtual bool status(const QByteArray &path, struct stat &st) const;
    // Takes an exclusive advisory lock (flock) on the open folder, waiting for another
    // holder; false when the file system refuses such locks.
    virtual bool lockFolder(int folder) const;

protected:
    // putBack on a file system without RENAME_NOREPLACE: a second name, then the first
    // goes (remove); a rename only while `to` is free when there are no hard links.
    bool putBackByLink(const QByteArray &from, const QByteArray &to) const;
};

// The folders a run of writes has cleared of leftovers (below): a run that writes many
// files into one folder clears it at its first write only, not at every one. Any thread.
class File_Write_Sweep
{
public:
    // True the first time the folder is named.
    bool First(const QString &folder);

private:
    std::mutex m_mutex;
    QSet<QString> m_done;
};

// What a symbolic link at a written path gets: written through to the file it points to
// (a file the user chose by name, as an editor does), or replaced by the written file
// (the files of a run, put in their folder under their names).
enum class File_Link { Write_Through, Replace };

// Writes the bytes to the path whole: a temporary file beside it, then a rename over
// the old file, so a failed write never leaves a half-written file. The file gets the
// given permissions (octal, e.g. 0600 or 0644); the temporary file is owner-only from
// its creation. Returns false on failure: a file name longer than the folder's file
// system holds fails before anything is made.
//
// The writer's own files beside a file are named
// "<name>.~dozo-<n|k|j>-<system>-<process id>-<seconds since 1970>-<6 random>" (in hex,
// <system> File_Write_Tag of this system; "n" the new bytes before they are put in
// place, "k" an old file kept aside until its set is in place, "j" the record of a set
// of several files, naming its files, written before the first is put in place);
// without "<name>" when that would not fit the file system. A process killed in a write
// leaves them behind: every write first clears such leftovers from its folders once
// their writer is certainly gone, that is when it is a process of this system that no
// longer runs, or when the file system last changed the file more than a day ago
// (another desk sharing the folder; the time in the name is not trusted). A set whose
// record is left is undone when some of its new bytes were not in place yet (its kept
// files go back, over the set's own new bytes only, and a file new to the folder is
// removed), else its kept files are removed; a repair killed at any step is finished by
// the next. A file is judged by the bytes it holds, not by where it sits: the record
// names each new file's size and File_Write_Hash, and a name holds the set's new file
// when it holds those bytes, whatever file holds them (a copy, a restore, another disk
// number). A kept file is removed only when its name holds the set's new bytes (the set
// finished) or the kept file's own bytes (put back already); one whose name holds
// anything else, and one found without its record, stay (the hand rule is the user's).
//
// A record is acted on only when a desk of this user wrote it: it carries an HMAC-SHA-256
// of its file name and its text made with the key of the data folder (Write_Record_Key),
// and no device or inode number, so that a record copied or restored with its card, or
// on a disk mounted again under another number, repairs that card where it is;
// it is a regular file of the running user with one link (a record left with a second
// name, a temporary of its writer, by a put-back killed on a file system without
// RENAME_NOREPLACE loses that name first), at most 64 KiB, well formed, and names
// only files of its own folder, each temporary and kept file of the record's writer and
// made from its target's name. Any other record is left, with every file it names (so a
// set spanning folders, through links, is not repaired: its kept files stay), and so are
// the sets of desks with another data folder. A record is put in place whole (written
// beside it, then renamed to its name), so a writer killed while writing it leaves no
// record, only a temporary file that the next write removes. The repair moves and removes
// only regular files of the running user. A kept file goes back only as a regular file,
// never over a file put there since, even between the repair's check and its move.
// `links`: what a symbolic link at the path gets (File_Link). A link is written through only
// where the kernel would follow it for this user (fs.protected_symlinks): the user's own,
// or in a folder that is not both sticky and writable by others, or the folder's owner's;
// another user's link in a shared folder such as /tmp fails the write, nothing written.
// On failure `error` gets the system's error number of the step that failed (errno:
// ENOSPC, EACCES, ...; EPERM for such a link; 0 when there is none to tell).
bool Write_File_Whole(const QString &path, const QByteArray &bytes, int permissions = 0644,
                      File_Write_Sweep *sweep = nullptr, File_Link links = File_Link::Write_Through,
                      int *error = nullptr);

// Writes every file whole, or leaves all of them as they were: each file is written to
// a temporary file beside it first, then (after the set's record is flushed in each of
// its folders) all are put in place, an old file (but the last one's) renamed aside
// first; when one cannot be written or put in place, those put in place before it are
// taken back: a file written over gets its old file again, a new one is removed. The
// kept files and the records are removed once the whole set is in place and the folders
// are synced. `failed` gets the index of the file that failed, `error` the system's error
// number of the step that failed (as Write_File_Whole). False on failure. With a
// `sweep`, a folder it has cleared already is not cleared again.
//
// One set at a time per folder: once its new bytes are written beside their names, a
// write holds an exclusive advisory lock on each of its folders (the folder itself, so no
// lock file is left beside the cards; each folder once, taken in the order of their
// device and inode numbers) while it clears leftovers, looks for old files to keep aside
// and puts its files in place, and a write of another desk or thread into one of them
// waits. A folder whose file system refuses such locks is written as without them.
bool Write_Files_Whole(const std::vector<std::pair<QString, QByteArray>> &files, int permissions = 0644,
                       int *failed = nullptr, const File_Write_System &system = File_Write_System(),
                       File_Write_Sweep *sweep = nullptr, File_Link links = File_Link::Write_Through,
                       int *error = nullptr);

// The hash that a set's record names each new file's bytes by, beside their size: XXH64
// with seed 0, fast and the same on every machine (the record's MAC proves the record is
// the desk's own and unchanged; the hash only tells the bytes apart).
quint64 File_Write_Hash(const QByteArray &bytes);

// The tag of a system in the writer's own names: 8 hex digits of a hash of the
// machine's id, the boot's id and the process table (the process id namespace), so
// that machines cloned from one image, and containers or sandboxes with a process
// table of their own, are each another system.
QByteArray File_Write_Tag(const QByteArray &machine, const QByteArray &boot, const QByteArray &processes);
// This system's tag: /etc/machine-id (the host name when there is none),
// /proc/sys/kernel/random/boot_id and the link /proc/self/ns/pid.
QByteArray File_Write_This_System();

// What a file system shows of a file's mode (st_mode): the mode itself on one that keeps
// modes; a test stands in for one that does not (a share without Unix modes, which shows
// fixed ones whatever chmod does).
class File_Modes
{
public:
    virtual ~File_Modes() = default;
    virtual unsigned shown(unsigned mode) const { return mode; }
};

// The key that signs the writer's records, of the desks of this user that share the data
// folder: 32 random bytes in its "Write_Record_Key", owner-only (0600). Made on first use
// (and the data folder with it, 0700) beside its name and renamed to it only where no
// key is, so of desks starting together one key stands and all of them read it. What is
// there but no regular owner-only file of the running user of 32 bytes (readable by
// others, another user's, of another size, a folder, FIFO or link) is set aside, renamed
// to "Write_Record_Key.unusable-<time>", and a new key made (records signed with the old
// one are left, as another desk's), only in a data folder of the running user and by one
// desk at a time (a lock on the folder); key temporaries a minute old, of starts killed
// while making the key, are removed. A data folder whose file system does not keep a new
// key owner-only (its mode shows others' bits even after chmod) cannot keep a key private:
// no key is put there, and nothing is set aside again. Empty when there is no data folder,
// or it is not the user's and holds no key, or none can be made or kept private: records
// are then written unsigned, and so never acted on.
QByteArray Write_Record_Key(const QString &dataFolder, const File_Modes &modes = File_Modes());
// Write_Record_Key as the program starts (set aside, made or read once before any write),
// first removing the key temporaries a minute old of starts killed while making the key;
// when there is none, the log says so once (the data folder cannot keep a key private, or
// there is no key) and that a card whose writing is cut off between its files will not
// be repaired.
QByteArray Start_Write_Record_Key(const QString &dataFolder, const File_Modes &modes = File_Modes());

// The longest file name, in bytes, that the file system of the folder holds (255 on
// the usual ones; 255 too when the folder cannot be asked).
int File_Name_Max(const QString &folder);
