#pragma once
// The seam through which loading a file brings records stored by older data
// versions of a plug-in up to the loaded plug-in's version. The database
// layer only calls it; the conversion manager above implements it and the
// application installs it.
#include "host/IDTypes.h"
#include <string>

class RecordConversion {
public:
  enum Result { kKeep, kDrop, kFail };
  virtual ~RecordConversion() = default;
  // Whether the plug-in's data can be brought from version `from` to `to`
  // (major * 100 + minor); otherwise false with the reason.
  virtual bool CanConvert(PluginID plugin, int32 from, int32 to, std::string* why) = 0;
  // Rewrites one stored record of an implementation of the plug-in, in
  // place: its implementation and bytes may change. kDrop leaves it out.
  virtual Result Convert(PluginID plugin, int32 from, int32 to, ClassID cls, ImplementationID* impl,
                         std::string* bytes) = 0;
};

namespace DocumentFile {
// Null: files of older data versions are refused.
void SetRecordConversion(RecordConversion* conversion);
}  // namespace DocumentFile
