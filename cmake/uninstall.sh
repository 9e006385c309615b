#!/usr/bin/env bash
# Removes an installation of Velmora: every file that the installs into this
# prefix put there, as listed in installed-files.txt beside this script.
# Presets in Data are removed only while they are still the shipped ones;
# presets you saved (changed or new files) stay, unless --presets is given.
#   PREFIX/lib/velmora/uninstall.sh [--presets] [--dry-run]
# Folders shared with other programs (bin, share/...) are left in place even
# when empty; the program folder goes once nothing of yours is left in it.
set -euo pipefail
presets=0
dry=0
for argument in "$@"; do
  case "$argument" in
    --presets) presets=1 ;;
    --dry-run) dry=1 ;;
    -h | --help)
      sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//'
      exit 0
      ;;
    *)
      echo "uninstall.sh: unknown option: $argument (--presets, --dry-run)" >&2
      exit 2
      ;;
  esac
done

here=$(cd "$(dirname "$0")" && pwd -P)
list="$here/installed-files.txt"
if [ ! -f "$list" ]; then
  echo "uninstall.sh: $list is missing: nothing to go by" >&2
  exit 1
fi
# The list names the program folder relative to the prefix; the prefix is
# what is left of this script's folder above it, so a moved or staged
# (DESTDIR) tree is found too.
program_dir=$(sed -n 's/^program-dir\t//p' "$list")
case "$here" in
  */"$program_dir") prefix=${here%/"$program_dir"} ;;
  *)
    echo "uninstall.sh: $here does not end in $program_dir" >&2
    exit 1
    ;;
esac

remove() {
  if [ "$dry" -eq 1 ]; then
    echo "Would remove: $1"
  else
    rm -f -- "$1"
    echo "Removed: $1"
  fi
}

# Each preset's name and the checksums it has had in any install here.
declare -A shipped=()
while IFS=$'\t' read -r kind first second; do
  case "$kind" in
    preset) shipped["$second"]+=" $first " ;;
  esac
done <"$list"

while IFS=$'\t' read -r kind first second; do
  case "$kind" in
    file)
      path="$prefix/$first"
      if [ -f "$path" ] || [ -L "$path" ]; then remove "$path"; fi
      ;;
  esac
done <"$list"

data="$prefix/$program_dir/Data"
for name in "${!shipped[@]}"; do
  path="$data/$name"
  [ -f "$path" ] && [ ! -L "$path" ] || continue
  sum=$(sha256sum -- "$path" | cut -d' ' -f1)
  if [ "$presets" -eq 1 ] || [[ "${shipped[$name]}" == *" $sum "* ]]; then
    remove "$path"
  else
    echo "Keeping your preset: $path"
  fi
done
if [ "$presets" -eq 1 ] && [ -d "$data" ]; then
  # Presets saved under other names, and the slots' lock file.
  while IFS= read -r -d '' path; do remove "$path"; done < <(find "$data" \( -type f -o -type l \) -print0)
fi

remove "$list"
remove "$here/uninstall.sh"
if [ "$dry" -eq 0 ]; then
  # The program folder's own folders, deepest first, when they are empty.
  find "$prefix/$program_dir" -depth -type d -empty -delete 2>/dev/null || true
  if [ -d "$prefix/$program_dir" ]; then
    echo "Kept: $prefix/$program_dir (it holds files of yours)"
  fi
fi
