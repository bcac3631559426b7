// The page's store of lathes and heads, without a browser: what it starts
// from, what survives a reload, and ids that stay one item's each.
import { test } from "node:test";
import assert from "node:assert/strict";
import { TextStore } from "../../../ui/web/text_store.js";

// localStorage as far as the store uses it; `full` makes every save throw.
class FakeStorage {
  constructor(items = {}) {
    this.items = { ...items };
    this.full = false;
  }
  getItem(key) {
    return this.items[key] ?? null;
  }
  setItem(key, value) {
    if (this.full) throw new Error("QuotaExceededError");
    this.items[key] = String(value);
  }
}

const file = (name) => `{"name": "${name}"}`;
const kind = { key: "k", field: "things", oldKey: "old", blank: file("Blank"), unnamed: "Thing", first: [file("A"), file("B")] };
// The names in order, the current one starred.
const shown = (store) => store.names.map((n) => (n.current ? "*" : "") + n.name);

test("what a store starts from", () => {
  const cases = [
    ["a first visit: the first texts, the first current", {}, ["*A", "B"]],
    ["a stored list, its current one chosen", { k: JSON.stringify({ current: 7, things: [{ id: 3, text: file("X") },
      { id: 7, text: file("Y") }] }) }, ["X", "*Y"]],
    ["items that are not ours are left out, a lost current is the first",
      { k: JSON.stringify({ current: 9, things: [{ id: "1", text: file("X") }, { id: 2, text: 5 }, { id: 4, text: "{}" }] }) },
      ["*Thing 1"]],
    ["not JSON: afresh", { k: "{oops" }, ["*A", "B"]],
    ["an empty list: afresh", { k: JSON.stringify({ current: 1, things: [] }) }, ["*A", "B"]],
    ["the single text of older pages", { old: file("Old") }, ["*Old"]],
  ];
  for (const [name, items, expected] of cases) assert.deepEqual(shown(new TextStore(new FakeStorage(items), kind)), expected, name);
});

test("Undo after a delete and a New that took the deleted one's id: each keeps its own text, and so after a reload", () => {
  const storage = new FakeStorage();
  const store = new TextStore(storage, kind);
  store.select(store.list[1].id);
  store.remove();
  store.add(file("C"));  // numbered after the highest id left: the deleted one's
  store.restore();
  for (const [when, s] of [["now", store], ["after a reload", new TextStore(storage, kind)]]) {
    assert.deepEqual(shown(s), ["A", "*B", "C"], when);
    const ids = s.names.map((n) => n.id);
    assert.equal(new Set(ids).size, 3, `${when}: one id each`);
    for (const [k, id] of ids.entries()) {
      s.select(id);
      assert.equal(s.text, file(["A", "B", "C"][k]), `${when}: id ${id} chooses its own`);
    }
  }
});

test("every delete undone, the last first, each in its place; a blank one stands in for none", () => {
  const store = new TextStore(new FakeStorage(), kind);
  store.remove();
  store.remove();
  assert.deepEqual([shown(store), store.deletedNames], [["*Blank"], ["A", "B"]]);
  store.restore();
  store.restore();
  store.restore();  // nothing left: nothing happens
  assert.deepEqual([shown(store), store.deletedNames], [["*A", "B", "Blank"], []]);
});

test("a name already taken is numbered; a refused save is heard and the texts live on", () => {
  const storage = new FakeStorage();
  const store = new TextStore(storage, kind);
  store.add(file("A (2)"));
  assert.deepEqual(["A", "B", "a", "C"].map((n) => store.freeName(n)), ["A (3)", "B (2)", "a", "C"]);
  const saves = [];
  store.on("save", (ok) => saves.push(ok));
  storage.full = true;
  store.add(file("D"));
  storage.full = false;
  store.select(store.list[0].id);
  assert.deepEqual([saves, shown(new TextStore(storage, kind))], [[false, true], ["*A", "B", "A (2)", "D"]]);
});
