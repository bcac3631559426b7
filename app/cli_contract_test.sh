#!/usr/bin/env bash
# Checks the output contract of cogwright-cli through the real binary: the exact
# records other tools parse, the exit codes, and the messages on stderr.
# Usage: cli_contract_test.sh PATH/TO/cogwright-cli
set -u
cli=$1
source "$(dirname "$0")/contract_check.sh"
tabs() { tr '|' '\t'; }  # expected records are written with | for TAB

# --- session over the 20..21 table, whose 11 slots are known by heart --------
out=$(printf '%s\n' find lower 'target 1' find higher 'single 1' higher higher 'single 0' \
        higher 'even 1' lower 'target' find |
      "$cli" session --teeth 20 21)
check "session 20..21" "$(tabs <<'EOF2'
show|0|0.|0|0|0|0|999.9999%|12
keep|0
show|5|1.|20|20|20|20|0.0000%|12
show|6|1.|21|21|20|20|0.0000%|12
show|8|1.05|20|20|21|20|4.7619%|12
show|10|1.1025|21|20|21|20|9.2970%|-
keep|10
show|5|1.|20|20|20|20|0.0000%|12
show|0|0.|0|0|0|0|999.9999%|12
EOF2
)" "$out"

# --- session landmarks at the default limits --------------------------------
out=$(printf '%s\n' find 'target 0.5' find 'target 100' find higher | "$cli" session)
check "session defaults" "$(tabs <<'EOF2'
show|27365|0.123446|19|59|23|60|-0.0030%|-
show|1103480|0.5|36|72|19|19|0.0000%|34
show|5279625|20.25|72|16|72|16|-393.8272%|-
keep|5279625
EOF2
)" "$out"

# The target is everything after the first space, byte for byte.
out=$(printf 'target  0.5 x\nfind\n' | "$cli" session --teeth 20 21 | cut -f2)
check "target keeps leading blanks" "1" "$out"

# --- table ------------------------------------------------------------------
out=$("$cli" table --teeth 20 21)
check "table 20..21" "$(tabs <<'EOF2'
0|0|0|0|0|0|0
1|0.90702951|20|21|20|21|0
2|0.952380955|20|21|20|20|1
3|0.952380955|20|21|21|21|1
4|0.99999994|20|21|21|20|0
5|1|20|20|20|20|1
6|1|21|21|20|20|1
7|1|21|21|21|21|1
8|1.04999995|20|20|21|20|1
9|1.04999995|21|21|21|20|1
10|1.10249984|21|20|21|20|0
EOF2
)" "$out"
check "table default size" "5279626" "$("$cli" table | wc -l | tr -d ' ')"

# --- find -------------------------------------------------------------------
out=$("$cli" find 0.5)
check "find names the train" "1" "$(grep -c '36/72 x 19/19' <<<"$out")"
check "find shows the error" "1" "$(grep -c '0.0000%' <<<"$out")"

# --- failures and usage -----------------------------------------------------
err=$("$cli" find 0.5 --teeth -5 72 2>&1 >/dev/null); code=$?
check "table too large: exit" "3" "$code"
check "table too large: message" "1" "$(grep -c 'error 9, Subscript/Pointer out of range' <<<"$err")"
err=$(printf 'find\nfly\n' | "$cli" session --teeth 20 21 2>&1 >/dev/null); code=$?
check "unknown action: exit" "2" "$code"
check "unknown action: names the line" "1" "$(grep -c 'line 2' <<<"$err")"
"$cli" session --teeth 20 </dev/null >/dev/null 2>&1; check "--teeth needs two values" "2" "$?"
"$cli" frobnicate >/dev/null 2>&1; check "unknown command" "2" "$?"
check "help" "0" "$("$cli" --help >/dev/null; echo $?)"

# Under any address-space limit the tool runs, or says it is out of memory
# with exit 3; just above what the loader needs, its own tables are built
# before main. Exit 127: the loader itself could not map a library or
# allocate the initial thread's TLS (its words, not the tool's, are dropped). A
# sanitizer build reserves more address space than any such limit allows.
if (ulimit -v 400000; "$cli" --version) >/dev/null 2>&1; then
  seen=$(for limit in $(seq 5000 100 12000); do
    (ulimit -v "$limit"; "$cli" --version 2>&1; echo "exit $?")
  done | grep -v -e 'error while loading shared libraries' \
    -e 'cannot allocate TLS data structures for initial thread' | sed 's/^cogwright-cli [0-9.]*$/version/' |
    sort -u | tr '\n' ';')
  check "short of memory: what --version may end with" \
    "cogwright-cli: not enough memory for this request (error 7, Out of memory);exit 0;exit 127;exit 3;version;" \
    "$seen"
fi

finish
