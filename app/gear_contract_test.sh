#!/usr/bin/env bash
# cogwright-cli gear through the real binary: the JSON fields other tools
# read, the indexing and helix train equal to divide's and helix's own
# answers, figures worked out by hand, and the refusals.
# Usage: gear_contract_test.sh PATH/TO/cogwright-cli
set -u
cli=$1
source "$(dirname "$0")/contract_check.sh"
heads=$(dirname "$0")/../profiles/heads

# The contract's names, in order.
check "json fields" "teeth system module_mm pressure_angle_deg helix_angle_deg hand shift pitch_diameter_mm base_diameter_mm tip_diameter_mm root_diameter_mm whole_depth_mm virtual_teeth cutter cutter_why span chordal over_pins lead_mm index helix_train
cutter: dp_number module_number from to
span: teeth mm
chordal: thickness_mm height_mm
over_pins: pin_mm mm" "$("$cli" gear 40 --module 2 --format json | python3 -c '
import json, sys
r = json.load(sys.stdin)
print(" ".join(r))
for k in ("cutter", "span", "chordal", "over_pins"):
    print(k + ": " + " ".join(r[k]))')"

# 40 teeth, module 2, ISO 53: d = 80, tip 80 + 4 = 84, root 80 - 5 = 75, depth
# 2.25 x 2 = 4.5; 40 teeth take the cutter for 35 to 54 (No. 3 DP, No. 6
# module); 40/40 is one whole turn of the crank.
figures() {
  python3 -c '
import json, sys
r = json.load(sys.stdin)
print(r["system"], r["module_mm"], r["pitch_diameter_mm"], r["tip_diameter_mm"],
      r["root_diameter_mm"], r["whole_depth_mm"], r["virtual_teeth"], r["hand"], r["lead_mm"])
print(r["cutter"], r["cutter_why"] is None)
print(r["index"]["method"] if r["index"] else None, r["over_pins"] is None, r["helix_train"] is None)'
}
check "spur, module" "module 2.0 80.0 84.0 75.0 4.5 40.0 None None
{'dp_number': 3, 'module_number': 6, 'from': 35, 'to': 54} True
simple False True" "$("$cli" gear 40 --module 2 --format json | figures)"
# 10 DP, 30 teeth: m = 2.54, d = 76.2, tip 76.2 + 5.08 = 81.28, inch rack
# root 76.2 - 2 x 1.157 x 2.54 = 70.32244, depth 2.157 x 2.54 = 5.47878.
check "spur, DP" "dp 2.54 76.2 81.28 70.32244 5.47878 30.0 None None
{'dp_number': 4, 'module_number': 5, 'from': 26, 'to': 34} True
simple False True" "$("$cli" gear 30 --dp 10 --format json | figures)"
# 24 DP: the depth its cutter is marked with, 2.157/24 = 0.0899 in.
check "DP depth in inches" "Depth   cut 2.283 mm (0.0899 in) deep from the blank's surface: addendum 1.058 mm (0.0417 in), dedendum 1.224 mm (0.0482 in)" \
  "$("$cli" gear 30 --dp 24 | grep '^Depth')"
# 200 teeth is past 134: the rack end's cutter, whose range has no end.
check "rack end" "{'dp_number': 1, 'module_number': 8, 'from': 135, 'to': None}" \
  "$("$cli" gear 200 --module 1 --format json | figures | sed -n 2p | sed 's/ True$//')"
# 10 teeth: no cutter of the set, every other figure given.
check "no cutter" "None False 10.0" "$("$cli" gear 10 --module 2 --format json | python3 -c '
import json, sys
r = json.load(sys.stdin)
print(r["cutter"], r["cutter_why"] is None, r["virtual_teeth"])')"

# A helical gear: no pins, a lead, its hand, and its train.
check "helical" "right 22.5 True 30" "$("$cli" gear 30 --module 2 --helix 22.5R --format json |
  python3 -c '
import json, sys
r = json.load(sys.stdin)
print(r["hand"], r["helix_angle_deg"], r["over_pins"] is None, r["teeth"])')"

# index is divide Z --top 1's first way (its nearest when none is exact, as
# for 383 on the 40:1 head); helix_train is the first train of
# helix LEAD --all for the lead rounded to 0.001 mm, on the same head.
same=$(for args in "127 --module 1.5" "40 --module 2" "96 --dp 12 --head $heads/60-1-direct-plate.json" \
  "31 --module 2 --helix 20L" "57 --cp 0.25 --helix 12.5R" "383 --module 1"; do
  # shellcheck disable=SC2086
  "$cli" gear $args --format json | python3 -c '
import json, subprocess, sys
cli, args = sys.argv[1], sys.argv[2].split()
g = json.load(sys.stdin)
head = args[args.index("--head"):args.index("--head") + 2] if "--head" in args else []
d = json.loads(subprocess.run([cli, "divide", args[0], "--top", "1", "--format", "json"] + head,
                              capture_output=True, text=True).stdout)
first = (d["ways"] or d["nearest"] or [None])[0]
train = None
if g["lead_mm"] is not None:
    h = json.loads(subprocess.run([cli, "helix", "%.3fmm" % g["lead_mm"], "--all", "--format",
                                   "json"] + head, capture_output=True, text=True).stdout)
    train = h["trains"][0] if h["trains"] else None
print(args[0], json.dumps(g["index"]) == json.dumps(first),
      json.dumps(g["helix_train"]) == json.dumps(train), g["helix_train"] is None)' "$cli" "$args"
done)
check "index and helix train are divide's and helix's" "127 True True True
40 True True True
96 True True True
31 True True False
57 True True False
383 True True True" "$same"

# The text sheet runs top to bottom.
check "sheet order" "Blank
Cutter
Depth
Index
Helix
Checks" "$("$cli" gear 40 --module 2 | sed -n '4,$p' | grep -o '^[A-Z][a-z]*')"

# The pin range the refusal names is the range accepted.
range=$("$cli" gear 20 --module 2 --pin 0.5 2>&1 >/dev/null |
  sed -n 's/.*pins from \([0-9.]*\) mm to \([0-9.]*\) mm do$/\1 \2/p')
read -r lo hi <<<"$range"
accepted() { "$cli" gear 20 --module 2 --pin "$1" >/dev/null 2>&1 && echo yes || echo no; }
check "pin range" "yes yes no no" "$(accepted "$(python3 -c "print($lo + 0.001)")") $(accepted \
  "$(python3 -c "print($hi - 0.001)")") $(accepted "$(python3 -c "print($lo - 0.001)")") $(accepted \
  "$(python3 -c "print($hi + 0.001)")")"

# Refusals: exit code 2, one line naming the problem, nothing on standard output.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
run() {
  "$cli" "$@" 2>"$scratch/err" >"$scratch/out"
  echo "exit $? lines $(wc -l <"$scratch/err") out $(wc -c <"$scratch/out")"
  cat "$scratch/err"
}
while IFS='|' read -r name expected args; do
  # shellcheck disable=SC2086
  check "$name" "exit 2 lines 1 out 0
cogwright-cli: $expected" "$(eval run $args)"
done <<EOF2
teeth too few|the number of teeth must be a whole number from 5 to 1000, not "4"|gear 4 --module 2
teeth too many|the number of teeth must be a whole number from 5 to 1000, not "1001"|gear 1001 --module 2
teeth not whole|the number of teeth must be a whole number from 5 to 1000, not "20.5"|gear 20.5 --module 2
no teeth|gear needs one Z, the number of teeth, e.g. gear 40 --module 2|gear --module 2
no size|gear needs a size: --module M, --dp P or --cp C|gear 20
two sizes|gear takes one size only: --module M, --dp P or --cp C|gear 20 --module 2 --dp 10
size zero|--module: "0" is not a number above 0|gear 20 --module 0
size negative|--dp: "-10" is not a number above 0|gear 20 --dp -10
size not finite|--cp: "inf" is not a number above 0|gear 20 --cp inf
pressure angle 45|--pressure-angle: "45": the pressure angle must be above 0 and below 45|gear 20 --module 2 --pressure-angle 45
pressure angle 0|--pressure-angle: "0": the pressure angle must be above 0 and below 45|gear 20 --module 2 --pressure-angle 0
helix 90|--helix: "90R": the helix angle must be above 0 and below 90|gear 20 --module 2 --helix 90R
helix 0|--helix: "0L": the helix angle must be above 0 and below 90|gear 20 --module 2 --helix 0L
helix no hand|--helix: "22.5" has no hand: write R or L after the angle (22.5R)|gear 20 --module 2 --helix 22.5
pin zero|--pin: "0" is not a pin diameter in mm above 0|gear 20 --module 2 --pin 0
pin too small|--pin: a pin of 0.500 mm does not touch both flanks; pins from 2.412 mm to 7.038 mm do|gear 20 --module 2 --pin 0.5
pin too large|--pin: a pin of 9.000 mm does not touch both flanks; pins from 2.412 mm to 7.038 mm do|gear 20 --module 2 --pin 9
shift|--shift: "2" is not a profile shift from -1 to 1|gear 20 --module 2 --shift 2
format|--format "md" is not one of the formats gear writes|gear 20 --module 2 --format md
EOF2
finish
