// What the user typed, ticked and chose (limits, targets, starts, the
// view, ...) kept in the browser, so a reload finds the page as it was
// left. Only values are kept; the answers are asked again.

const kStored = "cogwright.inputs";

export class KeptInputs {
  // storage: localStorage, or null when the browser gives none.
  constructor(storage) {
    this.storage = storage;
    this.values = {};
    try {
      this.values = JSON.parse(storage.getItem(kStored)) || {};
    } catch (e) {
      // Nothing kept, or not ours.
    }
  }

  // Gives each element (an input or select with an id) its kept value and
  // keeps every change from now on.
  keep(...elements) {
    for (const element of elements) {
      const box = element.type === "checkbox";
      const kept = this.values[element.id];
      if (kept !== undefined) {
        if (box) element.checked = kept === true;
        else element.value = String(kept);
      }
      element.addEventListener(box ? "change" : "input", () => this.set(element.id, box ? element.checked : element.value));
    }
  }

  get(name, otherwise) {
    return this.values[name] ?? otherwise;
  }

  set(name, value) {
    this.values[name] = value;
    try {
      this.storage.setItem(kStored, JSON.stringify(this.values));
    } catch (e) {
      // Inputs are a convenience: the lathes' own line reports a full store.
    }
  }
}
