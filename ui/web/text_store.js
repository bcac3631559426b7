// The user's named JSON texts of one kind (lathes, dividing heads): any
// number, each a file's text as `cogwright-cli` reads it (--profile,
// --head), one of them current. Kept in the browser between visits; when
// the browser refuses to keep them (full, private mode) they live on in
// memory and listeners hear that the save failed, so the page can say so.

// The name a file's text gives, or null when it gives none.
export function nameOf(text) {
  try {
    const name = JSON.parse(text).name;
    return typeof name === "string" && name.trim() !== "" ? name : null;
  } catch (e) {
    return null;
  }
}

// What a store keeps, and under which key: {key, field (the list's name in
// the stored object), oldKey (a single text pages kept before, or none),
// blank (a new one's text), unnamed (what one without a name is called,
// numbered), first (the texts a first visit starts with: [blank] if none)}.
export const kLatheStore = {
  key: "cogwright.lathes", field: "lathes", oldKey: "cogwright.profile",
  blank: '{\n  "name": "New lathe"\n}', unnamed: "Lathe",
};

export class TextStore {
  // storage: localStorage, or anything with getItem and setItem (null: none).
  constructor(storage, kind) {
    this.storage = storage;
    this.kind = kind;
    this.listeners = { change: [], list: [], save: [] };
    this.saved = true;
    this.list = [];
    this.current = null;
    this.deleted = [];  // {item, at, name}, the last deleted last
    let stored = null;
    try {
      stored = JSON.parse(storage.getItem(kind.key));
      const old = !stored && kind.oldKey && storage.getItem(kind.oldKey);
      if (old) stored = { [kind.field]: [{ id: 1, text: old }], current: 1 };
    } catch (e) {
      // Storage off, or not ours: start afresh.
    }
    const items = stored?.[kind.field];
    if (Array.isArray(items) && items.length) {
      this.list = items.filter((l) => typeof l.text === "string" && Number.isInteger(l.id));
      this.current = this.list.find((l) => l.id === stored.current) ?? this.list[0];
    }
    if (!this.current) {
      for (const text of kind.first ?? [kind.blank]) this.add(text, false);
      this.current = this.list[0];
    }
  }

  // "change": listener(text, chosen), the current text, whenever it or the
  // choice changes (chosen: another one is current); "list": listener(), the
  // list or its names changed; "save": listener(ok), after every save.
  on(event, listener) {
    this.listeners[event].push(listener);
  }

  get text() {
    return this.current.text;
  }

  get id() {
    return this.current.id;
  }

  // [{id, name, current}] in the order they were made.
  get names() {
    return this.list.map((l, k) => ({
      id: l.id, current: l === this.current, name: nameOf(l.text) ?? `${this.kind.unnamed} ${k + 1}`,
    }));
  }

  // The text of the one with `id` (the current one when not given): an edit
  // made on one goes to it even when another was chosen before it applied.
  set(text, id = this.current.id) {
    const item = this.list.find((l) => l.id === id);
    if (!item) return;  // deleted meanwhile: its last text is what Undo restores
    const renamed = nameOf(text) !== nameOf(item.text);
    item.text = text;
    if (item === this.current) this.changed(renamed, false);
    else this.changed(renamed, null);
  }

  // A new one holding `text` (blank when not given), made current.
  add(text = this.kind.blank, announce = true) {
    const id = Math.max(0, ...this.list.map((l) => l.id)) + 1;
    this.current = { id, text };
    this.list.push(this.current);
    if (announce) this.changed(true, true);
  }

  select(id) {
    const item = this.list.find((l) => l.id === id);
    if (!item || item === this.current) return;
    this.current = item;
    this.changed(true, true);
  }

  // Removes the current one (a blank one takes the place of the last);
  // restore() brings back the deleted ones, the last first, for as long as
  // the page is open.
  remove() {
    const at = this.list.indexOf(this.current);
    this.deleted.push({ item: this.current, at, name: this.names[at].name });
    this.list.splice(at, 1);
    if (!this.list.length) this.list.push({ id: this.current.id + 1, text: this.kind.blank });
    this.current = this.list[Math.min(at, this.list.length - 1)];
    this.changed(true, true);
  }

  restore() {
    const gone = this.deleted.pop();
    if (!gone) return;
    // An id taken meanwhile (the blank one that replaced the last) moves on.
    if (this.list.some((l) => l.id === gone.item.id)) gone.item.id = Math.max(...this.list.map((l) => l.id)) + 1;
    this.list.splice(Math.min(gone.at, this.list.length), 0, gone.item);
    this.current = gone.item;
    this.changed(true, true);
  }

  // The names of the ones restore() can bring back, the next one last.
  get deletedNames() {
    return this.deleted.map((d) => d.name);
  }

  // `name`, or the first of "name (2)", "name (3)", ... none has.
  freeName(name) {
    const taken = new Set(this.names.map((l) => l.name));
    let free = name;
    for (let k = 2; taken.has(free); ++k) free = `${name} (${k})`;
    return free;
  }

  // chosen null: one not current changed, so only the list and the save hear it.
  changed(listChanged, chosen) {
    this.save();
    if (listChanged) for (const l of this.listeners.list) l();
    if (chosen !== null) for (const l of this.listeners.change) l(this.current.text, chosen);
  }

  save() {
    try {
      this.storage.setItem(this.kind.key, JSON.stringify({ current: this.current.id, [this.kind.field]: this.list }));
      this.saved = true;
    } catch (e) {
      this.saved = false;
    }
    for (const l of this.listeners.save) l(this.saved);
  }
}
