#pragma once
// Advisory locks that keep two processes from writing one file at once. A
// command that reads a document and writes it back takes the document's
// lock before it reads and holds it until it ends, so a second writer waits
// for it rather than overwriting its change unseen. The lock is a file
// beside the target, ".NAME.xref-lock", locked with flock and holding the
// id of the process that holds it; it is removed when released.
#include <string>

namespace FileLock {
// Takes the lock of the file `path` saves to (through its links), waiting
// up to WaitMillis for another holder; false with a message naming the file
// and the process that holds it. Taking a lock this process holds succeeds.
bool Acquire(const std::string& path, std::string* error);
// Gives the lock up (nothing when this process does not hold it).
void Release(const std::string& path);
bool Held(const std::string& path);
// The lock file of the target a save of `path` writes.
std::string LockName(const std::string& target);
// How long Acquire waits: 10 s unless $XREF_LOCK_WAIT_MS says otherwise.
int WaitMillis();
}  // namespace FileLock
