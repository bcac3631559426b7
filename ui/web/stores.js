// A store's list controls (lathes, heads) wired to the store through the
// plumbing's edit queue: every change waits for the edits made before it, so
// an edit made before it is applied to its own text.
import { nameOf } from "./text_store.js";
import { renamed } from "./json_text.js";

// store: a TextStore; controls: its StoreControls; examples: {file name:
// text}; rename(): Rename pressed; check(bytes): the core's reading of a
// file's bytes (see importFile).
export function connectStore(page, store, controls, { examples, rename, check }) {
  store.on("list", () => controls.renderNames(store.names));
  store.on("save", (ok) => controls.renderSaved(ok));
  controls.bindAdd((text) => page.queue(() => store.add(text ?? undefined)), () => store.text, examples);
  controls.bindSelect((id) => page.queue(() => store.select(id)), rename);
  controls.bindRemove(() => page.queue(() => {
    store.remove();
    controls.renderDeleted(store.deletedNames, true);
  }), () => page.queue(() => {
    store.restore();
    controls.renderDeleted(store.deletedNames, false);
  }));
  controls.bindExport(() => store.text);
  controls.bindImport((bytes, file) => importFile(page, store, controls, check, bytes, file));
}

// Only a file the core reads as one of the store's becomes one (values not
// yet given are allowed: one being set up); a name already taken is numbered.
// The core reads the file's bytes, as the CLI does, so a file it refuses
// (bytes that are not UTF-8, a second byte order mark) is refused here too,
// never taken with U+FFFD in their place.
function importFile(page, store, controls, check, bytes, file) {
  controls.renderImport(null);
  page.queue(async () => {
    const b = await bytes;
    const answer = await check(b);
    if (!answer) return;
    if (answer.error && !answer.missing) {
      controls.renderImport(`\u201c${file}\u201d is not a ${controls.noun} file: ${answer.error}`);
      return;
    }
    // JSON the core parsed is UTF-8 throughout; a leading byte order mark is
    // dropped, as the core drops it.
    const t = new TextDecoder("utf-8", { fatal: true }).decode(b);
    const name = nameOf(t);
    const free = name && store.freeName(name);
    store.add(free === name ? t : renamed(t, free));
  });
}
