#!/usr/bin/env bash
# Reads every file of the program (src/app, src/codes, src/blocks and
# src/table) and fails, naming file:line, on each include of a Qt
# header, an ICU header or one of the framework's internal headers (the
# headers in src/framework/ itself), however the path is spelt. The compile
# tests cannot see all of these: ICU's headers sit in /usr/include, which no
# include path keeps out, and a path relative to the including file
# ("../framework/Testing.h") gets past any include path.
# Usage: check_program_includes.sh <project>/src
set -uo pipefail
src="${1:?usage: $0 <project>/src}"
src="$(readlink -f "$src")"
[ -d "$src/framework/include/framework" ] || { echo "not the source folder: $src" >&2; exit 2; }

internal=()
for h in "$src"/framework/*.h; do [ -f "$h" ] && internal+=("$(basename "$h")"); done
[ ${#internal[@]} -gt 0 ] || { echo "no internal headers in $src/framework" >&2; exit 2; }

program_dirs=("$src/app" "$src/codes" "$src/blocks" "$src/table")
files=()
while IFS= read -r -d '' f; do files+=("$f"); done \
  < <(find "${program_dirs[@]}" -type f -print0 | sort -z)

# The file an include names, as the compiler would find it among the
# program's own folders (and the framework's public one); empty if none.
resolve() {
  local file="$1" delim="$2" path="$3" dir
  local dirs=("${program_dirs[@]}" "$src/framework/include")
  [ "$delim" = '"' ] && dirs=("$(dirname "$file")" "${dirs[@]}")
  for dir in "${dirs[@]}"; do
    if [ -f "$dir/$path" ]; then readlink -f "$dir/$path"; return; fi
  done
}

is_internal_name() {
  local name="$1" h
  for h in "${internal[@]}"; do [ "$h" = "$name" ] && return 0; done
  return 1
}

status=0
checked=0
for file in "${files[@]}"; do
  checked=$((checked + 1))
  rel="${file#"$src"/}"
  # line number, the opening delimiter and the path of every #include.
  while IFS=$'\t' read -r line delim path; do
    found="$(resolve "$file" "$delim" "$path")"
    problem=""
    if [ -n "$found" ]; then
      case "$found" in
        "$src/framework/include/"*) ;;
        "$src/framework/"*) problem="the framework's internal header ${found#"$src"/}" ;;
      esac
    else
      IFS=/ read -r -a parts <<<"$path"
      for part in "${parts[@]}"; do
        case "$part" in
          Q* | qt*) problem="a Qt header" ;;
          unicode) problem="an ICU header" ;;
          framework) is_internal_name "$(basename "$path")" &&
                       problem="the framework's internal header framework/$(basename "$path")" ;;
        esac
        [ -n "$problem" ] && break
      done
    fi
    if [ -n "$problem" ]; then
      echo "src/$rel:$line: includes $problem: $delim$path$([ "$delim" = '<' ] && echo '>' || echo '"')"
      status=1
    fi
  done < <(awk '
    match($0, /^[ \t]*#[ \t]*include(_next)?[ \t]*[<"][^>"]*[>"]/) {
      s = substr($0, RSTART, RLENGTH)
      sub(/^[ \t]*#[ \t]*include(_next)?[ \t]*/, "", s)
      printf "%d\t%s\t%s\n", FNR, substr(s, 1, 1), substr(s, 2, length(s) - 2)
    }' "$file")
done

[ "$checked" -gt 1 ] || { echo "no program files found under $src" >&2; exit 2; }
[ $status -eq 0 ] && echo "$checked program files include none of Qt, ICU or the framework's internal headers"
exit $status
