# Sourced by the shell tests: a work folder removed on exit, and the checks they share.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
exec 3>&2  # the failure message gets through whatever a checked command's streams are redirected to
fail() { echo "FAIL: $*" >&3; exit 1; }
# exits CODE COMMAND...: the command exits with CODE.
exits() { local want=$1 code=0; shift; "$@" || code=$?; [ "$code" = "$want" ] || fail "$* exited $code, not $want"; }
is_png() { [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ]; }
