// The dividing head panel: which head (its controls, a StoreControls), and
// the current head's file as its JSON text, with its name as a field of its
// own. What the core finds wrong with the head is said once the user leaves
// the field that holds it, never while typing.
import { $ } from "./dom.js";
import { ErrorLine } from "./input_fields.js";
import { parseObject, formatObject } from "./json_text.js";
import { StoreControls } from "./store_controls.js";

// Where the core's errors about a head are shown: its name in the name
// field, any other key in the file's text.
export const kHeadFields = {
  head: ["#head-text", "Head file"],
  name: ["#head-name", "Head name"],
};

export class HeadView {
  constructor() {
    this.text = $("#head-text");
    this.name = $("#head-name");
    this.controls = new StoreControls("head", "head");
    this.error = new ErrorLine($("#head-check"), kHeadFields, "head");
    this.check = null;
  }

  // An edit of the current head: handler(apply), apply(text) giving its new text.
  bindEdit(handler) {
    this.text.addEventListener("input", () => {
      const text = this.text.value;
      handler(() => text);
    });
    this.name.addEventListener("input", () => {
      const name = this.name.value;
      handler((text) => {
        const head = parseObject(text);
        if (!head) return text;  // no file to name: its text says why
        if (name.trim() === "") delete head.name;
        else head.name = name;
        return formatObject(head);
      });
    });
  }

  // A head's name is its file's: renaming is editing that field.
  rename() {
    $("#head-panel").open = true;
    this.name.select();
  }

  // The head's text and name, but not into a field being typed in, which
  // holds that text already (or a newer one, still to apply), unless another
  // head was `chosen`.
  render(text, chosen) {
    const typing = (field) => !chosen && document.activeElement === field;
    if (!typing(this.text) && this.text.value !== text) this.text.value = text;
    const name = parseObject(text)?.name;
    if (!typing(this.name)) this.name.value = typeof name === "string" ? name : "";
  }

  // The core's reading of the head ({ok, title} or its first fault), or
  // null while it is asked. The panel opens on a fault.
  renderCheck(check) {
    this.check = check;
    $("#head-title").textContent = check?.ok ? check.title : "";
    this.error.showWhenLeft(check, () => {
      $("#head-fault").textContent = this.error.element.textContent;
      if (this.error.shown) $("#head-panel").open = true;
    });
  }

  // Whether the head's fault is the one to show for an answer that blames
  // the head (it is, or will be once its field is left).
  get faulty() {
    return Boolean(this.check?.error);
  }
}
