#!/usr/bin/env bash
# The release archives that scripts/build.sh makes: dist/Quilloria-<version>-x64.zip and -x86.zip
# hold exactly the two programs of their build and the read-me in a folder "Quilloria"; the
# programs carry the version of src/common/version.h and the PE flags Windows users expect (ASLR
# with a relocation table, DEP, high-entropy ASLR on x64, large address aware on x86); the
# read-me has CR LF line ends and names the version. The programs import only DLLs that Windows
# loads from its system folder, never a copy lying beside the program (comctl32 comes through the
# manifest's side-by-side assembly).
#
# Usage: tests/release/release_test.sh   (after scripts/build.sh x64 x86)
set -uo pipefail
cd "$(dirname "$0")/../.."

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

version=$(sed -n 's/^#define QL_VERSION_TEXT "\([0-9.]*\)".*/\1/p' src/common/version.h)
version_comma=$(sed -n 's/^#define QL_VERSION_COMMA \(.*\)$/\1/p' src/common/version.h)
[ -n "$version" ] && [ -n "$version_comma" ] || { echo "FAILED: no version in src/common/version.h"; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/ql-release-test.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Checks one program: its PE header and data directories (objdump -p) and its version resource.
check_program() {
  local target=$1 exe=$2 prefix=$3 name
  name="$target/$(basename "$exe")"
  local header
  header=$("$prefix-objdump" -p "$exe") || { fail "$name: objdump cannot read it"; return; }
  local expected_format=pei-x86-64 expected_magic=PE32+
  [ "$target" = x86 ] && expected_format=pei-i386 expected_magic=PE32
  grep -q "file format $expected_format\$" <<<"$header" || fail "$name: not $expected_format"
  grep "^Magic" <<<"$header" | grep -qF "($expected_magic)" || fail "$name: not $expected_magic"
  # The flags printed under DllCharacteristics and under Characteristics.
  local dll_flags characteristics
  dll_flags=$(sed -n '/^DllCharacteristics/,/^SizeOfStackReserve/p' <<<"$header")
  characteristics=$(sed -n '/^Characteristics/,/^$/p' <<<"$header")
  grep -qw DYNAMIC_BASE <<<"$dll_flags" || fail "$name: no ASLR (DYNAMIC_BASE)"
  grep -qw NX_COMPAT <<<"$dll_flags" || fail "$name: no DEP (NX_COMPAT)"
  if [ "$target" = x64 ]; then
    grep -qw HIGH_ENTROPY_VA <<<"$dll_flags" || fail "$name: no high-entropy ASLR (HIGH_ENTROPY_VA)"
  else
    grep -q "large address aware" <<<"$characteristics" || fail "$name: not large address aware"
  fi
  # ASLR moves only an image that keeps its relocations.
  grep -q "relocations stripped" <<<"$characteristics" && fail "$name: relocations stripped"
  grep -Eq "^Entry 5 [0-9a-f]+ 0*[1-9a-f][0-9a-f]* Base Relocation Directory" <<<"$header" ||
    fail "$name: no base relocation table"
  local imports
  imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$header" |
    grep -Eivx '(kernel32|user32|gdi32|advapi32|shell32|shlwapi|comdlg32|ole32|oleaut32|msvcrt|comctl32)\.dll')
  [ -z "$imports" ] || fail "$name: imports $(echo $imports), which Windows may take from the program's folder"
  local resources
  resources=$("$prefix-windres" -i "$exe" -O rc 2>/dev/null) || { fail "$name: windres cannot read its resources"; return; }
  grep -q "FILEVERSION $version_comma\$" <<<"$resources" || fail "$name: FILEVERSION is not $version_comma"
  grep -q "PRODUCTVERSION $version_comma\$" <<<"$resources" || fail "$name: PRODUCTVERSION is not $version_comma"
  grep -q "VALUE \"FileVersion\", \"$version\"" <<<"$resources" || fail "$name: FileVersion text is not $version"
  grep -q "VALUE \"ProductVersion\", \"$version\"" <<<"$resources" || fail "$name: ProductVersion text is not $version"
  grep -q "VALUE \"OriginalFilename\", \"$(basename "$exe")\"" <<<"$resources" || fail "$name: wrong OriginalFilename"
}

for target in x64 x86; do
  prefix=x86_64-w64-mingw32
  [ "$target" = x86 ] && prefix=i686-w64-mingw32
  zip=dist/Quilloria-$version-$target.zip
  if [ ! -f "$zip" ]; then
    fail "$zip is missing"
    continue
  fi
  listing=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
  [ "$listing" = "Quilloria/QLLoader.exe Quilloria/Quilloria.exe Quilloria/ReadMe.txt " ] ||
    fail "$zip holds: $listing"
  others=$(find dist -maxdepth 1 -name "Quilloria-*-$target.zip" ! -name "$(basename "$zip")")
  [ -z "$others" ] || fail "dist keeps archives of another version: $others"

  unzip -q "$zip" -d "$work/$target" || { fail "$zip cannot be unpacked"; continue; }
  unpacked=$work/$target/Quilloria
  for program in QLLoader.exe Quilloria.exe; do
    # The archive holds the programs of the latest build, not an older one.
    cmp -s "$unpacked/$program" "build/$target/bin/$program" || fail "$zip: $program differs from build/$target/bin"
    cmp -s "$unpacked/$program" "dist/$target/$program" || fail "dist/$target/$program differs from the archive's"
    check_program "$target" "$unpacked/$program" "$prefix"
  done

  readme=$unpacked/ReadMe.txt
  lines=$(wc -l <"$readme")
  crlf_lines=$(grep -c $'\r$' "$readme")
  [ "$lines" -gt 20 ] && [ "$lines" = "$crlf_lines" ] || fail "$target ReadMe.txt: $crlf_lines of $lines lines end in CR LF"
  grep -q $'\r\r' "$readme" && fail "$target ReadMe.txt: doubled CR"
  head -n 1 "$readme" | grep -q "^Quilloria $version (" || fail "$target ReadMe.txt does not start with the version"
  grep -q "@[A-Z]*@" "$readme" && fail "$target ReadMe.txt keeps a placeholder"
  cmp -s "$readme" "dist/$target/ReadMe.txt" || fail "dist/$target/ReadMe.txt differs from the archive's"
done
grep -q "^Quilloria $version (64-bit" "$work/x64/Quilloria/ReadMe.txt" 2>/dev/null || fail "the x64 read-me does not say 64-bit"
grep -q "^Quilloria $version (32-bit" "$work/x86/Quilloria/ReadMe.txt" 2>/dev/null || fail "the x86 read-me does not say 32-bit"

[ $failures = 0 ] && echo "release: passed" || echo "release: $failures failures"
exit $((failures > 0))
