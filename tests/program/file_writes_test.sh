#!/usr/bin/env bash
# Files the program writes appear whole or not at all: a write that fails (a full disk, a file size
# limit, a missing folder) exits 1 with the system's reason, leaves no temporary file behind and
# leaves an existing file as it was. Output names are matched whatever their letter case.
# Usage: file_writes_test.sh PROGRAM
set -euo pipefail
program=$1
source "$(dirname "$0")/../shell_helpers.sh"

# expect_failure DIR MESSAGE-REASON COMMAND OUTPUT [ARGS...]: the command writing DIR/OUTPUT fails
# with "error: COMMAND: cannot write DIR/OUTPUT: REASON", and DIR holds what it held before.
expect_failure() {
  local dir=$1 reason=$2 command=$3 output=$4
  shift 4
  local before after code=0
  before=$(ls -A "$dir" 2> /dev/null; md5sum "$dir"/* 2> /dev/null || true)
  "$program" "$command" --sample "$@" -o "$dir/$output" 2> "$work/err" || code=$?
  after=$(ls -A "$dir" 2> /dev/null; md5sum "$dir"/* 2> /dev/null || true)
  [ "$code" -eq 1 ] || fail "$command -o $dir/$output exited $code: $(cat "$work/err")"
  [ "$(cat "$work/err")" = "error: $command: cannot write $dir/$output: $reason" ] \
    || fail "$command -o $dir/$output said: $(cat "$work/err")"
  [ "$before" = "$after" ] || fail "$command -o $dir/$output changed the folder: $after"
}

# Success: whole files, any letter case of the extension, nothing else left in the folder. A
# symbolic link at the target is replaced by the picture; the file it pointed to stays as it was.
mkdir "$work/good"
echo old > "$work/good/real.png"
ln -s real.png "$work/good/link.png"
exits 0 "$program" render --sample -o "$work/good/link.png"
[ ! -L "$work/good/link.png" ] && is_png "$work/good/link.png" || fail "link.png is not the picture: $(ls -l "$work/good")"
[ "$(cat "$work/good/real.png")" = old ] || fail "real.png was changed through the link"
"$program" render --sample -o "$work/good/w.PNG"
"$program" render --sample -o "$work/good/w.Svg"
"$program" render --sample -o "$work/good/w.pdf"
"$program" gallery --sample --scale 0.5 -o "$work/good/g.PNG"
[ "$(ls -A "$work/good" | tr '\n' ' ')" = "g.PNG link.png real.png w.PNG w.Svg w.pdf " ] || fail "left behind: $(ls -A "$work/good")"
[ "$(head -c 4 "$work/good/w.pdf")" = "%PDF" ] && tail -c 7 "$work/good/w.pdf" | grep -q '%%EOF' || fail "w.pdf is not whole"
grep -q '</svg>' "$work/good/w.Svg" || fail "w.Svg is not whole"
exits 2 "$program" gallery --sample -o "$work/good/g.jpg" 2> /dev/null

# A folder that does not exist.
expect_failure "$work/missing" "No such file or directory" render x.png
expect_failure "$work/missing" "No such file or directory" gallery x.png

# A file size limit: every write past it fails (EFBIG); the signal it also raises is ignored, as
# a shell passes an ignored signal on. The existing file stays as it was.
mkdir "$work/limited"
echo "the old file" > "$work/limited/x.png"
echo "the old file" > "$work/limited/x.pdf"
for case in "render x.png" "render x.pdf" "render x.svg" "gallery x.png"; do
  read -r command output <<< "$case"
  (
    trap '' XFSZ
    ulimit -f 4  # 4 KiB
    expect_failure "$work/limited" "File too large" "$command" "$output"
  ) || exit 1
done

# A full disk, when a small file system can be mounted (as root).
mkdir "$work/probe"
if unshare -m mount -t tmpfs -o size=64k tmpfs "$work/probe" 2> /dev/null; then
  export -f expect_failure fail
  export program work
  unshare -m bash -euo pipefail -c '
    mkdir "$work/full"
    mount -t tmpfs -o size=256k tmpfs "$work/full"
    echo "the old file" > "$work/full/x.pdf"
    dd if=/dev/zero of="$work/full/filler" bs=4k 2> /dev/null || true
    for case in "render x.pdf" "render x.png" "render x.svg" "gallery x.png"; do
      read -r command output <<< "$case"
      expect_failure "$work/full" "No space left on device" $command $output
    done
  '
else
  echo "no full disk tested: mounting a file system needs root"
fi
echo "written files are whole or absent"
