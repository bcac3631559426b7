#!/usr/bin/env bash
# The workshop commands' contract through the real binary: the JSON other
# tools read, with figures worked out by hand, the exit codes and messages.
# Usage: workshop_contract_test.sh PATH/TO/cogwright-cli
set -u
cli=$1
source "$(dirname "$0")/contract_check.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# A 2 mm lead screw and gears 20 40 50 60, target 1 mm: ratio 1/2. Only 20/40
# gives it (simple, idler 50, the smallest other gear); next come the compound
# 20:40 x 50:60 = 5/12 (-1/6), then a tie at |0.2| that the simple 20/50
# (idler 40) wins over 20:40 x 60:50 by having fewer gears.
out=$("$cli" thread 1mm --leadscrew 2mm --gears 60,50,40,20 --top 3 --length 10 --max-error 25 --format json |
      python3 -c '
import json, sys
r = json.load(sys.stdin)
print(r["target"]["text"], r["target"]["lead_mm"], r["target"]["starts"], r["fit_checked"])
for t in r["trains"]:
    print(t["kind"], t["gears"], t["gearbox"], t["ratio"], round(t["lead_mm"], 6),
          round(t["tpi"], 6), round(t["error"], 9), t["exact"],
          round(t["error_per_thread_um"], 6), round(t["drift_um"], 6), t["fits"])')
check "thread json" "1mm 1.0 1 False
simple [20, 50, 40] None 1/2 1.0 25.4 0.0 True 0.0 0.0 None
compound [20, 40, 50, 60] None 5/12 0.833333 30.48 -0.166666667 False -166.666667 -1666.666667 None
simple [20, 40, 50] None 2/5 0.8 31.75 -0.2 False -200.0 -2000.0 None" "$out"

# Mistakes: exit code 2 and one line naming what is wrong.
printf '{"gears": [20,\n 30,]}' >"$scratch/bad.json"
run() { "$cli" "$@" 2>&1 >/dev/null; echo "exit $?"; }
check "profile syntax" "cogwright-cli: profile \"$scratch/bad.json\": not a JSON profile: line 2, column 5: syntax error while parsing value - unexpected ']'; expected '[', '{', or a literal
exit 2" "$(run thread 1mm --profile "$scratch/bad.json")"
check "no lead screw" "cogwright-cli: no lead screw: give --profile FILE with \"leadscrew\", or --leadscrew 1.5mm|8tpi
exit 2" "$(run thread 1mm --gears 20,30)"
check "bad target" "cogwright-cli: target \"0mm\" must be above zero
exit 2" "$(run thread 0mm --leadscrew 2mm --gears 20,30)"
check "unknown series" "cogwright-cli: unknown series \"iso\" (as a target it has no known unit (write it as 1.25mm, 20tpi, 0.05in, M6, 1/4-20, 1/4 UNC, mod1.5, dp16, 0.1mm/rev or 0.004ipr)) (cogwright-cli chart --list names them)
exit 2" "$(run chart iso --leadscrew 2mm --gears 20,30)"
check "format" "cogwright-cli: --format \"md\" is not one of the formats thread writes
exit 2" "$(run thread 1mm --format md)"

# An option's value is never the help; options a command does not use, and
# repeats, are refused rather than ignored.
while IFS='|' read -r name expected args; do
  # shellcheck disable=SC2086
  check "$name" "$expected" "$(run $args | head -1)"
done <<'EOF2'
value that looks like help|cogwright-cli: cannot read the profile "-h"|thread 1mm --profile -h
starts without a target|cogwright-cli: train: --starts and --length need --target|train 40 30 50 --gears 40,30,50 --leadscrew 2mm --starts x
list with more|cogwright-cli: chart --list takes nothing else|chart --list --format json
series twice|cogwright-cli: series "bsp" is named twice (cogwright-cli chart --list names them)|chart bsp bsp --leadscrew 2mm --gears 20,30
unknown option|cogwright-cli: find does not take "--bogus"|find 0.5 --bogus
lead screw words|cogwright-cli: --leadscrew: "3" is not a lead screw (write it as 1.5mm, 8tpi or 0.0625in)|thread 1mm --leadscrew 3 --gears 20,30
rows out of bounds|cogwright-cli: --top: "0" is not a whole number from 1 to 1000|thread 1mm --top 0 --leadscrew 2mm --gears 20,30
candidates backwards|cogwright-cli: --from: 40 is above the largest candidate gear, 30: the range is reversed (from 30 to 40?)|suggest me --from 40 --to 30 --leadscrew 2mm --gears 20,30
target unquoted|cogwright-cli: thread takes one TARGET: quote a target of several words, thread "G 1/2"|thread G 1/2 --leadscrew 2mm --gears 20,30
hand unquoted|cogwright-cli: unknown series "LH" (as a target it has no known unit (write it as 1.25mm, 20tpi, 0.05in, M6, 1/4-20, 1/4 UNC, mod1.5, dp16, 0.1mm/rev or 0.004ipr)) (cogwright-cli chart --list names them); quote a target of several words: "1/4-20 LH"|chart 1/4-20 LH --leadscrew 2mm --gears 20,30
EOF2
# Whole numbers have one reader: 20.0 is 20 wherever a whole number is asked.
check "one gear reader: 20.0 is 20" "exit 0" "$(run train 20.0 30 40 --leadscrew 2mm --gears 20,30,40 | tail -1)"
check "one whole-number reader" "exit 0" \
  "$(run thread 1mm --top 10.0 --starts 2.0 --leadscrew 2mm --gears 20.0,40 | tail -1)"

# Hostile input: refused at once with a message that names the problem, and
# output that cannot be written is never success.
: >"$scratch/empty.json"
printf '{"name": "x"}\0{' >"$scratch/nul.json"
profile=$(dirname "$0")/../profiles/imperial-8tpi.json
hostile() {  # name, expected exit and message fragment, then the command line
  local name=$1 code=$2 fragment=$3
  shift 3
  local err
  err=$("$cli" "$@" 2>&1 >/dev/full)
  check "$name" "exit $code, 1" "exit $?, $(grep -cF -- "$fragment" <<<"$err")"
}
head -c 300000 /dev/zero >"$scratch/large.json"
mkfifo "$scratch/fifo"
hostile "large profile" 2 'is over 256 KiB' thread 1mm --profile "$scratch/large.json"
hostile "endless profile" 2 'the profile "/dev/zero" is not a regular file' thread 1mm --profile /dev/zero
# A pipe no one writes to would block the open for ever: refused before it.
# (timeout only ends a run that hangs.)
check "pipe as profile" "cogwright-cli: the profile \"$scratch/fifo\" is not a regular file
exit 2" "$(timeout 20 "$cli" thread 1mm --profile "$scratch/fifo" 2>&1; echo "exit $?")"
check "pipe as head" "cogwright-cli: the head file \"$scratch/fifo\" is not a regular file
exit 2" "$(timeout 20 "$cli" divide 12 --head "$scratch/fifo" 2>&1; echo "exit $?")"
hostile "directory" 2 'is a directory' thread 1mm --profile "$scratch"
hostile "empty file" 2 'is empty' thread 1mm --profile "$scratch/empty.json"
hostile "NUL byte" 2 'holds a NUL byte at offset 13' thread 1mm --profile "$scratch/nul.json"
hostile "long token cut" 2 '"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx..." has no known unit' \
  thread "$(printf 'x%.0s' $(seq 4000))" --leadscrew 2mm --gears 20,30
hostile "argument over 4 KiB" 2 'argument 2 "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx..." is over 4096 bytes' \
  thread "$(printf 'x%.0s' $(seq 4097))" --leadscrew 2mm --gears 20,30
hostile "full disk: thread" 4 'could not be written' thread 1mm --profile "$profile"
hostile "full disk: chart" 4 'could not be written' chart me --profile "$profile"
hostile "full disk: table" 4 'could not be written' table --teeth 20 21
hostile "full disk: help" 4 'could not be written' --help

# table stops at its first lost write rather than formatting the rest of the
# table for nothing. The work is counted in CPU seconds under a limit, not by a
# clock: find builds the same 6-100 table and stops, which shows what the table
# alone costs in this build (about 2 s natively, 5 s under the sanitizers);
# writing it out whole costs about 8 times that. A limit of twice the build
# plus 3 s lets a table that stops at once end with exit 4, and has the kernel
# end one that goes on past the lost write (SIGXCPU or SIGKILL, exit 152 or 137).
TIMEFORMAT='%U %S'
build_cpu=$( { time "$cli" find 1 --teeth 6 100 >/dev/null 2>&1; } 2>&1 | awk '{ print $1 + $2 }')
cpu_limit=$(awk -v s="$build_cpu" 'BEGIN { printf "%d", 2 * s + 3 }')
code=$( (ulimit -t "$cpu_limit"; "$cli" table --teeth 6 100 >/dev/full 2>/dev/null); echo $?)
check "table stops at the first lost write: full disk (limit ${cpu_limit} s CPU)" "exit 4" \
  "exit $code"
code=$( (ulimit -t "$cpu_limit"; "$cli" table --teeth 6 100 2>/dev/null | head -c 10 >/dev/null
         echo "${PIPESTATUS[0]}") )
check "table stops at the first lost write: pipe closed (limit ${cpu_limit} s CPU)" "exit 4" \
  "exit $code"

# A user's text is echoed quoted, escaped and cut short on every path: nothing
# that steers a terminal reaches it raw.
raw() {  # the command line; prints how many ESC and CSI bytes its output holds
  "$cli" "$@" 2>&1 | tr -cd '\033\233' | wc -c
}
escape=$'--\e]0;pwned\a\e[2J'
hostile "option name escaped" 2 '"--\x1b]0;pwned\x07\x1b[2J"' thread M6 "$escape"
check "option name: no ESC" "0" "$(raw thread M6 "$escape")"
hostile "profile path escaped" 2 'cannot read the profile "\x1b[2Jx.json"' \
  thread M6 --profile $'\e[2Jx.json'
check "find: no ESC in its target line" "0" "$(raw find $'0.5\e[2J\xc2\x9b')"
printf '{"gears": [2%s]}' "$(printf '0%.0s' $(seq 3000))" >"$scratch/long_number.json"
err=$("$cli" thread 1mm --profile "$scratch/long_number.json" 2>&1 >/dev/null)
check "profile number cut short" "1 yes" \
  "$(grep -c 'parsing .2000000000000000000000000000000000000000\.\.\..' <<<"$err") \
$([ ${#err} -lt 300 ] && echo yes)"
printf '{"name": "%s", "leadscrew": "2mm", "gears": [20, 30]}' "$(printf 'n%.0s' $(seq 201))" \
  >"$scratch/long_name.json"
hostile "name capped" 2 '"name" is over 200 bytes' thread 1mm --profile "$scratch/long_name.json"
printf '{"leadscrew": "2mm", "gears": [20, 30], "thread_dial": {"teeth": [%s16], "marks": 8}}' \
  "$(printf '16, %.0s' $(seq 16))" >"$scratch/long_dial.json"
hostile "dial gears capped" 2 'teeth lists 17 gears; at most 16' \
  thread 1mm --profile "$scratch/long_dial.json"
printf '{"leadscrew": "2mm", "gears": [20, 30], "name": "\\u0000a\\u001b[2J\\u202e"}' \
  >"$scratch/escaped_name.json"
csv=$("$cli" thread 1mm --profile "$scratch/escaped_name.json" --all --format csv)
check "CSV: JSON escapes stay escaped" "0" "$(tr -cd '\000-\010\013-\037\177' <<<"$csv" | wc -c)"

# Work is weighed before it is done: lines x gearbox positions x the set's
# trains. The largest set with six-gear trains and 48 gearbox positions, every
# series: its gear advice over six candidates (288 trials, inside their cap)
# would take over ten seconds, and is refused at once, naming the work.
python3 -c '
import json
gears = list(range(20, 136, 2))[:58] + [127]
box = [{"name": "P%d" % k, "ratio": "%d/20" % k} for k in range(1, 49)]
print(json.dumps({"leadscrew": "2mm", "trains": [2, 4, 6], "gearbox": box, "gears": gears}))' \
  >"$scratch/six59x48.json"
every=$("$cli" chart --list | cut -d' ' -f1)
# shellcheck disable=SC2086
hostile "advice weighed" 2 'this advice (6 candidates) would take about' \
  suggest $every --profile "$scratch/six59x48.json" --from 150 --to 155
printf '{"leadscrew": "2mm", "trains": [2, 4, 6], "gears": [%s], "keyed": [[20, 21], [22, 23], [24, 25]], "gearbox": %s}' \
  "$(seq -s, 26 79)" "$(python3 -c 'import json; print(json.dumps([{"name": "P%d" % k, "ratio": 1} for k in range(1, 49)]))')" \
  >"$scratch/keyed.json"
# shellcheck disable=SC2086
hostile "chart weighed" 2 'this chart would take about' chart $every --profile "$scratch/keyed.json"

# shellcheck disable=SC2046
hostile "chart items capped" 2 '101 series and targets are named; a chart takes at most 100' \
  chart $(seq -f '%gmm' 1 101) --leadscrew 2mm --gears 20,30

# One reader per rule: the same texts in options and in profiles.
printf '{"leadscrew": "2mm", "gears": [20, 30], "max_error_percent": "1:2"}' >"$scratch/ratio.json"
check "max error 1:2 in a profile" "exit 0" "$(run thread 1mm --profile "$scratch/ratio.json" | tail -1)"
check "length 6:35" "exit 0" "$(run thread 1mm --leadscrew 2mm --gears 20,40 --length 6:35 | tail -1)"
hostile "decimal comma" 2 '"1,5" has a decimal comma: write a point, "1.5"' \
  thread 1mm --leadscrew 2mm --gears 20,40 --max-error 1,5

# A line that is no action is refused before it is read whole: under a limit
# far below its size the run ends with exit 2, not for want of memory. A
# sanitizer build reserves more address space than any such limit allows, so
# there the limit is dropped and only the refusal is checked.
limit=400000
(ulimit -v "$limit"; "$cli" --version) >/dev/null 2>&1 || limit=unlimited
code=$( (ulimit -v "$limit"; yes x | tr -d '\n' | head -c 100000000 |
  "$cli" session --teeth 20 21 2>"$scratch/err" >/dev/null; echo $?) )
check "long session line" "2 1" "$code $(grep -c 'line 1 is over 65536 bytes' "$scratch/err")"
# Its own targets are shown as thread shows a target, in every format: no
# control character raw, a CSV row per line with every cell where it belongs,
# and no cell a spreadsheet would take for a formula.
own_targets=($'\n+1.25mm' $'1.5mm\r' $'1.75mm\v' $'\t2mm\f' 'M6"' '+3mm')
for format in csv text md html; do
  "$cli" chart "${own_targets[@]}" --leadscrew 8tpi --gears 20-80/5,127 --format "$format" \
    >"$scratch/own.$format"
done
check "own targets in CSV" "7 rows of 18; targets \\x0a+1.25mm|1.5mm\\x0d|1.75mm\\x0b|\\x092mm\\x0c|M6\"|'+3mm; quoted 1" \
  "$(python3 -c '
import csv, sys
rows = list(csv.reader(open(sys.argv[1], newline="")))
print(len(rows), "rows of", "/".join(sorted({str(len(r)) for r in rows})) + ";",
      "targets", "|".join(r[2] for r in rows[1:]))' "$scratch/own.csv")$(
  grep -c '^list,"M6""","M6""",' "$scratch/own.csv" | sed 's/^/; quoted /')"
check "own targets in text, md and html: no control character" "0" \
  "$(cat "$scratch/own.text" "$scratch/own.md" "$scratch/own.html" | tr -d '\n' | tr -cd '\000-\037' | wc -c)"

# A machinist's own list charts its leads, one line per lead (M3 is 0.5 mm).
own=$("$cli" chart 0.5mm M3 11tpi --leadscrew 2mm --gears 20-80/5,127 --format csv |
  tail -n +2 | cut -d, -f1,2 | tr '\n' ';')
check "own list" "list,0.5mm M3;list,11tpi;" "$own"

# The hand. The lathe without tumbler reverse cuts right-hand threads with
# simple and compound trains and left-hand ones with six gears only: a
# compound or simple train asked about a left-hand target says which hand
# it cuts, in words and in JSON.
notumbler=$(dirname "$0")/../profiles/no-tumbler-8tpi.json
check "train of the other hand" "Note         this train cuts a right-hand thread here, not the left-hand thread asked for: the lathe has no tumbler reverse
right False True" "$("$cli" train 20 20 50 --profile "$notumbler" --target "1/4-20 LH" | grep '^Note')
$("$cli" train 20 20 50 --profile "$notumbler" --target "1/4-20 LH" --format json | python3 -c '
import json, sys
p = json.load(sys.stdin)["positions"][0]
print(p["cuts"], p["cuts_target_hand"], p["within"])')"
# Its chart of right-hand threads uses no six-gear train, and says so.
check "chart without tumbler" "kinds: compound simple; cuts: right" "$("$cli" chart iso-coarse unc --profile "$notumbler" --format json | python3 -c '
import json, sys
rows = [r["train"] or r["nearest"] for r in json.load(sys.stdin)["rows"]]
rows = [t for t in rows if t]
print("kinds:", " ".join(sorted({t["kind"] for t in rows})) + "; cuts:", " ".join(sorted({t["cuts"] for t in rows})))')"
# With --all, rows of the other hand come last, in capitals: here the six-gear
# trains, which cut left, after every simple and compound train.
check "all: other hand last" "1 1" "$("$cli" thread 1.27mm --profile "$notumbler" --gears 20,25,30,40,50,65 --all --top 1000 --format csv | python3 -c '
import csv, sys
rows = list(csv.DictReader(sys.stdin))
hands = [r["cuts_target_hand"] for r in rows]
print(int(hands == sorted(hands, reverse=True) and "false" in hands), int(all((r["kind"] == "six") == (r["cuts"] == "left") for r in rows)))')"

# Messages: which copy of a gear is lacking; what the fit lacks; the dial as
# words in CSV, "keep the half-nut closed" included.
# Past the fifth copy of a tooth count, every further one is "another".
while IFS='|' read -r name expected gears train; do
  # shellcheck disable=SC2086
  check "$name" "Note         your set lacks $expected" \
    "$("$cli" train $train --leadscrew 2mm --gears "$gears" | grep '^Note')"
done <<'EOF2'
lacks a third|a third 20|20,20,30|20 20 20
lacks a fifth and a sixth|a fifth 20 and another 20|20,20,20,20,30|20 20 20 20 20 20
lacks every word|a second 20, a third 20, a fourth 20, a fifth 20 and another 20|20,30|20 20 20 20 20 20
EOF2
printf '{"leadscrew": "2mm", "gears": [20, 30, 40], "module": 1}' >"$scratch/module.json"
check "fit lacks the distance" "Fit          not checked (the profile gives a module but no centre distance)" \
  "$("$cli" thread 1mm --profile "$scratch/module.json" | grep '^Fit')"
check "csv dial words" "any mark|every 2nd mark|every 4th mark|keep the half-nut closed|the same mark only
no dial: []" "$("$cli" thread 1.27mm --profile "$notumbler" --all --top 1000 --format csv | python3 -c '
import csv, sys
print("|".join(sorted({r["dial"] for r in csv.DictReader(sys.stdin)})))')
$("$cli" thread 1.27mm --leadscrew 8tpi --gears 20,40,50 --format csv | python3 -c '
import csv, sys
print("no dial:", [r["dial"] for r in csv.DictReader(sys.stdin) if r["dial"]])')"
# A text chart keeps to 100 columns, however many sizes share a lead.
check "chart width" "0" "$("$cli" chart iso-coarse iso-fine unc unf bsw --profile "$profile" | awk 'length > 100' | wc -l)"
check "help opens with the lathe" "Your own lathe (a profile file, or --leadscrew and --gears):" \
  "$("$cli" --help | sed -n 3p)"

# The printable chart is one whole HTML page.
html=$("$cli" chart iso-coarse unc --format html --leadscrew 2mm --gears 20,40,50,60,127)
check "chart html" "1 1" "$(grep -c '<!DOCTYPE html>' <<<"$html") $(grep -c '</html>' <<<"$html")"
# It prints at 10 pt, and a line of many sizes names its ends and count: those
# of the full list JSON gives for the same line (the 1.5 mm line of ISO fine).
check "chart html 10pt" "1" "$(grep -c 'body { font: 10pt/' <<<"$html")"
fine=(chart iso-fine --leadscrew 2mm --gears 20,40,50,60)
check "chart html sizes" "$("$cli" "${fine[@]}" --format json | python3 -c '
import json, sys
line = [r for r in json.load(sys.stdin)["rows"] if r["target"] == "1.5mm"][0]
sizes = line["sizes"]
print("<td>%s \u2026 %s (%d)</td>" % (sizes[0], sizes[-1], len(sizes)))')" \
  "$("$cli" "${fine[@]}" --format html | grep -o '<td>M12x1.5[^/]*/td>')"

finish
