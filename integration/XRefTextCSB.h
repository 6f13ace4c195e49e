#pragma once
// The text part of the selection suite, on the host's text selection. It
// also answers its selection extension (SelectionExt<XRefTextCSB>): it
// names the source-marker and cross-reference models, and puts the suite
// among the affected suites of their changes.
#include "host/CPMUnknown.h"
#include "host/SelectionMessage.h"
#include "integration/IXRefSelectionSuite.h"
#include <vector>

class XRefTextCSB : public CPMUnknown<IXRefSelectionSuite> {
public:
  using CPMUnknown::CPMUnknown;

  bool16 CanInsertSourceMarker() override;
  ErrorCode InsertSourceMarker(const PMString& name) override;
  bool16 IsSourceMarkerSelected() override;
  UIDList GetSelectedSourceMarkers() override;
  bool16 CanModifySourceMarker() override;
  ErrorCode ModifySourceMarker(const PMString& name, bool16 updateReferences) override;
  bool16 CanInsertCrossRef() override;
  ErrorCode InsertCrossRef(const IDFile& file, const PMString& marker, const PMString& formatName,
                           const PMString& format, bool16 hyperlink) override;
  bool16 IsCrossRefSelected() override;
  UIDList GetSelectedCrossRefs() override;
  bool16 CanModifyCrossRef() override;
  ErrorCode ModifyCrossRef(const IDFile& file, const PMString& marker, const PMString& formatName,
                           const PMString& format, bool16 hyperlink) override;
  bool16 CanUpdateCrossRefs() override;
  ErrorCode UpdateCrossRefs() override;
  bool16 CanConvertCrossRefsToText() override;
  ErrorCode ConvertCrossRefsToText() override;
  bool16 CanGetSelectionText() override;
  PMString GetSelectionText() override;
  bool16 HasTextSelection() override;
  ErrorCode GetTextSelection(UIDRef* story, int32* index) override;
  bool16 CanGoToSource() override;
  ErrorCode GoToSource() override;
  bool16 CanSelectCrossRef() override;
  ErrorCode SelectCrossRef() override;
  bool16 CanDeleteSourceMarkers() override;
  ErrorCode DeleteSourceMarkers() override;
  bool16 CanDeleteCrossRefs() override;
  ErrorCode DeleteCrossRefs() override;

  // The selection extension's notifications.
  void SelectionChanged(SelectionMessage*) {}
  void GetModelProtocols(std::vector<PMIID>* protocols);
  void HandleModelChange(SelectionMessage* message);
};
