// The user's lathes: any number, each a profile's JSON text as
// `cogwright-cli --profile` reads it, one of them current. Kept in the
// browser between visits; when the browser refuses to keep them (full,
// private mode) they live on in memory and listeners hear that the save
// failed, so the page can say so.

const kStored = "cogwright.lathes";
const kOldStored = "cogwright.profile";  // the one profile pages kept before
export const kBlankLathe = '{\n  "name": "New lathe"\n}';

// The name a profile's text gives, or null when it gives none.
export function latheName(text) {
  try {
    const name = JSON.parse(text).name;
    return typeof name === "string" && name.trim() !== "" ? name : null;
  } catch (e) {
    return null;
  }
}

export class Lathes {
  // storage: localStorage, or anything with getItem and setItem (null: none).
  constructor(storage) {
    this.storage = storage;
    this.listeners = { change: [], list: [], save: [] };
    this.saved = true;
    this.list = [];
    this.current = null;
    this.deleted = [];  // {lathe, at, name}, the last deleted last
    let stored = null;
    try {
      stored = JSON.parse(storage.getItem(kStored));
      if (!stored) {
        const old = storage.getItem(kOldStored);
        if (old) stored = { lathes: [{ id: 1, text: old }], current: 1 };
      }
    } catch (e) {
      // Storage off, or not ours: start afresh.
    }
    if (stored && Array.isArray(stored.lathes) && stored.lathes.length) {
      this.list = stored.lathes.filter((l) => typeof l.text === "string" && Number.isInteger(l.id));
      this.current = this.list.find((l) => l.id === stored.current) ?? this.list[0];
    }
    if (!this.current) this.add(kBlankLathe, false);
  }

  // "change": listener(text), the current lathe's text, whenever it or the
  // choice of lathe changes; "list": listener(), the lathes or their names
  // changed; "save": listener(ok), after every save.
  on(event, listener) {
    this.listeners[event].push(listener);
  }

  get text() {
    return this.current.text;
  }

  // [{id, name, current}] in the order they were made.
  get names() {
    return this.list.map((l, k) => ({
      id: l.id, current: l === this.current, name: latheName(l.text) ?? `Lathe ${k + 1}`,
    }));
  }

  set(text) {
    const renamed = latheName(text) !== latheName(this.current.text);
    this.current.text = text;
    this.changed(renamed, false);
  }

  // A new lathe holding `text`, made current.
  add(text, announce = true) {
    const id = Math.max(0, ...this.list.map((l) => l.id)) + 1;
    this.current = { id, text };
    this.list.push(this.current);
    if (announce) this.changed(true, true);
  }

  select(id) {
    const lathe = this.list.find((l) => l.id === id);
    if (!lathe || lathe === this.current) return;
    this.current = lathe;
    this.changed(true, true);
  }

  // Removes the current lathe (a blank one takes the place of the last);
  // restore() brings back the deleted ones, the last first, for as long as
  // the page is open.
  remove() {
    const at = this.list.indexOf(this.current);
    this.deleted.push({ lathe: this.current, at, name: this.names[at].name });
    this.list.splice(at, 1);
    if (!this.list.length) this.list.push({ id: this.current.id + 1, text: kBlankLathe });
    this.current = this.list[Math.min(at, this.list.length - 1)];
    this.changed(true, true);
  }

  restore() {
    const gone = this.deleted.pop();
    if (!gone) return;
    // An id taken meanwhile (the blank lathe that replaced the last) moves on.
    if (this.list.some((l) => l.id === gone.lathe.id)) gone.lathe.id = Math.max(...this.list.map((l) => l.id)) + 1;
    this.list.splice(Math.min(gone.at, this.list.length), 0, gone.lathe);
    this.current = gone.lathe;
    this.changed(true, true);
  }

  // The names of the lathes restore() can bring back, the next one last.
  get deletedNames() {
    return this.deleted.map((d) => d.name);
  }

  // `name`, or the first of "name (2)", "name (3)", ... no lathe has.
  freeName(name) {
    const taken = new Set(this.names.map((l) => l.name));
    let free = name;
    for (let k = 2; taken.has(free); ++k) free = `${name} (${k})`;
    return free;
  }

  changed(listChanged, chosen) {
    this.save();
    if (listChanged) for (const l of this.listeners.list) l();
    for (const l of this.listeners.change) l(this.current.text, chosen);
  }

  save() {
    try {
      this.storage.setItem(kStored, JSON.stringify({ current: this.current.id, lathes: this.list }));
      this.saved = true;
    } catch (e) {
      this.saved = false;
    }
    for (const l of this.listeners.save) l(this.saved);
  }
}
