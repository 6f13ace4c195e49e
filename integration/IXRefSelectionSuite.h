#pragma once
// What a user interface does with the current selection: whether an action
// is possible now, the action as undoable commands, and the source markers
// and cross-references selected. Queries answer a boolean, actions an error
// code (0 success). The slot order is fixed.
#include "host/IDFile.h"
#include "host/PMString.h"
#include "host/UIDList.h"
#include "integration/XRefSelectionID.h"

class IXRefSelectionSuite : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IXREFSELECTIONSUITE;

  virtual bool16 CanInsertSourceMarker() = 0;
  virtual ErrorCode InsertSourceMarker(const PMString& name) = 0;
  virtual bool16 IsSourceMarkerSelected() = 0;
  virtual UIDList GetSelectedSourceMarkers() = 0;
  virtual bool16 CanModifySourceMarker() = 0;
  virtual ErrorCode ModifySourceMarker(const PMString& name, bool16 updateReferences) = 0;
  virtual bool16 CanInsertCrossRef() = 0;
  virtual ErrorCode InsertCrossRef(const IDFile& sourceFile, const PMString& markerName, const PMString& formatName,
                                   const PMString& format, bool16 hyperlink) = 0;
  virtual bool16 IsCrossRefSelected() = 0;
  virtual UIDList GetSelectedCrossRefs() = 0;
  virtual bool16 CanModifyCrossRef() = 0;
  virtual ErrorCode ModifyCrossRef(const IDFile& sourceFile, const PMString& markerName, const PMString& formatName,
                                   const PMString& format, bool16 hyperlink) = 0;
  virtual bool16 CanUpdateCrossRefs() = 0;
  virtual ErrorCode UpdateCrossRefs() = 0;
  virtual bool16 CanConvertCrossRefsToText() = 0;
  virtual ErrorCode ConvertCrossRefsToText() = 0;
  virtual bool16 CanGetSelectionText() = 0;
  virtual PMString GetSelectionText() = 0;
  virtual bool16 HasTextSelection() = 0;
  virtual ErrorCode GetTextSelection(UIDRef* story, int32* index) = 0;
  virtual bool16 CanGoToSource() = 0;
  virtual ErrorCode GoToSource() = 0;
  virtual bool16 CanSelectCrossRef() = 0;
  virtual ErrorCode SelectCrossRef() = 0;
  virtual bool16 CanDeleteSourceMarkers() = 0;
  virtual ErrorCode DeleteSourceMarkers() = 0;
  virtual bool16 CanDeleteCrossRefs() = 0;
  virtual ErrorCode DeleteCrossRefs() = 0;
};
