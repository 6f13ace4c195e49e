// Renames the format "Page" to "Page Number" and gives it new mark-up; the
// cross-references that use it take the new name and mark-up and are
// composed again, as renaming it in the formats dialog would.
var OLD_NAME = "Page", NEW_NAME = "Page Number", MARKUP = "p. <pagenum/>";
for (var d = 0; d < app.documents.length; d++) {
  var doc = app.documents[d];
  var format = doc.formats.item(OLD_NAME);
  if (format === null) {
    print(doc.name + ": no format \"" + OLD_NAME + "\"");
    continue;
  }
  format.formatName = NEW_NAME;
  format.formatDefinition = MARKUP;
  var users = 0;
  for (var i = 0; i < doc.crossReferences.length; i++) {
    var x = doc.crossReferences[i];
    if (x.formatName !== NEW_NAME) continue;
    x.update();
    users++;
  }
  print(doc.name + ": \"" + OLD_NAME + "\" is now \"" + NEW_NAME + "\", used by " + users + " cross-references");
}
