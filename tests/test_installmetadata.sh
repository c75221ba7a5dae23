#!/usr/bin/env bash
# Installs the build into a folder whose name needs quoting in a menu entry,
# runs the desktop's validators on the installed menu entry and AppStream
# data, and checks that the menu entry starts the installed program.
# Usage: test_installmetadata.sh CMAKE BUILD_DIR PROGRAM_DIR_IN_PREFIX
set -euo pipefail
cmake=$1
build=$2
program_dir=$3

for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: run tools/setup.sh"; exit 1; }
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
# CMake takes a backslash in a path for a separator, so none here.
prefix="$root/Loto du club \"d'été\" \$HOME 100% \`x\`"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

desktop="$prefix/share/applications/org.numerella.Numerella.desktop"
metainfo="$prefix/share/metainfo/org.numerella.Numerella.metainfo.xml"
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$metainfo"

# The program Exec= starts, read as a desktop would: the value's escapes
# first, then the quoting of the first argument, then %% for %.
exec_value=$(sed -n 's/^Exec=//p' "$desktop")
value=""
for ((i = 0; i < ${#exec_value}; i++)); do
    c=${exec_value:i:1}
    if [[ $c == '\' ]]; then
        ((++i))
        case ${exec_value:i:1} in
            s) value+=' ' ;;
            n) value+=$'\n' ;;
            t) value+=$'\t' ;;
            r) value+=$'\r' ;;
            '\') value+='\' ;;
            *) echo "unknown escape in Exec=$exec_value"; exit 1 ;;
        esac
    else
        value+=$c
    fi
done
if [[ ${value:0:1} == '"' ]]; then
    program=""
    for ((i = 1; i < ${#value}; i++)); do
        c=${value:i:1}
        [[ $c == '"' ]] && break
        if [[ $c == '\' ]]; then
            ((++i))
            c=${value:i:1}
            [[ $c == [\"\`\$\\] ]] || { echo "bad escape in Exec=$exec_value"; exit 1; }
        fi
        program+=$c
    done
    [[ $i -lt ${#value} ]] || { echo "unclosed quote in Exec=$exec_value"; exit 1; }
    rest=${value:i+1}
else
    program=${value%% *}
    rest=${value:${#program}}
fi
program=${program//%%/%}

expected="$prefix/$program_dir/numerella"
if [[ $program != "$expected" || -n ${rest// /} ]]; then
    echo "Exec=$exec_value"
    echo "starts: $program$rest"
    echo "expected: $expected"
    exit 1
fi
[[ -x $program ]] || { echo "not an installed program: $program"; exit 1; }
echo "Exec=$exec_value starts $program"
