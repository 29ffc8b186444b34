#!/usr/bin/env bash
# quarnis's command line, run without any display: each row gives the arguments, the expected
# exit status and a text that standard output or standard error must contain (or be, for
# "=" rows); --help and --version answer on standard output and leave standard error empty.
# Usage: command_line_test.sh QUARNIS VERSION
set -u
quarnis="$1"
version="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
failures=0

# run ENV ARGS...: runs quarnis with no display (plus ENV, "-" for none).
run() {
  local extra="$1"
  shift
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ${extra/#-/} "$quarnis" "$@" \
    > "$work/out" 2> "$work/err"
  echo $?
}

# check NAME ENV STATUS STREAM MATCH ARGS...: STREAM out or err; MATCH "=text" for the
# whole stream, otherwise a text it contains.
check() {
  local name="$1" extra="$2" want="$3" stream="$4" match="$5"
  shift 5
  local got
  got="$(run "$extra" "$@")"
  local text
  text="$(cat "$work/$stream")"
  local ok=1
  [ "$got" = "$want" ] || ok=0
  if [ "${match:0:1}" = "=" ]; then
    [ "$text" = "${match:1}" ] || ok=0
  else
    [[ "$text" == *"$match"* ]] || ok=0
  fi
  case " $* " in
  *" --help "* | *" -h "* | *" --help-all "* | *" --version "* | *" -v "*)
    [ -s "$work/err" ] && ok=0 ;;
  esac
  if [ $ok = 1 ]; then
    echo "ok: $name"
  else
    echo "FAIL: $name: status $got (want $want)"
    echo "  stdout: $(cat "$work/out")"
    echo "  stderr: $(cat "$work/err")"
    failures=$((failures + 1))
  fi
}

off="QT_QPA_PLATFORM=offscreen"
#     name                         env   status stream match                    arguments
check "--help"                     -     0      out    "--screenshot <dir>"     --help
check "--help lists startup-time"  -     0      out    "--startup-time"         --help
check "-h"                         -     0      out    "Usage:"                 -h
check "--help-all"                 -     0      out    "--version"              --help-all
check "--version"                  -     0      out    "=quarnis $version"      --version
check "-v"                         -     0      out    "=quarnis $version"      -v
check "--version after an option"  -     0      out    "=quarnis $version"      --startup-time --version
check "no display"                 -     1      err    "no display found"
check "unknown option"             $off  2      err    "Unknown option 'bogus'" --bogus
check "unexpected argument"        $off  2      err    "unexpected argument"    a.qgraf extra
check "--screenshot without dir"   $off  2      err    "Missing value"          --screenshot
check "--version with -platform"   -     0      out    "=quarnis $version"      -platform offscreen --version
check "--screenshot DIR"           $off  0      out    "calculator.png"         --screenshot "$work/shots"
for picture in calculator graph about; do
  [ -s "$work/shots/$picture.png" ] || { echo "FAIL: no $picture.png"; failures=$((failures + 1)); }
done

[ $failures = 0 ] || { echo "$failures failed"; exit 1; }
echo "all passed"
