// The dividing head panel: which head (its controls, a StoreControls), and
// the current head's file as form fields in workshop words and as its JSON
// text, kept in step both ways. What the core finds wrong with the head is
// said once the user leaves the field that holds it, never while typing.
import { $ } from "./dom.js";
import { ErrorLine } from "./input_fields.js";
import { parseObject } from "./json_text.js";
import { fieldEdit, fillFields, readField } from "./json_form.js";
import { StoreControls } from "./store_controls.js";

// Where the core's errors about a head are shown: a key at its field, the
// file as a whole (and any key without a field) at the file's text.
export const kHeadFields = {
  head: ["#head-text", "Head file"],
  name: ["#head-name", "Head name"],
  ratio: ["#hf-ratio", "Worm ratio"],
  plates: ["#hf-plates", "Index plates"],
  gears: ["#hf-gears", "Change gears"],
  direct: ["#hf-direct", "Direct plate"],
  table_leadscrew: ["#hf-leadscrew", "Table lead screw"],
  differential: ["#hf-differential", "Differential indexing"],
  reverse: ["#hf-reverse", "Reversed plate"],
};

export class HeadView {
  constructor() {
    this.text = $("#head-text");
    this.form = $("#head-form");
    this.controls = new StoreControls("head", "head");
    this.error = new ErrorLine($("#head-check"), kHeadFields, "head");
    this.check = null;
  }

  // An edit of the current head: handler(apply), apply(text) giving its new
  // text. A box counts when ticked, any other field as typed.
  bindEdit(handler) {
    this.text.addEventListener("input", () => {
      const text = this.text.value;
      handler(() => text);
    });
    const edited = (field) => field.dataset.key && handler(fieldEdit(field, readField(field)).apply);
    this.form.addEventListener("input", (e) => {
      if (e.target.type !== "checkbox") edited(e.target);
    });
    this.form.addEventListener("change", (e) => {
      if (e.target.type === "checkbox") edited(e.target);
    });
  }

  // A head's name is its file's: renaming is editing that field.
  rename() {
    $("#head-panel").open = true;
    $("#head-name").select();
  }

  // The head's text and fields, but not into one being typed in, which
  // holds that text already (or a newer one, still to apply), unless another
  // head was `chosen`.
  render(text, chosen) {
    if ((chosen || document.activeElement !== this.text) && this.text.value !== text) this.text.value = text;
    fillFields(this.form, parseObject(text), null);
  }

  // The core's reading of the head ({ok, title} or its first fault), or
  // null while it is asked. The panel opens on a fault.
  renderCheck(check) {
    this.check = check;
    $("#head-title").textContent = check?.ok ? check.title : "";
    this.error.showWhenLeft(check, () => {
      $("#head-fault").textContent = this.error.element.textContent;
      if (this.error.shown) $("#head-panel").open = true;
    }, { alsoWhile: [this.text] });
  }

  // Whether the head has a fault its own line speaks for (or will, once its
  // field is left).
  get faulty() {
    return Boolean(this.check?.error);
  }
}
