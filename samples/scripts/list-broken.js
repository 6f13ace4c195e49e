// Lists the cross-references whose source marker cannot be found, with the
// story text around them and the reason.
for (var d = 0; d < app.documents.length; d++) {
  var doc = app.documents[d];
  var broken = 0;
  for (var i = 0; i < doc.crossReferences.length; i++) {
    var x = doc.crossReferences[i];
    if (!x.sourceBroken) continue;
    broken++;
    print(doc.name + ": cross-reference " + (i + 1) + " to \"" + x.sourceMarkerName + "\" at " + x.index + ": " +
          x.sourceState);
  }
  print(doc.name + ": " + broken + " of " + doc.crossReferences.length + " cross-references broken");
}
