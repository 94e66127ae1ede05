#pragma once

// Advisory whole-file locks (flock) with a bounded wait, for files that running copies of the game share.

// Takes the lock on an open file: operation is LOCK_SH or LOCK_EX. Waits in the kernel's queue of waiters,
// which hands the lock over fairly even to a copy that works without pause, for at most `seconds`; false
// when the lock is still held elsewhere then. A file system that cannot lock at all gives true: such a file
// is used unlocked, as it always was. The lock goes with the file's last close.
bool lockFileWithin(int fd, int operation, double seconds);
