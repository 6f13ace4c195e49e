#pragma once
// Writes documents as the plug-in's data versions 1.0 and 1.1 stored them,
// starting from a document made with the current version: the records of
// the implementations that changed are written in their old layouts.
//   1.1: a cross-reference is its source-marker name, one source path (a
//        PMString), format name, format mark-up, start and end marker; no
//        update time.
//   1.0: as 1.1, and a source marker is its name alone (no time); the
//        document keeps no source-marker list; character attributes of
//        cross-references carry a stored attribute report.
#include "headless/database/DataBase.h"
#include <string>
#include <vector>

struct OldDocumentOptions {
  int32 version = 100;        // 100 (1.0) or 101 (1.1); any other number is written as given
  std::string crossRefPath;   // the one source path every cross-reference gets
  int32 attributeReports = 2; // 1.0: how many attribute-report records to add
  bool rewriteRecords = true; // false: only the header says the version
};

// The file's bytes.
std::string OldDocumentBytes(DataBase& db, const OldDocumentOptions& options);
bool WriteOldDocument(DataBase& db, const OldDocumentOptions& options, const std::string& path);

// Records of a file: the payload (after the UID, class and implementation)
// of each implementation record of the implementation; and the plug-in data
// versions of its header.
std::vector<std::string> ImplementationRecords(const std::string& fileBytes, uint32 impl);
int32 StoredDataVersion(const std::string& fileBytes, uint32 plugin);
// The two source paths of a cross-reference record of the current layout.
std::vector<std::string> CrossRefRecordPaths(const std::string& payload);
