#!/usr/bin/env bash
# Checks that the code keeps its shape: every C++ file formatted as .clang-format says, and the
# layers' includes pointing only downwards (core, then print and net, then app, then ui; the
# command line beside app and ui on core and net alone; the entry point above them all), with src/core free of QtGui and QtWidgets, and no test double
# or test-only switch in src/. Exits 1 on a breach.
set -uo pipefail
cd "$(dirname "$0")/.."
status=0

mapfile -t sources < <(find src tests fuzz benchmarks tools -name '*.cpp' -o -name '*.h' | sort)
if ! clang-format --dry-run --Werror "${sources[@]}" 2>/dev/null; then
    echo "Not formatted (run clang-format -i on them):" >&2
    for file in "${sources[@]}"; do
        clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || echo "  $file" >&2
    done
    status=1
fi

# The layers each layer may include.
declare -A allowed=(
    [core]="core"
    [print]="core print"
    [net]="core net"
    [app]="core print net app"
    [ui]="core print net app ui"
    [cli]="core net cli"
)
for layer in "${!allowed[@]}"; do
    while IFS=: read -r file line include; do
        target=${include#*\"}
        target=${target%%/*}
        case " ${allowed[$layer]} " in
        *" $target "*) ;;
        *)
            echo "$file:$line: the $layer layer includes $target: ${include}" >&2
            status=1
            ;;
        esac
    done < <(grep -nE '^\s*#\s*include\s*"(core|print|net|app|ui|cli)/' -r "src/$layer" |
        sed -E 's/^([^:]+):([0-9]+):(.*)$/\1:\2:\3/')
done

# QtCore at most in the core layer and the command line: no header of QtGui or QtWidgets.
qt_include=$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)
gui_headers=$(ls "$qt_include/QtGui" "$qt_include/QtWidgets" 2>/dev/null | grep -E '^Q[A-Za-z]+$' | sort -u)
if [ -z "$gui_headers" ]; then
    echo "Qt's headers were not found under $qt_include" >&2
    status=1
fi
while IFS=: read -r file line include; do
    header=${include#*<}
    header=${header%%>*}
    header=${header#QtGui/}
    header=${header#QtWidgets/}
    if [[ "$include" == *"<QtGui/"* || "$include" == *"<QtWidgets/"* ]] ||
        grep -qxF "$header" <<<"$gui_headers"; then
        echo "$file:$line: a layer without windows includes $header from QtGui or QtWidgets" >&2
        status=1
    fi
done < <(grep -nE '^\s*#\s*include\s*<Q' -r src/core src/cli)

# Test doubles and test-only switches stay with the tests: the product is built one way.
if grep -rnE 'ScriptedUiServices|^\s*#\s*if(n?def)?\b.*ZELMORA_TEST' src >&2; then
    echo "src/ holds a test double or a test-only switch (above)" >&2
    status=1
fi

[ "$status" = 0 ] && echo "shape: formatting and layering as they should be"
exit "$status"
