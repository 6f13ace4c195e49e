#!/usr/bin/env bash
# Builds the program and runs the main job on the bundled sample.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build xref xref_plugin
export XREF_PREFS_DIR=${XREF_PREFS_DIR:-build/prefs}
build/xref sample --output build/sample
# The sample's pages as the user sees them: paragraph numbers, footnotes and
# page names (folios) as typeset, source markers shown.
build/xref render build/sample/sample.xrefdoc -o build/sample/sample.pdf --show-hidden
build/xref render build/sample/sample.xrefdoc -o build/sample/sample.png --all --show-hidden --scale 2

# Cross-references into another document: a book points at a heading of a
# chapter. Update and list them; then the chapter is revised so that the
# heading moves to another page, `xref check` finds the stale reference
# (exit 1), and an update mends it (check exits 0).
w=build/sample/workflow
rm -rf "$w" && mkdir -p "$w" && cp samples/workflow/*.json "$w"/
build/xref build "$w/chapter.json" -o "$w/chapter.xrefdoc"
build/xref build "$w/book.json" -o "$w/book.xrefdoc"
build/xref update "$w/book.xrefdoc" --in-place
build/xref list "$w/book.xrefdoc"
build/xref build "$w/chapter-revised.json" -o "$w/chapter.xrefdoc"
echo "After revising the chapter:"
if build/xref check "$w/book.xrefdoc"; then
  echo "xref check should have found the stale cross-reference" >&2
  exit 1
fi
build/xref update "$w/book.xrefdoc" --in-place
build/xref list "$w/book.xrefdoc"
build/xref check "$w/book.xrefdoc"

# A document made with the host's native cross-references moves to XRef's
# (the conversion log on standard error), and a script lists cross-references
# whose source is gone and renames a format, updating its users.
m=build/sample/migration
rm -rf "$m" && mkdir -p "$m"
build/xref build samples/migration/basic.json -o "$m/basic.xrefdoc"
build/xref list "$m/basic.xrefdoc"
build/xref migrate "$m/basic.xrefdoc" --to pro -o "$m/pro.xrefdoc" || [ $? -eq 1 ]
build/xref list "$m/pro.xrefdoc"
build/xref script "$m/pro.xrefdoc" samples/scripts/list-broken.js
build/xref script "$w/book.xrefdoc" samples/scripts/rename-format.js --in-place
build/xref list "$w/book.xrefdoc"
# A menu action without the user interface: update every cross-reference.
build/xref action "$w/book.xrefdoc" update-all --in-place

# Live updates: the text is edited and idle time brings cross-references up
# to date, pass by pass. A paragraph added in front of the introduction
# pushes it onto the next page and deleting it brings it back; a paragraph
# moved in front of the last one carries its source marker along.
l=build/sample/live
rm -rf "$l" && mkdir -p "$l" && cp build/sample/sample.xrefdoc "$l/"
added=$'A paragraph added in front, long enough to push the introduction onto the next page. It goes on for a while, and then some more, so that the heading has to move.\r'
build/xref edit "$l/sample.xrefdoc" --insert "0:0:$added" --in-place
build/xref edit "$l/sample.xrefdoc" --delete "0:0:${#added}" --in-place
build/xref edit "$l/sample.xrefdoc" --move-paragraph 0:8:0:12 --in-place

# Damage found by the check: the end marker of the first cross-reference is
# deleted by hand. Opened again, the cross-reference is taken out and its
# start marker's character stays bare; the check places that orphan, and
# deleting it there makes the document sound again.
o=build/sample/orphan
rm -rf "$o" && mkdir -p "$o"
first=$(build/xref list build/sample/sample.xrefdoc | head -n 1)
at=$(sed -n 's/^story 0:\([0-9]*\) .*/\1/p' <<<"$first")
text=$(sed -n 's/.* text "\([^"]*\)" source .*/\1/p' <<<"$first")
build/xref edit build/sample/sample.xrefdoc --delete "0:$((at + 1 + ${#text})):1" -o "$o/cut.xrefdoc"
build/xref check "$o/cut.xrefdoc" || [ $? -eq 1 ]
orphan=$( (build/xref check "$o/cut.xrefdoc" || true) | sed -n 's/.*story \([0-9]*\) at \([0-9]*\): orphan:.*/\1:\2/p')
build/xref edit "$o/cut.xrefdoc" --delete "$orphan:1" --in-place
build/xref check "$o/cut.xrefdoc" || [ $? -eq 1 ]
if (build/xref check "$o/cut.xrefdoc" || true) | grep -q 'orphan\|damaged'; then
  echo "deleting the orphan should leave no damage" >&2
  exit 1
fi

# A document back into its description, and built again: it describes the same.
e=build/sample/export
rm -rf "$e" && mkdir -p "$e"
build/xref export build/sample/sample.xrefdoc -o "$e/sample.json"
build/xref build "$e/sample.json" -o "$e/sample.xrefdoc"
if ! diff <(build/xref describe build/sample/sample.xrefdoc | tail -n +3) \
          <(build/xref describe "$e/sample.xrefdoc" | tail -n +3); then
  echo "the exported description should build the same document" >&2
  exit 1
fi
echo "exported and built again: the same description"
