#include "cli/DocumentSource.h"
#include "cli/CrossRefs.h"
#include "cli/NativeCrossRefs.h"
#include "cli/SourceMarkers.h"
#include <filesystem>

DataBase* BuildDescribedDocument(Application& app, const std::string& descriptionPath, std::string* error,
                                 std::vector<Placeholder>* unplaced, std::vector<std::string>* warnings) {
  nlohmann::json description;
  if (!ReadDescription(descriptionPath, &description, error)) return nullptr;
  DataBase* doc = app.NewDocument();
  std::vector<Placeholder> placeholders;
  const std::string folder = std::filesystem::absolute(descriptionPath).parent_path().string();
  // Building is not something to undo: nothing records it, and the
  // history starts empty.
  doc->SetHistoryOff(true);
  const bool built =
      BuildDocument(description, doc, &placeholders, error) && SetDocumentFormats(doc, description, error) &&
      PlaceSourceMarkers(doc, &placeholders, error) && PlaceCrossRefs(doc, &placeholders, folder, error, warnings) &&
      SetBasicFormats(doc, description, error) && PlaceNativeCrossRefs(doc, &placeholders, error);
  doc->SetHistoryOff(false);
  if (!built) {
    *error = descriptionPath + ": " + *error;
    app.CloseDocument(doc);
    return nullptr;
  }
  if (unplaced) *unplaced = std::move(placeholders);
  if (warnings)
    for (std::string& warning : *warnings) warning = descriptionPath + ": " + warning;
  doc->SetModified(false);
  return doc;
}

DataBase* OpenOrBuildDocument(Application& app, const std::string& path, std::string* error) {
  const std::string suffix = ".json";
  if (path.size() > suffix.size() && path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0)
    return BuildDescribedDocument(app, path, error);
  return app.OpenDocument(path, error);
}
