#!/usr/bin/env bash
# The dividing head's commands through the real binary: the JSON other tools
# read, with figures worked out by hand, the exit codes and messages.
# Usage: divide_contract_test.sh PATH/TO/cogwright-cli
set -u
cli=$1
source "$(dirname "$0")/contract_check.sh"
heads=$(dirname "$0")/../profiles/heads
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

ways() {  # prints the answer's head lines and its ways, one per line
  python3 -c '
import json, sys
r = json.load(sys.stdin)
print(r["divisions"], r["degrees"], r["crank_turns"], r["head"]["ratio"], r["why"] is None)
for w in r["ways"]:
    print(" ".join(str(w.get(k)) for k in ("method", "turns", "holes", "circle", "plate",
          "plate_holes", "plate_circle", "plate_move", "approximate", "kind", "gears", "idlers",
          "plate_turns")))'
}

# 127 on 40:1: no 127-hole circle. Index 120 (40/120 = 5 holes of 15) and gear
# the plate G = 40(120 - 127)/120 = -7/3: 56 driving 24, against the crank,
# three meshes: two idlers.
check "divide 127" "127 None 40/127 40 True
differential 0 5 15 1 None None None 120 simple [56, 24] 2 against" \
  "$("$cli" divide 127 --top 1 --format json | ways)"
# 7°30' on 40:1: 7.5 x 40/360 = 5/6 turn, 15 holes of 18.
check "divide an angle" "None 15/2 5/6 40 True
simple 0 15 18 1 None None None None None None None None" \
  "$("$cli" divide "7°30'" --top 1 --format json | ways)"
# 60:1 with a direct plate of 24, 30 and 36 holes: 24 divisions are 1 hole of 24.
check "direct plate" "24 None 5/2 60 True
direct 0 1 24 None None None None None None None None None" \
  "$("$cli" divide 24 --head "$heads/60-1-direct-plate.json" --top 1 --format json | ways)"
# 90:1 table, 7 divisions: 12 6/7 turns, 18 holes of 21 (plate 1), then 42 of
# 49 (plate 2); compound ways follow.
check "rotary table" "7 None 90/7 90 True
simple 12 18 21 1 None None None None None None None None
simple 12 42 49 2 None None None None None None None None" \
  "$("$cli" divide 7 --head "$heads/90-1-rotary-table.json" --top 2 --format json | ways)"
# No gears on the table: 127 has no way, and why says what would help.
check "no way" "127 None 90/127 90 False" \
  "$("$cli" divide 127 --head "$heads/90-1-rotary-table.json" --format json | ways)"
check "no way, why" "No exact way: no circle of the plates gives 90/127 turns of the crank, alone or two on one plate; it needs a circle of 127 holes (or a multiple), or change gears on the head for differential indexing." \
  "$("$cli" divide 127 --head "$heads/90-1-rotary-table.json" | sed -n 2p)"

# The nearest ways instead: error_deg = (move - 90/127) x 360/90 per division,
# closing_deg 127 times that, nearest first; ways stays empty.
check "nearest" "True" "$("$cli" divide 127 --head "$heads/90-1-rotary-table.json" --format json | python3 -c '
import json, sys
from fractions import Fraction as F
a = json.load(sys.stdin)
ok = a["ways"] == [] and len(a["nearest"]) == 5
last = 0
for n in a["nearest"]:
    err = (F(n["crank_turns"]) - F(90, 127)) * 360 / 90
    ok = ok and abs(n["error_deg"] - float(err)) < 1e-12 and abs(n["closing_deg"] - float(err * 127)) < 1e-9
    ok = ok and abs(err) >= last and n["method"] in ("simple", "compound")
    last = abs(err)
print(ok)')"

# 10000 on 40:1 is 1/250 turn: no circle, and no train for any approximate number.
check "no way with gears, why" "No exact way: no circle of the plates gives 1/250 turns of the crank, alone or two on one plate; it needs a circle of 250 holes (or a multiple), or other change gears: no train of the head's gears gives the plate's turn for differential indexing." \
  "$("$cli" divide 10000 | sed -n 2p)"

# A chart line's way is the same bytes as divide N's first way.
same=$("$cli" divide --chart 125-130 --format json | python3 -c '
import json, subprocess, sys
chart = json.load(sys.stdin)
for line in chart["lines"]:
    n = line["divisions"]
    one = json.loads(subprocess.run([sys.argv[1], "divide", str(n), "--format", "json"],
                                    capture_output=True, text=True).stdout)
    first = one["ways"][0] if one["ways"] else None
    print(n, json.dumps(line["way"]) == json.dumps(first), line["crank_turns"] == one["crank_turns"])
' "$cli")
check "chart lines are divide's first ways" "125 True True
126 True True
127 True True
128 True True
129 True True
130 True True" "$same"
# 2: 20 whole turns; 3: 13 1/3 = 13 turns and 5 of 15; 4: 10 whole turns.
check "chart csv" "divisions,crank_turns,method,turns,holes,circle,plate,plate_holes,plate_circle,plate_move,approximate,kind,gears,idlers,plate_turns
2,20,simple,20,0,,,,,,,,,,
3,40/3,simple,13,5,15,1,,,,,,,,
4,10,simple,10,0,,,,,,,,,," "$("$cli" divide --chart 2-4 --format csv)"

check "chart md" "| N | T | turns | holes | circle | plate | notes |
|---:|---|---:|---:|---:|---:|---|
| 2 | 20 | 20 |  |  |  |  |
| 3 | 40/3 | 13 | 5 | 15 | 1 |  |" "$("$cli" divide --chart 2-3 --format md | tail -4)"
# 127 on 40:1 (as above): 5 of 15 for 120 divisions, the plate geared 56 : 24
# against the crank through two idlers; then a compound train.
check "differential csv" "rank,method,turns,holes,circle,plate,plate_holes,plate_circle,plate_move,approximate,kind,gears,idlers,plate_turns
1,differential,0,5,15,1,,,,120,simple,56 24,2,against" "$("$cli" divide 127 --top 1 --format csv)"
# A direct plate's circles are tried smallest first, in whatever order the
# file lists them: 12 divisions are 2 holes of 24 before 3 of 36.
printf '{"ratio": 40, "direct": [36, 24]}' >"$scratch/direct.json"
check "direct plate, smallest circle first" "direct 0 2 24 None None None None None None None None None
direct 0 3 36 None None None None None None None None None" \
  "$("$cli" divide 12 --head "$scratch/direct.json" --top 2 --format json | ways | tail -2)"
# 7d30m is 5/6 turn: simple 15 of 18; by compound indexing 5 of 15 and the
# plate 8 of 16 with the crank (1/3 + 1/2), then 10 of 15 and 3 of 18 (2/3 + 1/6).
check "simple csv" "rank,method,turns,holes,circle,plate,plate_holes,plate_circle,plate_move,approximate,kind,gears,idlers,plate_turns
1,simple,0,15,18,1,,,,,,,," "$("$cli" divide 7d30m --top 3 --format csv | head -2)"
check "compound csv" "rank,method,turns,holes,circle,plate,plate_holes,plate_circle,plate_move,approximate,kind,gears,idlers,plate_turns
1,compound,0,5,15,1,8,16,with,,,,,
2,compound,0,10,15,1,3,18,with,,,,," "$("$cli" divide 7d30m --top 2 --method compound --format csv)"

# Helical milling on 40:1 with a 4 tpi table: a 1:1 train cuts 40 x 6.35 = 254 mm.
# 127 mm needs drivers/driven = 2: 48:24, 56:28, 64:32, exact.
check "helix" "127.0 254.0
simple [48, 24] 2/1 127.0 0.0 True
simple [56, 28] 2/1 127.0 0.0 True
simple [64, 32] 2/1 127.0 0.0 True" \
  "$("$cli" helix 127mm --top 3 --format json | python3 -c '
import json, sys
r = json.load(sys.stdin)
print(r["lead_mm"], r["machine_lead_mm"])
for t in r["trains"]:
    print(t["kind"], t["gears"], t["ratio"], t["lead_mm"], t["error"], t["within"])')"

# A head's name reaches the terminal with its control characters as \xNN.
printf '{"name": "a\\u001bb", "ratio": 40}' >"$scratch/escape.json"
check "control characters" '4 divisions on the a\x1bb (ratio 40): 10 turns of the crank per division' \
  "$("$cli" divide 4 --head "$scratch/escape.json" | head -1)"

# The work is weighed before it is done. A head inside every cap, 12 plates of
# 16 circles and 60 prime-toothed gears, tries some 2 million approximate
# numbers for a chart of 1000: it answers within a CPU limit of 20 times what
# the same chart costs without the gears (the plates' own work) plus 1 s. A
# head of 192 circles whose two gears reach every approximate number above N
# is refused at once, under the same limit.
python3 -c 'import json;R=504;d=lambda n:sum(2-(i*i==n) for i in range(1,int(n**.5)+1) if n%i==0);H=sorted(sorted(range(2,1001),key=lambda c:(-d(R*c),c))[:192]);P=[p for p in range(11,300) if all(p%q for q in range(2,p))];json.dump({"ratio":R,"plates":[H[i::12] for i in range(12)],"gears":P+[121,289]},open("'"$scratch"'/slow.json","w"));json.dump({"ratio":R,"plates":[H[i::12] for i in range(12)]},open("'"$scratch"'/plates.json","w"));C=list(range(809,1001));json.dump({"ratio":1260,"plates":[C[i::12] for i in range(12)],"gears":[8,300]},open("'"$scratch"'/wide.json","w"))'
TIMEFORMAT='%U %S'
plates_cpu=$( { time "$cli" divide --chart 3001-4000 --head "$scratch/plates.json" >/dev/null; } 2>&1 |
  awk '{ print $1 + $2 }')
cpu_limit=$(awk -v s="$plates_cpu" 'BEGIN { printf "%d", 20 * s + 1 }')
code=$( (ulimit -t "$cpu_limit"; "$cli" divide --chart 3001-4000 --head "$scratch/slow.json" |
  grep -c '^ *3011 .*diff\. A=5544 149:11 289:17'; echo "${PIPESTATUS[0]}") )
check "a large head's chart within ${cpu_limit} s CPU" "1 0" "$(echo $code)"
code=$( (ulimit -t "$cpu_limit"; "$cli" divide --chart 1-1000 --head "$scratch/wide.json" 2>&1; echo "exit $?") |
  sed 's/about [0-9]* million/about N million/')
check "a chart too large is refused at once" "cogwright-cli: this chart of 1000 numbers of divisions would take about N million steps of the search, more than the 6 million steps one request may take: chart fewer numbers, or give the head fewer circles or a narrower range of gears
exit 2" "$code"
check "a part of it is not" "exit 0" \
  "$( (ulimit -t "$cpu_limit"; "$cli" divide --chart 1-500 --head "$scratch/wide.json" >/dev/null); echo "exit $?")"
# An angle is weighed too: on that large head its differential search would
# walk some 3 million plate moves; it is refused at once, under the same
# limit, while the 40:1 head answers the same angle.
code=$( (ulimit -t "$cpu_limit"; "$cli" divide 7d30m15s --head "$scratch/slow.json" 2>&1; echo "exit $?") |
  sed 's/about [0-9]* million/about N million/')
check "an angle too costly is refused at once" "cogwright-cli: indexing this angle would take about N million steps of the search, more than the 6 million steps one request may take: give the head fewer circles or a narrower range of gears
exit 2" "$code"
check "the same angle on the 40:1 head" "exit 0" \
  "$( (ulimit -t "$cpu_limit"; "$cli" divide 7d30m15s >/dev/null); echo "exit $?")"
# The nearest ways, asked when none is exact, are weighed as well: on the
# large head above 383 answers with them; on 12 plates of 32 circles of 617
# to 1000 holes they would take some 10 million moves, refused at once.
check "the nearest ways on a large head" "exit 0" \
  "$( (ulimit -t "$cpu_limit"; "$cli" divide 383 --head "$scratch/slow.json" | grep -c '^~1\. ' >/dev/null); echo "exit $?")"
python3 -c 'import json;C=list(range(617,1001));json.dump({"ratio":1260,"plates":[C[i::12] for i in range(12)]},open("'"$scratch"'/big32.json","w"))'
code=$( (ulimit -t "$cpu_limit"; "$cli" divide 99991 --head "$scratch/big32.json" 2>&1; echo "exit $?") |
  sed 's/about [0-9]* million/about N million/')
check "the nearest ways too costly are refused at once" "cogwright-cli: no way is exact, and finding the nearest would take about N million steps of the search, more than the 6 million steps one request may take: give the head fewer circles, or ask for simple indexing (--method simple)
exit 2" "$code"

# Mistakes: exit code 2 and one line naming what is wrong.
printf '{"ratio": 40,\n "plates": [[15, 1]]}' >"$scratch/bad.json"
cp "$heads/90-1-rotary-table.json" "$scratch/rotary.json"
printf '{"ratio": 40,\n "plates": [[15,]]}' >"$scratch/syntax.json"
run() { "$cli" "$@" 2>&1 >/dev/null; echo "exit $?"; }
while IFS='|' read -r name expected args; do
  # shellcheck disable=SC2086
  check "$name" "$expected
exit 2" "$(eval run $args)"
done <<EOF2
zero divisions|cogwright-cli: the number of divisions must be a whole number from 1 to 100000, not "0"|divide 0
too many divisions|cogwright-cli: the number of divisions must be a whole number from 1 to 100000, not "100001"|divide 100001
full circle|cogwright-cli: "360deg" is not above 0 and below 360 degrees|divide 360deg
sixty minutes|cogwright-cli: "7d60m": minutes must be below 60|divide 7d60m
neither|cogwright-cli: "12.5" is neither a number of divisions nor an angle (write an angle as 7.5deg, 7°30' or 7d30m15s)|divide 12.5
no number|cogwright-cli: divide needs one N (a number of divisions) or an ANGLE, e.g. 127 or 7d30m|divide
top zero|cogwright-cli: --top: "0" is not a whole number from 1 to 1000|divide 12 --top 0
chart reversed|cogwright-cli: --chart "400-2": FROM is above TO|divide --chart 400-2
chart too long|cogwright-cli: --chart "1-1001": that is 1001 numbers; a chart has at most 1000|divide --chart 1-1001
chart and a number|cogwright-cli: divide --chart FROM-TO takes no N, angle or --top|divide 12 --chart 2-4
format|cogwright-cli: --format "md" is not one of the formats divide writes|divide 12 --format md
bad head|cogwright-cli: head "$scratch/bad.json": "plates"[0][1]: 1 is not a whole number of holes from 2 to 1000|divide 12 --head $scratch/bad.json
head syntax|cogwright-cli: head "$scratch/syntax.json": not a JSON head: line 2, column 17: syntax error while parsing value - unexpected ']'; expected '[', '{', or a literal|divide 12 --head $scratch/syntax.json
missing head|cogwright-cli: cannot read the head file "$scratch/none.json"|divide 12 --head $scratch/none.json
lead not a length|cogwright-cli: lead "250" is not a length (write it as 250mm or 9.5in)|helix 250
lead zero|cogwright-cli: lead "0mm" must be above zero|helix 0mm
tolerance too fine|cogwright-cli: --max-error: the tolerance is too fine to compute exactly|helix 250mm --max-error 0.000000000000000001 --head $heads/60-1-direct-plate.json
lead too long|cogwright-cli: the lead is too long or too fine to compute exactly on this head|helix 1e18mm --all --head $heads/40-1-three-plates.json
helix without gears|cogwright-cli: head "$scratch/rotary.json": the head has no "gears" to gear the table to the head|helix 250mm --head $scratch/rotary.json
EOF2
# Every echo of a head file is escaped for its format and cut, as a lathe
# profile's is. A name that would make a link, an image and raw HTML in a
# Markdown chart is shown as text:
printf '{"name": "[x](http://e.example) ![t](http://e.example/p.png) <img src=x> | a", "ratio": 40}' \
  >"$scratch/markup.json"
check "markdown title" '## Dividing chart: \[x\]\(http://e.example\) \!\[t\]\(http://e.example/p.png\) &lt;img src=x&gt; \| a (ratio 40)' \
  "$("$cli" divide --chart 2-3 --head "$scratch/markup.json" --format md | head -1)"
# C1 and bidirectional controls of a name as JSON escapes, never raw.
printf '{"name": "a\\u0085b\\u202ec", "ratio": 40}' >"$scratch/steer.json"
check "json steering" '"a\u0085b\u202ec" "a\u0085b\u202ec"' \
  "$("$cli" divide 4 --head "$scratch/steer.json" --format json | grep -o '"a[^"]*c"')\
 $("$cli" divide --chart 4-4 --head "$scratch/steer.json" --format json | grep -o '"a[^"]*c"')"
# A name is at most 200 bytes, as a lathe's; a number is echoed to 40 bytes.
python3 -c 'import json; print(json.dumps({"name": "N" * 200, "ratio": 40}))' >"$scratch/n200.json"
python3 -c 'import json; print(json.dumps({"name": "N" * 5000, "ratio": 40}))' >"$scratch/n5000.json"
printf '{"ratio": 40, "plates": [[0.%s1]]}' "$(printf '0%.0s' $(seq 60000))" >"$scratch/holes.json"
printf '{"ratio": 40, "gears": [24, 2.%s1]}' "$(printf '0%.0s' $(seq 60000))" >"$scratch/teeth.json"
# A path is quoted, its controls escaped and it is cut like any echo; ././
# makes a 4,000-byte path to the same file.
mkdir "$scratch/$(printf 'e\033x\342\200\256')"
cp "$scratch/bad.json" "$scratch/$(printf 'e\033x\342\200\256')/h.json"
long=$scratch$(printf '/.%.0s' $(seq 2000))/bad.json
check "name of 200 bytes" "0" "$("$cli" divide 4 --head "$scratch/n200.json" >/dev/null; echo $?)"
while IFS='|' read -r name expected dir args; do
  # shellcheck disable=SC2086
  check "$name" "$expected
exit 2" "$(cd "$dir" && eval run $args)"
done <<EOF2
name of 5000 bytes|cogwright-cli: head "n5000.json": "name" is over 200 bytes; a name is printed on every row|$scratch|divide 4 --head n5000.json
holes cut|cogwright-cli: head "holes.json": "plates"[0][0]: 0.00000000000000000000000000000000000000... is not a whole number of holes from 2 to 1000|$scratch|divide 4 --head holes.json
teeth cut|cogwright-cli: head "teeth.json": "gears"[1]: 2.00000000000000000000000000000000000000... is not a whole number from 8 to 300|$scratch|divide 4 --head teeth.json
path escaped|cogwright-cli: head "e\x1bx\u202e/h.json": "plates"[0][1]: 1 is not a whole number of holes from 2 to 1000|$scratch|divide 4 --head \$'e\\033x\\342\\200\\256/h.json'
path cut|cogwright-cli: head "${long:0:40}...": "plates"[0][1]: 1 is not a whole number of holes from 2 to 1000|/|divide 4 --head $long
EOF2

finish
