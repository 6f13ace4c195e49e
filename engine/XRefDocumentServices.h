#pragma once
// What the document responder does for each document signal. Every step
// stops quietly at a missing object; none refuses the host's signal.
#include "host/UIDRef.h"

namespace XRefDocumentServices {
// A new or opened document: its idle task starts and its selection
// observer attaches to the active selection.
void Start(const UIDRef& doc);
// A document about to close: its idle task stops, its observer detaches.
void Stop(const UIDRef& doc);
// An opened document: all its cross-references are queued, and in every
// other open document those whose source lies in another file.
void QueueOnOpen(const UIDRef& doc);
// After a close: the external cross-references of every open document.
void QueueExternalEverywhere();
// Before a save: a document holding no source marker and no cross-reference
// is not claimed by the plug-in, so it opens where the plug-in is missing.
void WithdrawClaimIfUnused(const UIDRef& doc);
// Before a save under a new file: the external cross-references take their
// paths relative to that file, so that the document finds its sources again
// when it is moved together with them.
void RelateSourcePaths(const UIDRef& doc);
}  // namespace XRefDocumentServices
