// The controls over a TextStore (lathes, heads): which one (a select), new,
// duplicate, rename, delete with an undo, import and export of its file,
// and whether the browser kept the last change. Each control's id starts
// with the store's prefix ("lathe" -> #lathe, #lathe-new, #lathe-undo, ...).
import { $, download } from "./dom.js";
import { parseObject, formatObject } from "./json_text.js";

export class StoreControls {
  // noun: what one is called ("lathe"); ids: {import, export, importError}
  // where they are not #PREFIX-import, ...
  constructor(prefix, noun, ids = {}) {
    this.noun = noun;
    const id = (part) => `#${prefix}${part ? "-" + part : ""}`;
    this.ids = {
      picker: id(), new: id("new"), duplicate: id("duplicate"), rename: id("rename"), delete: id("delete"),
      undo: id("undo"), undoText: id("undo-text"), undoButton: id("undo-button"), saved: id("error"),
      import: id("import"), export: id("export"), importError: id("import-error"),
      example: id("example"), loadExample: id("load-example"), ...ids,
    };
    this.picker = $(this.ids.picker);
  }

  on(control, handler) {
    $(this.ids[control]).addEventListener("click", handler);
  }

  // A new one: handler(text), null for a blank one, an example's text
  // (examples: {file name: text}, offered in their order), or `text()` (the
  // current one's) as a copy, its name marked as a copy.
  bindAdd(handler, text, examples) {
    $(this.ids.example).append(...Object.keys(examples).map((name) =>
      new Option(name.replace(/\.json$/, "").replace(/-/g, " "), name)));
    this.on("loadExample", () => handler(examples[$(this.ids.example).value]));
    this.on("new", () => handler(null));
    this.on("duplicate", () => {
      const item = parseObject(text());
      if (item) item.name = `${item.name ?? this.noun[0].toUpperCase() + this.noun.slice(1)} (copy)`;
      handler(item ? formatObject(item) : text());
    });
  }

  // handler(id), another chosen; rename(): Rename pressed.
  bindSelect(handler, rename) {
    this.picker.addEventListener("change", () => handler(Number(this.picker.value)));
    this.on("rename", rename);
  }

  // Delete: handler() removes the current one; Undo: restore() brings back
  // the last deleted.
  bindRemove(handler, restore) {
    this.on("delete", handler);
    this.on("undoButton", restore);
  }

  // A file chosen: handler(bytes, name), `bytes` a promise of the file's
  // bytes (an ArrayBuffer) as they are on disk, told in the same task as the
  // choice.
  bindImport(handler) {
    $(this.ids.import).addEventListener("change", (e) => {
      const file = e.target.files[0];
      e.target.value = "";
      if (file) handler(file.arrayBuffer(), file.name);
    });
  }

  // Export: handler() gives the current one's text, saved as NAME.json.
  bindExport(handler) {
    this.on("export", () => {
      const text = handler();
      const name = String(parseObject(text)?.name ?? this.noun).replace(/[^\w.-]+/g, "-").toLowerCase();
      download(`${name}.json`, "application/json", text);
    });
  }

  // The ones to choose from: [{id, name, current}].
  renderNames(names) {
    this.picker.replaceChildren(...names.map((l) => new Option(l.name, l.id, l.current, l.current)));
  }

  // The deleted ones Undo brings back, the next one last: [name]. The focus
  // goes to Undo after a delete, to the list once nothing is left to undo.
  renderDeleted(names, deleted) {
    $(this.ids.undo).hidden = !names.length;
    const last = names[names.length - 1];
    $(this.ids.undoText).textContent = !names.length ? "" : names.length === 1 ? `Deleted \u201c${last}\u201d.`
      : `Deleted \u201c${last}\u201d and ${names.length - 1} more.`;
    if (deleted) $(this.ids.undoButton).focus();
    else if (!names.length) this.picker.focus();
  }

  // Why a file did not become one (null: it did, or none was chosen).
  renderImport(refusal) {
    $(this.ids.importError).textContent = refusal ?? "";
  }

  // Whether the browser kept the last change.
  renderSaved(ok) {
    $(this.ids.saved).textContent = ok ? "" : "Not saved: this browser will not keep it (storage full or " +
      `turned off). Your changes stay until this page closes; use Export to keep the ${this.noun} in a file.`;
  }
}
