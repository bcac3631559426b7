// A file's JSON text as form fields and back (json_text.js, json_form.js),
// without a browser: what each kind of field writes, and that an edit of one
// field leaves every other figure of the file as the user wrote it.
import { test } from "node:test";
import assert from "node:assert/strict";
import { parseObject, formatObject, renamed } from "../../../ui/web/json_text.js";
import { readField, fieldEdit, fillFields } from "../../../ui/web/json_form.js";

// An <input> as far as the module reads one.
const field = (key, kind, value, part) => ({
  type: typeof value === "boolean" ? "checkbox" : "text", value: String(value), checked: value === true,
  dataset: { key, kind, ...(part ? { part } : {}) },
});

test("what each kind of field writes for its text", () => {
  const cases = [
    ["text", "  My lathe ", "My lathe"],
    ["number", "-1.5", -1.5], ["number", "90:1", "90:1"], ["number", "0.00000000000001", 1e-14],
    ["number", "1234567890123456", "1234567890123456"],  // 16 digits: no double holds every such number
    ["list", "20, 25;30  40", [20, 25, 30, 40]], ["list", "20, 1/2", [20, "1/2"]],
    ["pairs", "120/127, 40 60; 30+40", [[120, 127], [40, 60], [30, 40]]],
    ["plates", "15, 16, 17; 21, 23;", [[15, 16, 17], [21, 23]]],
    ["gearText", "24-48/8, 2x56", "24-48/8, 2x56"], ["gearText", "24, 32", [24, 32]],
    ["dialTeeth", "16", 16], ["dialTeeth", "16 20", [16, 20]],
    ["text", "   ", undefined],
    ["reverses", true, undefined], ["reverses", false, false], ["flag", true, true], ["flag", false, undefined],
  ];
  for (const [kind, text, value] of cases) assert.deepEqual(readField(field("k", kind, text)), value, `${kind} ${JSON.stringify(text)}`);
});

test("an edit of one field leaves every other figure as written", () => {
  const file = '{"name":"F","ratio":40,"plates":[[15.00000000000000000,16]],"gears":[24.0000000000000000,48],' +
    '"direct":[1.50, 1e2, -0, 0.1],"table_leadscrew":"5mm"}';
  const edited = fieldEdit(field("name", "text", "G"), "G").apply(file);
  assert.equal(edited, `{
  "name": "G",
  "ratio": 40,
  "plates": [[15.00000000000000000, 16]],
  "gears": [24.0000000000000000, 48],
  "direct": [1.50, 1e2, -0, 0.1],
  "table_leadscrew": "5mm"
}`);
  // Read back, they are numbers still, and the file stays so however often it is written.
  assert.deepEqual(JSON.parse(edited).plates, [[15, 16]]);
  assert.equal(renamed(renamed(edited, "H"), "G"), edited);
  assert.equal(formatObject(parseObject(edited)), edited);
});

test("a field of a key's part (the thread dial's teeth and marks)", () => {
  const teeth = field("thread_dial", "dialTeeth", "", "teeth"), marks = field("thread_dial", "number", "", "marks");
  const steps = [
    [marks, 4, '{\n  "thread_dial": {\n    "marks": 4\n  }\n}'],
    [teeth, [16, 20], '{\n  "thread_dial": {\n    "marks": 4,\n    "teeth": [16, 20]\n  }\n}'],
    [marks, undefined, '{\n  "thread_dial": {\n    "teeth": [16, 20]\n  }\n}'],
    [teeth, undefined, "{}"],
  ];
  let text = '{"thread_dial": 1.0}';  // not an object: the first part replaces it
  for (const [f, v, expected] of steps) assert.equal(text = fieldEdit(f, v).apply(text), expected);
});

test("the fields filled from a file, but the one being typed in and the refused one", () => {
  const fields = [field("name", "text", "typed"), field("gears", "gearText", "refused"), field("plates", "plates", ""),
    field("ratio", "number", "old"), field("direct", "list", "old"), field("differential", "differential", false),
    field("thread_dial", "dialTeeth", "", "teeth")];
  globalThis.document = { activeElement: fields[0] };
  fillFields({ querySelectorAll: () => fields }, parseObject('{"name": "N", "gears": [20], "plates": [[15, 16.0], [21]], ' +
    '"thread_dial": {"teeth": 16}}'), "gears");
  assert.deepEqual(fields.map((f) => (f.type === "checkbox" ? f.checked : f.value)),
    ["typed", "refused", "15, 16.0; 21", "", "", true, "16"]);
});
