#!/usr/bin/env bash
# Checks that each folder of the headless host includes only the folders its
# layer may use, as the map at the top of docs/host.md says. Prints every
# include that breaks the map and fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

# The folders each facility may include, besides its own and host/.
allowed() {
  case $1 in
    objects) echo "" ;;
    database) echo "objects" ;;
    commands) echo "objects database" ;;
    text) echo "objects database commands" ;;
    layout) echo "objects database commands text" ;;
    hyperlinks) echo "objects database commands text" ;;
    drawing) echo "objects database commands text layout" ;;
    xml) echo "objects" ;;
    conversion) echo "objects database" ;;
    scripting) echo "objects" ;;
    selection) echo "objects database commands text" ;;
    actions) echo "objects" ;;
    application) echo "objects database commands text layout hyperlinks drawing conversion xml scripting selection actions" ;;
    *) echo "?" ;;
  esac
}

status=0
for dir in headless/*/; do
  layer=$(basename "$dir")
  ok=$(allowed "$layer")
  if [ "$ok" = "?" ]; then
    echo "$dir: a folder the map does not name"
    status=1
    continue
  fi
  while IFS= read -r line; do
    file=${line%%:*}
    target=$(echo "$line" | sed -n 's|.*#include "headless/\([a-z]*\)/.*|\1|p')
    [ -z "$target" ] || [ "$target" = "$layer" ] && continue
    case " $ok " in *" $target "*) continue ;; esac
    echo "$file: includes $target/, above its layer"
    status=1
  done < <(grep -rn '#include "headless/' "$dir" || true)
done
# The plug-in sees the host only through host/.
if grep -rln '#include "headless/' format model commands engine integration host 2>/dev/null; then
  echo "plug-in or host/ files above include headless/"
  status=1
fi
exit $status
