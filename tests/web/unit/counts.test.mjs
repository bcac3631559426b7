// The count reader: what the page passes to the core as a whole number, and
// what it refuses rather than cut or reinterpret.
import { test } from "node:test";
import assert from "node:assert/strict";
import { readCount } from "../../../ui/web/counts.js";

test("a count is up to nine digits, blanks around them allowed", () => {
  const cases = [
    ["5", 5], [" 12\t", 12], ["0", 0], ["007", 7], ["999999999", 999999999],
    ["2.5", null], ["5.0", null], ["1234567890", null], ["", null], ["  ", null], ["-1", null], ["+3", null],
    ["1e3", null], ["0x10", null], ["1 2", null], ["5 ways", null], ["\u0663", null], ["\uff15", null],
  ];
  for (const [text, count] of cases) assert.equal(readCount(text), count, JSON.stringify(text));
});
